#include "platform/IniFile.h"

#include "platform/FileBytes.h"
#include "platform/FileSystem.h"

#include <optional>
#include <vector>

namespace tv::platform {
namespace {

// The name of a section line "[Name]"; nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view text) {
    const std::string_view line = Trim(text);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    return Trim(
        line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

bool IsComment(std::string_view text) {
    const std::string_view line = Trim(text);
    return !line.empty() && line.front() == ';';
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

// A "key=value" line with blanks around key and value dropped.
std::optional<KeyValue> ParseKeyValue(std::string_view text) {
    if (IsComment(text) || SectionName(text))
        return std::nullopt;
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return KeyValue{Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

// Lines (header, end) of a section: from its section line to the next
// section line or the end of the file.
struct SectionSpan {
    std::size_t header = 0;
    std::size_t end = 0;
};

// The first section of that name; later sections of the same name are
// never looked at, as with the system's own ini functions.
std::optional<SectionSpan> FindSection(const std::vector<TextLine>& lines,
                                       std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i].text);
        if (!name || !EqualsIgnoringCase(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !SectionName(lines[end].text))
            ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<TextLine>& lines, SectionSpan span,
                                   std::string_view key) {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto entry = ParseKeyValue(lines[i].text);
        if (entry && EqualsIgnoringCase(entry->key, key))
            return i;
    }
    return std::nullopt;
}

// Where a new line of the section goes: after its last non-blank line, so
// the blank lines that separate it from the next section stay below it.
std::size_t EndOfContent(const std::vector<TextLine>& lines, SectionSpan span) {
    std::size_t end = span.end;
    while (end > span.header + 1 && Trim(lines[end - 1].text).empty())
        --end;
    return end;
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() < 2)
        return value;
    const char first = value.front();
    if ((first != '"' && first != '\'') || value.back() != first)
        return value;
    return value.substr(1, value.size() - 2);
}

std::string Truncated(std::string_view text, std::size_t bufferSize) {
    if (bufferSize == 0)
        return {};
    return std::string(text.substr(0, bufferSize - 1));
}

// The bytes of a file read for its values; none when it cannot be read.
std::string ReadIni(const std::filesystem::path& file) {
    std::optional<std::string> bytes = ReadFileBytes(file, kMaxIniBytes);
    return bytes ? std::move(*bytes) : std::string();
}

// The bytes of a file about to be rewritten, none when it does not exist
// yet; the reason when it exists but cannot be read whole, so that a file
// that could not be read is never taken for an empty one and overwritten.
WriteResult ReadForRewrite(const std::filesystem::path& file, std::string& bytes) {
    const FileRead read = ReadRegularFile(file, kMaxIniBytes);
    if (read.missing)
        return {};
    if (read.truncated)
        return WriteResult::Failure(file.string() +
                                    ": it is larger than 1 MiB and is left as it is");
    if (!read.readable)
        return WriteResult::Failure(file.string() + ": " + read.reason);
    bytes = std::move(read.bytes);
    return {};
}

std::string SectionLine(std::string_view section) {
    return "[" + std::string(section) + "]";
}

// "a=1\0b=2\0" as lines; an empty piece (two NULs in a row) ends the list.
std::vector<std::string> SplitAtNul(std::string_view lines) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start < lines.size()) {
        const std::size_t nul = lines.find('\0', start);
        const std::size_t end = nul == std::string_view::npos ? lines.size() : nul;
        if (end == start)
            break;
        pieces.emplace_back(lines.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

} // namespace

std::string ProfileString(std::string_view bytes, std::string_view section, std::string_view key,
                          std::string_view def, std::size_t bufferSize) {
    const std::vector<TextLine> lines = SplitLines(bytes);
    const auto span = FindSection(lines, section);
    const auto at = span ? FindKey(lines, *span, key) : std::nullopt;
    if (!at)
        return Truncated(def, bufferSize);
    return Truncated(StripQuotes(ParseKeyValue(lines[*at].text)->value), bufferSize);
}

std::string WithProfileString(std::string_view bytes, std::string_view section,
                              std::string_view key, std::string_view value) {
    std::vector<TextLine> lines = SplitLines(bytes);
    std::string entry = std::string(key) + "=" + std::string(value);
    const auto span = FindSection(lines, section);
    if (!span) {
        InsertLine(lines, lines.size(), SectionLine(section));
        InsertLine(lines, lines.size(), std::move(entry));
    } else if (const auto at = FindKey(lines, *span, key)) {
        lines[*at].text = std::move(entry);
    } else {
        InsertLine(lines, EndOfContent(lines, *span), std::move(entry));
    }
    return JoinLines(lines);
}

std::string ProfileSection(std::string_view bytes, std::string_view section,
                           std::size_t bufferSize) {
    const std::vector<TextLine> lines = SplitLines(bytes);
    const auto span = FindSection(lines, section);
    if (!span)
        return {};
    std::string result;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        const std::string_view text = Trim(lines[i].text);
        if (text.empty() || IsComment(text))
            continue;
        // Leading blanks go, the rest of the line stays as written.
        result += lines[i].text.substr(lines[i].text.find_first_not_of(" \t"));
        result += '\0';
    }
    if (bufferSize < 2)
        return {};
    if (result.size() <= bufferSize - 1)
        return result;
    // The buffer ends in a NUL of its own after the cut text.
    result.resize(bufferSize - 2);
    result += '\0';
    return result;
}

std::string WithProfileSection(std::string_view bytes, std::string_view section,
                               std::string_view lines) {
    std::vector<TextLine> fileLines = SplitLines(bytes);
    const auto span = FindSection(fileLines, section);
    std::size_t at = fileLines.size();
    if (span) {
        // The section's own lines go; blank lines below it stay.
        const std::size_t end = EndOfContent(fileLines, *span);
        fileLines.erase(fileLines.begin() + static_cast<std::ptrdiff_t>(span->header + 1),
                        fileLines.begin() + static_cast<std::ptrdiff_t>(end));
        at = span->header + 1;
    } else {
        InsertLine(fileLines, at++, SectionLine(section));
    }
    for (std::string& line : SplitAtNul(lines))
        InsertLine(fileLines, at++, std::move(line));
    return JoinLines(fileLines);
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view def, const std::filesystem::path& file,
                                    std::size_t bufferSize) {
    return ProfileString(ReadIni(file), section, key, def, bufferSize);
}

WriteResult WritePrivateProfileString(std::string_view section, std::string_view key,
                                      std::string_view value, const std::filesystem::path& file) {
    std::string bytes;
    if (WriteResult read = ReadForRewrite(file, bytes); !read)
        return read;
    return WriteFileSafely(file, WithProfileString(bytes, section, key, value));
}

std::string GetPrivateProfileSection(std::string_view section, const std::filesystem::path& file,
                                     std::size_t bufferSize) {
    return ProfileSection(ReadIni(file), section, bufferSize);
}

WriteResult WritePrivateProfileSection(std::string_view section, std::string_view lines,
                                       const std::filesystem::path& file) {
    std::string bytes;
    if (WriteResult read = ReadForRewrite(file, bytes); !read)
        return read;
    return WriteFileSafely(file, WithProfileSection(bytes, section, lines));
}

} // namespace tv::platform
