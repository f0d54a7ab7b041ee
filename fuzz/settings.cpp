// The settings store and the ini files: the input is a value, a NUL and the
// bytes of a settings file, which serve as an ini file as well. Reading and
// rewriting are checked on the bytes in memory, name by name; the files
// themselves are written once per input, and must then hold what the bytes
// in memory hold.

#include "FuzzSupport.h"
#include "platform/FileBytes.h"
#include "platform/IniFile.h"
#include "platform/SettingsStore.h"

#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

using namespace tv::platform;

constexpr std::size_t kMaxInput = 128 * 1024;

bool HasAny(std::string_view text, std::string_view characters) {
    return text.find_first_of(characters) != std::string_view::npos;
}

// Whether `after` is `before` with one line's text replaced (its line end
// kept), or with `inserted` lines ending in CR LF put in one place (the
// line above may have gained the CR LF it lacked). `changed` gets the lines
// that are new.
bool ChangedInOnePlace(std::string_view beforeBytes, std::string_view afterBytes,
                       std::vector<std::string>& changed) {
    const std::vector<TextLine> before = SplitLines(beforeBytes);
    const std::vector<TextLine> after = SplitLines(afterBytes);
    changed.clear();
    std::size_t first = 0;
    while (first < before.size() && first < after.size() &&
           before[first].text == after[first].text && before[first].eol == after[first].eol)
        ++first;
    if (after.size() == before.size()) {
        if (first == before.size())
            return true; // nothing changed
        if (after[first].eol != before[first].eol)
            return false;
        changed.push_back(after[first].text);
        for (std::size_t i = first + 1; i < before.size(); ++i)
            if (before[i].text != after[i].text || before[i].eol != after[i].eol)
                return false;
        return true;
    }
    if (after.size() < before.size())
        return false;
    const std::size_t inserted = after.size() - before.size();
    // The line above the new ones differs only when it had no line end.
    std::size_t at = first;
    if (first < before.size() && before[first].text == after[first].text &&
        before[first].eol.empty() && after[first].eol == "\r\n")
        at = first + 1;
    for (std::size_t i = at; i < at + inserted; ++i) {
        if (after[i].eol != "\r\n")
            return false;
        changed.push_back(after[i].text);
    }
    for (std::size_t i = at; i < before.size(); ++i)
        if (before[i].text != after[i + inserted].text || before[i].eol != after[i + inserted].eol)
            return false;
    if (at != first && at != before.size())
        return false; // only the last line can lack its line end
    return true;
}

// Every save rewrites the whole text and every name is read back after it,
// so an input saves two of its names: the last but one (the file's own name
// when it has one) and one that the input's size picks. Other inputs pick
// the others.
bool Chosen(std::size_t n, std::size_t count, std::size_t size) {
    return n + 2 == count || n == size % count;
}

// ---- the settings store

struct Address {
    std::string app, section, key;
};

bool SameAddress(const Address& a, const Address& b) {
    return EqualsIgnoringCase(a.app, b.app) && EqualsIgnoringCase(a.section, b.section) &&
           EqualsIgnoringCase(a.key, b.key);
}

// Names the store can keep: one line each, the application without a
// backslash, the key without "=", and no key that would read as a section
// line.
bool StorableAddress(const Address& a) {
    return !HasAny(a.app, "\r\n\\]") && !HasAny(a.section, "\r\n") &&
           !HasAny(a.key, "\r\n=[") && Trim(a.key) == a.key;
}

std::vector<Address> AddressesOf(std::string_view file) {
    std::vector<Address> addresses = {{"Brivo", "Startup", "Language"},
                                      {"Tarnel", "Startup", "TarnelPath"},
                                      {"brivo", "STARTUP", "lastcode"}};
    // The first section line and the first key line of the file.
    Address own;
    bool haveSection = false;
    for (const TextLine& line : SplitLines(file)) {
        const std::string_view text = Trim(line.text);
        if (!haveSection && text.size() >= 2 && text.front() == '[' && text.back() == ']') {
            const std::string_view name = text.substr(1, text.size() - 2);
            const std::size_t slash = name.find('\\');
            if (slash != std::string_view::npos) {
                own.app = name.substr(0, slash);
                own.section = name.substr(slash + 1);
                haveSection = true;
            }
        } else if (haveSection && line.text.find('=') != std::string::npos) {
            own.key = line.text.substr(0, line.text.find('='));
            break;
        }
    }
    if (haveSection) {
        addresses.push_back(own);
        addresses.push_back({own.app, own.section, "NewKey"});
    }
    return addresses;
}

