#include "wizard/Configuration.h"
#include "platform/FileBytes.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace tv::wizard {
namespace {

using test::Cp;

// A choice line in its fixed columns: the key, the letter in column 20,
// millimetres in columns 22 to 25, the description from column 26.
std::string Choice(std::string key, char letter, int millimetres, const std::string& text) {
    key.resize(19, ' ');
    return key + letter + ' ' + FourDigits(millimetres) + text;
}

// A connection line: the description from column 22.
std::string Connection(std::string key, char letter, const std::string& text) {
    key.resize(19, ' ');
    return key + letter + ' ' + text;
}

struct Section {
    std::string key;
    std::string title;
    std::vector<std::string> lines;
};

// A small valve range: four types, dimensions 80 to 150 mm, two bottom
// letters and a few traps (same letters twice, lines without a letter,
// a bottom line that names another letter, missing sections).
const std::vector<Section>& TestSections() {
    static const std::vector<Section> sections = {
        {"¤DIM_ONE", "DIMS", {Choice("DN080", 'A', 80, "DN 80")}},
        {"¤DIM_TEE",
         "DIMS",
         {Choice("DN100", 'B', 100, "DN 100"), Choice("DN101", 'C', 101, "DN 101"),
          Choice("DN150", 'D', 150, "DN 150"), Choice("DN150B", 'D', 150, "DN 150 (later line)"),
          "DN999 no letter"}},
        {"¤DIM_CROSS", "DIMS", {Choice("DN100", 'B', 100, "DN 100")}},
        {"¤DIM_DOUBLE", "DIMS", {Choice("DN100", 'B', 100, "DN 100")}},
        {"¤BOTTOM_A   A2 HL EP AKT", "Bottom A", {"A   0000 A2/HL/EP/AKT"}},
        {"¤BOTTOM_P", "Bottom P", {"P   1111"}},
        {"¤BOTTOM_Z", "Bottom Z", {"Y   0110 names another letter"}},
        {"¤BOTTOM_Q", "Bottom Q", {"Q   10"}},
        {"¤CPD_TEE_0100",
         "ACC_SMALL",
         {Choice("UTEN", 'U', 0, "Without"), Choice("GARN", 'G', 1500, "Set"),
          Choice("GARN2", 'G', 1200, "Set (later line)")}},
        {"¤CPD_TEE_0101", "ACC_SMALL", {Choice("GARN", 'G', 0, "never read: 101 mm is above 100")}},
        {"¤CPD_TEE_+",
         "ACC_LARGE",
         {Choice("UTEN", 'U', 0, "Without"), Choice("ISO", 'I', 0, "Insulation")}},
        {"¤CPD_CROSS_0100", "ACC_SMALL", {Choice("UTEN", 'U', 0, "Without")}},
        {"¤CPD_DOUBLE_0100", "ACC_SMALL", {Choice("UTEN", 'U', 0, "Without")}},
        {"¤CONN_ONE",
         "CONN_SINGLE",
         {Connection("FLENS", 'F', "Flange"), Connection("SPISS", 'S', "Spigot")}},
        {"¤CONN_TEE",
         "CONN_TEE",
         {Connection("FLENS", 'F', "Flange"), Connection("FLENS2", 'F', "Flange (later line)"),
          Connection("SPISS", 'S', "Spigot"), Connection("MUFFE", 'M', "Socket"), "SHORT"}},
        {"¤CONN_CROSS",
         "CONN_CROSS",
         {Connection("FLENS", 'F', "Flange"), Connection("SPISS", 'S', "Spigot")}},
        {"¤CONN_DOUBLE", "CONN_DOUBLE", {Connection("FLENS", 'F', "Flange")}},
        {"¤DN080_FLENS", "TK", {Choice("DN080", 'A', 80, "Flange DN 80")}},
        {"¤DN080_SPISS", "TK", {Choice("PE090", 'L', 90, "PE 90")}},
        {"¤DN100_FLENS",
         "TK",
         {Choice("DN080", 'A', 80, "Flange DN 80"), Choice("DN100", 'B', 100, "Flange DN 100"),
          Choice("DN110", 'B', 110, "Flange DN 110 (later line)")}},
        {"¤DN100_SPISS", "TK", {Choice("PE110", 'M', 110, "PE 110")}},
        {"¤DN101_FLENS", "TK", {Choice("DN100", 'B', 100, "Flange DN 100")}},
        {"¤DN150B_FLENS", "TK", {Choice("DN150", 'C', 150, "Flange DN 150")}},
    };
    return sections;
}

ValvePageLayout TestLayout() {
    ValvePageLayout layout;
    layout.groups[kSpindleQuality] = {{}, "Spindle", "Steel A2", "Steel A4"};
    layout.groups[kClosingDirection] = {{}, "Closing", "Clockwise", "Anticlockwise"};
    layout.groups[kWedgeQuality] = {{}, "Wedge", "EPDM", "NBR"};
    layout.groups[kActuator] = {{}, "Actuator", "With actuator", "Without actuator"};
    layout.optionTags = {"A2", "A4", "HL", "VL", "EP", "NBR", "AKT", "NOAKT"};
    layout.valveTypes = {{"ONE", "E", 0, "Single valve"},
                         {"TEE", "T", 0, "T-cross"},
                         {"CROSS", "K", 0, "X-cross"},
                         {"DOUBLE", "D", 0, "Two valve houses"}};
    return layout;
}

void WriteUtf8Lines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines)
        bytes += Cp(line) + "\r\n";
    test::WriteBytes(file, bytes);
}

