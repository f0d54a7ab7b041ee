#include "platform/FileBytes.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>

namespace tv::platform {
namespace fs = std::filesystem;

std::vector<TextLine> SplitLines(std::string_view bytes) {
    std::vector<TextLine> lines;
    lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos) {
            lines.push_back({std::string(bytes.substr(start)), ""});
            break;
        }
        const bool crlf = lf > start && bytes[lf - 1] == '\r';
        const std::size_t textEnd = crlf ? lf - 1 : lf;
        lines.push_back({std::string(bytes.substr(start, textEnd - start)), crlf ? "\r\n" : "\n"});
        start = lf + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<TextLine>& lines) {
    std::size_t size = 0;
    for (const TextLine& line : lines)
        size += line.text.size() + line.eol.size();
    std::string bytes;
    bytes.reserve(size);
    for (const TextLine& line : lines) {
        bytes += line.text;
        bytes += line.eol;
    }
    return bytes;
}

void InsertLine(std::vector<TextLine>& lines, std::size_t at, std::string text) {
    if (at > 0 && lines[at - 1].eol.empty())
        lines[at - 1].eol = "\r\n";
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                 TextLine{std::move(text), "\r\n"});
}

namespace {

FileVersion VersionOf(const struct stat& status) {
    FileVersion version;
    version.device = static_cast<std::uint64_t>(status.st_dev);
    version.inode = static_cast<std::uint64_t>(status.st_ino);
    version.size = static_cast<std::uint64_t>(std::max<off_t>(status.st_size, 0));
    version.modified = std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
    version.changed = std::int64_t{status.st_ctim.tv_sec} * 1'000'000'000 + status.st_ctim.tv_nsec;
    return version;
}

// Reads up to `size` bytes from the start; false with errno on a read error.
bool ReadUpTo(int fd, std::size_t size, std::string& bytes) {
    bytes.resize(size);
    std::size_t have = 0;
    while (have < size) {
        const ssize_t got = ::pread(fd, bytes.data() + have, size - have, static_cast<off_t>(have));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            bytes.clear();
            return false;
        }
        if (got == 0)
            break; // the file shrank meanwhile; the version check below sees it
        have += static_cast<std::size_t>(got);
    }
    bytes.resize(have);
    return true;
}

} // namespace

std::optional<FileVersion> RegularFileVersion(const fs::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return VersionOf(status);
}

std::optional<FileVersion> DirectoryVersion(const fs::path& directory) {
    struct stat status {};
    if (::stat(directory.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return std::nullopt;
    return VersionOf(status);
}

DirectoryListing ListDirectory(const fs::path& directory) {
    DirectoryListing listing;
    DIR* stream = ::opendir(directory.c_str());
    if (stream == nullptr)
        return listing;
    const int fd = ::dirfd(stream);
    while (const dirent* entry = ::readdir(stream)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        unsigned char type = entry->d_type;
        struct stat status {};
        if (type == DT_UNKNOWN) {
            // Some file systems do not say the type in the listing.
            if (::fstatat(fd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            type = S_ISLNK(status.st_mode) ? DT_LNK : S_ISREG(status.st_mode) ? DT_REG : DT_DIR;
        }
        if (type == DT_LNK) {
            listing.links = true;
            if (::fstatat(fd, entry->d_name, &status, 0) != 0 || !S_ISREG(status.st_mode))
                continue;
        } else if (type != DT_REG) {
            continue;
        }
        listing.regularFiles.emplace_back(name);
    }
    ::closedir(stream);
    return listing;
}

std::int64_t WallClockNanoseconds() {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

FileRead ReadRegularFile(const fs::path& file, std::size_t limit) {
    FileRead read;
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        read.missing = errno == ENOENT;
        read.reason = std::strerror(errno);
        return read;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        read.reason = S_ISDIR(status.st_mode) ? "it is a directory" : "it is not a regular file";
        ::close(fd);
        return read;
    }
    // A regular file never blocks; reads take the usual path from here on.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // A writer busy with the file changes its size or times while it is
    // read: read it again until one whole version was read.
    constexpr int kAttempts = 5;
    for (int attempt = 1;; ++attempt) {
        const FileVersion before = VersionOf(status);
        const std::size_t size = static_cast<std::size_t>(before.size);
        if (!ReadUpTo(fd, std::min(size, limit), read.bytes)) {
            read.reason = std::strerror(errno);
            ::close(fd);
            return read;
        }
        if (::fstat(fd, &status) != 0) {
            read.reason = std::strerror(errno);
            read.bytes.clear();
            ::close(fd);
            return read;
        }
        const FileVersion after = VersionOf(status);
        if (after == before && read.bytes.size() == std::min(size, limit)) {
            read.version = after;
            read.truncated = size > limit;
            break;
        }
        if (attempt == kAttempts) {
            read.reason = "it kept changing while it was read";
            read.bytes.clear();
            ::close(fd);
            return read;
        }
    }
    read.readable = true;
    ::close(fd);
    return read;
}

std::optional<std::string> ReadFileBytes(const fs::path& file, std::size_t limit) {
    FileRead read = ReadRegularFile(file, limit);
    if (read.missing)
        return std::string();
    if (!read.readable || read.truncated)
        return std::nullopt;
    return std::move(read.bytes);
}

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

namespace {

unsigned char UpperByte(unsigned char byte) {
    if (byte >= 'a' && byte <= 'z')
        return static_cast<unsigned char>(byte - 0x20);
    // à to þ (but not ÷) lie 0x20 above À to Þ; ß has no capital here.
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)
        return static_cast<unsigned char>(byte - 0x20);
    switch (byte) {
    case 0x9A: // š
        return 0x8A;
    case 0x9C: // œ
        return 0x8C;
    case 0x9E: // ž
        return 0x8E;
    case 0xFF: // ÿ
        return 0x9F;
    default:
        return byte;
    }
}

unsigned char FoldByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 0x20);
    // À to Þ except the multiplication sign, one row below their small forms.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A:
        return 0x9A; // Š
    case 0x8C:
        return 0x9C; // Œ
    case 0x8E:
        return 0x9E; // Ž
    case 0x9F:
        return 0xFF; // Ÿ
    default:
        return c;
    }
}

} // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return FoldByte(static_cast<unsigned char>(x)) == FoldByte(static_cast<unsigned char>(y));
    });
}

std::string UpperCase(std::string_view cp1252) {
    std::string upper(cp1252);
    for (char& c : upper)
        c = static_cast<char>(UpperByte(static_cast<unsigned char>(c)));
    return upper;
}

std::string FoldCase(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    std::transform(text.begin(), text.end(), std::back_inserter(folded), [](char c) {
        return static_cast<char>(FoldByte(static_cast<unsigned char>(c)));
    });
    return folded;
}

} // namespace tv::platform
