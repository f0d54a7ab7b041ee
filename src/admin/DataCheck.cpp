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

namespace tv::admin {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
constexpr std::string_view kNoAkt = "NOAKT";
constexpr std::string_view kDefaultHouseCode = "UFOT";

// Counts of codes can pass any integer: they are held at the largest.
std::uint64_t Add(std::uint64_t a, std::uint64_t b) {
    return a > kMost - b ? kMost : a + b;
}

std::uint64_t Times(std::uint64_t a, std::uint64_t b) {
    if (a == 0 || b == 0)
        return 0;
    return a > kMost / b ? kMost : a * b;
}

std::uint64_t Power(std::uint64_t base, int exponent) {
    std::uint64_t value = 1;
    for (int i = 0; i < exponent; ++i)
        value = Times(value, base);
    return value;
}

// A letter a typed code can hold: one character that upper-casing keeps,
// neither blank nor a control character.
bool Typeable(std::string_view letter) {
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

std::string Quoted(std::string_view letter) {
    return "'" + std::string(letter) + "'";
}

// A key as a finding names it: without the blank that ends it in a lookup.
std::string Subject(std::string_view key) {
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
    void checkDimension(const DimensionContext& c);
    void checkArticleKeys();
    void checkLanguages();
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

WholeList Checker::readWhole(const std::string& key) {
    lookups_.insert("section " + key);
    WholeList list;
    auto file = files_.openParameterFile();
    if (!file || !data::FindSection(key, *file))
        return list;
    list.found = true;
    list.title = data::ReadTextLine(*file);
    while (auto line = data::ReadListLine(*file))
        list.lines.push_back(std::move(*line));
    return list;
}

// A list as the configurations see it, read once.
const ChoiceListRead& Checker::readList(const std::string& key, Wins wins, std::size_t limit,
                                        std::size_t descriptionColumn, bool consulted,
                                        bool limitFinding) {
    if (const auto known = lists_.find(key); known != lists_.end())
        return known->second;
    ChoiceListRead read;
    read.key = key;
    const WholeList whole = readWhole(key);
    read.title = whole.title;
    read.found = whole.found && !whole.lines.empty();
    if (!read.found && consulted)
        finding("missing-section", key,
                whole.found ? "the section has no lines" : "the section is not in the file", 0, {});
    // The readers take 30 lines of a list and the accessory lists 20 of them.
    const std::size_t taken =
        std::min({whole.lines.size(), limit, static_cast<std::size_t>(data::kMaxListLines)});
    if (whole.lines.size() > limit && limitFinding)
        finding("section-limit", key,
                std::to_string(whole.lines.size()) + " lines; only the first " +
                    std::to_string(limit) + " are offered",
                0, {});
    std::map<std::string, std::vector<std::size_t>> byLetter;
    for (std::size_t i = 0; i < taken; ++i) {
        ListChoice choice;
        choice.line = wizard::ParseChoiceLine(whole.lines[i], descriptionColumn);
        read.choices.push_back(std::move(choice));
        byLetter[read.choices.back().line.letter].push_back(i);
    }
    for (const auto& [letter, at] : byLetter) {
        const std::size_t named = wins == Wins::First ? at.front() : at.back();
        if (Typeable(letter))
            read.choices[named].accepted = true;
        if (!Typeable(letter) && consulted) {
            for (const std::size_t i : at)
                finding("untypeable-letter", key,
                        "line " + std::to_string(i + 1) + " (" + read.choices[i].line.key +
                            ") has the letter " + Quoted(letter) +
                            ", which a typed code never holds",
                        0, {}, {}, true);
        }
        if (at.size() > 1 && !letter.empty() && consulted) {
            const ListChoice& kept = read.choices[named];
            for (const std::size_t i : at) {
                if (i == named)
                    continue;
                finding("letter-collision", key,
                        "letter " + Quoted(letter) + ": " + read.choices[i].line.key + " (line " +
                            std::to_string(i + 1) + ") and " + kept.line.key + " (line " +
                            std::to_string(named + 1) + "); a code names " + kept.line.key,
                        0, {}, {}, true);
            }
        }
    }
    return lists_[key] = std::move(read);
}

void Checker::readModel() {
    {
        auto file = files_.openParameterFile();
        if (file)
            files_.ReadParamHead(*file);
    }
    suffix_ = files_.head.codeSuffix;
    layout_ = wizard::ReadValvePageLayout(files_);
    const std::size_t count =
        std::min(layout_.valveTypes.size(), static_cast<std::size_t>(wizard::kMaxValveTypes));
    types_.assign(layout_.valveTypes.begin(), layout_.valveTypes.begin() + count);
    readBottoms();
    checkCombinations();
}

// Every bottom section a typed code can name, with the option tags its line
// gives.
void Checker::readBottoms() {
    for (int byte = 0x21; byte <= 0xFF; ++byte) {
        const std::string letter(1, static_cast<char>(byte));
        if (!Typeable(letter))
            continue;
        auto file = files_.openParameterFile();
        if (!file || !data::FindSection(data::SectionKey("BOTTOM_" + letter), *file))
            continue;
        data::ReadTextLine(*file); // a caption
        const std::string line = data::ReadTextLine(*file);
        Bottom bottom{letter, {}, true};
        for (int group = 0; group < 4; ++group) {
            const bool first = line.size() > static_cast<std::size_t>(4 + group) &&
                               line[static_cast<std::size_t>(4 + group)] == '0';
            bottom.tags[static_cast<std::size_t>(group)] =
                layout_.optionTags[static_cast<std::size_t>(group) * 2 + (first ? 0 : 1)];
        }
        if (!line.starts_with(letter))
            finding("bottom-mismatch", data::SectionKey("BOTTOM_" + letter),
                    "its line does not begin with its letter " + Quoted(letter) + ": " +
                        line.substr(0, 40),
                    0, {});
        bottoms_.push_back(std::move(bottom));
    }
    lookups_.insert("bottoms");
}

// The 16 option combinations the wizard can reach (option defaults and the
// middle-click restore produce each): their combination keys, the letter
// each leads to and that bottom's options.
// The tags of one of the 16 option combinations: bit 3 (spindle) to bit 0
// (actuator) set for the second option of a group.
OptionTags Checker::tagsOf(int combination) const {
    OptionTags tags;
    for (int group = 0; group < 4; ++group) {
        const bool second = (combination >> (3 - group)) & 1;
        tags[static_cast<std::size_t>(group)] =
            layout_.optionTags[static_cast<std::size_t>(group) * 2 + (second ? 1 : 0)];
    }
    return tags;
}

void Checker::checkCombinations() {
    for (int combination = 0; combination < 16; ++combination) {
        const OptionTags tags = tagsOf(combination);
        const std::string key =
            data::SectionKey(tags[0] + "_" + tags[1] + "_" + tags[2] + "_" + tags[3]);
        lookups_.insert("combination " + key);
        const std::string letter = files_.LookupCodeLetter(key);
        if (letter.empty()) {
            finding("missing-combination", key, "no line gives the bottom letter of these options",
                    0, {});
            continue;
        }
        const std::string bottomKey = data::SectionKey("BOTTOM_" + letter);
        if (!Typeable(letter))
            finding("untypeable-letter", key,
                    "the bottom letter " + Quoted(letter) + " is one a typed code never holds", 0,
                    {}, {}, true);
        const auto bottom = std::find_if(bottoms_.begin(), bottoms_.end(), [&](const Bottom& b) {
            return b.accepted && b.letter == letter;
        });
        if (bottom == bottoms_.end()) {
            if (Typeable(letter))
                finding("missing-section", bottomKey,
                        "the options of " + key + " lead to it; the section is not in the file", 0,
                        {});
            continue;
        }
        if (bottom->tags != tags)
            finding("bottom-mismatch", bottomKey,
                    "the options of " + key + " lead to " + Quoted(letter) +
                        ", whose line gives the options " + bottom->tags[0] + "_" +
                        bottom->tags[1] + "_" + bottom->tags[2] + "_" + bottom->tags[3],
                    0, {}, {}, true);
    }
    // A combination whose bottom a typed code cannot name (or that names
    // none) still reaches the wizard's records with its own tags.
    for (int combination = 0; combination < 16; ++combination) {
        const OptionTags tags = tagsOf(combination);
        const bool known = std::any_of(bottoms_.begin(), bottoms_.end(),
                                       [&](const Bottom& b) { return b.tags == tags; });
        if (!known)
            bottoms_.push_back(Bottom{{}, tags, false});
    }
}

std::uint64_t Checker::acceptedBottoms() const {
    return static_cast<std::uint64_t>(std::count_if(bottoms_.begin(), bottoms_.end(),
                                                    [](const Bottom& b) { return b.accepted; }));
}

DimensionContext Checker::context(int type, const wizard::ChoiceLine& typeLine, bool typeAccepted,
                                  const ListChoice& dimension) {
    DimensionContext c;
    c.type = type;
    c.typeLine = &typeLine;
    c.typeAccepted = typeAccepted;
    c.dimension = &dimension;
    c.slots = static_cast<int>(wizard::ConnectionPositions(type).size());
    const bool wizard = type <= 3;
    const int millimetres = dimension.line.millimetres;

    if (type >= 2) {
        // The code check takes a dimension's own accessory list up to 100 mm
        // and the shared one above; the wizard takes the own list at any
        // size and the shared one when there is none.
        const std::string prefix = "CPD_" + typeLine.key + "_";
        const std::string own = data::SectionKey(prefix + wizard::FourDigits(millimetres));
        const std::string shared = data::SectionKey(prefix + "+");
        const ChoiceListRead& checked =
            readList(millimetres <= 100 ? own : shared, Wins::Last, wizard::kMaxAccessoryLines,
                     wizard::kDescriptionColumn, true, true);
        for (const ListChoice& accessory : checked.choices) {
            c.accessories.push_back({&accessory, accessory.accepted});
            if (accessory.accepted)
                ++c.accessoryCount;
        }
        if (wizard) {
            const ChoiceListRead& ownList = readList(own, Wins::Last, wizard::kMaxAccessoryLines,
                                                     wizard::kDescriptionColumn, false, true);
            const ChoiceListRead& offered =
                ownList.found ? ownList
                              : readList(shared, Wins::Last, wizard::kMaxAccessoryLines,
                                         wizard::kDescriptionColumn, true, true);
            if (&offered != &checked)
                for (const ListChoice& accessory : offered.choices)
                    c.accessories.push_back({&accessory, false});
        }
    } else {
        c.accessoryCount = 1; // the single valve's "X"
    }

    const ChoiceListRead& connections =
        readList(data::SectionKey("CONN_" + typeLine.key), Wins::First, data::kMaxListLines,
                 wizard::kConnectionDescriptionColumn, true, true);
    for (const ListChoice& connection : connections.choices) {
        const std::string dimensionsKey =
            data::SectionKey(dimension.line.key + "_" + connection.line.key);
        const ChoiceListRead& dimensions =
            readList(dimensionsKey, Wins::Last, data::kMaxListLines, wizard::kDescriptionColumn,
                     wizard || connection.accepted, true);
        for (const ListChoice& connectionDimension : dimensions.choices) {
            SlotPair pair;
            pair.connection = &connection;
            pair.dimension = &connectionDimension;
            pair.accepted = connection.accepted && connectionDimension.accepted;
            wizard::ConfigurationRecord record;
            record.dimensionMillimetres = millimetres;
            record.slots[1].connectionKey = connection.line.key;
            record.slots[1].dimensionKey = connectionDimension.line.key;
            pair.key = result::ConnectionKey(record, 1);
            if (pair.accepted)
                ++c.pairCount;
            c.pairs.push_back(std::move(pair));
        }
    }

    wizard::ConfigurationRecord record;
    record.dimensionMillimetres = millimetres;
    record.typeKey = typeLine.key;
    c.centreKey = result::CenterPartKey(record);
    return c;
}

std::uint64_t Checker::codesOf(const DimensionContext& c) const {
    if (!c.accepted())
        return 0;
    return Times(Times(acceptedBottoms(), c.accessoryCount), Power(c.pairCount, c.slots));
}

// Codes of the context with at least one slot on one of `pairs` accepted
// pairs: all of them, less those whose every slot holds another pair.
std::uint64_t Checker::codesWithPairs(const DimensionContext& c, std::uint64_t pairs) const {
    if (!c.accepted() || pairs == 0)
        return 0;
    const std::uint64_t all = Power(c.pairCount, c.slots);
    const std::uint64_t without = Power(c.pairCount - pairs, c.slots);
    return Times(Times(acceptedBottoms(), c.accessoryCount), all - without);
}

// A code of the context, with the given choices where they are given and
// the first accepted one elsewhere; "" when the context has no code.
std::string Checker::example(const DimensionContext& c, const Bottom* bottom,
                             const ListChoice* accessory, const SlotPair* pair,
                             std::size_t slot) const {
    if (codesOf(c) == 0)
        return {};
    if (!bottom)
        for (const Bottom& b : bottoms_)
            if (b.accepted && (!bottom || b.letter < bottom->letter))
                bottom = &b;
    if (!accessory && c.type >= 2)
        for (const auto& [a, accepted] : c.accessories)
            if (accepted && (!accessory || a->line.letter < accessory->line.letter))
                accessory = a;
    const SlotPair* first = nullptr;
    for (const SlotPair& p : c.pairs)
        if (p.accepted && !first)
            first = &p;
    std::string code(wizard::kCodePositions, 'X');
    code[0] = c.typeLine->letter[0];
    code[1] = bottom->letter[0];
    if (c.type >= 2)
        code[2] = accessory->line.letter[0];
    code[3] = c.dimension->line.letter[0];
    const std::vector<int> positions = wizard::ConnectionPositions(c.type);
    for (std::size_t s = 0; s < positions.size(); ++s) {
        const SlotPair* chosen = pair && s == slot ? pair : first;
        const auto at = static_cast<std::size_t>(positions[s]);
        code[at - 1] = chosen->connection->line.letter[0];
        code[at] = chosen->dimension->line.letter[0];
    }
    return code + suffix_;
}

void Checker::lookUp(const std::string& key, std::uint64_t codes, const std::string& example,
                     const std::string& role) {
    auto [at, inserted] = articles_.try_emplace(Subject(key));
    ArticleUse& use = at->second;
    if (inserted) {
        lookups_.insert("article " + Subject(key));
        use.role = role;
        result::ArticleRecord record;
        const int count =
            result::LookupArticle(files_, key, record, result::Placeholder::kLowerCase);
        use.found = record.fields[result::field::kStatus] != "(MISSING) ";
        use.unused = record.fields[result::field::kStatus] == "(UNUSED) ";
        use.houseCodes = record.fields[result::field::kHouseCodes];
        if (use.found) {
            auto file = files_.openArticleFile();
            const std::string searched = Subject(key) + " ";
            if (file) {
                const auto line = file->contents().findKeyLine(data::KeyRule::Article, searched, 0);
                if (line && !file->contents().lineAt(*line).starts_with(searched)) {
                    use.shadowed = true;
                    use.shadowLine =
                        "line " + std::to_string(file->contents().linesBefore(*line) + 1) + ": " +
                        std::string(file->contents().lineAt(*line).substr(0, 60));
                }
            }
            namespace field = result::field;
            for (const std::size_t number :
                 {field::kOffsetA, field::kOffsetB, field::kLength, field::kWeight}) {
                const std::string& text = record.fields[number];
                if (number > static_cast<std::size_t>(count) || result::IsUnused(text))
                    continue;
                std::size_t at = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
                if (at < text.size() && text[at] == '.')
                    ++at;
                if (at >= text.size() || text[at] < '0' || text[at] > '9')
                    use.badFields.push_back("field " + std::to_string(number) + " \"" +
                                            text.substr(0, 30) + "\" does not begin with a number");
            }
            if (role == "centre part") {
                const std::string& codesField = record.fields[result::field::kHouseCodes];
                bool whole = codesField.size() >= 19;
                for (std::size_t k = 0; whole && k < 4; ++k) {
                    const std::string code = codesField.substr(5 * k, 4);
                    whole = code.find(' ') == std::string::npos;
                }
                if (!whole)
                    use.badFields.push_back("field 10 \"" + codesField.substr(0, 30) +
                                            "\" does not hold four four-character house codes");
            }
        }
    }
    use.codes = Add(use.codes, codes);
    if (!example.empty() && (use.example.empty() || example < use.example))
        use.example = example;
}

void Checker::checkDimension(const DimensionContext& c) {
    const std::uint64_t all = codesOf(c);
    const std::string any = example(c, nullptr, nullptr, nullptr);

    // The centre part (for the single valve only its house codes).
    lookUp(c.centreKey, all, any, "centre part");
    const ArticleUse& centre = articles_[Subject(c.centreKey)];
    std::array<std::string, 4> houseCodes;
    for (std::size_t k = 0; k < 4; ++k)
        houseCodes[k] = !centre.found                      ? std::string(kDefaultHouseCode)
                        : centre.houseCodes.size() > 5 * k ? centre.houseCodes.substr(5 * k, 4)
                                                           : std::string();

    // Valve houses: by the option tags of each bottom.
    for (const Bottom& bottom : bottoms_) {
        const bool accepted = bottom.accepted && c.accepted();
        if (!accepted && c.type > 3)
            continue;
        const std::uint64_t codes =
            accepted ? Times(c.accessoryCount, Power(c.pairCount, c.slots)) : 0;
        const std::string code = accepted ? example(c, &bottom, nullptr, nullptr) : std::string();
        wizard::ConfigurationRecord record;
        record.dimensionMillimetres = c.dimension->line.millimetres;
        for (std::size_t g = 0; g < 4; ++g)
            record.options[g].tag = bottom.tags[g];
        for (std::size_t k = 0; k < 4; ++k)
            if (k == 0 || houseCodes[k] != houseCodes[k - 1])
                lookUp(result::ValveHouseKey(record, houseCodes[k]), codes, code, "valve house");
        // The report's actuator row.
        if (bottom.tags[3] != kNoAkt)
            lookUp(data::SectionKey(wizard::FourDigits(c.dimension->line.millimetres) + "_AKT"),
                   codes, code, "actuator");
    }

    // The accessory, and the report's centre part as it spells the key.
    if (c.type >= 2) {
        for (const auto& [accessory, named] : c.accessories) {
            const bool accepted = named && c.accepted();
            if (!accepted && c.type > 3)
                continue;
            const std::uint64_t codes =
                accepted ? Times(acceptedBottoms(), Power(c.pairCount, c.slots)) : 0;
            lookUp(data::SectionKey(wizard::FourDigits(c.dimension->line.millimetres) + "_" +
                                    accessory->line.key + "_BRV "),
                   codes, accepted ? example(c, nullptr, accessory, nullptr) : std::string(),
                   "accessory");
        }
        lookUp(data::SectionKey(wizard::FourDigits(c.dimension->line.millimetres) + "_" +
                                c.typeLine->key + "_CPD"),
               all, any, "centre part");
    }

    // Connections: a key counts the codes with it in any slot.
    const auto byKey = GroupPairs(c.pairs, [](const SlotPair& pair) { return pair.key; });
    for (const auto& [key, group] : byKey) {
        if (group.accepted == 0 && c.type > 3)
            continue;
        lookUp(key, codesWithPairs(c, group.accepted),
               group.accepted > 0 ? example(c, nullptr, nullptr, group.example) : std::string(),
               "connection");
    }

    // The picture of each slot's connection: by the connection dimension,
    // else by how it compares with the valve's; a slot's letter is in the
    // name, so a picture counts the codes with the pair in that slot only.
    const std::vector<int> positions = wizard::ConnectionPositions(c.type);
    for (std::size_t s = 0; s < positions.size(); ++s) {
        const char letter = "NESW"[positions[s] / 2 - 2];
        const auto byName = GroupPairs(c.pairs, [&](const SlotPair& pair) {
            const std::string& key = pair.connection->line.key;
            const int millimetres = pair.dimension->line.millimetres;
            return std::pair{
                key + "_" + wizard::FourDigits(millimetres) + "_" + letter,
                key + "_" + wizard::CompareDimensions(c.dimension->line.millimetres, millimetres) +
                    "_" + letter};
        });
        for (const auto& [names, group] : byName) {
            const std::uint64_t codes =
                c.accepted() && group.accepted > 0
                    ? Times(Times(Times(acceptedBottoms(), c.accessoryCount), group.accepted),
                            Power(c.pairCount, c.slots - 1))
                    : 0;
            picture(names.first, names.second, codes,
                    codes > 0 ? example(c, nullptr, nullptr, group.example, s) : std::string(),
                    "the connection picture (" + names.first + ") of the slot " + letter);
        }
    }
}

// A picture, or the one asked for when it is missing; a missing one falls
// back to the placeholder.
void Checker::picture(const std::string& name, const std::string& fallback, std::uint64_t codes,
                      const std::string& example, const std::string& detail) {
    auto found = [this](const std::string& stem) {
        lookups_.insert("picture " + stem);
        const auto known = pictures_.find(stem);
        if (known != pictures_.end())
            return known->second;
        return pictures_[stem] = data::FindPicture(files_, stem, {}).found;
    };
    if (found(name) || (!fallback.empty() && found(fallback)))
        return;
    finding("missing-picture", fallback.empty() ? name : fallback, detail, codes, example);
}

// The valve page's picture of each type the wizard offers, and the result's
// and the enlarged view's picture of each type a configuration reaches.
void Checker::checkPictures() {
    std::map<int, std::pair<std::uint64_t, std::string>> byType;
    for (const DimensionContext& c : contexts_) {
        auto& [codes, code] = byType[c.type];
        codes = Add(codes, codesOf(c));
        if (code.empty())
            code = example(c, nullptr, nullptr, nullptr);
    }
    for (const auto& [type, entry] : byType) {
        const std::string& key = types_[static_cast<std::size_t>(type) - 1].key;
        if (type <= 3)
            picture(key, {}, 0, {}, "the valve page's picture of the valve type");
        picture(key + "_RC", {}, entry.first, entry.second,
                "the result's picture of the valve type");
        picture(key + "_EC", {}, entry.first, entry.second,
                "the enlarged view's picture of the valve type");
    }
    if (start_) {
        for (const auto& flag : start_->flags)
            picture(flag.pictureName, {}, 0, {}, "a flag of the start screen");
        for (const std::string& name : {start_->pictureName1, start_->pictureName2})
            picture(name, {}, 0, {}, "a picture of the start screen");
    }
    for (const std::string_view language : kDataLanguages)
        if (language_.empty() || language == language_)
            picture("ConnectionStart_" + std::string(language), {}, 0, {},
                    "the connection page's first picture");
}

// Key lines no lookup finds: one without the blank that ends its key, and
// a later one with a key an earlier line has. Only the key lines are
// visited; line numbers are counted once, for the lines a finding names.
void Checker::checkArticleKeys() {
    auto file = files_.openArticleFile();
    if (!file)
        return;
    const data::FileIndex& index = file->contents();
    const std::size_t body = index.nextLine(index.nextLine(0)); // below the two head lines
    // The keys point into the file's bytes, which `file` holds meanwhile.
    std::unordered_map<std::string_view, std::size_t> first;
    first.reserve(index.keyLineCount());
    std::vector<std::pair<std::size_t, std::size_t>> faults; // line, earlier line (or none)
    constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    for (std::size_t i = 0; i < index.keyLineCount(); ++i) {
        const std::size_t at = index.keyLineAt(i);
        const std::string_view line = index.lineAt(at);
        if (at < body || data::IsTextKey(line))
            continue;
        const std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos) {
            faults.emplace_back(at, kNone);
            continue;
        }
        const auto [earlier, isNew] = first.try_emplace(line.substr(0, blank), at);
        if (!isNew)
            faults.emplace_back(at, earlier->second);
    }
    std::vector<std::size_t> named;
    for (const auto& [at, earlier] : faults) {
        named.push_back(at);
        if (earlier != kNone)
            named.push_back(earlier);
    }
    std::sort(named.begin(), named.end());
    std::map<std::size_t, std::size_t> numbers;
    std::size_t counted = 0;
    std::size_t lines = 0;
    for (const std::size_t at : named) {
        lines += static_cast<std::size_t>(
            std::count(index.bytes().begin() + counted, index.bytes().begin() + at, '\n'));
        counted = at;
        numbers[at] = lines + 1;
    }
    for (const auto& [at, earlier] : faults) {
        const std::string_view line = index.lineAt(at);
        const std::string key(line.substr(0, line.find(' ')));
        const std::string number = "line " + std::to_string(numbers[at]);
        if (earlier == kNone)
            finding("key-never-found", key, number + ": no blank after the key", 0, {}, {}, true);
        else
            finding("key-never-found", key,
                    number + " repeats the key of line " + std::to_string(numbers[earlier]), 0, {},
                    {}, true);
    }
}

// The help panels the wizard shows on a right click (and on its own) for
// the valve types it offers.
std::vector<std::string> Checker::helpKeys() const {
    std::vector<std::string> keys = {"Startinfo",   "Dimensions",     "Reconfig1",
                                     "optSpinQual", "optCloseDir",    "optWedgeQuality",
                                     "optActuator", "Spindlekvalitet"};
    std::set<char> slots;
    for (std::size_t t = 0; t < types_.size() && t < 3; ++t) {
        const int type = static_cast<int>(t) + 1;
        keys.push_back("CenterHelp" + std::to_string(type));
        keys.push_back(type == 1 ? "NoAccesories" : "Accesories");
        for (const int position : wizard::ConnectionPositions(type))
            slots.insert("NESW"[position / 2 - 2]);
    }
    for (const char slot : slots)
        for (const char* state : {"ConnSel0_", "ConnSel1_"})
            keys.push_back(state + std::string(1, slot));
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

// The six language files, their help panels, and the translated lists of
// each present one.
void Checker::checkLanguages() {
    // The texts the screens, the result and the report translate: the text
    // keys of the parameter file and the program's own.
    std::set<std::string> texts;
    for (const std::string_view text : data::text::kAll)
        texts.insert(data::TextKey(text));
    if (auto file = files_.openParameterFile())
        for (const std::uint32_t at : file->contents().textKeyLines())
            texts.insert(std::string(file->contents().lineAt(at)));
    std::vector<std::string> infoNames;
    if (start_)
        infoNames = {start_->infoName1, start_->infoName2};
    for (const std::string_view language : kDataLanguages) {
        if (!language_.empty() && language != language_)
            continue;
        const std::string name = "Lang_" + std::string(language) + ".txt";
        lookups_.insert("file " + name);
        if (!std::filesystem::is_regular_file(files_.locate(name))) {
            finding("missing-language-file", name, "the language file is not in the data directory",
                    0, {}, std::string(language));
            continue;
        }
        platform::RecordingMessageBoxes quiet;
        data::DataFiles other(files_.dataDirectory(), std::string(language), quiet);
        for (const std::string& key : helpKeys()) {
            const std::string section = data::SectionKey(key + "_hlp");
            lookups_.insert("help " + std::string(language) + " " + section);
            if (!other.ReadHelpPanel(key, {}))
                finding("missing-help", section, "the help panel is not in " + name, 0, {},
                        std::string(language));
        }
        // The captions every screen takes from the head of the language
        // file: a head that ends early gives empty ones (or a key line's).
        if (auto file = other.openLanguageFile()) {
            const data::LanguageHead head = other.ReadLanguageHead(*file);
            for (const auto& [caption, what] :
                 {std::pair{&head.windowCaption, "the window caption"},
                  std::pair{&head.exitCaption, "the exit button's caption"},
                  std::pair{&head.backCaption, "the back button's caption"},
                  std::pair{&head.nextCaption, "the next button's caption"}}) {
                if (caption->empty() || caption->starts_with(data::kSection))
                    finding("missing-translation", name,
                            std::string("the head of the file has no text for ") + what, 0, {},
                            std::string(language), true);
            }
        }
        // The start screen's information files, one per language.
        for (const std::string& info : infoNames) {
            const std::string file = info + "_" + std::string(language) + ".txt";
            lookups_.insert("file " + file);
            if (!std::filesystem::is_regular_file(files_.locate(file)))
                finding("missing-translation", file, "the start screen says it is missing", 0, {},
                        std::string(language));
        }
        // Norwegian is the language of the lists and texts themselves: it
        // needs no translation, but one it has must be a text. A text is
        // translated once, so a translation that is a text key again (itself,
        // or one of a circle) is shown as the key.
        const bool norwegian = language == "NO";
        if (auto file = other.openLanguageFile()) {
            const auto& translations = file->contents().translations();
            for (const std::string& key : texts) {
                lookups_.insert("text " + std::string(language) + " " + key);
                const auto found = translations.find(key);
                if (found == translations.end()) {
                    if (!norwegian)
                        finding("missing-translation", key, "the text is shown in Norwegian", 0, {},
                                std::string(language));
                } else if (data::IsTextKey(found->second)) {
                    finding("missing-translation", key,
                            "the text translates to the text key " + std::string(found->second) +
                                ", which is shown as it stands",
                            0, {}, std::string(language));
                }
            }
        }
        if (norwegian)
            continue;
        for (const auto& [key, list] : lists_) {
            // The dimension lists are shown as they stand.
            if (!list.found || list.title.empty() ||
                key.starts_with("\xA4"
                                "DIM_"))
                continue;
            const std::string title = data::SectionKey(list.title);
            lookups_.insert("translation " + std::string(language) + " " + title);
            data::ListLines lines;
            if (other.ReadLangSection(title, lines) < 0)
                finding("missing-translation", title, "the list " + key + " is shown untranslated",
                        0, {}, std::string(language));
        }
    }
}

void Checker::finding(std::string kind, std::string subject, std::string detail,
                      std::uint64_t codes, const std::string& example, std::string language,
                      bool byDetail) {
    auto [at, inserted] =
        findings_.try_emplace({kind, subject, language, byDetail ? detail : std::string()});
    DataFinding& f = at->second;
    if (inserted) {
        f.kind = std::move(kind);
        f.subject = std::move(subject);
        f.detail = std::move(detail);
        f.language = std::move(language);
    }
    f.codes = Add(f.codes, codes);
    if (!example.empty() && (f.example.empty() || example < f.example))
        f.example = example;
}

// The valve types with each of their dimensions a configuration reaches:
// through the wizard (types 1 to 3, every line) as well, or through typed
// codes only.
void Checker::buildContexts(bool withWizard) {
    for (std::size_t t = 0; t < types_.size(); ++t) {
        const int type = static_cast<int>(t) + 1;
        const wizard::ChoiceLine& typeLine = types_[t];
        // The first valve type with a letter is the one a code names.
        bool typeAccepted = Typeable(typeLine.letter);
        for (std::size_t u = 0; u < t; ++u)
            typeAccepted = typeAccepted && types_[u].letter != typeLine.letter;
        const bool wizard = withWizard && type <= 3;
        if (!wizard && !typeAccepted)
            continue;
        const ChoiceListRead& dimensions =
            readList(data::SectionKey("DIM_" + typeLine.key), Wins::Last, data::kMaxListLines,
                     wizard::kDescriptionColumn, true, true);
        for (const ListChoice& dimension : dimensions.choices)
            if (wizard || dimension.accepted)
                contexts_.push_back(context(type, typeLine, typeAccepted, dimension));
    }
}

DataCheckResult Checker::run() {
    readModel();
    start_ = data::ReadStartScreenLayout(files_);
    buildContexts(true);
    std::uint64_t perBottom = 0;
    for (const DimensionContext& c : contexts_) {
        codes_ = Add(codes_, codesOf(c));
        if (c.accepted())
            perBottom = Add(perBottom, Times(c.accessoryCount, Power(c.pairCount, c.slots)));
        checkDimension(c);
    }

    // The result screen's layout: every result needs it for its sums.
    {
        const std::string key = data::SectionKey("REPORTSCREEN");
        lookups_.insert("section " + key);
        auto file = files_.openParameterFile();
        if (!file || !data::FindSection(key, *file)) {
            std::string any;
            for (const DimensionContext& c : contexts_)
                if (any.empty())
                    any = example(c, nullptr, nullptr, nullptr);
            finding("missing-section", key, "the result screen has no layout and no sums", codes_,
                    any);
        }
    }

    // Bottom findings touch every code with their letter.
    for (auto& [id, f] : findings_) {
        if (f.kind != "bottom-mismatch")
            continue;
        const std::string letter = f.subject.substr(std::string_view("\xA4"
                                                                     "BOTTOM_")
                                                        .size());
        const auto bottom = std::find_if(bottoms_.begin(), bottoms_.end(), [&](const Bottom& b) {
            return b.accepted && b.letter == letter;
        });
        if (bottom == bottoms_.end())
            continue;
        f.codes = perBottom;
        for (const DimensionContext& c : contexts_)
            if (f.example.empty())
                f.example = example(c, &*bottom, nullptr, nullptr);
    }

    for (const auto& [key, use] : articles_) {
        const std::string detail = "looked up for the " + use.role;
        if (!use.found)
            finding("missing-article", key, detail, use.codes, use.example);
        else if (use.unused)
            finding("unused-article", key, detail, use.codes, use.example);
        if (use.shadowed)
            finding("key-shadowed", key, "the lookup finds " + use.shadowLine, use.codes,
                    use.example);
        for (const std::string& field : use.badFields)
            finding("bad-field", key, field, use.codes, use.example, {}, true);
    }
    checkArticleKeys();
    checkPictures();
    checkLanguages();

    DataCheckResult result;
    result.identification = files_.ReadParamIdentification();
    result.codes = codes_;
    result.lookups = lookups_.size();
    for (auto& [id, f] : findings_)
        result.findings.push_back(std::move(f));
    std::stable_sort(result.findings.begin(), result.findings.end(),
                     [](const DataFinding& a, const DataFinding& b) {
                         return std::tie(a.kind, b.codes, a.subject, a.language) <
                                std::tie(b.kind, a.codes, b.subject, b.language);
                     });
    return result;
}

void Checker::forEachCode(const std::function<void(std::string_view)>& take) {
    readModel();
    // Codes in byte order: by type letter, bottom letter, accessory letter,
    // dimension letter, then the slots' pairs.
    struct Entry {
        std::string head; // positions 1 to 4
        std::vector<std::string> pairs;
        int slots = 0;
        int type = 0;
    };
    std::vector<Entry> entries;
    buildContexts(false);
    for (const DimensionContext& c : contexts_) {
        std::vector<std::string> pairs;
        for (const SlotPair& pair : c.pairs)
            if (pair.accepted)
                pairs.push_back(pair.connection->line.letter + pair.dimension->line.letter);
        std::sort(pairs.begin(), pairs.end());
        std::vector<std::string> accessories;
        if (c.type >= 2) {
            for (const auto& [a, accepted] : c.accessories)
                if (accepted)
                    accessories.push_back(a->line.letter);
        } else {
            accessories.push_back("X");
        }
        for (const Bottom& bottom : bottoms_) {
            if (!bottom.accepted)
                continue;
            for (const std::string& accessory : accessories)
                entries.push_back(
                    {c.typeLine->letter + bottom.letter + accessory + c.dimension->line.letter,
                     pairs, c.slots, c.type});
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.head < b.head; });
    for (const Entry& entry : entries) {
        if (entry.pairs.empty())
            continue;
        const std::vector<int> positions = wizard::ConnectionPositions(entry.type);
        std::vector<std::size_t> at(positions.size(), 0);
        std::string code = entry.head + std::string(wizard::kCodePositions - 4, 'X') + suffix_;
        while (true) {
            for (std::size_t s = 0; s < positions.size(); ++s) {
                const auto p = static_cast<std::size_t>(positions[s]) - 1;
                code[p] = entry.pairs[at[s]][0];
                code[p + 1] = entry.pairs[at[s]][1];
            }
            take(code);
            // The last slot turns fastest: the codes come in order.
            std::size_t s = positions.size();
            while (s > 0 && ++at[s - 1] == entry.pairs.size())
                at[--s] = 0;
            if (s == 0)
                break;
        }
    }
}

std::string Number(std::uint64_t value) {
    return value == kMost ? "more than " + std::to_string(kMost - 1) : std::to_string(value);
}

} // namespace

DataCheckResult CheckData(data::DataFiles& files, std::string_view language) {
    return Checker(files, language).run();
}

void ForEachAcceptedCode(data::DataFiles& files,
                         const std::function<void(std::string_view)>& take) {
    Checker(files, {}).forEachCode(take);
}

std::string DataCheckSummary(const DataCheckResult& result) {
    return Number(result.codes) + " codes, " + std::to_string(result.lookups) + " lookups, " +
           std::to_string(result.findings.size()) +
           (result.findings.size() == 1 ? " finding" : " findings");
}

std::string DataCheckText(const DataCheckResult& result) {
    std::string text = "DataCheck - " + result.identification + std::string(kCrLf);
    text += "Codes: " + Number(result.codes) + std::string(kCrLf);
    text += "Lookups: " + std::to_string(result.lookups) + std::string(kCrLf);
    std::map<std::string, std::size_t> perKind;
    for (const DataFinding& f : result.findings)
        ++perKind[f.kind];
    text += "Findings: " + std::to_string(result.findings.size()) + std::string(kCrLf);
    for (const auto& [kind, count] : perKind)
        text += "  " + kind + ": " + std::to_string(count) + std::string(kCrLf);
    std::string kind;
    for (const DataFinding& f : result.findings) {
        if (f.kind != kind) {
            kind = f.kind;
            text += std::string(kCrLf) + "[" + kind + "]" + std::string(kCrLf);
        }
        text += f.subject;
        if (!f.language.empty())
            text += " (" + f.language + ")";
        text += ": " + f.detail + "; " + Number(f.codes) + " codes";
        if (!f.example.empty())
            text += ", e.g. " + f.example;
        text += std::string(kCrLf);
    }
    return text;
}

std::optional<std::filesystem::path> WriteDataCheck(data::DataFiles& files,
                                                    const DataCheckResult& result,
                                                    platform::MessageBoxes& messages) {
    return data::WriteDataDirectoryFile(files, kDataCheckFile, DataCheckText(result),
                                        "The data check", messages);
}

} // namespace tv::admin