// The test installation in a directory of its own, with the code check's
// messages recorded. `omit` leaves out the section with that key line
// (UTF-8, as written here).
struct Installation {
    explicit Installation(std::string_view omit = {}, const std::string& language = "NO") {
        std::vector<std::string> lines = {"* parameter file of the code check tests"};
        for (const auto& section : TestSections()) {
            if (section.key == omit)
                continue;
            lines.push_back(section.key);
            lines.push_back(section.title);
            lines.insert(lines.end(), section.lines.begin(), section.lines.end());
            lines.push_back("EOL");
        }
        WriteUtf8Lines(dir / "Tessaro.dat", lines);
        // Each language file names the lists in its own words.
        auto lists = [](const std::string& words) {
            return std::vector<std::string>{
                "¤CONN_TEE", "Flange " + words, "Flange 2 " + words, "Spigot " + words,
                "EOL",       "¤ACC_SMALL",      "Without " + words,  "Set " + words,
                "EOL"};
        };
        std::vector<std::string> english = lists("(list)");
        english.insert(english.begin(), {"¤¤Kode", "Code"});
        WriteUtf8Lines(dir / "Lang_EN.txt", english);
        WriteUtf8Lines(dir / "Lang_NO.txt", lists("(liste)"));

        files.setLanguage(language);
        files.head.codeSuffix = "-S";
        config.setMessages(&messages);
        config.Clear();
    }

    int check(std::string_view code) {
        config.code = code;
        return config.CheckCode();
    }

    test::TempDir dir;
    platform::RecordingMessageBoxes messages;
    data::DataFiles files{dir.path(), "NO", messages};
    Configuration config{files, TestLayout()};
};

struct CheckCase {
    const char* code;
    int position;
    const char* reason;
    const char* omit = "";    // a section key line left out of the parameter file
    const char* message = ""; // the one message shown, "" for none
};

