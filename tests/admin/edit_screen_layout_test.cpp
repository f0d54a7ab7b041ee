#include "admin/EditScreenLayout.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tv::data {
void PrintTo(const TwipRect& r, std::ostream* out);
} // namespace tv::data

namespace tv::admin {
namespace {

using test::Cp;
using test::TempDir;

class EditScreenLayoutTest : public ::testing::Test {
protected:
    void writeParameterFile(const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& line : lines)
            bytes += Cp(line) + "\r\n";
        test::WriteBytes(dir_ / "Tessaro.dat", bytes);
        test::WriteLines(dir_ / "Lang_NO.txt", {"Tessaro", "¤¤Lagre", "Lagre"});
    }

    std::optional<EditScreenLayout> read() {
        files_ = std::make_unique<data::DataFiles>(dir_.path(), "NO", messages_);
        return ReadEditScreenLayout(*files_);
    }

    TempDir dir_;
    platform::RecordingMessageBoxes messages_;
    std::unique_ptr<data::DataFiles> files_;
};

TEST_F(EditScreenLayoutTest, PlacesTheKeyRowTheFiveBoxRowsAndTheButtons) {
    writeParameterFile({"Tessaro", "¤EDITSCREEN", "Artikkelredigering", "4400", "200", "9350",
                        "4300", "¤¤Rediger artikkel", "300   * key row", "150", "1600", "2900",
                        "4700", "6150", "800", "520", "Nr.", "Tillegg", "Lengde", "Beskrivelse",
                        "Vekt", "Pris", "Blokk", "Koder", "Felt 11", "Felt 12", "Avbryt",
                        "¤¤Lagre", "EOL"});
    const auto layout = read();
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->frame, (TwipRect{4400, 200, 9350, 4300}));
    EXPECT_EQ(layout->frameCaption, "Rediger artikkel") << "a text key, in Norwegian its own text";
    EXPECT_EQ(layout->boxCaptions[0], "Nr.");
    EXPECT_EQ(layout->boxCaptions[9], "Felt 12");
    EXPECT_EQ(layout->cancelCaption, "Avbryt");
    EXPECT_EQ(layout->saveCaption, "Lagre");

    // Captions end 100 before their box: 1600 - 150 - 100 and 6150 - 4700 - 100.
    EXPECT_EQ(layout->keyCaption(), (TwipRect{300, 150, 1350, 375}));
    EXPECT_EQ(layout->keyBox(), (TwipRect{300, 1600, 6150 + 2900 - 1600, 375}))
        << "the key box spans both columns";
    struct Row {
        int box;
        TwipRect box_rect;
        TwipRect caption;
    };
    const Row rows[] = {
        {1, {800, 1600, 2900, 375}, {800, 150, 1350, 375}},
        {4, {800, 6150, 2900, 375}, {800, 4700, 1350, 375}}, // beside 1
        {2, {1320, 1600, 2900, 375}, {1320, 150, 1350, 375}},
        {7, {1320, 6150, 2900, 375}, {1320, 4700, 1350, 375}},
        {3, {1840, 1600, 2900, 375}, {1840, 150, 1350, 375}},
        {8, {1840, 6150, 2900, 375}, {1840, 4700, 1350, 375}},
        {5, {2360, 1600, 2900, 375}, {2360, 150, 1350, 375}},
        {9, {2360, 6150, 2900, 375}, {2360, 4700, 1350, 375}},
        {6, {2880, 1600, 2900, 375}, {2880, 150, 1350, 375}},
        {10, {2880, 6150, 2900, 375}, {2880, 4700, 1350, 375}}, // the last row
    };
    for (const Row& row : rows) {
        EXPECT_EQ(layout->box(row.box), row.box_rect) << "box " << row.box;
        EXPECT_EQ(layout->boxCaption(row.box), row.caption) << "box " << row.box;
    }
    // One step below the last row, save ending where box column 2 ends.
    EXPECT_EQ(layout->saveButton(), (TwipRect{3400, 6150 + 2900 - 1150, 1150, 375}));
    EXPECT_EQ(layout->cancelButton(), (TwipRect{3400, 6150 + 2900 - 2 * 1150 - 200, 1150, 375}));
    EXPECT_LE(layout->saveButton().top + layout->saveButton().height, layout->frame.height)
        << "the sample's buttons stand inside the frame";
}

TEST_F(EditScreenLayoutTest, ASectionThatStopsEarlyReadsZeroAndEmptyTexts) {
    // The section is the last thing in the file and ends after two of its
    // eight numbers.
    writeParameterFile({"Tessaro", "¤EDITSCREEN", "Artikkelredigering", "4400", "200", "9350",
                        "4300", "Rediger", "300", "150"});
    const auto layout = read();
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->frame, (TwipRect{4400, 200, 9350, 4300}));
    EXPECT_EQ(layout->keyRowTop, 300);
    EXPECT_EQ(layout->captionLeft1, 150);
    for (int number : {layout->boxLeft1, layout->boxWidth, layout->captionLeft2,
                       layout->boxLeft2, layout->firstRowTop, layout->rowStep})
        EXPECT_EQ(number, 0);
    for (const auto& caption : layout->boxCaptions)
        EXPECT_EQ(caption, "");
    EXPECT_EQ(layout->saveCaption, "");
    EXPECT_EQ(layout->keyCaption().width, 0) << "no room, not a negative width";
    EXPECT_EQ(layout->box(10), (TwipRect{0, 0, 0, 375}));
}

TEST_F(EditScreenLayoutTest, NothingWithoutTheSectionOrTheFile) {
    EXPECT_FALSE(read()) << "no parameter file";
    writeParameterFile({"Tessaro", "¤EDITSCREENS", "Artikkelredigering", "4400", "EOL",
                        "¤ADMINSCREEN", "Administrasjon", "EOL"});
    EXPECT_FALSE(read()) << "a longer key is another section";
}

} // namespace
} // namespace tv::admin
