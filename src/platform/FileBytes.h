#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Line-level helpers shared by the ini files and the settings store: both
// rewrite one line of a small text file and must keep every other byte.
namespace tv::platform {

// One line of a file and the line end that followed it ("\r\n", "\n", or ""
// for a last line without one), so a file can be put back byte for byte.
struct TextLine {
    std::string text;
    std::string eol;
};

// A LF ends a line; a CR just before it belongs to the line end.
std::vector<TextLine> SplitLines(std::string_view bytes);
std::string JoinLines(const std::vector<TextLine>& lines);

// Inserts a line ending in CR LF before index `at`, first giving the line
// before it a CR LF when it had no line end.
void InsertLine(std::vector<TextLine>& lines, std::size_t at, std::string text);

// Which version of a file a path names: a file changed in place keeps its
// device and inode but gets a new change time (which no program can set
// back, unlike the modification time); a file renamed over it gets a new
// inode. Times in nanoseconds since the epoch.
struct FileVersion {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::int64_t changed = 0;

    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

// The version of the regular file at the path (links followed); nothing
// when there is none or it is not a regular file.
std::optional<FileVersion> RegularFileVersion(const std::filesystem::path& file);

// The same for a directory: an entry added, removed or renamed gives it new
// times.
std::optional<FileVersion> DirectoryVersion(const std::filesystem::path& directory);

// The regular files of a directory (links followed), by their names as
// the file system holds them, in no order; `links` tells that an entry is a
// link, whose target may change while the directory keeps its times.
struct DirectoryListing {
    std::vector<std::string> regularFiles;
    bool links = false;
};
DirectoryListing ListDirectory(const std::filesystem::path& directory);

// The wall clock in the nanoseconds of FileVersion's times.
std::int64_t WallClockNanoseconds();

// What reading a file gave: its bytes, or why it could not be read.
struct FileRead {
    bool missing = false;   // no file of that name
    bool readable = false;  // bytes hold the file (up to the limit)
    bool truncated = false; // the file is larger than the limit: bytes hold its first `limit`
    std::string bytes;
    std::string reason;  // why it could not be read ("" when it could)
    FileVersion version; // of the file the bytes are, when readable
};

// The one way the program opens a file to read it: only a regular file is
// read. A named pipe, a device or a directory is refused without blocking
// (it is opened without waiting and its type checked before a byte is
// read), and a read that fails part-way gives its reason instead of a
// shorter file. Exactly the file's size is read; a file that changes while
// it is read is read again, so the bytes are always one version of it.
FileRead ReadRegularFile(const std::filesystem::path& file, std::size_t limit);

// The whole file; "" when it does not exist; nothing when it exists but
// cannot be read (a directory, a pipe, no permission, a read error), so a
// writer does not mistake an unreadable file for an empty one and overwrite
// it.
// A file larger than `limit` counts as one that cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file,
                                         std::size_t limit = static_cast<std::size_t>(-1));

// Blanks and tabs around a text dropped.
std::string_view Trim(std::string_view text);

// Windows-1252 letters compared without regard to case, the accented ones
// included, as names in ini files and settings are.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
std::string FoldCase(std::string_view text);

// A text in upper case, Windows-1252 letters included (a typed code, a
// window title); ß has no capital and stays.
std::string UpperCase(std::string_view cp1252);

} // namespace tv::platform
