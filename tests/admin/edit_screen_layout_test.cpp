#include "admin/EditScreenLayout.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tv::admin {
namespace {

TEST(EditScreenLayoutTest, TheSampleSectionPlacesFiveRowsOfPairsAndTheButtonsBelow) {
    platform::RecordingMessageBoxes messages;
    const data::DataFiles files(std::filesystem::path(TV_SAMPLE_DIR) / "Tessaro", "NO", messages);
    const auto layout = ReadEditScreenLayout(files);
    ASSERT_TRUE(layout);
    EXPECT_TRUE(layout->frame == (TwipRect{4400, 200, 9350, 4300}));
    EXPECT_EQ(layout->frameCaption, "Rediger artikkel") << "a text key, translated";
    EXPECT_EQ(layout->boxCaptions[3], "Beskrivelse");
    EXPECT_EQ(layout->saveCaption, "Lagre");

    // Captions end 100 before their box, two lines high (the row less a
    // gap) around it; the key box spans both columns.
    EXPECT_TRUE(layout->keyCaption() == (TwipRect{248, 150, 1350, 480}));
    EXPECT_TRUE(layout->keyBox() == (TwipRect{300, 1600, 7450, 375}));
    // Rows of pairs, 520 apart: column 1 holds 1, 2, 3, 5, 6 and column 2
    // holds 4, 7, 8, 9, 10.
    const int pairs[5][2] = {{1, 4}, {2, 7}, {3, 8}, {5, 9}, {6, 10}};
    for (int row = 0; row < 5; ++row) {
        const int top = 800 + row * 520;
        const auto [left, right] = pairs[row];
        EXPECT_TRUE(layout->box(left) == (TwipRect{top, 1600, 2900, 375})) << left;
        EXPECT_TRUE(layout->boxCaption(left) == (TwipRect{top - 52, 150, 1350, 480})) << left;
        EXPECT_TRUE(layout->box(right) == (TwipRect{top, 6150, 2900, 375})) << right;
        EXPECT_TRUE(layout->boxCaption(right) == (TwipRect{top - 52, 4700, 1350, 480})) << right;
    }
    // A row below the last, save ending where box column 2 ends.
    EXPECT_TRUE(layout->saveButton() == (TwipRect{3400, 7900, 1150, 375}));
    EXPECT_TRUE(layout->cancelButton() == (TwipRect{3400, 6550, 1150, 375}));
}

TEST(EditScreenLayoutTest, ASectionThatStopsEarlyReadsZeroAndEmptyTextsAndNoneReadsNothing) {
    test::TempDir dir;
    platform::RecordingMessageBoxes messages;
    const data::DataFiles files(dir.path(), "NO", messages);
    EXPECT_FALSE(ReadEditScreenLayout(files)) << "no parameter file";
    test::WriteLines(dir / "Tessaro.dat", {"Tessaro", "¤EDITSCREENS", "EOL"});
    EXPECT_FALSE(ReadEditScreenLayout(files)) << "a longer key is another section";

    // The section ends the file after two of its eight numbers.
    test::WriteLines(dir / "Tessaro.dat", {"Tessaro", "¤EDITSCREEN", "Rediger", "4400", "200",
                                           "9350", "4300", "Artikkel", "300", "150"});
    const auto layout = ReadEditScreenLayout(files);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->frameCaption, "Artikkel");
    EXPECT_EQ(layout->captionLeft1, 150);
    for (int number : {layout->boxLeft1, layout->boxWidth, layout->boxLeft2, layout->rowStep})
        EXPECT_EQ(number, 0);
    EXPECT_EQ(layout->boxCaptions[9], "");
    EXPECT_EQ(layout->cancelCaption, "");
    EXPECT_EQ(layout->keyCaption().width, 0) << "no room, not a negative width";
}

} // namespace
} // namespace tv::admin