void CheckStore(std::string_view file, std::string_view value) {
    std::string before(file);
    const std::vector<Address> addresses = AddressesOf(file);
    std::vector<std::string> values;
    for (const Address& a : addresses)
        values.push_back(SettingsValue(before, a.app, a.section, a.key));

    for (std::size_t n = 0; n < addresses.size(); ++n) {
        const Address& saved = addresses[n];
        if (!Chosen(n, addresses.size(), file.size()) || !StorableAddress(saved))
            continue;
        const std::string after =
            WithSettingsValues(before, saved.app, saved.section, {{saved.key, std::string(value)}});
        // A value saved is read back as it was; no other value changes.
        TV_REQUIRE(SettingsValue(after, saved.app, saved.section, saved.key) == value);
        for (std::size_t m = 0; m < addresses.size(); ++m) {
            if (SameAddress(addresses[m], saved))
                values[m] = std::string(value);
            else
                TV_REQUIRE(SettingsValue(after, addresses[m].app, addresses[m].section,
                                         addresses[m].key) == values[m]);
        }
        // Every other line stays byte for byte, and every value stays on
        // its line.
        std::vector<std::string> changed;
        TV_REQUIRE(ChangedInOnePlace(before, after, changed));
        TV_REQUIRE(changed.size() <= 2);
        // Saving it again changes nothing.
        TV_REQUIRE(WithSettingsValues(after, saved.app, saved.section,
                                      {{saved.key, std::string(value)}}) == after);
        before = after;
    }
}

// The store on its file: it reads what the file holds and writes what the
// bytes in memory become.
void CheckStoreFile(const std::filesystem::path& path, std::string_view file,
                    std::string_view value) {
    const Address saved = AddressesOf(file).back();
    if (!StorableAddress(saved))
        return;
    tv::fuzz::WriteFile(path, file);
    FileSettingsStore store(path);
    TV_REQUIRE(store.get(saved.app, saved.section, saved.key) ==
               SettingsValue(file, saved.app, saved.section, saved.key));
    TV_REQUIRE(store.readProblem().empty());
    TV_REQUIRE(store.save(saved.app, saved.section, saved.key, value));
    TV_REQUIRE(!store.saveFailed());
    TV_REQUIRE(tv::fuzz::FileText(path) == WithSettingsValues(file, saved.app, saved.section,
                                                              {{saved.key, std::string(value)}}));
}

// ---- the ini files

struct IniName {
    std::string section, key;
};

bool WritableName(const IniName& n) {
    return !HasAny(n.section, "\r\n]") && Trim(n.section) == n.section &&
           !HasAny(n.key, "\r\n=") && Trim(n.key) == n.key && !n.key.starts_with(';') &&
           !n.key.starts_with('[');
}

