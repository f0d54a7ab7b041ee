#include "data/DataFiles.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <thread>

namespace tv::data {
namespace {

using test::Cp;
using test::TempDir;
using test::WriteLines;

class DataFilesTest : public ::testing::Test {
protected:
    DataFiles& files(const char* language = "NO") {
        files_ = std::make_unique<DataFiles>(dir_.path(), language, messages_);
        return *files_;
    }

    TempDir dir_;
    platform::RecordingMessageBoxes messages_;
    std::unique_ptr<DataFiles> files_;
};

TEST_F(DataFilesTest, HeadIsReadPastCommentsAndPassCodeIsReversed) {
    WriteLines(dir_ / "Tessaro.dat",
               {"* comment", "", "Free text", " another comment", "Tessaro.dat rev 7",
                "C:\\Tessaro", "NIMDASSET", "-V18", "9850 window width"});
    auto& data = files();
    EXPECT_EQ(data.ReadParamIdentification(), "Tessaro.dat rev 7");
    EXPECT_EQ(data.head.passCode, "TESSADMIN");
    EXPECT_EQ(data.head.codeSuffix, "-V18");
}

TEST_F(DataFilesTest, OneCharacterPassCodeReadsAsItself) {
    WriteLines(dir_ / "Tessaro.dat", {"x", "id", "dir\\", "Q", "-S"});
    auto& data = files();
    data.ReadParamIdentification();
    EXPECT_EQ(data.head.passCode, "Q");
}

TEST_F(DataFilesTest, ListSectionKeepsTitleAndLines) {
    WriteLines(dir_ / "Tessaro.dat",
               {"¤DIM_10", "Wrong", "x", "EOL", "¤DIM_1 comment", "Dimensjoner", "* comment",
                "DN80    line one", "", "¤¤Linje to", "EOL", "after"});
    auto& data = files();
    ListLines lines;
    lines[3] = "untouched";
    EXPECT_EQ(data.ReadParamSection(Cp("¤DIM_1"), lines), 2);
    EXPECT_EQ(data.currentSectionTitle, "Dimensjoner");
    EXPECT_EQ(lines[1], "DN80    line one");
    EXPECT_EQ(lines[2], "Linje to") << "a text key line comes translated";
    EXPECT_EQ(lines[3], "untouched") << "slots past the count are not touched";
}

TEST_F(DataFilesTest, EmptyAndMissingSections) {
    WriteLines(dir_ / "Tessaro.dat", {"¤EMPTY", "Title", "EOL"});
    auto& data = files();
    ListLines lines;
    EXPECT_EQ(data.ReadParamSection(Cp("¤EMPTY"), lines), 0);
    EXPECT_EQ(data.currentSectionTitle, "Title");
    lines[1] = "kept";
    EXPECT_EQ(data.ReadParamSection(Cp("¤MISSING"), lines), -1);
    EXPECT_EQ(data.currentSectionTitle, "Title") << "a missing section leaves the title";
    EXPECT_EQ(lines[1], "kept");
}

TEST_F(DataFilesTest, SectionWithoutEolEndsAtTheLastContentLine) {
    WriteLines(dir_ / "Tessaro.dat", {"¤LIST", "Title", "a", "b", "* trailing comment", ""});
    ListLines lines;
    EXPECT_EQ(files().ReadParamSection(Cp("¤LIST"), lines), 2);
    EXPECT_EQ(lines[2], "b");
}

TEST_F(DataFilesTest, ListOfMoreThanThirtyLinesStopsAtThirtyWithOneMessage) {
    std::string bytes = Cp("¤BIG") + "\r\nTitle\r\n";
    for (int i = 1; i <= 35; ++i)
        bytes += "line" + std::to_string(i) + "\r\n";
    bytes += "EOL\r\n";
    test::WriteBytes(dir_ / "Tessaro.dat", bytes);
    auto& data = files();
    ListLines lines;
    EXPECT_EQ(data.ReadParamSection(Cp("¤BIG"), lines), 30);
    EXPECT_EQ(lines[30], "line30");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find(Cp("¤BIG")), std::string::npos);
    EXPECT_NE(messages_.shown[0].find("Tessaro.dat"), std::string::npos);
    data.ReadParamSection(Cp("¤BIG"), lines);
    EXPECT_EQ(messages_.shown.size(), 1u) << "reported once per run";
}

TEST_F(DataFilesTest, LookupCodeLetterNeedsTheExactLine) {
    WriteLines(dir_ / "Tessaro.dat", {"¤A2_HL_EP_AKT comment", "X", "¤A2_HL_EP_AKT", "",
                                      "* comment", "Bcd", "¤A2_VL_EP_AKT", "EOL"});
    auto& data = files();
    EXPECT_EQ(data.LookupCodeLetter(Cp("¤A2_HL_EP_AKT")), "B")
        << "the line with a comment is passed over; the next content line gives one letter";
    EXPECT_EQ(data.LookupCodeLetter(Cp("¤A2_VL_EP_AKT")), "E");
    EXPECT_EQ(data.LookupCodeLetter(Cp("¤A4_HL_EP_AKT")), "");
}

TEST_F(DataFilesTest, TranslateTextNeedsAnExactKeyLine) {
    WriteLines(dir_ / "Lang_EN.txt", {"Caption", "¤¤Avbryt ", "Wrong", "¤¤Avbryt",
                                      " Cancel with a blank", "¤¤Kode", "*Code"});
    auto& data = files("EN");
    EXPECT_EQ(data.TranslateText(Cp("¤¤Avbryt")), " Cancel with a blank")
        << "a key line with a trailing blank does not match; the translation is taken as it stands";
    EXPECT_EQ(data.TranslateText(Cp("¤¤Kode")), "*Code");
    EXPECT_EQ(data.TranslateText(Cp("¤¤avbryt")), "avbryt") << "case matters";
}

TEST_F(DataFilesTest, NorwegianNeedsNoLanguageFile) {
    auto& data = files("NO"); // no file at all in the directory
    EXPECT_EQ(data.TranslateText(Cp("¤¤Avbryt")), "Avbryt");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DataFilesTest, EditedLanguageFileIsSeenAtTheNextLookup) {
    WriteLines(dir_ / "Lang_EN.txt", {"Caption", "¤¤Avbryt", "Cancel"});
    auto& data = files("EN");
    EXPECT_EQ(data.TranslateText(Cp("¤¤Avbryt")), "Cancel");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    WriteLines(dir_ / "Lang_EN.txt", {"Caption", "¤¤Avbryt", "Abort"});
    EXPECT_EQ(data.TranslateText(Cp("¤¤Avbryt")), "Abort");
}

TEST_F(DataFilesTest, MissingLanguageFileShowsNorwegianWithOneMessage) {
    WriteLines(dir_ / "Lang_NO.txt", {"Tessaro", "0 top text", "Konfigurator", "Avbryt", "Tilbake",
                                      "Neste", "¤NormalModeInfo", "Normal modus"});
    auto& data = files("FI");
    EXPECT_EQ(data.TranslateText(Cp("¤¤Avbryt")), "Avbryt");
    EXPECT_EQ(data.ReadLangText(Cp("¤NormalModeInfo")), "Normal modus");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find("Lang_FI.txt"), std::string::npos);
}

