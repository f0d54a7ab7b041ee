#include "platform/SettingsStore.h"

#include "platform/FileBytes.h"
#include "platform/FileSystem.h"

#include <cstdlib>
#include <optional>
#include <vector>

namespace tv::platform {
namespace fs = std::filesystem;
namespace {

std::string Escape(std::string_view value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (const char c : value) {
        if (c == '\\')
            escaped += "\\\\";
        else if (c == '\r')
            escaped += "\\r";
        else if (c == '\n')
            escaped += "\\n";
        else
            escaped += c;
    }
    return escaped;
}

// Unknown escapes stay as written, so a hand-edited value with a stray
// backslash reads back as it looks.
std::string Unescape(std::string_view text) {
    std::string value;
    value.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            value += text[i];
            continue;
        }
        const char next = text[i + 1];
        if (next == '\\')
            value += '\\';
        else if (next == 'r')
            value += '\r';
        else if (next == 'n')
            value += '\n';
        else {
            value += '\\';
            continue;
        }
        ++i;
    }
    return value;
}

std::string SectionLine(std::string_view app, std::string_view section) {
    return "[" + std::string(app) + "\\" + std::string(section) + "]";
}

// Whether the line is a section line, and whether it is the one of app and
// section. The application name ends at the first backslash; the section
// name may hold more of them.
struct SectionMatch {
    bool isSection = false;
    bool matches = false;
};

SectionMatch MatchSection(std::string_view text, std::string_view app, std::string_view section) {
    const std::string_view line = Trim(text);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return {};
    const std::string_view name = line.substr(1, line.size() - 2);
    const std::size_t slash = name.find('\\');
    if (slash == std::string_view::npos)
        return {true, false};
    return {true, EqualsIgnoringCase(name.substr(0, slash), app) &&
                      EqualsIgnoringCase(name.substr(slash + 1), section)};
}

// Where a key lives: the line of its value, or failing that the line after
// the last line of the first section of app and section (the place a new key
// goes).
struct Location {
    std::optional<std::size_t> keyLine;
    std::optional<std::size_t> sectionEnd;
};

// The key is looked up in every section of the name, the first line wins, so
// a hand-edited file with a section written twice still reads and saves
// consistently.
Location Locate(const std::vector<TextLine>& lines, std::string_view app, std::string_view section,
                std::string_view key) {
    Location found;
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const SectionMatch match = MatchSection(lines[i].text, app, section);
        if (match.isSection) {
            if (inside && !found.sectionEnd)
                found.sectionEnd = i;
            inside = match.matches;
            continue;
        }
        if (!inside)
            continue;
        const std::string_view text = lines[i].text;
        const std::size_t equals = text.find('=');
        if (equals != std::string_view::npos && EqualsIgnoringCase(text.substr(0, equals), key)) {
            found.keyLine = i;
            return found;
        }
    }
    if (inside && !found.sectionEnd)
        found.sectionEnd = lines.size();
    return found;
}

} // namespace

std::string SettingsValue(std::string_view bytes, std::string_view app, std::string_view section,
                          std::string_view key) {
    const std::vector<TextLine> lines = SplitLines(bytes);
    const Location where = Locate(lines, app, section, key);
    if (!where.keyLine)
        return {};
    const std::string& text = lines[*where.keyLine].text;
    return Unescape(std::string_view(text).substr(text.find('=') + 1));
}

std::string WithSettingsValues(std::string_view bytes, std::string_view app,
                               std::string_view section, const SettingsStore::Values& values) {
    std::vector<TextLine> lines = SplitLines(bytes);
    for (const auto& [key, value] : values) {
        const Location where = Locate(lines, app, section, key);
        if (where.keyLine) {
            // The key keeps the spelling it was first written with.
            std::string& text = lines[*where.keyLine].text;
            text = text.substr(0, text.find('=') + 1) + Escape(value);
        } else if (where.sectionEnd) {
            InsertLine(lines, *where.sectionEnd, key + "=" + Escape(value));
        } else {
            InsertLine(lines, lines.size(), SectionLine(app, section));
            InsertLine(lines, lines.size(), key + "=" + Escape(value));
        }
    }
    return JoinLines(lines);
}