std::vector<IniName> NamesOf(std::string_view file) {
    std::vector<IniName> names = {{"Personal", "Customer"}, {"personal", "COMPANY"}, {"Other", "A"}};
    std::optional<std::string> section;
    for (const TextLine& line : SplitLines(file)) {
        const std::string_view text = Trim(line.text);
        if (!section && !text.empty() && text.front() == '[') {
            const std::size_t close = text.find(']');
            section = std::string(Trim(text.substr(1, close == std::string_view::npos
                                                        ? std::string_view::npos
                                                        : close - 1)));
        } else if (section && line.text.find('=') != std::string::npos) {
            names.push_back({*section, std::string(Trim(line.text.substr(0, line.text.find('='))))});
            break;
        }
    }
    if (section)
        names.push_back({*section, "NewKey"});
    return names;
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

void CheckSection(std::string_view bytes, const std::string& section, std::size_t buffer) {
    const std::string whole = ProfileSection(bytes, section, kMaxIniBytes + 2);
    const std::string cut = ProfileSection(bytes, section, buffer);
    TV_REQUIRE(whole.empty() || whole.back() == '\0');
    if (buffer < 2)
        TV_REQUIRE(cut.empty());
    else if (whole.size() <= buffer - 1)
        TV_REQUIRE(cut == whole);
    else
        TV_REQUIRE(cut.size() == buffer - 1 && cut.back() == '\0' &&
                   whole.compare(0, buffer - 2, cut, 0, buffer - 2) == 0);
}

// A value of one line.
std::string OneLine(std::string_view input) {
    std::string value;
    for (const char c : input)
        if (c != '\r' && c != '\n')
            value += c;
    return value;
}

// The value's pieces between commas as the lines of a section, and what
// the section then reads back as.
struct SectionLines {
    std::string lines, expected;
};

SectionLines SectionLinesOf(const std::string& value) {
    SectionLines section;
    std::size_t start = 0;
    while (start <= value.size()) {
        std::size_t end = value.find(',', start);
        if (end == std::string::npos)
            end = value.size();
        const std::string piece = value.substr(start, end - start);
        start = end + 1;
        if (piece.empty() || piece.find('\0') != std::string::npos)
            break;
        if (Trim(piece).starts_with('['))
            continue; // would start a section of its own
        section.lines += piece + '\0';
        if (!Trim(piece).empty() && !Trim(piece).starts_with(';'))
            section.expected += piece.substr(piece.find_first_not_of(" \t")) + '\0';
    }
    return section;
}

void CheckIni(std::string_view file, std::string_view input) {
    std::string before(file);
    const std::string value = OneLine(input);
    const std::vector<IniName> names = NamesOf(file);
    std::vector<std::string> values;
    for (std::size_t n = 0; n < names.size(); ++n) {
        values.push_back(ProfileString(before, names[n].section, names[n].key, "\x01"));
        TV_REQUIRE(values.back().size() <= 254);
        if (Chosen(n, names.size(), file.size()))
            CheckSection(before, names[n].section, value.size());
    }

    for (std::size_t n = 0; n < names.size(); ++n) {
        const IniName& written = names[n];
        if (!Chosen(n, names.size(), file.size()) || !WritableName(written))
            continue;
        const std::string after = WithProfileString(before, written.section, written.key, value);
        const std::string expected(StripQuotes(Trim(value)).substr(0, 254));
        TV_REQUIRE(ProfileString(after, written.section, written.key, "\x01") == expected);
        for (std::size_t m = 0; m < names.size(); ++m) {
            if (EqualsIgnoringCase(names[m].section, written.section) &&
                EqualsIgnoringCase(names[m].key, written.key))
                values[m] = expected;
            else
                TV_REQUIRE(ProfileString(after, names[m].section, names[m].key, "\x01") ==
                           values[m]);
        }
        std::vector<std::string> changed;
        TV_REQUIRE(ChangedInOnePlace(before, after, changed));
        TV_REQUIRE(changed.size() <= 2);
        before = after;
    }

    // A whole section.
    const IniName& target = names.back();
    if (!WritableName(target))
        return;
    const SectionLines section = SectionLinesOf(value);
    const std::string after = WithProfileSection(before, target.section, section.lines);
    if (section.expected.size() < kMaxIniBytes)
        TV_REQUIRE(ProfileSection(after, target.section, kMaxIniBytes) == section.expected);
    if (!EqualsIgnoringCase(target.section, "Other"))
        TV_REQUIRE(ProfileString(after, "Other", "A", "\x01") ==
                   ProfileString(before, "Other", "A", "\x01"));
    CheckSection(after, target.section, value.size() / 2);
}

// The four functions on their file: they read what the file holds and write
// what the bytes in memory become.
void CheckIniFile(const std::filesystem::path& path, std::string_view file,
                  std::string_view input) {
    const IniName target = NamesOf(file).back();
    if (!WritableName(target))
        return;
    const std::string value = OneLine(input);
    tv::fuzz::WriteFile(path, file);
    TV_REQUIRE(GetPrivateProfileString(target.section, target.key, "\x01", path) ==
               ProfileString(file, target.section, target.key, "\x01"));
    TV_REQUIRE(GetPrivateProfileSection(target.section, path, value.size()) ==
               ProfileSection(file, target.section, value.size()));
    TV_REQUIRE(WritePrivateProfileString(target.section, target.key, value, path));
    const std::string written = WithProfileString(file, target.section, target.key, value);
    TV_REQUIRE(tv::fuzz::FileText(path) == written);
    // A whole section on every other input.
    if (file.size() % 2 == 0)
        return;
    const std::string lines = SectionLinesOf(value).lines;
    TV_REQUIRE(WritePrivateProfileSection(target.section, lines, path));
    TV_REQUIRE(tv::fuzz::FileText(path) == WithProfileSection(written, target.section, lines));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string_view value = nul == std::string_view::npos ? std::string_view() : input.substr(0, nul);
    const std::string_view file = nul == std::string_view::npos ? input : input.substr(nul + 1);

    static const std::filesystem::path dir = tv::fuzz::ScratchDir() / "settings";
    static const bool made = std::filesystem::create_directories(dir);
    (void)made;
    CheckStore(file, value);
    CheckStoreFile(dir / "settings.ini", file, value);
    CheckIni(file, value);
    CheckIniFile(dir / "personal.ini", file, value);
    return 0;
}
