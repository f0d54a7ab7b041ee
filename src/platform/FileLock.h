#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace tv::platform {

struct LockAttempt;

// An exclusive advisory lock on a lock file, held until the object goes.
// It is an open-file-description lock (fcntl F_OFD_SETLK): the kernel drops
// it with the last descriptor of the holder, so a killed holder never
// leaves a lock behind (a lock file that merely exists holds nothing); two
// holders in one process exclude each other as two processes do; and on
// NFS and SMB mounts it is passed to the server as a byte-range lock, so
// that programs on other machines see it too.
class FileLock {
public:
    FileLock() = default;
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    bool held() const { return fd_ >= 0; }

private:
    friend LockAttempt TakeFileLock(const std::filesystem::path&, const std::filesystem::path&,
                                    std::chrono::milliseconds, std::string_view);
    explicit FileLock(int fd) : fd_(fd) {}
    void release();

    int fd_ = -1;
};

struct LockAttempt {
    FileLock lock;
    bool busy = false;  // another holder kept it for the whole wait
    std::string holder; // what that holder wrote about itself ("" when unknown)
    std::string reason; // why the lock file could not be used ("" when it could)
};

// Takes the lock of `lockFile`, waiting at most `wait` for another holder
// to let go. A missing lock file is made, with the mode and group of
// `model` so that whoever may write the model may lock it. Once held, the
// lock file says `holder`, this process's number and the machine's name,
// for whoever waits for it.
LockAttempt TakeFileLock(const std::filesystem::path& lockFile, const std::filesystem::path& model,
                         std::chrono::milliseconds wait, std::string_view holder);

} // namespace tv::platform
