#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// The one way the program writes a file: a new file beside the target,
// made so that no other writer's file is touched, flushed, given the
// target's mode, owner and group, and renamed over the target; then the
// directory is flushed. Every step reports one result that carries the
// reason, and every caller says a failure to the user.
namespace tv::platform {

// What a write step or a whole write did.
struct WriteResult {
    std::string reason; // why it was not done, naming the file; "" when it was
    std::string note;   // done, but with something the user should know; "" when not

    explicit operator bool() const { return reason.empty(); }

    // "file: <strerror(error)>".
    static WriteResult Failure(const std::filesystem::path& file, int error);
    static WriteResult Failure(std::string reason) { return {std::move(reason), {}}; }
};

// The disk operations of a durable file replacement, one call per step, so
// that a test can make any step fail, or stop the program there as a crash
// would.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Creates a new file in `directory` named `prefix` and an ending no
    // file there has (made exclusively, so another writer's file is never
    // opened), gives it the mode of `model` and, where the process may set
    // them, its owner and group (the note says when the group could not be
    // kept), writes all bytes, flushes them to the disk and closes it.
    // Without a model the file gets the usual mode of a new file.
    // `created` names the file as soon as it exists, also when a later step
    // fails, so that the caller can remove it.
    virtual WriteResult createFile(const std::filesystem::path& directory, std::string_view prefix,
                                   const std::filesystem::path& model, std::string_view bytes,
                                   std::filesystem::path& created) = 0;
    // A second name for the file's contents (a hard link).
    virtual WriteResult link(const std::filesystem::path& from,
                             const std::filesystem::path& to) = 0;
    // Replaces `to` by `from` in one step.
    virtual WriteResult rename(const std::filesystem::path& from,
                               const std::filesystem::path& to) = 0;
    virtual WriteResult remove(const std::filesystem::path& file) = 0;
    // Flushes a directory's entries (the renames in it) to the disk.
    virtual WriteResult syncDirectory(const std::filesystem::path& directory) = 0;
};

// The real disk.
class PosixFileSystem final : public FileSystem {
public:
    WriteResult createFile(const std::filesystem::path& directory, std::string_view prefix,
                           const std::filesystem::path& model, std::string_view bytes,
                           std::filesystem::path& created) override;
    WriteResult link(const std::filesystem::path& from, const std::filesystem::path& to) override;
    WriteResult rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    WriteResult remove(const std::filesystem::path& file) override;
    WriteResult syncDirectory(const std::filesystem::path& directory) override;
};

// Test double over the real disk: counts the steps and, at step `faultAt`
// (1-based), either fails it with `faultReason` (the caller must clean up)
// or, when `crash` is set, throws SimulatedCrash instead, leaving a write
// half done, as a program killed there would.
class FaultyFileSystem final : public FileSystem {
public:
    struct SimulatedCrash {};

    int faultAt = 0; // 0: no fault
    bool crash = false;
    std::string faultReason = "No space left on device";
    bool noLinks = false; // a file system without hard links (not counted as a fault)
    int steps = 0;        // steps taken so far

    WriteResult createFile(const std::filesystem::path& directory, std::string_view prefix,
                           const std::filesystem::path& model, std::string_view bytes,
                           std::filesystem::path& created) override;
    WriteResult link(const std::filesystem::path& from, const std::filesystem::path& to) override;
    WriteResult rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    WriteResult remove(const std::filesystem::path& file) override;
    WriteResult syncDirectory(const std::filesystem::path& directory) override;

private:
    bool faulty(WriteResult& result); // counts the step; true when it is the one to fail

    PosixFileSystem disk_;
};

// The file a path names once its symbolic links are followed (a relative
// link is read from the link's directory): writing through a link changes
// what it points at and keeps the link. The path itself when it is no link;
// a link that points nowhere gives the path it points at. Fails on a loop.
WriteResult FollowLinks(const std::filesystem::path& file, std::filesystem::path& target);

// Why the regular file (or nothing) at `target` may not be replaced: it is
// something else than a regular file, or it is read-only (its mode has no
// write bit, or this user may not write it). "" when it may.
std::string ReplaceProblem(const std::filesystem::path& target);

// A name ending that no two writes share: the process number and a random
// part.
std::string UniqueEnding();
// Whether a name's ending is one UniqueEnding makes (the process number,
// "-" and twelve hexadecimal digits), so that what a killed write left can
// be told from a file someone named.
bool IsUniqueEnding(std::string_view ending);

// The one safe write: `file` (its link target, when it is a link) holds
// either its old bytes or `bytes`, never a mix, and keeps its mode, owner
// and group. A read-only file or one that is no regular file is refused.
// A directory that could not be flushed after the rename is a note.
WriteResult ReplaceFile(FileSystem& disk, const std::filesystem::path& file,
                        std::string_view bytes);
// The same on the real disk.
WriteResult WriteFileSafely(const std::filesystem::path& file, std::string_view bytes);

// Replaces the regular file `file` (no link) by `bytes` and keeps its
// previous contents as `backup`: the bytes go to a new work file named
// `workPrefix` and a unique ending; the old file gets a second name
// (`backup` and a unique ending; a flushed copy where the file system has
// no links), which is renamed over `backup`; only then is the work file
// renamed over `file`, and the directory is flushed. So at every moment
// `file` is whole, and the pair (file, backup) is (old, previous backup),
// (old, old) or (new, old): a new file never stands beside a backup older
// than the file it replaced. On a failure the work files are removed and
// `file` is as it was (its backup may already be a copy of it: the reason
// says so).
WriteResult ReplaceKeepingBackup(FileSystem& disk, const std::filesystem::path& file,
                                 std::string_view workPrefix, const std::filesystem::path& backup,
                                 std::string_view bytes);

} // namespace tv::platform
