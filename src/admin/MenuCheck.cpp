#include "admin/MenuCheck.h"

#include "admin/RecordSummary.h"
#include "data/TextFile.h"
#include "result/ArticleFile.h"
#include "wizard/ChoiceLine.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tv::admin {

namespace {

constexpr std::size_t kMaxDimensionEntries = 40;
constexpr int kMaxConnections = 200;
constexpr std::string_view kReportFile = "MenuCheck.txt";
constexpr std::string_view kCrLf = "\r\n";

// The two dimension lists, in the order they must stand in the file.
constexpr std::array<std::string_view, 2> kDimensionLists = {"DIM_ENKELVENTIL", "DIM_VENTILKRYSS"};

struct FlangeType {
    std::string_view name;
    char letter;
};
constexpr std::array<FlangeType, 2> kFlangeTypes = {{{"FLENS", 'F'}, {"FLENSSERVICE", 'G'}}};

// Menu names of both lists stand in columns 1 to 19.
std::string MenuName(std::string_view line) {
    std::string_view name = line.substr(0, 19);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    return std::string(name);
}

struct DimensionEntry {
    std::string listKey; // "¤DIM_..." of the list it came from
    std::string name;
    char letter = ' ';
    int millimetres = 0;
};

DimensionEntry ParseDimensionEntry(const std::string& listKey, std::string_view line) {
    // Letter and millimetres stand where every choice list has them.
    const wizard::ChoiceLine choice = wizard::ParseChoiceLine(line);
    return {listKey, MenuName(line), choice.letter.empty() ? ' ' : choice.letter[0],
            choice.millimetres};
}

std::string ThreeDigits(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", number);
    return text;
}

class MenuChecker {
public:
    explicit MenuChecker(data::DataFiles& files) : files_(files) {}

    MenuCheckResult run() {
        MenuCheckResult result;
        std::vector<DimensionEntry> entries;
        if (std::string missing = readDimensionLists(entries); !missing.empty()) {
            result.missingList = std::move(missing);
            return result;
        }
        for (const DimensionEntry& entry : entries) {
            lines_.push_back(PadOrCut(entry.listKey, 18) +
                             PadOrCut(std::to_string(entry.millimetres) + "mm     ", 7) +
                             entry.name);
            for (const FlangeType& type : kFlangeTypes)
                if (!full_)
                    checkMenu(entry, type);
            if (full_)
                break;
        }
        result.lines = std::move(lines_);
        return result;
    }

private:
    // Both lists come from one reading of the parameter file, the second
    // searched from where the first ended. The missing list's message, or "".
    std::string readDimensionLists(std::vector<DimensionEntry>& entries) {
        auto file = files_.openParameterFile();
        bool limitReached = false;
        for (std::string_view name : kDimensionLists) {
            const std::string key = data::SectionKey(name);
            if (!file || !data::FindSection(key, *file))
                return "FATAL SYSTEM ERROR - dimensions " + key + " not found";
            data::ReadTextLine(*file); // title line
            while (!limitReached) {
                const auto line = data::ReadListLine(*file);
                if (!line)
                    break;
                if (entries.size() == kMaxDimensionEntries) {
                    files_.report(file->name() + ", section " + key + ": more than " +
                                  std::to_string(kMaxDimensionEntries) +
                                  " dimension entries; only the first " +
                                  std::to_string(kMaxDimensionEntries) + " are checked.");
                    limitReached = true;
                    break;
                }
                entries.push_back(ParseDimensionEntry(key, *line));
            }
        }
        return {};
    }

    // One connection menu of a dimension; sets full_ when the connection
    // limit stops the check.
    void checkMenu(const DimensionEntry& entry, const FlangeType& type) {
        const std::string menuKey = data::SectionKey(entry.name + "_" + std::string(type.name));
        auto menu = files_.openParameterFile();
        if (!menu || !data::FindSection(menuKey, *menu)) {
            lines_.push_back("  - " + menuKey + " not found");
            return;
        }
        data::ReadTextLine(*menu); // title line
        while (const auto line = data::ReadListLine(*menu)) {
            if (count_ == kMaxConnections) {
                files_.report(menu->name() + ", section " + menuKey + ": more than " +
                              std::to_string(kMaxConnections) + " connections; only the first " +
                              std::to_string(kMaxConnections) + " are checked.");
                full_ = true;
                return;
            }
            checkConnection(entry, type, *line);
        }
    }

    void checkConnection(const DimensionEntry& entry, const FlangeType& type,
                         const std::string& line) {
        const int number = ++count_;
        const char letter = line.size() >= 30 ? line[29] : ' ';
        const std::string fragment{entry.letter, type.letter, letter};
        const std::string key =
            data::SectionKey(wizard::FourDigits(entry.millimetres) + "_" + std::string(type.name) +
                             "_" + MenuName(line) + "_TK");

        // The same connection offered in two menus shares fragment and key;
        // only another key behind the same letters is a conflict. The first
        // such earlier connection is named.
        auto& earlier = connectionsOfFragment_[fragment];
        const auto conflict = std::find_if(earlier.begin(), earlier.end(),
                                           [&key](const auto& seen) { return seen.second != key; });
        if (conflict != earlier.end())
            lines_.push_back("*** Kode er lik #" + std::to_string(conflict->first) + "    " +
                             conflict->second);
        earlier.emplace_back(number, key);

        // Lower-case placeholders, as every connection lookup has them: the
        // columns of a short record read "mangler".
        result::ArticleRecord record;
        result::LookupArticle(files_, key, record, result::Placeholder::kLowerCase);
        if (record.fields[result::field::kStatus] == "(MISSING) ") {
            lines_.push_back("    Vantordata ikke funnet for" + key);
            return;
        }
        lines_.push_back("  #" + ThreeDigits(number) + " " + fragment + "  " + PadOrCut(line, 22) +
                         " ---> " + RecordSummary(key, record.fields));
    }

    data::DataFiles& files_;
    std::vector<std::string> lines_;
    int count_ = 0;
    bool full_ = false;
    // Fragment -> the number and key of every connection that had it.
    std::map<std::string, std::vector<std::pair<int, std::string>>> connectionsOfFragment_;
};

} // namespace

MenuCheckResult CheckMenus(data::DataFiles& files) {
    return MenuChecker(files).run();
}

std::optional<std::filesystem::path> WriteMenuCheck(data::DataFiles& files,
                                                    platform::MessageBoxes& messages) {
    const MenuCheckResult result = CheckMenus(files);
    if (!result.missingList.empty()) {
        messages.inform(result.missingList);
        return std::nullopt;
    }
    std::string bytes;
    for (const std::string& line : result.lines)
        bytes += line + std::string(kCrLf);

    return data::WriteDataDirectoryFile(files, kReportFile, bytes, "The menu check", messages);
}

} // namespace tv::admin