TEST(CheckCodeTest, ReportsTheFirstInvalidPositionInCheckingOrder) {
    const CheckCase cases[] = {
        {"EAXAFAXXSLXX-S", 0, "single valve; position 3 X passes without an accessory list"},
        {"EAXAFA!!SL!!-S", 0, "a single valve never looks at positions 7, 8, 11 and 12"},
        {"EAUAFAXXSLXX-S", 3, "only X passes at position 3 of a single valve"},
        {"TAUBFBSMFBXX-S", 0, "T-cross with three slots"},
        {"TAUBFBSMFB!!-S", 0, "a T-cross never looks at positions 11 and 12"},
        {"TAXBFBSMFBXX-S", 3, "X at position 3 passes for the single valve only"},
        {"TAUBFB!!FBXX-S", 7, "a T-cross checks its east slot"},
        {"TAUBFBSZFBXX-S", 8, "PE spigot of DN 100 has no letter Z"},
        {"KAUBFBSMFBSM-S", 0, "X-cross with four slots"},
        {"KAUBFBSMFB!M-S", 11, "an X-cross checks its west slot"},
        {"KAUBFBSMFBS!-S", 12, "and the west slot's dimension"},
        {"DAUBFB!!FB!!-S", 0, "two valve houses: positions 7, 8, 11 and 12 are not looked at"},
        {"DAUBFB!!!B!!-S", 9, "two valve houses still check the south slot"},
        {"QAUBFBSMFBXX-S", 1, "no valve type Q"},
        {"TWUBFBSMFBXX-S", 2, "no bottom section W"},
        {"TAUZFBSMFBXX-S", 4, "no dimension Z"},
        {"TWUZFBSMFBXX-S", 4, "errors at 2 and 4: the dimension is checked first"},
        {"TAZBZBSMFBXX-S", 3, "errors at 3 and 5: the accessory is checked first"},
        {"QZZZZZZZZZZZ-S", 1, "everything wrong: the valve type comes first"},
        {"TAUBFBSMFBXX", 0, "a code without suffix is checked all the same"},
        {"KAUBFBSMFBS", 12, "a code that ends early is invalid where it ends"},
        {"TAU", 4, "the dimension line without a letter never matches a missing position"},
        {"TAUB", 5, "the connection line without a letter never matches either"},
        {"TAGBFBSMFBXX-S", 0, "100 mm: accessory list _0100"},
        {"TAIBFBSMFBXX-S", 3, "100 mm: the list above 100 mm is not consulted"},
        {"TAICFBFBFBXX-S", 0, "101 mm: accessory list _+"},
        {"TAGCFBFBFBXX-S", 3, "101 mm: never a list with four digits"},
        {"TAUDFCFCFCXX-S", 0, "the later of two dimension lines D keys the connection dimensions"},
        {"TAUBFBSMFBXX-S", 4, "no dimension list", "¤DIM_TEE"},
        {"TAUBFBSMFBXX-S", 2, "no bottom section", "¤BOTTOM_A   A2 HL EP AKT"},
        {"TAUBFBSMFBXX-S", 3, "no accessory list", "¤CPD_TEE_0100"},
        {"TAUBFBSMFBXX-S", 5, "no connection list", "¤CONN_TEE"},
        {"TAUBFBSMFBXX-S", 6, "no connection dimensions", "¤DN100_FLENS",
         "¤DN100_FLENS key not found"},
        {"TAUBMBFBFBXX-S", 6, "the socket has no list for DN 100", "",
         "¤DN100_MUFFE key not found"},
        {"TPUBFBSMFBXX-S", 0, "bottom letter P"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code) + ": " + c.reason);
        Installation installation(c.omit);
        EXPECT_EQ(installation.check(c.code), c.position);
        std::vector<std::string> expected;
        if (*c.message)
            expected.push_back(Cp(c.message));
        EXPECT_EQ(installation.messages.shown, expected);
    }
}

TEST(CheckCodeTest, BottomLineOfAnotherLetterIsShownAndUsed) {
    Installation installation;
    EXPECT_EQ(installation.check("TZUBFBSMFBXX-S"), 0) << "the check goes on with that line";
    ASSERT_EQ(installation.messages.shown.size(), 1u);
    EXPECT_EQ(installation.messages.shown[0],
              "Format error for code Z\r\nY   0110 names another letter");
    EXPECT_EQ(installation.config.record.optionKey, Cp("¤A2_VL_NBR_AKT"));
}

