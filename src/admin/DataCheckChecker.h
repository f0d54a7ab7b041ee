#pragma once

// The data check's working parts, shared by its source files and by no one
// else: what it reads of the lists and how it counts.

#include "admin/DataCheck.h"

#include "data/Pictures.h"
#include "data/ProgramTexts.h"
#include "data/StartScreenLayout.h"
#include "data/TextFile.h"
#include "platform/FileBytes.h"
#include "result/ArticleFile.h"
#include "wizard/ChoiceLine.h"
#include "wizard/Configuration.h"
#include "wizard/ValvePageLayout.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <set>
#include <tuple>
#include <type_traits>
#include <unordered_map>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv::admin::datacheck {

inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
inline constexpr std::string_view kNoAkt = "NOAKT";
inline constexpr std::string_view kDefaultHouseCode = "UFOT";

// Counts of codes can pass any integer: they are held at the largest.
inline std::uint64_t Add(std::uint64_t a, std::uint64_t b) {
    return a > kMost - b ? kMost : a + b;
}

inline std::uint64_t Times(std::uint64_t a, std::uint64_t b) {
    if (a == 0 || b == 0)
        return 0;
    return a > kMost / b ? kMost : a * b;
}

inline std::uint64_t Power(std::uint64_t base, int exponent) {
    std::uint64_t value = 1;
    for (int i = 0; i < exponent; ++i)
        value = Times(value, base);
    return value;
}

// A letter a typed code can hold: one character that upper-casing keeps,
// neither blank nor a control character.
inline bool Typeable(std::string_view letter) {
    if (letter.size() != 1)
        return false;
    const auto byte = static_cast<unsigned char>(letter[0]);
    return byte > 0x20 && byte != 0x7F && platform::UpperCase(letter) == letter;
}

// Which line of a list a letter names, when several have it.
enum class Wins { First, Last };

// A list of the parameter file read whole: its title and every line up to
// "EOL", however many the readers would take.
struct WholeList {
    bool found = false;
    std::string title;
    std::vector<std::string> lines;
};

// Whether the wizard reaches a valve type; the others only a typed code.
inline bool ThroughWizard(int valveType) {
    return valveType <= 3;
}

// One line of a list as the configurations see it.
struct ListChoice {
    wizard::ChoiceLine line;
    bool accepted = false; // the line a typed code names by its letter
};

struct ChoiceListRead {
    std::string key;
    bool found = false; // present with data lines
    std::string title;
    std::vector<ListChoice> choices; // the lines offered
};

// One connection slot's two choices.
struct SlotPair {
    const ListChoice* connection = nullptr;
    const ListChoice* dimension = nullptr;
    bool accepted = false;
    std::string key; // the connection record's key
};

// A valve type with one of its dimensions: what every lookup below it
// shares.
struct DimensionContext {
    int type = 0;
    const wizard::ChoiceLine* typeLine = nullptr;
    bool typeAccepted = false;
    const ListChoice* dimension = nullptr;
    // Types 2 to 4: the accessories the code check or the wizard offers,
    // each with whether a typed code names it.
    std::vector<std::pair<const ListChoice*, bool>> accessories;
    std::uint64_t accessoryCount = 0; // accepted accessory letters
    std::vector<SlotPair> pairs;
    std::uint64_t pairCount = 0; // accepted pairs of one slot
    int slots = 0;
    std::string centreKey;

    bool accepted() const { return typeAccepted && dimension->accepted; }
};

// The option tags of one bottom: spindle, closing direction, wedge and
// actuator.
using OptionTags = std::array<std::string, 4>;

struct Bottom {
    std::string letter;
    OptionTags tags;
    bool accepted = false; // a typed code names it
};

// Pairs grouped by what they lead to: how many of them a typed code names,
// and the one an example takes (a named one when there is one).
struct PairGroup {
    std::uint64_t accepted = 0;
    const SlotPair* example = nullptr;
};

template <class KeyOf> auto GroupPairs(const std::vector<SlotPair>& pairs, KeyOf keyOf) {
    std::map<std::invoke_result_t<KeyOf, const SlotPair&>, PairGroup> groups;
    for (const SlotPair& pair : pairs) {
        PairGroup& group = groups[keyOf(pair)];
        if (pair.accepted)
            ++group.accepted;
        if (!group.example || (pair.accepted && !group.example->accepted))
            group.example = &pair;
    }
    return groups;
}

