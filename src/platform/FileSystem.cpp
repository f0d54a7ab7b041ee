#include "platform/FileSystem.h"

#include "platform/FileBytes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tv::platform {

namespace fs = std::filesystem;

namespace {

bool Failed(const fs::path& file, std::string& reason) {
    reason = file.string() + ": " + std::strerror(errno);
    return false;
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

} // namespace

bool PosixFileSystem::writeFile(const fs::path& file, std::string_view bytes, std::string& reason) {
    // A fresh file, never whatever stands under the name (a link, a pipe a
    // write would block on, a file another program holds open).
    if (::unlink(file.c_str()) != 0 && errno != ENOENT)
        return Failed(file, reason);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return Failed(file, reason);
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return Failed(file, reason);
    }
    if (::close(fd) != 0)
        return Failed(file, reason);
    return true;
}

bool PosixFileSystem::link(const fs::path& from, const fs::path& to, std::string& reason) {
    return ::link(from.c_str(), to.c_str()) == 0 || Failed(to, reason);
}

bool PosixFileSystem::rename(const fs::path& from, const fs::path& to, std::string& reason) {
    return ::rename(from.c_str(), to.c_str()) == 0 || Failed(to, reason);
}

bool PosixFileSystem::remove(const fs::path& file, std::string& reason) {
    return ::unlink(file.c_str()) == 0 || errno == ENOENT || Failed(file, reason);
}

bool PosixFileSystem::syncDirectory(const fs::path& directory, std::string& reason) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Failed(directory, reason);
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return synced || Failed(directory, reason);
}

bool FaultyFileSystem::faulty(std::string& reason) {
    if (++steps != faultAt)
        return false;
    if (crash)
        throw SimulatedCrash{};
    reason = faultReason;
    return true;
}

bool FaultyFileSystem::writeFile(const fs::path& file, std::string_view bytes,
                                 std::string& reason) {
    if (steps + 1 == faultAt && crash) {
        // Killed in the middle of writing: half the bytes, never flushed.
        std::string ignored;
        disk_.writeFile(file, bytes.substr(0, bytes.size() / 2), ignored);
    }
    return !faulty(reason) && disk_.writeFile(file, bytes, reason);
}

bool FaultyFileSystem::link(const fs::path& from, const fs::path& to, std::string& reason) {
    if (faulty(reason))
        return false;
    if (noLinks) {
        reason = to.string() + ": Operation not permitted";
        return false;
    }
    return disk_.link(from, to, reason);
}

bool FaultyFileSystem::rename(const fs::path& from, const fs::path& to, std::string& reason) {
    return !faulty(reason) && disk_.rename(from, to, reason);
}

bool FaultyFileSystem::remove(const fs::path& file, std::string& reason) {
    return !faulty(reason) && disk_.remove(file, reason);
}

bool FaultyFileSystem::syncDirectory(const fs::path& directory, std::string& reason) {
    return !faulty(reason) && disk_.syncDirectory(directory, reason);
}

bool ReplaceKeepingBackup(FileSystem& disk, const fs::path& file, const fs::path& workFile,
                          const fs::path& backup, std::string_view bytes, std::string& reason) {
    // The old contents get a second name first, so that the backup can be
    // put in place after the new file without the old one ever missing.
    fs::path previous = backup;
    previous += ".new";
    std::string ignored;
    auto cleanUp = [&] {
        disk.remove(workFile, ignored);
        disk.remove(previous, ignored);
    };

    if (!disk.writeFile(workFile, bytes, reason)) {
        cleanUp();
        return false;
    }
    if (!disk.remove(previous, reason)) {
        cleanUp();
        return false;
    }
    if (!disk.link(file, previous, reason)) {
        // A file system without links gets a flushed copy instead.
        const auto old = ReadFileBytes(file);
        if (!old || !disk.writeFile(previous, *old, reason)) {
            cleanUp();
            return false;
        }
    }
    if (!disk.rename(workFile, file, reason)) {
        cleanUp();
        return false;
    }
    if (!disk.rename(previous, backup, reason)) {
        // Put the old file back rather than leave it without its backup.
        const std::string why = reason;
        if (disk.rename(previous, file, ignored)) {
            reason = why;
            return false;
        }
        reason = why + " (the new file stands, without a backup)";
        return true;
    }
    if (!disk.syncDirectory(file.parent_path(), reason)) {
        reason = "the new file and its backup may not survive a power failure: " + reason;
        return true;
    }
    reason.clear();
    return true;
}

} // namespace tv::platform