TEST(CheckCodeTest, FillsTheRecord) {
    Installation installation;
    ASSERT_EQ(installation.check("TAGBFBSMFBXX-S"), 0);
    const Configuration& config = installation.config;
    const ConfigurationRecord& record = config.record;

    EXPECT_EQ(record.valveType, 2);
    EXPECT_EQ(record.typeKey, "TEE");
    EXPECT_EQ(record.typeDescription, "T-cross");
    EXPECT_TRUE(record.isType[2]);
    EXPECT_FALSE(record.isType[1] || record.isType[3] || record.isType[4]);
    EXPECT_TRUE(record.hasCentrePart);

    EXPECT_EQ(record.dimensionLine, 1);
    EXPECT_EQ(record.dimensionKey, "DN100");
    EXPECT_EQ(record.dimensionMillimetres, 100);

    EXPECT_EQ(record.accessoryLine, 3) << "the later of two lines G";
    EXPECT_EQ(record.accessoryKey, "GARN2");
    EXPECT_EQ(record.accessoryNumber, 1200);

    const char* tags[] = {"A2", "HL", "EP", "AKT"};
    const char* lines[] = {"Spindle: Steel A2", "Closing: Clockwise", "Wedge: EPDM", "Actuator"};
    const bool bits[] = {false, false, false, true};
    for (int group = 0; group < 4; ++group) {
        SCOPED_TRACE(group);
        EXPECT_TRUE(record.options[group].chosen);
        EXPECT_EQ(record.options[group].tag, tags[group]);
        EXPECT_EQ(record.options[group].reportLine, lines[group]);
        EXPECT_EQ(record.options[group].bit, bits[group]);
    }
    EXPECT_EQ(record.optionKey, Cp("¤A2_HL_EP_AKT"));

    EXPECT_EQ(record.slots[1].connectionLine, 1) << "the first of two connections F";
    EXPECT_EQ(record.slots[1].connectionKey, "FLENS");
    EXPECT_EQ(record.slots[1].connectionDescription, "Flange (liste)");
    EXPECT_EQ(record.slots[1].dimensionLine, 3) << "the later of two lines B";
    EXPECT_EQ(record.slots[1].dimensionKey, "DN110");
    EXPECT_EQ(record.slots[1].dimensionMillimetres, 110);
    EXPECT_EQ(record.slots[2].connectionKey, "SPISS");
    EXPECT_EQ(record.slots[2].connectionLine, 3);
    EXPECT_EQ(record.slots[2].dimensionKey, "PE110");
    EXPECT_EQ(record.slots[2].dimensionMillimetres, 110);
    EXPECT_EQ(record.slots[3].connectionKey, "FLENS");
    EXPECT_EQ(record.slots[4].connectionLine, 0) << "a T-cross has no west slot";
    EXPECT_EQ(record.slots[4].dimensionLine, 0);

    ASSERT_EQ(config.connections.size(), 5u);
    EXPECT_EQ(config.connections[3].key, "MUFFE");
    for (int position = 1; position <= 15; ++position)
        EXPECT_EQ(config.positionFlags[position], position == 11 || position == 12) << position;
}

