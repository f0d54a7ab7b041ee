#include "admin/AdminScreenLayout.h"
#include "admin/DebugMode.h"
#include "admin/OptionDefaults.h"
#include "data/StartupValues.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace tv::data {
void PrintTo(const TwipRect& r, std::ostream* out) {
    *out << "{" << r.top << ", " << r.left << ", " << r.width << ", " << r.height << "}";
}
} // namespace tv::data

namespace tv::admin {
namespace {

using test::Cp;
using test::TempDir;
using test::WriteLines;

class AdminLogicTest : public ::testing::Test {
protected:
    AdminLogicTest() {
        WriteLines(dir_ / "Lang_NO.txt",
                   {"Tessaro", "¤SetA2default0", "A2 fritt", "¤SetA2default1", "A2 valgt",
                    "¤SetA2default2", "A2 låst", "¤SetDebugModeInfo", "Går i debug",
                    "¤SetNormalModeInfo", "Går normalt", "¤DebugModeInfo", "Debug lagret",
                    "¤NormalModeInfo", "Normal lagret"});
    }

    data::DataFiles& files() {
        files_ = std::make_unique<data::DataFiles>(dir_.path(), "NO", messages_);
        return *files_;
    }

    std::string setting(const char* key) {
        return settings_.get(data::kSettingsApp, data::kSettingsSection, key);
    }

