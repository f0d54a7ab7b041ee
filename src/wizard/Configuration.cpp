#include "wizard/Configuration.h"

#include "data/ProgramTexts.h"
#include "data/TextFile.h"

#include <algorithm>

namespace tv::wizard {

namespace {

constexpr std::string_view kPlaceholder = "X";

// The character at a position (1-based) as a one-character text; empty
// beyond the end, so a short code matches nothing there.
std::string_view At(std::string_view text, int position) {
    if (position < 1 || static_cast<std::size_t>(position) > text.size())
        return {};
    return text.substr(static_cast<std::size_t>(position) - 1, 1);
}

// Letters compare exactly. An empty letter (a line shorter than 20, or a
// position past the end of the code) matches nothing, not even another
// empty letter.
bool SameLetter(std::string_view a, std::string_view b) {
    return !a.empty() && a == b;
}

// The line number (1-based) of the first line with the letter; 0 for none.
int FirstLine(const std::vector<ChoiceLine>& lines, std::string_view letter) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (SameLetter(lines[i].letter, letter))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

// The line number of the last line with the letter: a later line of the
// parameter file overrides an earlier one with the same letter.
int LastLine(const std::vector<ChoiceLine>& lines, std::string_view letter) {
    for (std::size_t i = lines.size(); i > 0; --i) {
        if (SameLetter(lines[i - 1].letter, letter))
            return static_cast<int>(i);
    }
    return 0;
}

// The positions a valve type does not use; choosing the type marks them as
// chosen at once, so Next never waits for them.
std::vector<int> UnusedPositions(int valveType) {
    switch (valveType) {
    case 1:
        return {3, 7, 8, 11, 12};
    case 2:
        return {11, 12};
    case 4:
        return {7, 8, 11, 12};
    default:
        return {};
    }
}

} // namespace

std::vector<int> ConnectionPositions(int valveType) {
    switch (valveType) {
    case 2:
        return {5, 7, 9};
    case 3:
        return {5, 7, 9, 11};
    default:
        return {5, 9};
    }
}

ChoiceList ReadChoiceList(data::DataFiles& files, std::string_view key,
                          std::size_t descriptionColumn, std::size_t maxLines) {
    ChoiceList list;
    data::ListLines lines;
    const int count = files.ReadParamSection(key, lines);
    if (count < 0)
        return list;
    list.title = files.currentSectionTitle;
    if (static_cast<std::size_t>(count) > maxLines) {
        files.report("Tessaro.dat, section " + std::string(key) + ": more than " +
                     std::to_string(maxLines) + " lines; only the first " +
                     std::to_string(maxLines) + " are used.");
    }
    for (int i = 1; i <= count && list.lines.size() < maxLines; ++i) {
        list.lines.push_back(ParseChoiceLine(lines[i], descriptionColumn));
        if (list.lines.back().millimetresHeld)
            files.report("Tessaro.dat, section " + std::string(key) + ": the millimetres of \"" +
                         lines[i].substr(0, 40) +
                         "\" are outside -9999..9999; the nearest limit is used.");
    }
    return list;
}

void TranslateDescriptions(const data::DataFiles& files, std::string_view title,
                           std::vector<ChoiceLine>& lines) {
    // A list without a title line names no translation.
    if (title.empty() || lines.empty())
        return;
    data::ListLines translated;
    const int count = files.ReadLangSection(data::SectionKey(title), translated);
    for (int i = 1; i <= count && static_cast<std::size_t>(i) <= lines.size(); ++i)
        lines[i - 1].description = translated[i];
}

Configuration::Configuration(data::DataFiles& files, ValvePageLayout layout)
    : files_(files), layout_(std::move(layout)) {}

void Configuration::Clear() {
    code = std::string(kCodePositions, 'X') + files_.head.codeSuffix;
    record = {};
    positionFlags.fill(false);
    connections.clear();
}

void Configuration::SetCodePosition(std::string_view letter, int position) {
    if (position < 1 || position > kCodePositions)
        return;
    if (static_cast<std::size_t>(position) > code.size())
        return;
    code[static_cast<std::size_t>(position) - 1] = letter.empty() ? '?' : letter.front();
}

void Configuration::MarkValveType(int valveType) {
    positionFlags.fill(false);
    record.valveType = valveType;
    record.isType = {};
    if (valveType >= 1 && valveType <= kMaxValveTypes)
        record.isType[static_cast<std::size_t>(valveType)] = true;
    record.hasCentrePart = valveType != 1;

    ChoiceLine type;
    if (valveType >= 1 && static_cast<std::size_t>(valveType) <= layout_.valveTypes.size())
        type = layout_.valveTypes[static_cast<std::size_t>(valveType) - 1];
    record.typeKey = type.key;
    record.typeLetter = type.letter;
    record.typeDescription = type.description;

    for (int position : UnusedPositions(valveType))
        positionFlags[static_cast<std::size_t>(position)] = true;
    // The single valve has no accessory to choose.
    if (valveType == 1)
        SetCodePosition(kPlaceholder, 3);
}

int Configuration::CheckCode() {
    // The check reads the code as typed: marking valve type 1 changes the
    // stored code at position 3, never the copy being checked.
    const std::string typed = code;
    record = {};
    connections.clear();

    const int valveType = FindValveType(At(typed, 1));
    if (valveType == 0)
        return 1;
    MarkValveType(valveType);
    // The dimension comes before the bottom letter: the accessory section
    // and the connection dimensions are keyed by it.
    if (!CheckDimension(typed))
        return 4;
    if (!CheckBottom(typed))
        return 2;
    if (!CheckAccessory(typed))
        return 3;
    return CheckConnections();
}

int Configuration::FindValveType(std::string_view letter) const {
    const std::size_t count =
        std::min(layout_.valveTypes.size(), static_cast<std::size_t>(kMaxValveTypes));
    for (std::size_t i = 0; i < count; ++i) {
        if (SameLetter(layout_.valveTypes[i].letter, letter))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

bool Configuration::CheckDimension(std::string_view typed) {
    const ChoiceList list = ReadChoiceList(files_, data::SectionKey("DIM_" + record.typeKey));
    const int line = LastLine(list.lines, At(typed, 4));
    if (line == 0)
        return false;
    const ChoiceLine& dimension = list.lines[static_cast<std::size_t>(line) - 1];
    record.dimensionLine = line;
    record.dimensionKey = dimension.key;
    record.dimensionMillimetres = dimension.millimetres;
    return true;
}

bool Configuration::CheckBottom(std::string_view typed) {
    const std::string letter(At(typed, 2));
    if (letter.empty())
        return false;
    auto file = files_.openParameterFile();
    if (!file || !data::FindSection(data::SectionKey("BOTTOM_" + letter), *file))
        return false;
    data::ReadTextLine(*file); // a caption
    const std::string line = data::ReadTextLine(*file);
    if (At(line, 1) != letter)
        show("Format error for code " + letter + "\r\n" + line);

    // Characters 5 to 8 hold the four groups, "0" for the first option (for
    // the actuator: with). A shorter line reads as not "0" where it ends,
    // the same as any other character there, and is never read past.
    for (int group = kSpindleQuality; group <= kActuator; ++group)
        RecordOption(static_cast<OptionGroup>(group), At(line, 5 + group) == "0");

    const auto& options = record.options;
    record.optionKey = data::SectionKey(options[kSpindleQuality].tag);
    for (int group = kClosingDirection; group <= kActuator; ++group)
        record.optionKey += "_" + options[static_cast<std::size_t>(group)].tag;
    return true;
}

void Configuration::RecordOption(OptionGroup group, bool firstOption) {
    const std::size_t choice = static_cast<std::size_t>(group) * 2 + (firstOption ? 0 : 1);
    const OptionGroupLayout& captions = layout_.groups[group];
    OptionChoice& option = record.options[group];
    option.chosen = true;
    option.tag = layout_.optionTags[choice];
    if (group == kActuator) {
        // As the actuator buttons write it: the caption alone for "with".
        option.reportLine = firstOption ? captions.caption : "IKKE " + captions.caption;
        option.bit = firstOption;
        return;
    }
    option.reportLine =
        captions.caption + ": " + (firstOption ? captions.option1 : captions.option2);
    option.bit = !firstOption;
}

bool Configuration::CheckAccessory(std::string_view typed) {
    // Up to 100 mm every dimension has an accessory list of its own; above,
    // one list serves them all.
    const int millimetres = record.dimensionMillimetres;
    const std::string size = millimetres <= 100 ? FourDigits(millimetres) : "+";
    ChoiceList list = ReadChoiceList(files_, data::SectionKey("CPD_" + record.typeKey + "_" + size),
                                     kDescriptionColumn, kMaxAccessoryLines);
    TranslateDescriptions(files_, list.title, list.lines);

    const std::string_view letter = At(typed, 3);
    const int line = LastLine(list.lines, letter);
    if (line == 0)
        return record.valveType == 1 && letter == kPlaceholder;
    const ChoiceLine& accessory = list.lines[static_cast<std::size_t>(line) - 1];
    record.accessoryLine = line;
    record.accessoryKey = accessory.key;
    record.accessoryDescription = accessory.description;
    record.accessoryNumber = accessory.millimetres;
    return true;
}

int Configuration::CheckConnections() {
    ChoiceList list = ReadChoiceList(files_, data::SectionKey("CONN_" + record.typeKey),
                                     kConnectionDescriptionColumn);
    // The connection picker shows the language's list when there is one; a
    // typed code names the connections the same way.
    TranslateDescriptions(files_, list.title, list.lines);
    connections = std::move(list.lines);

    for (int position : ConnectionPositions(record.valveType)) {
        const auto [found, dimensionLine] = CheckConnection(position);
        if (!found)
            return position;
        if (dimensionLine == 0)
            return position + 1;
    }
    return 0;
}

std::pair<bool, int> Configuration::CheckConnection(int position) {
    const int slot = position / 2 - 1;
    if (slot < 1 || slot > 4)
        return {false, 0};
    SlotChoice& choice = record.slots[static_cast<std::size_t>(slot)];
    choice = {};

    // Of two connections with the same letter the first is the one offered.
    const int line = FirstLine(connections, At(code, position));
    if (line == 0)
        return {false, 0};
    const ChoiceLine& connection = connections[static_cast<std::size_t>(line) - 1];
    choice.connectionLine = line;
    choice.connectionKey = connection.key;
    choice.connectionDescription = connection.description;

    const std::string key = data::SectionKey(record.dimensionKey + "_" + connection.key);
    const ChoiceList dimensions = ReadChoiceList(files_, key);
    if (dimensions.lines.empty()) {
        show(key + " key not found");
        return {true, 0};
    }
    const int dimensionLine = LastLine(dimensions.lines, At(code, position + 1));
    if (dimensionLine == 0)
        return {true, 0};
    const ChoiceLine& dimension = dimensions.lines[static_cast<std::size_t>(dimensionLine) - 1];
    choice.dimensionLine = dimensionLine;
    choice.dimensionMillimetres = dimension.millimetres;
    choice.dimensionKey = dimension.key;
    return {true, dimensionLine};
}

void Configuration::show(const std::string& text) {
    if (messages_) {
        messages_->inform(text);
        return;
    }
    files_.report(text);
}

std::string Configuration::codeBoxText() const {
    return " " + code;
}

std::string Configuration::codeLabelText() const {
    return files_.TranslateText(data::TextKey(data::text::kCode)) + ": " + code;
}

std::string PositionMessage(std::string_view code, int position) {
    return "Feil i kodens posisjon " + std::to_string(position) +
           "\r\nDenne posisjonen kan ikke v\xE6re '" + std::string(At(code, position)) + "'";
}

} // namespace tv::wizard
