#include "result/ResultComputation.h"

#include "data/ProgramTexts.h"
#include "data/TextFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstdio>

namespace tv::result {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// The valve-house positions in the order the centre record lists their
// codes; each is also the part slot of that house.
constexpr std::array<PartSlot, 4> kHouseSlots = {kNorth, kSouth, kEast, kWest};
constexpr std::array<const char*, 4> kHouseLetters = {"N", "S", "E", "W"};

// Connection slots 1 to 4 in the order of the result text: the name in
// the hand-over settings.
struct ConnectionSlot {
    int slot;
    const char* name;
};
constexpr std::array<ConnectionSlot, 4> kConnectionOrder = {{
    {1, "North"},
    {2, "East"},
    {3, "South"},
    {4, "West"},
}};

// A centre record that is missing stands for standard valve houses all round.
constexpr std::string_view kDefaultHouseCodes = "UFOT UFOT UFOT UFOT * DEFAULT";

bool HasSouthAndEastHouses(int valveType) {
    return valveType >= 2 && valveType <= 4;
}

bool HasConnection(int valveType, int slot) {
    switch (slot) {
    case 1:
    case 3:
        return true;
    case 2:
        return valveType == 2 || valveType == 3;
    case 4:
        return valveType == 3;
    default:
        return false;
    }
}

// Up to length characters from a 1-based position, as much as the text has.
std::string Mid(std::string_view text, std::size_t position, std::size_t length) {
    if (position < 1 || position > text.size())
        return {};
    return std::string(text.substr(position - 1, length));
}

std::string TwoDigits(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

std::string ReportBaseName(const data::StartupValues& startup) {
    const platform::LocalDateTime& start = startup.start;
    char year[16];
    std::snprintf(year, sizeof year, "%04d", start.year);
    return startup.reportDirectory + "Te" + year + TwoDigits(start.month) + TwoDigits(start.day) +
           TwoDigits(start.hour) + TwoDigits(start.minute);
}

// The debug addition behind a part's line: length, weight and block name
// as the record writes them.
std::string DebugFields(const ArticleRecord& article) {
    return "  (L=" + article.fields[field::kLength] + "  V=" + article.fields[field::kWeight] +
           "  Vb=" + article.fields[field::kBlockName] + ")";
}

class Computation {
public:
    Computation(data::DataFiles& files, platform::Platform& platform, const ResultInputs& inputs)
        : files_(files), platform_(platform), inputs_(inputs), record_(inputs.configuration.record),
          startup_(inputs.startup), type_(inputs.configuration.record.valveType),
          separator_(platform.system.decimalSeparator()) {}

    ResultState run();

private:
    void save(const std::string& key, const std::string& value);
    void lookedUp(std::string_view key, const ArticleRecord& article, int count);
    int offset(const ArticleRecord& article, std::size_t number, const std::string& key);
    void setPart(PartSlot slot, const ArticleRecord& article);
    void centrePart(ArticleRecord& centre);
    void valveHouses(const ArticleRecord& centre);
    void accessory();
    void sums();
    void connections();
    void debugTotals();

    data::DataFiles& files_;
    platform::Platform& platform_;
    const ResultInputs& inputs_;
    const wizard::ConfigurationRecord& record_;
    const data::StartupValues& startup_;
    const int type_;
    const std::string separator_;
    ResultState state_;
};

// The hand-over values are kept as they come and stored together at the
// end, so the CAD program beside it never reads half of one valve and half
// of the one before.
void Computation::save(const std::string& key, const std::string& value) {
    state_.handover.emplace_back(key, value);
}

// Which looked-up records a result stands without, by key: what a maker
// must add to the article file or bring back into use.
void Computation::lookedUp(std::string_view key, const ArticleRecord& article, int count) {
    const bool missing = count <= 0;
    if (!missing && !IsUnused(article))
        return;
    std::vector<std::string>& keys = missing ? state_.missingKeys : state_.unusedKeys;
    std::string recordKey = RecordKey(key);
    if (std::find(keys.begin(), keys.end(), recordKey) == keys.end())
        keys.push_back(std::move(recordKey));
}

void Computation::setPart(PartSlot slot, const ArticleRecord& article) {
    Part& part = state_.parts[slot];
    part.articleNumber = article.fields[field::kArticleNumber];
    part.description = article.fields[field::kDescription];
    part.blockName = article.fields[field::kBlockName];
    part.length = FieldNumber(article.fields[field::kLength]);
    part.weight = FieldNumber(article.fields[field::kWeight]);
}

ResultState Computation::run() {
    state_.houseCount = type_ == 2 ? 3 : type_ == 3 ? 4 : type_ == 4 ? 2 : 1;
    state_.reportBaseName = ReportBaseName(startup_);

    ArticleRecord centre;
    centrePart(centre);
    valveHouses(centre);
    if (HasSouthAndEastHouses(type_))
        accessory();

    for (const ConnectionSlot& slot : kConnectionOrder) {
        if (HasConnection(type_, slot.slot))
            state_.connectionKeys[slot.slot] = ConnectionKey(record_, slot.slot);
    }

    sums();
    connections();
    state_.verticalComplete = state_.flagV && state_.flagC && state_.flagN && state_.flagS;
    state_.horizontalComplete = state_.flagV && state_.flagC && state_.flagE && state_.flagW;
    if (startup_.debugMode)
        debugTotals();
    return std::move(state_);
}

// A dimensioning offset (field 4 or 5) within what the picture's 16-bit
// values hold; a field beyond them is said once and held at the limit.
int Computation::offset(const ArticleRecord& article, std::size_t number, const std::string& key) {
    bool held = false;
    const std::string& text = article.fields[number];
    const int value = data::HeldNumber(FieldNumber(text), -32768, 32767, &held);
    if (held)
        files_.report("Vantordata.dat, record " + key + ": the offset \"" + text.substr(0, 40) +
                      "\" is outside -32768..32767; the nearest limit is used.");
    return value;
}

void Computation::centrePart(ArticleRecord& centre) {
    const std::string key = CenterPartKey(record_);
    state_.parts[kCentre].key = key;
    const int count = LookupArticle(files_, key, centre, Placeholder::kLowerCase);
    lookedUp(key, centre, count);
    if (count == 0) {
        platform_.messages.inform("Missing center part " + key +
                                  "\r\nin DisplayScreenReport - default (UFOT) used");
        centre.fields[field::kHouseCodes] = std::string(kDefaultHouseCodes);
        return;
    }
    // The single valve has no centre part: its record only names the
    // valve houses.
    if (!HasSouthAndEastHouses(type_))
        return;
    // A centre part that was found is complete; every other part's flag
    // likewise follows its record.
    state_.flagC = true;
    save("CenterPartLength", centre.fields[field::kLength]);
    save("CenterPartName", centre.fields[field::kBlockName]);
    setPart(kCentre, centre);
    state_.resultText = centre.fields[field::kDescription];
    if (startup_.debugMode)
        state_.resultText += DebugFields(centre);
    state_.resultText += kCrLf;
}

void Computation::valveHouses(const ArticleRecord& centre) {
    const std::string& codes = centre.fields[field::kHouseCodes];
    for (std::size_t k = 0; k < 4; ++k)
        state_.houseCodes[k] = Mid(codes, 5 * k + 1, 4);
    state_.marker = '=';
    for (std::size_t k = 1; k < 4; ++k) {
        if (state_.houseCodes[k] != state_.houseCodes[0]) {
            state_.marker = '!';
            state_.houseCount = 2;
        }
    }

    state_.flagV = true;
    ArticleRecord house;
    for (std::size_t k = 0; k < 4; ++k) {
        const PartSlot slot = kHouseSlots[k];
        const std::string key = ValveHouseKey(record_, state_.houseCodes[k]);
        state_.parts[slot].key = key;
        // Alike houses share one record: only a change of code is looked up.
        if (k == 0 || state_.houseCodes[k] != state_.houseCodes[k - 1]) {
            const int count = LookupArticle(files_, key, house, Placeholder::kLowerCase);
            lookedUp(key, house, count);
            if (count == 0)
                state_.flagV = false;
        }
        const bool present = slot == kNorth || (slot == kWest && type_ == 3) ||
                             ((slot == kSouth || slot == kEast) && HasSouthAndEastHouses(type_));
        if (!present)
            continue;
        save(std::string("ValveHouseLength") + kHouseLetters[k], house.fields[field::kLength]);
        save(std::string("ValveHouseName") + kHouseLetters[k], house.fields[field::kBlockName]);
        setPart(slot, house);
        if (slot != kNorth)
            continue;
        state_.resultText += std::to_string(state_.houseCount) +
                             files_.TranslateText(data::TextKey(data::text::kPieces)) +
                             house.fields[field::kDescription];
        if (startup_.debugMode)
            state_.resultText += DebugFields(house);
        state_.resultText += kCrLf;
    }

    if (state_.marker != '!')
        return;
    // The second kind of valve house: the east one stands for it.
    const Part& east = state_.parts[kEast];
    state_.resultText += std::string(type_ == 3 ? "2" : "1") +
                         files_.TranslateText(data::TextKey(data::text::kPieces)) +
                         east.description;
    if (startup_.debugMode) {
        state_.resultText += "  (L=" + FormatShortest(east.length, separator_) +
                             "  V=" + FormatShortest(east.weight, separator_) +
                             "  Vb=" + east.blockName + ")";
    }
    state_.resultText += kCrLf;
}

void Computation::accessory() {
    const std::string key = AccessoryKey(record_);
    state_.accessoryKey = key;
    ArticleRecord article;
    const int count = LookupArticle(files_, key, article, Placeholder::kAsTranslated);
    lookedUp(key, article, count);
    if (count == 0)
        article.fields[field::kDescription] = "(MISSING) " + inputs_.accessoryCaption + "_BRV";
    if (IsUnused(article))
        state_.resultText += "(UNUSED) " + inputs_.accessoryCaption + "_BRV ";
    else
        state_.resultText += article.fields[field::kDescription];
    if (startup_.debugMode)
        state_.resultText += "   (" + key + ")";
}

void Computation::sums() {
    const auto& parts = state_.parts;
    state_.vertical = parts[kCentre].length;
    state_.horizontal = parts[kCentre].length + parts[kEast].length;
    state_.weight = 0;
    for (const Part& part : parts)
        state_.weight += part.weight;
    for (PartSlot slot : {kCentre, kNorth, kSouth})
        state_.vertical += parts[slot].length;
    // The cross counts the east house for the west one as well, as its
    // second valve-house line does.
    if (type_ == 3)
        state_.horizontal += parts[kCentre].length + parts[kEast].length;
}

void Computation::connections() {
    // Sides without a connection count as complete.
    if (type_ == 1) {
        state_.flagC = true;
        state_.flagE = true;
        state_.flagW = true;
    }
    if (type_ == 2)
        state_.flagW = true;

    for (const ConnectionSlot& slot : kConnectionOrder) {
        if (!HasConnection(type_, slot.slot))
            continue;
        const auto index = static_cast<std::size_t>(slot.slot);
        ArticleRecord& article = state_.connectionRecords[index];
        const int count =
            LookupConnection(files_, record_, slot.slot, state_.connectionKeys[index], article);
        lookedUp(state_.connectionKeys[index], article, count);
        const bool found = count > 0;
        state_.connectionFound[index] = found;
        if (found) {
            state_.offsetA[index] = offset(article, field::kOffsetA, state_.connectionKeys[index]);
            state_.offsetB[index] = offset(article, field::kOffsetB, state_.connectionKeys[index]);
            const double length = FieldNumber(article.fields[field::kLength]);
            const bool complete = length > 9.99;
            const bool vertical = slot.slot == 1 || slot.slot == 3;
            (vertical ? state_.vertical : state_.horizontal) += length;
            bool& flag = slot.slot == 1   ? state_.flagN
                         : slot.slot == 2 ? state_.flagE
                         : slot.slot == 3 ? state_.flagS
                                          : state_.flagW;
            flag = complete;
        }
        save(std::string("Connection") + slot.name + "Length", article.fields[field::kLength]);
        save(std::string("Connection") + slot.name + "Name", article.fields[field::kBlockName]);

        const wizard::SlotChoice& choice = record_.slots[index];
        std::string line =
            files_.TranslateText(data::TextKey(data::text::kResultConnections[index])) + ": " +
            std::string(kCrLf);
        if (found) {
            line += article.fields[field::kDescription];
        } else {
            line += article.fields[field::kStatus] + std::to_string(choice.dimensionMillimetres) +
                    " mm " + choice.connectionDescription;
        }
        if (startup_.debugMode)
            line += "    (L=" + article.fields[field::kLength] + ")";
        state_.resultText += std::string(kCrLf) + std::string(kCrLf) + line;
    }
}

void Computation::debugTotals() {
    auto total = [this](double value, bool complete) {
        std::string text = FormatFixed(value, 3, separator_);
        // Sums below 10 are metres; larger ones are millimetres and carry
        // no unit.
        if (value < 10)
            text += "m";
        if (!complete)
            text += " (INCOMPLETE)";
        return text;
    };
    state_.resultText += std::string(kCrLf) + "Total vertikal byggelengde " +
                         total(state_.vertical, state_.verticalComplete);
    if (HasSouthAndEastHouses(type_)) {
        state_.resultText +=
            "  horisontal byggelengde " + total(state_.horizontal, state_.horizontalComplete);
    }
}

} // namespace

ResultState ComputeResult(data::DataFiles& files, platform::Platform& platform,
                          const ResultInputs& inputs) {
    ResultState state = Computation(files, platform, inputs).run();
    if (!state.handover.empty())
        platform.settings.saveAll(data::kSettingsApp, data::kSettingsSection, state.handover);
    return state;
}

} // namespace tv::result
