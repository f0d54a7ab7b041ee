#include "platform/FileSystem.h"

#include "platform/FileBytes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace tv::platform {

namespace fs = std::filesystem;

WriteResult WriteResult::Failure(const fs::path& file, int error) {
    return {file.string() + ": " + std::strerror(error), {}};
}

namespace {

WriteResult Failed(const fs::path& file) {
    return WriteResult::Failure(file, errno);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string GroupName(gid_t gid) {
    if (const struct group* entry = ::getgrgid(gid))
        return entry->gr_name;
    return std::to_string(gid);
}

// The new file as its model was set up. The owner is kept only by a
// process that may give files away (root); the group by one that belongs
// to it. The mode is set after the owner, since a change of owner clears
// the set-id bits.
std::string TakeOwnershipAndMode(int fd, const fs::path& model) {
    struct stat wanted {};
    if (model.empty() || ::stat(model.c_str(), &wanted) != 0 || !S_ISREG(wanted.st_mode))
        return {};
    struct stat now {};
    std::string note;
    if (::fstat(fd, &now) == 0 && (now.st_uid != wanted.st_uid || now.st_gid != wanted.st_gid)) {
        if (::fchown(fd, wanted.st_uid, wanted.st_gid) != 0 &&
            ::fchown(fd, static_cast<uid_t>(-1), wanted.st_gid) != 0 && now.st_gid != wanted.st_gid)
            note = model.string() + " now belongs to the group " + GroupName(now.st_gid) +
                   " instead of " + GroupName(wanted.st_gid) +
                   ", which this user is not a member of";
    }
    (void)::fchmod(fd, wanted.st_mode & 07777);
    return note;
}

} // namespace

std::string UniqueEnding() {
    static std::mt19937_64 random{std::random_device{}() ^
                                  static_cast<std::uint64_t>(WallClockNanoseconds())};
    static const char digits[] = "0123456789abcdef";
    std::string ending = std::to_string(::getpid()) + "-";
    std::uint64_t bits = random();
    for (int i = 0; i < 12; ++i, bits >>= 4)
        ending += digits[bits & 0xF];
    return ending;
}

bool IsUniqueEnding(std::string_view ending) {
    const std::size_t dash = ending.find('-');
    if (dash == 0 || dash == std::string_view::npos || ending.size() != dash + 13)
        return false;
    return ending.substr(0, dash).find_first_not_of("0123456789") == std::string_view::npos &&
           ending.substr(dash + 1).find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

WriteResult PosixFileSystem::createFile(const fs::path& directory, std::string_view prefix,
                                        const fs::path& model, std::string_view bytes,
                                        fs::path& created) {
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        created = directory / (std::string(prefix) + UniqueEnding());
        fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        const WriteResult failure = Failed(created);
        created.clear();
        return failure;
    }
    WriteResult result;
    result.note = TakeOwnershipAndMode(fd, model);
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return WriteResult::Failure(created, error);
    }
    if (::close(fd) != 0)
        return Failed(created);
    return result;
}

WriteResult PosixFileSystem::link(const fs::path& from, const fs::path& to) {
    return ::link(from.c_str(), to.c_str()) == 0 ? WriteResult{} : Failed(to);
}

WriteResult PosixFileSystem::rename(const fs::path& from, const fs::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? WriteResult{} : Failed(to);
}

WriteResult PosixFileSystem::remove(const fs::path& file) {
    return ::unlink(file.c_str()) == 0 || errno == ENOENT ? WriteResult{} : Failed(file);
}

WriteResult PosixFileSystem::syncDirectory(const fs::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Failed(directory);
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    return synced ? WriteResult{} : WriteResult::Failure(directory, error);
}

bool FaultyFileSystem::faulty(WriteResult& result) {
    if (++steps != faultAt)
        return false;
    if (crash)
        throw SimulatedCrash{};
    result = WriteResult::Failure(faultReason);
    return true;
}

WriteResult FaultyFileSystem::createFile(const fs::path& directory, std::string_view prefix,
                                         const fs::path& model, std::string_view bytes,
                                         fs::path& created) {
    WriteResult result;
    if (steps + 1 == faultAt && crash) {
        // Killed in the middle of writing: half the bytes, never renamed.
        disk_.createFile(directory, prefix, model, bytes.substr(0, bytes.size() / 2), created);
    }
    if (faulty(result))
        return result;
    return disk_.createFile(directory, prefix, model, bytes, created);
}

WriteResult FaultyFileSystem::link(const fs::path& from, const fs::path& to) {
    WriteResult result;
    if (faulty(result))
        return result;
    if (noLinks)
        return WriteResult::Failure(to, EPERM);
    return disk_.link(from, to);
}

