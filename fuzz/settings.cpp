// The settings store and the ini files: the input is a value, a NUL and the
// bytes of a settings file, which serve as an ini file as well.

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

void CheckStore(const std::filesystem::path& path, std::string_view file, std::string_view value) {
    tv::fuzz::WriteFile(path, file);
    // What the file holds: only the saves below change it, and each one's
    // result is read back, so it need not be read again before the next.
    std::string before(file);
    FileSettingsStore store(path);
    const std::vector<Address> addresses = AddressesOf(file);
    std::vector<std::string> values;
    for (const Address& a : addresses)
        values.push_back(store.get(a.app, a.section, a.key));
    TV_REQUIRE(store.readProblem().empty());

    for (std::size_t n = 0; n < addresses.size(); ++n) {
        const Address& saved = addresses[n];
        if (!StorableAddress(saved))
            continue;
        TV_REQUIRE(store.save(saved.app, saved.section, saved.key, value));
        TV_REQUIRE(!store.saveFailed());
        const std::string after = tv::fuzz::FileText(path);
        // A value saved is read back as it was; no other value changes.
        TV_REQUIRE(store.get(saved.app, saved.section, saved.key) == value);
        for (std::size_t m = 0; m < addresses.size(); ++m) {
            if (SameAddress(addresses[m], saved))
                values[m] = std::string(value);
            else
                TV_REQUIRE(store.get(addresses[m].app, addresses[m].section, addresses[m].key) ==
                           values[m]);
        }
        // Every other line stays byte for byte, and every value stays on
        // its line.
        std::vector<std::string> changed;
        TV_REQUIRE(ChangedInOnePlace(before, after, changed));
        TV_REQUIRE(changed.size() <= 2);
        // Saving it again changes nothing.
        TV_REQUIRE(store.save(saved.app, saved.section, saved.key, value));
        TV_REQUIRE(tv::fuzz::FileText(path) == after);
        before = after;
    }
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

void CheckSection(const std::filesystem::path& path, const std::string& section, std::size_t buffer) {
    const std::string whole = GetPrivateProfileSection(section, path, kMaxIniBytes + 2);
    const std::string cut = GetPrivateProfileSection(section, path, buffer);
    TV_REQUIRE(whole.empty() || whole.back() == '\0');
    if (buffer < 2)
        TV_REQUIRE(cut.empty());
    else if (whole.size() <= buffer - 1)
        TV_REQUIRE(cut == whole);
    else
        TV_REQUIRE(cut.size() == buffer - 1 && cut.back() == '\0' &&
                   whole.compare(0, buffer - 2, cut, 0, buffer - 2) == 0);
}

void CheckIni(const std::filesystem::path& path, std::string_view file, std::string_view input) {
    tv::fuzz::WriteFile(path, file);
    std::string before(file); // what the file holds, as in CheckStore
    // A value of one line.
    std::string value;
    for (const char c : input)
        if (c != '\r' && c != '\n')
            value += c;

    const std::vector<IniName> names = NamesOf(file);
    std::vector<std::string> values;
    for (const IniName& n : names) {
        values.push_back(GetPrivateProfileString(n.section, n.key, "\x01", path));
        TV_REQUIRE(values.back().size() <= 254);
        CheckSection(path, n.section, value.size());
    }

    for (std::size_t n = 0; n < names.size(); ++n) {
        const IniName& written = names[n];
        if (!WritableName(written))
            continue;
        TV_REQUIRE(WritePrivateProfileString(written.section, written.key, value, path));
        const std::string after = tv::fuzz::FileText(path);
        const std::string expected(StripQuotes(Trim(value)).substr(0, 254));
        TV_REQUIRE(GetPrivateProfileString(written.section, written.key, "\x01", path) == expected);
        for (std::size_t m = 0; m < names.size(); ++m) {
            if (EqualsIgnoringCase(names[m].section, written.section) &&
                EqualsIgnoringCase(names[m].key, written.key))
                values[m] = expected;
            else
                TV_REQUIRE(GetPrivateProfileString(names[m].section, names[m].key, "\x01", path) ==
                           values[m]);
        }
        std::vector<std::string> changed;
        TV_REQUIRE(ChangedInOnePlace(before, after, changed));
        TV_REQUIRE(changed.size() <= 2);
        before = after;
    }

    // A whole section: the value's pieces between commas as its lines.
    const IniName& target = names.back();
    if (!WritableName(target))
        return;
    std::string lines;
    std::string expected;
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
        lines += piece + '\0';
        if (!Trim(piece).empty() && !Trim(piece).starts_with(';'))
            expected += piece.substr(piece.find_first_not_of(" \t")) + '\0';
    }
    const std::string others = GetPrivateProfileString("Other", "A", "\x01", path);
    TV_REQUIRE(WritePrivateProfileSection(target.section, lines, path));
    if (expected.size() < kMaxIniBytes)
        TV_REQUIRE(GetPrivateProfileSection(target.section, path, kMaxIniBytes) == expected);
    if (!EqualsIgnoringCase(target.section, "Other"))
        TV_REQUIRE(GetPrivateProfileString("Other", "A", "\x01", path) == others);
    CheckSection(path, target.section, value.size() / 2);
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
    CheckStore(dir / "settings.ini", file, value);
    CheckIni(dir / "personal.ini", file, value);
    return 0;
}
