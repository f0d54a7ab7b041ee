#include "platform/FileLock.h"

#include "platform/FileBytes.h"
#include "platform/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tv::platform {

namespace fs = std::filesystem;

FileLock::FileLock(FileLock&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

FileLock::~FileLock() {
    release();
}

void FileLock::release() {
    if (fd_ < 0)
        return;
    // The holder's note goes while the lock is still ours.
    (void)::ftruncate(fd_, 0);
    ::close(fd_);
    fd_ = -1;
}

namespace {

// Opens the lock file for writing (a write lock needs it), never through a
// link and never blocking on something that is no regular file.
int OpenLockFile(const fs::path& lockFile, const fs::path& model, std::string& reason) {
    constexpr int kFlags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    bool made = true;
    int fd = ::open(lockFile.c_str(), kFlags | O_CREAT | O_EXCL, 0666);
    if (fd < 0 && errno == EEXIST) {
        made = false;
        fd = ::open(lockFile.c_str(), kFlags);
    }
    if (fd < 0) {
        reason = WriteResult::Failure(lockFile, errno).reason;
        return -1;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        reason = lockFile.string() + " is not a regular file";
        ::close(fd);
        return -1;
    }
    struct stat wanted {};
    if (made && ::stat(model.c_str(), &wanted) == 0) {
        (void)::fchown(fd, static_cast<uid_t>(-1), wanted.st_gid);
        (void)::fchmod(fd, wanted.st_mode & 0666);
    }
    return fd;
}

bool TryLock(int fd) {
    struct flock request {};
    request.l_type = F_WRLCK;
    request.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_SETLK, &request) == 0;
}

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return "this machine";
    return name;
}

} // namespace

LockAttempt TakeFileLock(const fs::path& lockFile, const fs::path& model,
                         std::chrono::milliseconds wait, std::string_view holder) {
    LockAttempt attempt;
    const int fd = OpenLockFile(lockFile, model, attempt.reason);
    if (fd < 0)
        return attempt;
    const auto giveUp = std::chrono::steady_clock::now() + wait;
    auto pause = std::chrono::milliseconds(2);
    while (!TryLock(fd)) {
        if (errno != EAGAIN && errno != EACCES && errno != EINTR) {
            attempt.reason = WriteResult::Failure(lockFile, errno).reason;
            ::close(fd);
            return attempt;
        }
        if (std::chrono::steady_clock::now() >= giveUp) {
            attempt.busy = true;
            const FileRead note = ReadRegularFile(lockFile, 512);
            attempt.holder = std::string(Trim(note.bytes.substr(0, note.bytes.find('\n'))));
            ::close(fd);
            return attempt;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    const std::string note = std::string(holder) + ", process " + std::to_string(::getpid()) +
                             " on " + HostName() + "\n";
    if (::ftruncate(fd, 0) == 0)
        (void)::pwrite(fd, note.data(), note.size(), 0);
    attempt.lock = FileLock(fd);
    return attempt;
}

} // namespace tv::platform
