#pragma once

#include "data/DataFiles.h"
#include "wizard/ChoiceLine.h"
#include "wizard/ValvePageLayout.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tv::wizard {

inline constexpr int kCodePositions = 12;

// An accessory list offers at most this many lines; later lines are never
// offered and never match a typed code.
inline constexpr std::size_t kMaxAccessoryLines = 20;

// The choice of one option group.
struct OptionChoice {
    bool chosen = false;
    std::string tag;
    std::string reportLine; // frame caption + ": " + option caption (actuator: see SetOption)
    bool bit = false;       // bottom-default bit: option 2, or "with actuator"
};

// The choices at one connection slot (1 north, 2 east, 3 south, 4 west).
struct SlotChoice {
    int connectionLine = 0; // 0: none
    std::string connectionKey;
    std::string connectionDescription;
    int dimensionLine = 0; // 0: none
    int dimensionMillimetres = 0;
    std::string dimensionKey;
};

// What the wizard or the code check leaves for the result screen and the
// report.
struct ConfigurationRecord {
    int valveType = 0; // 1 to 4; 0 before a type is chosen
    std::string typeKey;
    std::string typeLetter;
    std::string typeDescription;
    std::array<bool, kMaxValveTypes + 1> isType{}; // [1..4]: true for the chosen type
    bool hasCentrePart = false;                    // every type but 1

    int dimensionLine = 0; // 0: not chosen
    std::string dimensionKey;
    int dimensionMillimetres = 0;

    int accessoryLine = 0; // 0: not chosen
    std::string accessoryKey;
    std::string accessoryDescription;
    int accessoryNumber = 0;

    std::array<OptionChoice, 4> options; // by OptionGroup
    std::string optionKey;               // "¤" + the four tags joined by "_"

    std::array<SlotChoice, 5> slots; // [1..4]
};

// The configuration code (twelve positions and the code suffix), its
// position flags and the record of the choices, with the code check.
class Configuration {
public:
    // layout: the valve types, option tags and captions of the valve page
    // as ReadValvePageLayout read them; files.head holds the code suffix.
    Configuration(data::DataFiles& files, ValvePageLayout layout);

    const ValvePageLayout& layout() const { return layout_; }

    // A new layout, read when the valve page is laid out again.
    void setLayout(ValvePageLayout layout) { layout_ = std::move(layout); }

    // Where the two messages of the code check go ("Format error for code",
    // " key not found"). Unset, they go to the data files' report, which
    // shows each text once per run.
    void setMessages(platform::MessageBoxes* messages) { messages_ = messages; }

    // Twelve "X" and the code suffix; record and position flags cleared.
    void Clear();

    // Replaces the character at position (1 to 12) by the letter. An empty
    // letter (a choice the data cannot name) writes "?", which no section
    // of the parameter file names, so the code keeps twelve positions and
    // the check rejects the position.
    void SetCodePosition(std::string_view letter, int position);

    // Clears position flags 1 to 15, sets the type flags and marks the
    // positions the type does not use as chosen; type 1 also gets "X" at
    // position 3 of the code.
    void MarkValveType(int valveType);

    // Checks the code position by position and fills the record; 0 when
    // valid, else the first invalid position in checking order.
    int CheckCode();

    // Checks the connection letter at position (5, 7, 9 or 11) and the
    // connection-dimension letter behind it; fills the slot of the record.
    // Returns whether the connection letter was found, and the matching
    // connection-dimension line (0 when none).
    std::pair<bool, int> CheckConnection(int position);

    // The code box shows one blank and the code; the label the translation
    // of "¤¤Kode", ": " and the code.
    std::string codeBoxText() const;
    std::string codeLabelText() const;

    std::string code;                     // twelve positions and the suffix
    std::array<bool, 16> positionFlags{}; // [1..15], true when chosen
    ConfigurationRecord record;
    std::vector<ChoiceLine> connections; // lines of "¤CONN_" + type key read last

private:
    int FindValveType(std::string_view letter) const;
    bool CheckDimension(std::string_view typed);
    bool CheckBottom(std::string_view typed);
    bool CheckAccessory(std::string_view typed);
    int CheckConnections();
    void RecordOption(OptionGroup group, bool firstOption);
    void show(const std::string& text);

    data::DataFiles& files_;
    ValvePageLayout layout_;
    platform::MessageBoxes* messages_ = nullptr;
};

// The code positions of the connections of a valve type's slots (the
// connection dimension follows each).
std::vector<int> ConnectionPositions(int valveType);

// A choice list of the parameter file: its title line (which names the
// translated list in the language file) and its lines.
struct ChoiceList {
    std::string title;
    std::vector<ChoiceLine> lines; // line 1 at index 0
};

// Reads the choice list of a section, at most maxLines of it; no lines
// when the section is missing or empty.
ChoiceList ReadChoiceList(data::DataFiles& files, std::string_view key,
                          std::size_t descriptionColumn = kDescriptionColumn,
                          std::size_t maxLines = data::kMaxListLines);

// When the language file has the list section "¤" + title, its lines
// replace the descriptions one for one, in order; lines it does not reach
// keep their own.
void TranslateDescriptions(const data::DataFiles& files, std::string_view title,
                           std::vector<ChoiceLine>& lines);

// "Feil i kodens posisjon " + n + CR LF + "Denne posisjonen kan ikke være '"
// + the character at n + "'".
std::string PositionMessage(std::string_view code, int position);

} // namespace tv::wizard
