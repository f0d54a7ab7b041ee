#include "wizard/ValvePageLayout.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tv::wizard {
namespace {

using test::Cp;

const std::filesystem::path kSampleData = std::filesystem::path(TV_SAMPLE_DIR) / "Tessaro";

TEST(ValvePageLayoutTest, ReadsTheValuesAfterTheHeadOfTheSample) {
    platform::RecordingMessageBoxes messages;
    data::DataFiles files(kSampleData, "NO", messages);
    const auto layout = ReadValvePageLayout(files);
    EXPECT_EQ(files.head.codeSuffix, "-V18");
    EXPECT_EQ(files.head.passCode, "KelmorAdm");
    EXPECT_EQ(layout.windowWidth, 9850);
    EXPECT_EQ(layout.windowHeight, 10550);
    EXPECT_EQ(layout.pictureSize, 1650);
    EXPECT_EQ(layout.typeFrame.top, 2700);
    EXPECT_EQ(layout.typeFrame.height, 3150);
    EXPECT_EQ(layout.groups[kSpindleQuality].caption, "Spindelkvalitet");
    EXPECT_EQ(layout.groups[kClosingDirection].option1, Cp("Høyrelukkende"));
    EXPECT_EQ(layout.groups[kActuator].option2, "Uten aktuator");
    EXPECT_EQ(layout.dimensionFrame.left, 200);
    EXPECT_EQ(layout.accessoryFrame.left, 6450);
    EXPECT_EQ(layout.buttonTop, 8900);
    EXPECT_EQ(layout.codeBoxWidth, 2700);
    EXPECT_EQ(layout.slotFrames[3].left, 700) << "the left slot frame comes last";
    EXPECT_EQ(layout.picker.margin, 90);
    EXPECT_EQ(layout.picker.bottomOffset, 5500);
    const std::array<std::string, 8> tags = {"A2", "A4", "HL", "VL", "EP", "NBR", "AKT", "NOAKT"};
    EXPECT_EQ(layout.optionTags, tags);
    ASSERT_EQ(layout.valveTypes.size(), 4u);
    EXPECT_EQ(layout.valveTypes[0].key, "ENKELVENTIL");
    EXPECT_EQ(layout.valveTypes[0].letter, "E");
    EXPECT_EQ(layout.valveTypes[2].letter, "K");
    EXPECT_EQ(layout.valveTypes[3].description, "Senterdel med to ventilhus");

    // In another language the types carry that language's names, for the
    // record and the report as much as for the buttons.
    data::DataFiles english(kSampleData, "EN", messages);
    EXPECT_EQ(ReadValvePageLayout(english).valveTypes[1].description, "T-cross");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ValvePageLayoutTest, CaptionsFollowTheLanguageHead) {
    platform::RecordingMessageBoxes messages;
    data::DataFiles files(kSampleData, "EN", messages);
    const auto captions = ReadValvePageCaptions(files);
    EXPECT_EQ(captions.head.nextCaption, "Next");
    EXPECT_EQ(captions.typeFrame, "Valve type");
    EXPECT_EQ(captions.accessoryFrame, "Accessories");
    EXPECT_EQ(captions.dimensionLabel, "Choose the nominal size:");
    EXPECT_EQ(captions.slotFrames[1], "Connection 6 o'clock");
    EXPECT_EQ(captions.connectionDimensionLabel, "Choose the size:");
    EXPECT_EQ(captions.typeButtonLeft, 200);
    ASSERT_EQ(captions.typeDescriptions.size(), 4u);
    EXPECT_EQ(captions.typeDescriptions[1], "T-cross");
}

TEST(ValvePageLayoutTest, MoreThanFourValveTypesAreReportedAndCut) {
    std::string bytes = "x\r\nid\r\ndir\r\ncode\r\n-S\r\n";
    auto add = [&bytes](const std::string& line) { bytes += line + "\r\n"; };
    for (int i = 0; i < 7; ++i) // window, picture, valve-type frame
        add(std::to_string(100 + i));
    for (int group = 0; group < 4; ++group) {
        for (int i = 0; i < 4; ++i)
            add(std::to_string(200 + i));
        add("Frame");
        add("One");
        add("Two");
    }
    for (int i = 0; i < 8 + 4 + 16 + 7; ++i) // lists, button row, slots, pickers
        add(std::to_string(300 + i));
    for (const char* tag : {"a", "b", "c", "d", "e", "f", "g", "h"})
        add(tag);
    add("Valve types");
    add("6 types");
    for (char letter : std::string("ABCDEF"))
        add(std::string("TYPE") + letter + "              " + letter + "     Type " + letter);
    test::TempDir dir;
    test::WriteBytes(dir / "Tessaro.dat", bytes);
    platform::RecordingMessageBoxes messages;
    data::DataFiles files(dir.path(), "NO", messages);
    const auto layout = ReadValvePageLayout(files);
    EXPECT_EQ(layout.optionTags[7], "h");
    ASSERT_EQ(layout.valveTypes.size(), 4u);
    EXPECT_EQ(layout.valveTypes[3].letter, "D");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("6 valve types"), std::string::npos);
}

} // namespace
} // namespace tv::wizard