    TempDir dir_;
    platform::RecordingMessageBoxes messages_;
    platform::MemorySettingsStore settings_;
    std::unique_ptr<data::DataFiles> files_;
};

TEST_F(AdminLogicTest, LayoutPlacesTheDerivedControlsFromTheSectionsNumbers) {
    std::vector<std::string> lines = {"Tessaro", "¤ADMINSCREEN", "Administrasjon",
                                      "500",     "200",          "9350",
                                      "3700",    "Program",      "4400",
                                      "200",     "9350",         "4300",
                                      "¤¤Data",  "900",          "400",
                                      "1500",    "375",          "850",
                                      "600"};
    for (int row = 0; row < 4; ++row)
        for (int value : {1700 + 500 * row, 400, 1200, 375, 1650 + 500 * row, 2600, 500})
            lines.push_back(std::to_string(value));
    for (const char* line : {"4850", "400", "2600", "375", "450"})
        lines.push_back(line);
    for (int k = 1; k <= 8; ++k)
        lines.push_back("Knapp " + std::to_string(k));
    for (const char* line : {"4850", "3200", "6200", "3650", "EOL"})
        lines.push_back(line);
    std::string bytes;
    for (const auto& line : lines)
        bytes += Cp(line) + "\r\n";
    test::WriteBytes(dir_ / "Tessaro.dat", bytes);

    const auto layout = ReadAdminScreenLayout(files());
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->settingsCaption, "Program");
    EXPECT_EQ(layout->dataCaption, "Data") << "a text key line, in Norwegian its own text";
    EXPECT_EQ(layout->debugLabel, (TwipRect{850, 400 + 1500 + 200, 9350 - 1500 - 500, 600}));
    const OptionRowPlace& ac = layout->optionRows[3];
    EXPECT_EQ(ac.first(), (TwipRect{3200, 400, 1200, 375}));
    EXPECT_EQ(ac.second(), (TwipRect{3200, 1800, 800, 375})) << "200 right of the first";
    EXPECT_EQ(ac.label(), (TwipRect{3150, 2600, 6700, 500}));
    EXPECT_EQ(layout->dataButton(1), (TwipRect{4850, 400, 2600, 375}));
    EXPECT_EQ(layout->dataButton(8), (TwipRect{4850 + 7 * 450, 400, 2600, 375}));
    EXPECT_EQ(layout->dataCaptions[7], "Knapp 8");
    EXPECT_EQ(layout->recordStatus().top, layout->dataButton(6).top)
        << "below the five visible buttons";
    EXPECT_EQ(layout->recordList, (TwipRect{4850, 3200, 6200, 3650}));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(AdminLogicTest, ATruncatedOrMissingSection) {
    WriteLines(dir_ / "Tessaro.dat", {"Tessaro", "¤ADMINSCREEN", "Administrasjon", "500", "200"});
    const auto truncated = ReadAdminScreenLayout(files());
    ASSERT_TRUE(truncated) << "what is there is used";
    EXPECT_EQ(truncated->settingsFrame, (TwipRect{500, 200, 0, 0}));
    EXPECT_EQ(truncated->settingsCaption, "");
    EXPECT_EQ(truncated->dataButton(8), (TwipRect{}));
    EXPECT_EQ(truncated->dataCaptions[0], "");

    WriteLines(dir_ / "Tessaro.dat", {"Tessaro", "¤EDITSCREEN", "1"});
    EXPECT_FALSE(ReadAdminScreenLayout(files()));
    EXPECT_TRUE(messages_.shown.empty()) << "a missing section is no message";
}

TEST_F(AdminLogicTest, OptionRowShowsTheStoredState) {
    struct Case {
        const char* stored;
        const char* first;
        bool firstEnabled;
        const char* second;
        const char* label;
        const char* why;
    };
    const Case cases[] = {
        {"", "Default på", true, "Disable", "A2 fritt", "nothing stored is no preset"},
        {"0", "Default på", true, "Disable", "A2 fritt", "no preset"},
        {"1", "Default av", true, "Disable", "A2 valgt", "preset"},
        {"2", "Default av", false, "Enable", "A2 låst", "locked: only Enable is offered"},
        {"2x", "Default av", false, "Enable", "A2 låst", "the leading number counts"},
        {"abc", "Default på", true, "Disable", "A2 fritt", "not a number is 0"},
        {"7", "A2", true, "a2", "", "another value keeps the captions"},
        {"-1", "A2", true, "a2", "", "so does a negative one"},
        {"1.5", "A2", true, "a2", "", "and a fraction"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        settings_.save(data::kSettingsApp, data::kSettingsSection, "A2control", c.stored);
        OptionDefaults defaults(settings_, files(), messages_);
        defaults.RefreshAll();
        const OptionRowView& row = defaults.rows[0];
        EXPECT_EQ(row.firstCaption, Cp(c.first));
        EXPECT_EQ(row.firstEnabled, c.firstEnabled);
        EXPECT_EQ(row.secondCaption, c.second);
        EXPECT_EQ(row.labelText, Cp(c.label));
    }
}

TEST_F(AdminLogicTest, OptionButtonsStepThroughTheStates) {
    struct Case {
        const char* stored;
        int afterFirst;
        int afterSecond;
    };
    const Case cases[] = {{"0", 1, 2}, {"1", 0, 2}, {"2", 1, 0}, {"7", 0, 0}, {"", 1, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        OptionDefaults defaults(settings_, files(), messages_);
        settings_.save(data::kSettingsApp, data::kSettingsSection, "LRcontrol", c.stored);
        defaults.PressFirst(1);
        EXPECT_EQ(setting("LRcontrol"), std::to_string(c.afterFirst));
        settings_.save(data::kSettingsApp, data::kSettingsSection, "LRcontrol", c.stored);
        defaults.PressSecond(1);
        EXPECT_EQ(setting("LRcontrol"), std::to_string(c.afterSecond));
    }

    // From 0 the first button goes to 1 and back; the row follows at once.
    OptionDefaults defaults(settings_, files(), messages_);
    settings_.save(data::kSettingsApp, data::kSettingsSection, "A2control", "0");
    defaults.PressFirst(0);
    EXPECT_EQ(defaults.rows[0].firstCaption, "Default av");
    defaults.PressFirst(0);
    EXPECT_EQ(defaults.rows[0].firstCaption, Cp("Default på"));
    defaults.PressSecond(0);
    EXPECT_FALSE(defaults.rows[0].firstEnabled);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(AdminLogicTest, AnOptionDefaultThatCannotBeStoredIsSaid) {
    settings_.save(data::kSettingsApp, data::kSettingsSection, "SKcontrol", "0");
    settings_.failSaves = true;
    OptionDefaults defaults(settings_, files(), messages_);
    defaults.PressFirst(2);
    EXPECT_EQ(messages_.shown,
              std::vector<std::string>{"The setting SKcontrol could not be saved."});
    EXPECT_EQ(defaults.rows[2].firstCaption, Cp("Default på")) << "the row shows what is stored";
}

TEST_F(AdminLogicTest, DebugModeButtonNamesTheOtherModeAndTheToggleStoresIt) {
    auto& data = files();
    EXPECT_EQ(DebugModeCaptions(true, data).buttonCaption, "Normal");
    EXPECT_EQ(DebugModeCaptions(true, data).labelText, Cp("Går i debug"));
    EXPECT_EQ(DebugModeCaptions(false, data).buttonCaption, "Debug mode");
    EXPECT_EQ(DebugModeCaptions(false, data).labelText, Cp("Går normalt"));
}

TEST_F(AdminLogicTest, ToggleSwitchesTheFlagAndStoresTheMode) {
    bool debug = false;
    EXPECT_EQ(ToggleDebugMode(debug, settings_, files(), messages_), "Debug lagret");
    EXPECT_TRUE(debug);
    EXPECT_EQ(setting("BrivoMode"), "2");
    EXPECT_EQ(ToggleDebugMode(debug, settings_, files(), messages_), "Normal lagret");
    EXPECT_FALSE(debug);
    EXPECT_EQ(setting("BrivoMode"), "1");
    EXPECT_TRUE(messages_.shown.empty());

    settings_.failSaves = true;
    ToggleDebugMode(debug, settings_, files(), messages_);
    EXPECT_TRUE(debug) << "the mode holds for this run";
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find("BrivoMode could not be saved"), std::string::npos);
}

TEST_F(AdminLogicTest, TheDebugLabelsTextGoesToTestTxtAsOneLine) {
    const std::string text = DebugInfoWithProbe("T\xD8"
                                                "0150  ",
                                                "Bakovi    2026");
    EXPECT_EQ(text, "T\xD8"
                    "0150  \r\nDra til Bakovi    2026");
    const auto written = WriteTestFile(files(), text, messages_);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, dir_ / "Test.txt");
    EXPECT_EQ(test::ReadBytes(*written), text + "\r\n");

    std::filesystem::remove(*written);
    std::filesystem::create_directory(*written);
    EXPECT_FALSE(WriteTestFile(files(), text, messages_));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0], "Test.txt could not be written:\r\n" + data::PathText(*written) +
                                      "\r\n" + written->string() + " is a directory");
}

} // namespace
} // namespace tv::admin