FileSettingsStore::FileSettingsStore(fs::path file) : file_(std::move(file)) {}

fs::path FileSettingsStore::defaultPath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    fs::path base;
    if (xdg && *xdg && fs::path(xdg).is_absolute())
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = fs::path(home) / ".config";
    else
        base = fs::current_path() / ".config";
    return base / "tessaro-vavuvirivado" / "settings.ini";
}

std::optional<std::string> FileSettingsStore::read() const {
    const FileRead read = ReadRegularFile(file_, kMaxBytes);
    if (read.missing)
        return std::string();
    if (read.truncated)
        readProblem_ = file_.string() + ": it is larger than 1 MiB and is left as it is";
    else if (!read.readable)
        readProblem_ = file_.string() + ": " + read.reason;
    if (!read.readable || read.truncated)
        return std::nullopt;
    return read.bytes;
}

std::string FileSettingsStore::get(std::string_view app, std::string_view section,
                                   std::string_view key) const {
    const std::optional<std::string> bytes = read();
    return bytes ? SettingsValue(*bytes, app, section, key) : std::string();
}

bool FileSettingsStore::save(std::string_view app, std::string_view section, std::string_view key,
                             std::string_view value) {
    return saveAll(app, section, {{std::string(key), std::string(value)}});
}

bool FileSettingsStore::saveAll(std::string_view app, std::string_view section,
                                const Values& values) {
    std::error_code ec;
    fs::create_directories(file_.parent_path(), ec);
    const std::optional<std::string> bytes = read();
    if (!bytes) {
        problem_ = readProblem_;
        return false;
    }
    // A note (the directory not flushed, another group) is not said: the
    // file is rewritten at every save, so it would come back with each.
    const WriteResult written =
        WriteFileSafely(file_, WithSettingsValues(*bytes, app, section, values));
    if (!written)
        problem_ = written.reason;
    return static_cast<bool>(written);
}

std::string ReportingSettingsStore::get(std::string_view app, std::string_view section,
                                        std::string_view key) const {
    std::string value = store_.get(app, section, key);
    if (!readSaid_ && !store_.readProblem().empty()) {
        readSaid_ = true;
        messages_.inform("The settings could not be read:\r\n" + store_.readProblem());
    }
    return value;
}

bool ReportingSettingsStore::said(bool saved) {
    if (!saved && !said_) {
        said_ = true;
        messages_.inform("The settings could not be saved:\r\n" + store_.problem());
    }
    return saved;
}

bool ReportingSettingsStore::save(std::string_view app, std::string_view section,
                                  std::string_view key, std::string_view value) {
    return said(store_.save(app, section, key, value));
}

bool ReportingSettingsStore::saveAll(std::string_view app, std::string_view section,
                                     const Values& values) {
    return said(store_.saveAll(app, section, values));
}

bool SettingsStore::saveAll(std::string_view app, std::string_view section, const Values& values) {
    bool saved = true;
    for (const auto& [key, value] : values)
        saved = save(app, section, key, value) && saved;
    return saved;
}

namespace {

// The memory store matches names like the file store, without regard to case.
std::tuple<std::string, std::string, std::string>
AddressOf(std::string_view app, std::string_view section, std::string_view key) {
    return {FoldCase(app), FoldCase(section), FoldCase(key)};
}

} // namespace

std::string MemorySettingsStore::get(std::string_view app, std::string_view section,
                                     std::string_view key) const {
    const auto it = values_.find(AddressOf(app, section, key));
    return it == values_.end() ? std::string() : it->second;
}

bool MemorySettingsStore::save(std::string_view app, std::string_view section, std::string_view key,
                               std::string_view value) {
    const Address address = AddressOf(app, section, key);
    ++saves_[address];
    if (failSaves) {
        failed_ = true;
        return false;
    }
    values_[address] = std::string(value);
    return true;
}

int MemorySettingsStore::saveCount(std::string_view app, std::string_view section,
                                   std::string_view key) const {
    const auto it = saves_.find(AddressOf(app, section, key));
    return it == saves_.end() ? 0 : it->second;
}

} // namespace tv::platform