inline std::string Quoted(std::string_view letter) {
    return "'" + std::string(letter) + "'";
}

// A key as a finding names it: without the blank that ends it in a lookup.
inline std::string Subject(std::string_view key) {
    while (!key.empty() && key.back() == ' ')
        key.remove_suffix(1);
    return std::string(key);
}

// What one article key's lookups found, and who needs them.
struct ArticleUse {
    bool found = false;
    bool unused = false;
    bool shadowed = false;
    std::string shadowLine;
    std::vector<std::string> badFields;
    std::string houseCodes; // field 10
    std::uint64_t codes = 0;
    std::string example;
    std::string role; // the first part it was looked up for
};

class Checker {
public:
    Checker(data::DataFiles& files, std::string_view language)
        : files_(files), language_(language) {}

    DataCheckResult run();
    void forEachCode(const std::function<void(std::string_view)>& take);

private:
    void readModel();
    const ChoiceListRead& readList(const std::string& key, Wins wins, std::size_t limit,
                                   std::size_t descriptionColumn, bool consulted,
                                   bool limitFinding);
    WholeList readWhole(const std::string& key);
    void readBottoms();
    void checkCombinations();
    OptionTags tagsOf(int combination) const;
    DimensionContext context(int type, const wizard::ChoiceLine& typeLine, bool typeAccepted,
                             const ListChoice& dimension);
    void readAccessories(DimensionContext& c);
    void readPairs(DimensionContext& c);
    std::uint64_t acceptedBottoms() const;
    std::uint64_t codesOf(const DimensionContext& c) const;
    std::uint64_t codesWithPairs(const DimensionContext& c, std::uint64_t pairs) const;
    std::string example(const DimensionContext& c, const Bottom* bottom,
                        const ListChoice* accessory, const SlotPair* pair,
                        std::size_t slot = 0) const;
    void picture(const std::string& name, const std::string& fallback, std::uint64_t codes,
                 const std::string& example, const std::string& detail);
    void checkPictures();
    void lookUp(const std::string& key, std::uint64_t codes, const std::string& example,
                const std::string& role);
    void buildContexts(bool withWizard);
    std::uint64_t checkDimensions();
    void checkResultScreenLayout();
    void countBottomFindings(std::uint64_t perBottom);
    void articleFindings();
    DataCheckResult collectResult();
    void checkDimension(const DimensionContext& c);
    void checkCentreAndHouses(const DimensionContext& c);
    void checkAccessories(const DimensionContext& c);
    void checkConnections(const DimensionContext& c);
    void checkSlotPictures(const DimensionContext& c);
    void checkArticleKeys();
    void checkLanguages();
    std::set<std::string> translatedTexts() const;
    void checkHelpPanels(const data::DataFiles& other, const std::string& language,
                         const std::string& fileName);
    void checkLanguageHead(const data::DataFiles& other, const std::string& language,
                           const std::string& fileName);
    void checkInfoFiles(const std::string& language);
    void checkTexts(const data::DataFiles& other, const std::string& language,
                    const std::set<std::string>& texts);
    void checkListTitles(const data::DataFiles& other, const std::string& language);
    std::vector<std::string> helpKeys() const;
    void finding(std::string kind, std::string subject, std::string detail, std::uint64_t codes,
                 const std::string& example, std::string language = {}, bool byDetail = false);

    data::DataFiles& files_;
    std::string language_;
    wizard::ValvePageLayout layout_;
    std::string suffix_;
    std::vector<wizard::ChoiceLine> types_;
    std::map<std::string, ChoiceListRead> lists_;
    std::vector<Bottom> bottoms_;
    std::vector<DimensionContext> contexts_;
    std::map<std::string, ArticleUse> articles_;
    std::map<std::string, bool> pictures_;
    std::optional<data::StartScreenLayout> start_; // of the check, read once
    std::set<std::string> lookups_;
    std::map<std::tuple<std::string, std::string, std::string, std::string>, DataFinding> findings_;
    std::uint64_t codes_ = 0;
};

} // namespace tv::admin::datacheck