TEST(CheckCodeTest, BottomDigitsChooseTheOptions) {
    struct Case {
        const char* code;
        std::array<const char*, 4> tags;
        std::array<const char*, 4> lines;
        std::array<bool, 4> bits;
        const char* reason;
    } cases[] = {
        {"TPUBFBSMFBXX-S",
         {"A4", "VL", "NBR", "NOAKT"},
         {"Spindle: Steel A4", "Closing: Anticlockwise", "Wedge: NBR", "IKKE Actuator"},
         {true, true, true, false},
         "every digit 1: option 2, without actuator"},
        {"TQUBFBSMFBXX-S",
         {"A4", "HL", "NBR", "NOAKT"},
         {"Spindle: Steel A4", "Closing: Clockwise", "Wedge: NBR", "IKKE Actuator"},
         {true, false, true, false},
         "a line ending after the closing digit: the missing digits are not 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code) + ": " + c.reason);
        Installation installation;
        ASSERT_EQ(installation.check(c.code), 0);
        const auto& options = installation.config.record.options;
        for (int group = 0; group < 4; ++group) {
            EXPECT_EQ(options[group].tag, c.tags[group]) << group;
            EXPECT_EQ(options[group].reportLine, c.lines[group]) << group;
            EXPECT_EQ(options[group].bit, c.bits[group]) << group;
        }
    }
}

TEST(CheckCodeTest, SingleValveGetsXAtPositionThreeOfTheStoredCode) {
    Installation installation;
    EXPECT_EQ(installation.check("EAUAFAXXSLXX-S"), 3) << "the copy still holds U";
    EXPECT_EQ(installation.config.code, "EAXAFAXXSLXX-S");
    EXPECT_FALSE(installation.config.record.hasCentrePart);
}

TEST(CheckCodeTest, TheFirstValveTypeWithTheLetterWins) {
    Installation installation;
    ValvePageLayout layout = TestLayout();
    layout.valveTypes[2].letter = "T"; // the X-cross now shares the T-cross's letter
    Configuration config(installation.files, layout);
    config.code = "TAUBFBSMFBXX-S";
    EXPECT_EQ(config.CheckCode(), 0) << "an X-cross would check position 11";
    EXPECT_EQ(config.record.valveType, 2);
    EXPECT_EQ(config.record.typeKey, "TEE");
}

TEST(CheckCodeTest, ACheckForgetsTheSlotsOfTheCodeBefore) {
    Installation installation;
    ASSERT_EQ(installation.check("KAUBFBSMFBSM-S"), 0);
    ASSERT_EQ(installation.config.record.slots[4].connectionKey, "SPISS");
    ASSERT_EQ(installation.check("TAUBFBSMFBXX-S"), 0);
    EXPECT_EQ(installation.config.record.slots[4].connectionLine, 0);
    EXPECT_EQ(installation.config.record.slots[4].connectionKey, "");
    EXPECT_EQ(installation.check("TAUBFBSZFBXX-S"), 8);
    EXPECT_EQ(installation.config.record.slots[2].connectionKey, "SPISS");
    EXPECT_EQ(installation.config.record.slots[2].dimensionLine, 0)
        << "no dimension line matched, so none is kept";
}

TEST(CheckCodeTest, DescriptionsComeFromTheTranslatedLists) {
    struct Case {
        const char* language;
        const char* connection;
        const char* accessory;
        const char* reason;
    } cases[] = {
        {"EN", "Flange (list)", "Without (list)", "English lists"},
        {"NO", "Flange (liste)", "Without (liste)",
         "Norwegian too takes the lists of its language file, as the wizard's lists do"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        Installation installation({}, c.language);
        ASSERT_EQ(installation.check("TAUBFBSMFBXX-S"), 0);
        const auto& record = installation.config.record;
        EXPECT_EQ(record.slots[1].connectionDescription, c.connection);
        EXPECT_EQ(record.accessoryDescription, c.accessory);
    }
    Installation english({}, "EN");
    ASSERT_EQ(english.check("TAGBFBSMFBXX-S"), 0);
    EXPECT_EQ(english.config.record.accessoryDescription, "Set (later line)")
        << "the translated list ends before line 3";
    EXPECT_EQ(english.config.record.slots[2].connectionDescription, "Spigot (list)");
}

TEST(ConfigurationTest, MarkValveTypeMarksThePositionsTheTypeDoesNotUse) {
    const struct {
        int type;
        std::set<int> marked;
        const char* code;
    } cases[] = {
        {1, {3, 7, 8, 11, 12}, "TAXBFBSMFBXX-S"},
        {2, {11, 12}, "TAGBFBSMFBXX-S"},
        {3, {}, "TAGBFBSMFBXX-S"},
        {4, {7, 8, 11, 12}, "TAGBFBSMFBXX-S"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        Installation installation;
        Configuration& config = installation.config;
        config.code = "TAGBFBSMFBXX-S";
        config.positionFlags.fill(true);
        config.MarkValveType(c.type);
        for (int position = 1; position <= 15; ++position)
            EXPECT_EQ(config.positionFlags[position], c.marked.count(position) == 1) << position;
        EXPECT_EQ(config.code, c.code);
        EXPECT_EQ(config.record.valveType, c.type);
        EXPECT_EQ(config.record.typeKey, TestLayout().valveTypes[c.type - 1].key);
        EXPECT_EQ(config.record.hasCentrePart, c.type != 1);
        for (int type = 1; type <= 4; ++type)
            EXPECT_EQ(config.record.isType[type], type == c.type) << type;
    }
}

TEST(ConfigurationTest, MarkValveTypeBeyondTheListedTypes) {
    Installation installation;
    ValvePageLayout layout = TestLayout();
    layout.valveTypes.resize(2);
    Configuration config(installation.files, layout);
    config.MarkValveType(4);
    EXPECT_EQ(config.record.valveType, 4);
    EXPECT_EQ(config.record.typeKey, "");
    config.MarkValveType(9);
    EXPECT_EQ(config.record.valveType, 9);
    for (int type = 0; type <= 4; ++type)
        EXPECT_FALSE(config.record.isType[type]) << type;
}

TEST(ConfigurationTest, ClearAndTheTwoDisplays) {
    Installation installation({}, "EN");
    Configuration& config = installation.config;
    config.code = "TAGBFBSMFBXX-S";
    config.positionFlags[4] = true;
    config.record.dimensionKey = "DN100";
    config.connections.push_back({});
    config.Clear();
    EXPECT_EQ(config.code, "XXXXXXXXXXXX-S");
    EXPECT_FALSE(config.positionFlags[4]);
    EXPECT_EQ(config.record.dimensionKey, "");
    EXPECT_TRUE(config.connections.empty());
    EXPECT_EQ(config.codeBoxText(), " XXXXXXXXXXXX-S");
    EXPECT_EQ(config.codeLabelText(), "Code: XXXXXXXXXXXX-S");
    installation.files.setLanguage("NO");
    EXPECT_EQ(config.codeLabelText(), "Kode: XXXXXXXXXXXX-S");
}

TEST(ConfigurationTest, SetCodePositionReplacesOneCharacterOnly) {
    const struct {
        const char* code;
        const char* letter;
        int position;
        const char* result;
        const char* reason;
    } cases[] = {
        {"XXXXXXXXXXXX-S", "T", 1, "TXXXXXXXXXXX-S", "first position"},
        {"XXXXXXXXXXXX-S", "B", 12, "XXXXXXXXXXXB-S", "last position, suffix kept"},
        {"XXXXXXXXXXXX-S", "", 4, "XXX?XXXXXXXX-S", "an empty letter writes ?"},
        {"XXXXXXXXXXXX-S", "GH", 3, "XXGXXXXXXXXX-S", "a longer text writes its first character"},
        {"XXXXXXXXXXXX-S", "A", 0, "XXXXXXXXXXXX-S", "no position 0"},
        {"XXXXXXXXXXXX-S", "A", 13, "XXXXXXXXXXXX-S", "the suffix is never written"},
        {"XXXXXXXXXXXX-S", "A", -1, "XXXXXXXXXXXX-S", "negative"},
        {"XXXX", "A", 6, "XXXX", "never past the end of a short code"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        Installation installation;
        installation.config.code = c.code;
        installation.config.SetCodePosition(c.letter, c.position);
        EXPECT_EQ(installation.config.code, c.result);
    }
}

TEST(ConfigurationTest, UpperCaseOfWindows1252Letters) {
    const struct {
        const char* text;
        const char* upper;
    } cases[] = {
        {"tbgcfcspfcxx-v18", "TBGCFCSPFCXX-V18"},
        {"ABC-123 {}", "ABC-123 {}"},
        {"æøåàþ", "ÆØÅÀÞ"},
        {"šœžÿ", "ŠŒŽŸ"},
        {"ß÷µ", "ß÷µ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::UpperCase(Cp(c.text)), Cp(c.upper)) << c.text;
}

TEST(ConfigurationTest, PositionMessageQuotesTheCharacter) {
    EXPECT_EQ(PositionMessage("TBGZFCSPFCXX-V18", 4),
              Cp("Feil i kodens posisjon 4\r\nDenne posisjonen kan ikke være 'Z'"));
    EXPECT_EQ(PositionMessage("TB", 12),
              Cp("Feil i kodens posisjon 12\r\nDenne posisjonen kan ikke være ''"));
}

// The example codes of the sample installation.
TEST(CheckCodeTest, SampleInstallationCodes) {
    const struct {
        const char* code;
        int position;
        const char* reason;
    } cases[] = {
        {"EBXCFCXXFCXX-V18", 0, "single valve DN 150, flanges at both ends"},
        {"EBXAMAXXSLXX-V18", 0, "single valve DN 80, socket and PE spigot"},
        {"EJXDSRXXFDXX-V18", 0, "single valve DN 200 with A4 spindle"},
        {"ECXBGBXXFAXX-V18", 0, "single valve DN 100, service flange, reducer"},
        {"TBGCFCSPFCXX-V18", 0, "T-cross DN 150 with installation set"},
        {"TBUAFABAMAXX-V18", 0, "T-cross DN 80, blind flange east"},
        {"TFKEFEFEFEXX-V18", 0, "T-cross DN 250, anticlockwise"},
        {"TKKFSVGEFGXX-V18", 0, "T-cross DN 300, A4, NBR, actuator"},
        {"KBBDFDFDFDFD-V18", 0, "X-cross DN 200 with set and street cap"},
        {"KAGCFBGCSPMC-V18", 0, "X-cross DN 150, one of each connection"},
        {"KBIFFGFFFFBF-V18", 0, "X-cross DN 300 with the withdrawn insulation cover"},
        {"DBUCFCXXFCXX-V18", 0, "two valve houses DN 150"},
        {"DAGBFBXXSMXX-V18", 0, "two valve houses DN 100 with actuator"},
        {"DPBDMCXXBDXX-V18", 0, "two valve houses DN 200 without actuator"},
        {"TBGZFCSPFCXX-V18", 4, "no dimension Z"},
        {"TZGZFCSPFCXX-V18", 4, "bad letters at 2 and 4"},
        {"TXGCFCSPFCXX-V18", 2, "no bottom section X"},
        {"TBIBFBFBFBXX-V18", 3, "insulation cover only from DN 150 up"},
        {"TBGCFCQPFCXX-V18", 7, "no connection Q"},
        {"TBGCFCSAFCXX-V18", 8, "no PE spigot A at DN 150"},
        {"QBGCFCSPFCXX-V18", 1, "no valve type Q"},
    };
    for (const char* language : {"NO", "EN"}) {
        platform::RecordingMessageBoxes messages;
        data::DataFiles files(std::filesystem::path(TV_SAMPLE_DIR) / "Tessaro", language, messages);
        Configuration config(files, ReadValvePageLayout(files));
        config.setMessages(&messages);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(language) + " " + c.code + ": " + c.reason);
            config.code = c.code;
            EXPECT_EQ(config.CheckCode(), c.position);
        }
        EXPECT_TRUE(messages.shown.empty());
    }
}

} // namespace
} // namespace tv::wizard
