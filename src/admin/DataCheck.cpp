#include "admin/DataCheckChecker.h"

namespace tv::admin::datacheck {

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
    if (type >= 2)
        readAccessories(c);
    else
        c.accessoryCount = 1; // the single valve's "X"
    readPairs(c);

    wizard::ConfigurationRecord record;
    record.dimensionMillimetres = dimension.line.millimetres;
    record.typeKey = typeLine.key;
    c.centreKey = result::CenterPartKey(record);
    return c;
}

// The code check takes a dimension's own accessory list up to 100 mm and
// the shared one above; the wizard takes the own list at any size and the
// shared one when there is none.
void Checker::readAccessories(DimensionContext& c) {
    const int millimetres = c.dimension->line.millimetres;
    const std::string prefix = "CPD_" + c.typeLine->key + "_";
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
    if (!ThroughWizard(c.type))
        return;
    const ChoiceListRead& ownList = readList(own, Wins::Last, wizard::kMaxAccessoryLines,
                                             wizard::kDescriptionColumn, false, true);
    const ChoiceListRead& offered = ownList.found
                                        ? ownList
                                        : readList(shared, Wins::Last, wizard::kMaxAccessoryLines,
                                                   wizard::kDescriptionColumn, true, true);
    if (&offered != &checked)
        for (const ListChoice& accessory : offered.choices)
            c.accessories.push_back({&accessory, false});
}

// Every connection of the valve type with every dimension of it, each
// pair with the key of its record.
void Checker::readPairs(DimensionContext& c) {
    const ListChoice& dimension = *c.dimension;
    const ChoiceListRead& connections =
        readList(data::SectionKey("CONN_" + c.typeLine->key), Wins::First, data::kMaxListLines,
                 wizard::kConnectionDescriptionColumn, true, true);
    for (const ListChoice& connection : connections.choices) {
        const std::string dimensionsKey =
            data::SectionKey(dimension.line.key + "_" + connection.line.key);
        const ChoiceListRead& dimensions =
            readList(dimensionsKey, Wins::Last, data::kMaxListLines, wizard::kDescriptionColumn,
                     ThroughWizard(c.type) || connection.accepted, true);
        for (const ListChoice& connectionDimension : dimensions.choices) {
            SlotPair pair;
            pair.connection = &connection;
            pair.dimension = &connectionDimension;
            pair.accepted = connection.accepted && connectionDimension.accepted;
            wizard::ConfigurationRecord record;
            record.dimensionMillimetres = dimension.line.millimetres;
            record.slots[1].connectionKey = connection.line.key;
            record.slots[1].dimensionKey = connectionDimension.line.key;
            pair.key = result::ConnectionKey(record, 1);
            if (pair.accepted)
                ++c.pairCount;
            c.pairs.push_back(std::move(pair));
        }
    }
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
        const bool wizard = withWizard && ThroughWizard(type);
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
    const std::uint64_t perBottom = checkDimensions();
    checkResultScreenLayout();
    countBottomFindings(perBottom);
    articleFindings();
    checkArticleKeys();
    checkPictures();
    checkLanguages();
    return collectResult();
}

// Counts the accepted codes and checks every context's lookups. Returns
// how many accepted codes each bottom letter has.
std::uint64_t Checker::checkDimensions() {
    std::uint64_t perBottom = 0;
    for (const DimensionContext& c : contexts_) {
        codes_ = Add(codes_, codesOf(c));
        if (c.accepted())
            perBottom = Add(perBottom, Times(c.accessoryCount, Power(c.pairCount, c.slots)));
        checkDimension(c);
    }
    return perBottom;
}

// The result screen's layout: the screen, its pictures, the enlarged
// picture and the report need it.
void Checker::checkResultScreenLayout() {
    const std::string key = data::SectionKey("REPORTSCREEN");
    lookups_.insert("section " + key);
    auto file = files_.openParameterFile();
    if (file && data::FindSection(key, *file))
        return;
    std::string any;
    for (const DimensionContext& c : contexts_)
        if (any.empty())
            any = example(c, nullptr, nullptr, nullptr);
    finding("missing-section", key, "the result screen has no layout", codes_, any);
}

// Bottom findings touch every code with their letter.
void Checker::countBottomFindings(std::uint64_t perBottom) {
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
}

// What the lookups of the article keys found.
void Checker::articleFindings() {
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
}

// The findings by kind, those that touch most codes first.
DataCheckResult Checker::collectResult() {
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

} // namespace tv::admin::datacheck

namespace tv::admin {

namespace {

using datacheck::Checker;
using datacheck::kCrLf;
using datacheck::kMost;

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
