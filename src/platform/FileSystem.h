#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace tv::platform {

// The disk operations of a durable file replacement, one call per step, so
// that a test can make any step fail, or stop the program there as a crash
// would. Each returns false and says why in `reason` when it fails.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Creates or truncates the file, writes all bytes, flushes them to the
    // disk and closes it.
    virtual bool writeFile(const std::filesystem::path& file, std::string_view bytes,
                           std::string& reason) = 0;
    // A second name for the file's contents (a hard link).
    virtual bool link(const std::filesystem::path& from, const std::filesystem::path& to,
                      std::string& reason) = 0;
    // Replaces `to` by `from` in one step.
    virtual bool rename(const std::filesystem::path& from, const std::filesystem::path& to,
                        std::string& reason) = 0;
    virtual bool remove(const std::filesystem::path& file, std::string& reason) = 0;
    // Flushes a directory's entries (the renames in it) to the disk.
    virtual bool syncDirectory(const std::filesystem::path& directory, std::string& reason) = 0;
};

// The real disk.
class PosixFileSystem final : public FileSystem {
public:
    bool writeFile(const std::filesystem::path& file, std::string_view bytes,
                   std::string& reason) override;
    bool link(const std::filesystem::path& from, const std::filesystem::path& to,
              std::string& reason) override;
    bool rename(const std::filesystem::path& from, const std::filesystem::path& to,
                std::string& reason) override;
    bool remove(const std::filesystem::path& file, std::string& reason) override;
    bool syncDirectory(const std::filesystem::path& directory, std::string& reason) override;
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

    bool writeFile(const std::filesystem::path& file, std::string_view bytes,
                   std::string& reason) override;
    bool link(const std::filesystem::path& from, const std::filesystem::path& to,
              std::string& reason) override;
    bool rename(const std::filesystem::path& from, const std::filesystem::path& to,
                std::string& reason) override;
    bool remove(const std::filesystem::path& file, std::string& reason) override;
    bool syncDirectory(const std::filesystem::path& directory, std::string& reason) override;

private:
    bool faulty(std::string& reason); // counts the step; true when it is the one to fail

    PosixFileSystem disk_;
};

// Replaces `file` by `bytes` and keeps its previous contents as `backup`:
// the bytes go to `workFile` (flushed), the old file gets a second name
// beside the backup, the work file is renamed over `file` and that second
// name over `backup`, and the directory is flushed. At every moment `file`
// exists, either old or new. Returns whether `file` now holds the new bytes.
// A step that fails before that undoes what was done, so `file` and
// `backup` are as they were; `reason` names the file and why. After a
// replacement `reason` is "" unless the backup or the flush failed.
bool ReplaceKeepingBackup(FileSystem& disk, const std::filesystem::path& file,
                          const std::filesystem::path& workFile,
                          const std::filesystem::path& backup, std::string_view bytes,
                          std::string& reason);

} // namespace tv::platform