TEST_F(DataFilesTest, ReadLangTextTakesTheNextLineAsItStands) {
    WriteLines(dir_ / "Lang_DE.txt",
               {"Kopf", "¤DebugModeInfo comment", " Debug-Modus ist an", "¤Empty", "", "¤Last"});
    auto& data = files("DE");
    EXPECT_EQ(data.ReadLangText(Cp("¤DebugModeInfo")), " Debug-Modus ist an");
    EXPECT_EQ(data.ReadLangText(Cp("¤Empty")), "");
    EXPECT_EQ(data.ReadLangText(Cp("¤Missing")), Cp("¤Missing not found in Lang_DE"));
}

TEST_F(DataFilesTest, ReadLangSectionHasNoTitleLine) {
    WriteLines(dir_ / "Lang_SE.txt",
               {"Huvud", "¤Dimensjoner", "Dimension 80", "Dimension 100", "EOL"});
    auto& data = files("SE");
    ListLines lines;
    EXPECT_EQ(data.ReadLangSection(Cp("¤Dimensjoner"), lines), 2);
    EXPECT_EQ(lines[1], "Dimension 80");
    EXPECT_EQ(data.ReadLangSection(Cp("¤Ukjent"), lines), -1);
}

TEST_F(DataFilesTest, HelpPanelText) {
    WriteLines(dir_ / "Lang_EN.txt",
               {"Head", "¤ConnSel1_N_hlp", "200 top", "300 left", "3000 width", "1500 height",
                "100 margin", "You chose $ConnSelectedText here", "$", "$anything", "End", "EOL",
                "Not part of it"});
    auto& data = files("EN");
    const auto panel = data.ReadHelpPanel("ConnSel1_N", "Flange PN10");
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->top, 200);
    EXPECT_EQ(panel->left, 300);
    EXPECT_EQ(panel->width, 3000);
    EXPECT_EQ(panel->height, 1500);
    EXPECT_EQ(panel->margin, 100);
    EXPECT_EQ(panel->text, "You chose Flange PN10 here\r\n \r\n \r\nEnd");
    EXPECT_FALSE(data.ReadHelpPanel("Missing"));
}

TEST_F(DataFilesTest, LanguageHeadWithAndWithoutTopText) {
    WriteLines(dir_ / "Lang_NO.txt", {"Tessaro konfigurator", "0 show", "Ventilkonfigurator",
                                      "Avbryt", "Tilbake", "Neste"});
    auto& data = files();
    auto file = *data.openLanguageFile();
    auto head = data.ReadLanguageHead(file);
    EXPECT_EQ(head.windowCaption, "Tessaro konfigurator");
    EXPECT_TRUE(head.showTopText);
    EXPECT_EQ(head.topText, "Ventilkonfigurator ver. 1.8.11");
    EXPECT_EQ(head.nextCaption, "Neste");

    WriteLines(dir_ / "Lang_EN.txt", {"Configurator", "-1 hide", "Exit", "Back", "Next"});
    data.setLanguage("EN");
    file = *data.openLanguageFile();
    head = data.ReadLanguageHead(file);
    EXPECT_FALSE(head.showTopText);
    EXPECT_EQ(head.exitCaption, "Exit") << "no top-text line when the switch is negative";
    EXPECT_EQ(head.nextCaption, "Next");
}

TEST_F(DataFilesTest, FileNamesMatchWithoutRegardToCase) {
    WriteLines(dir_ / "VantorData.dat", {"head", "date"});
    auto& data = files();
    EXPECT_TRUE(data.openArticleFile()) << "Vantordata.dat is found as VantorData.dat";
    EXPECT_FALSE(data.open("Missing.dat"));
}

} // namespace
} // namespace tv::data