WriteResult FaultyFileSystem::rename(const fs::path& from, const fs::path& to) {
    WriteResult result;
    return faulty(result) ? result : disk_.rename(from, to);
}

WriteResult FaultyFileSystem::remove(const fs::path& file) {
    WriteResult result;
    return faulty(result) ? result : disk_.remove(file);
}

WriteResult FaultyFileSystem::syncDirectory(const fs::path& directory) {
    WriteResult result;
    return faulty(result) ? result : disk_.syncDirectory(directory);
}

WriteResult FollowLinks(const fs::path& file, fs::path& target) {
    target = file;
    // As many links as the kernel itself follows in one path.
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec)))
            return {};
        const fs::path pointsAt = fs::read_symlink(target, ec);
        if (ec)
            return WriteResult::Failure(target, ec.value());
        target = pointsAt.is_absolute() ? pointsAt : target.parent_path() / pointsAt;
    }
    return WriteResult::Failure(file, ELOOP);
}

std::string ReplaceProblem(const fs::path& target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0)
        return errno == ENOENT ? std::string() : WriteResult::Failure(target, errno).reason;
    if (S_ISDIR(status.st_mode))
        return target.string() + " is a directory";
    if (!S_ISREG(status.st_mode))
        return target.string() + " is not a regular file";
    // Root may write anything; a file without any write bit was still
    // marked read-only by its owner.
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
        ::access(target.c_str(), W_OK) != 0)
        return target.string() + " is read-only";
    return {};
}

WriteResult ReplaceFile(FileSystem& disk, const fs::path& file, std::string_view bytes) {
    fs::path target;
    if (WriteResult followed = FollowLinks(file, target); !followed)
        return followed;
    if (std::string problem = ReplaceProblem(target); !problem.empty())
        return WriteResult::Failure(std::move(problem));
    const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::path created;
    WriteResult result =
        disk.createFile(directory, "." + target.filename().string() + ".", target, bytes, created);
    if (result) {
        if (WriteResult renamed = disk.rename(created, target); !renamed)
            result = std::move(renamed);
    }
    if (!result) {
        if (!created.empty())
            disk.remove(created);
        return result;
    }
    if (const WriteResult synced = disk.syncDirectory(directory); !synced)
        result.note = "the file may not survive a power failure: " + synced.reason;
    return result;
}

WriteResult WriteFileSafely(const fs::path& file, std::string_view bytes) {
    PosixFileSystem disk;
    return ReplaceFile(disk, file, bytes);
}

WriteResult ReplaceKeepingBackup(FileSystem& disk, const fs::path& file,
                                 std::string_view workPrefix, const fs::path& backup,
                                 std::string_view bytes) {
    const fs::path directory = file.parent_path();
    fs::path work;
    fs::path previous;
    auto fail = [&](WriteResult failure, std::string_view state) {
        if (!work.empty())
            disk.remove(work);
        if (!previous.empty())
            disk.remove(previous);
        failure.reason += std::string(state);
        return failure;
    };
    constexpr std::string_view kAsItWas = " (the article file and its backup are as they were)";

    WriteResult written = disk.createFile(directory, workPrefix, file, bytes, work);
    if (!written)
        return fail(written, kAsItWas);
    auto replaceWithWork = [&] {
        if (WriteResult renamed = disk.rename(work, file); !renamed)
            return fail(renamed,
                        " (the article file is as it was; its backup is now a copy of it)");
        if (const WriteResult synced = disk.syncDirectory(directory); !synced)
            written.note += (written.note.empty() ? "" : "; ") +
                            std::string("the new file and its backup may not survive a power "
                                        "failure: ") +
                            synced.reason;
        return written;
    };
    // The old contents get a second name, which then becomes the backup, so
    // that the new file only ever stands beside the file it replaced. A save
    // killed before its last rename left the backup as a second name of the
    // file: it holds the old contents already.
    std::error_code ec;
    if (fs::equivalent(file, backup, ec))
        return replaceWithWork();
    previous = directory / (backup.filename().string() + "." + UniqueEnding());
    if (!disk.link(file, previous)) {
        previous.clear();
        // A file system without links gets a flushed copy instead.
        const auto old = ReadFileBytes(file);
        if (!old)
            return fail(WriteResult::Failure(file, EIO), kAsItWas);
        if (WriteResult copied =
                disk.createFile(directory, backup.filename().string() + ".", file, *old, previous);
            !copied)
            return fail(copied, kAsItWas);
    }
    if (WriteResult renamed = disk.rename(previous, backup); !renamed)
        return fail(renamed, kAsItWas);
    previous.clear();
    return replaceWithWork();
}

} // namespace tv::platform
