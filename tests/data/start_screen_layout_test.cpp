#include "data/StartScreenLayout.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tv::data {
namespace {

using test::Cp;
using test::TempDir;
using test::WriteLines;

class StartScreenLayoutTest : public ::testing::Test {
protected:
    void writeParameterFile() {
        WriteLines(dir_ / "Tessaro.dat", {"Parameter file",
                                          "Ident",
                                          "dir",
                                          "NIMDASSET",
                                          "-V18",
                                          "¤STARTSCREEN",
                                          "Start screen",
                                          "100 flag top",
                                          "1000 flag left",
                                          "500 column step",
                                          "450 width",
                                          "300 height",
                                          "* picture 1",
                                          "1500",
                                          "200",
                                          "4000",
                                          "3000",
                                          "start1",
                                          "1500",
                                          "4400",
                                          "4000",
                                          "3000",
                                          "start2",
                                          "5000 head top",
                                          "4600 head left",
                                          "4800 head width",
                                          "1300 head height",
                                          "Versjon",
                                          "¤¤Parameterfil",
                                          "Artikkelfil",
                                          "Velkommen",
                                          "https://www.kelmor.example/x/",
                                          "6500",
                                          "200",
                                          "4000",
                                          "900",
                                          "Intro",
                                          "6500",
                                          "4400",
                                          "4000",
                                          "900",
                                          "News",
                                          "8000 buttons",
                                          "200",
                                          "2000",
                                          "2500",
                                          "Konfigurer",
                                          "5000",
                                          "2600",
                                          "Rekonfigurer"});
    }

    TempDir dir_;
    platform::RecordingMessageBoxes messages_;
};

TEST_F(StartScreenLayoutTest, FlagsStandInTwoRowsOfThree) {
    writeParameterFile();
    DataFiles files(dir_.path(), "NO", messages_);
    const auto layout = ReadStartScreenLayout(files);
    ASSERT_TRUE(layout);
    struct Expected {
        const char* language;
        const char* objectName;
        int top;
        int left;
    };
    const Expected expected[] = {{"NO", "No_flag", 100, 1300}, {"EN", "En_flag", 100, 1800},
                                 {"DE", "De_flag", 300, 1300}, {"FI", "Fi_flag", 300, 1800},
                                 {"DK", "Dk_flag", 100, 2300}, {"SE", "Se_flag", 300, 2300}};
    for (std::size_t i = 0; i < 6; ++i) {
        const auto& flag = layout->flags[i];
        EXPECT_EQ(flag.language, expected[i].language);
        EXPECT_EQ(flag.objectName, expected[i].objectName);
        EXPECT_EQ(flag.rect.top, expected[i].top) << flag.objectName;
        EXPECT_EQ(flag.rect.left, expected[i].left) << flag.objectName;
        EXPECT_EQ(flag.rect.width, 450);
        EXPECT_EQ(flag.rect.height, 300);
    }
    EXPECT_EQ(layout->flags[5].tooltip, "Visa svenska texter");
    EXPECT_EQ(layout->flags[2].tooltip, "Zeige Deutche texte");
}

TEST_F(StartScreenLayoutTest, ValuesAreReadInTheirOrder) {
    writeParameterFile();
    DataFiles files(dir_.path(), "NO", messages_);
    const auto layout = ReadStartScreenLayout(files);
    ASSERT_TRUE(layout);
    EXPECT_EQ(files.head.codeSuffix, "-V18") << "the head is read on the way";
    EXPECT_EQ(layout->picture1.top, 1500);
    EXPECT_EQ(layout->pictureName1, "start1");
    EXPECT_EQ(layout->picture2.left, 4400);
    EXPECT_EQ(layout->pictureName2, "start2");
    EXPECT_EQ(layout->head.top, 5000);
    EXPECT_EQ(layout->head.left, 4400) << "placed 200 further left";
    EXPECT_EQ(layout->head.width, 5000) << "made 200 wider";
    EXPECT_EQ(layout->parameterCaption, "Parameterfil");
    EXPECT_EQ(layout->headAddress, "https://www.kelmor.example/x/");
    EXPECT_EQ(layout->info1.height, 900);
    EXPECT_EQ(layout->infoName2, "News");
    EXPECT_EQ(layout->buttonTop, 8000);
    EXPECT_EQ(layout->exitLeft, 200);
    EXPECT_EQ(layout->start1Width, 2500);
    EXPECT_EQ(layout->start1Caption, "Konfigurer");
    EXPECT_EQ(layout->start2Left, 5000);
    EXPECT_EQ(layout->start2Caption, "Rekonfigurer");
}

TEST_F(StartScreenLayoutTest, MissingSectionGivesNoLayout) {
    WriteLines(dir_ / "Tessaro.dat", {"x", "id", "dir", "code", "-S", "¤OTHER", "1"});
    DataFiles files(dir_.path(), "NO", messages_);
    EXPECT_FALSE(ReadStartScreenLayout(files));
}

TEST_F(StartScreenLayoutTest, SectionEndingEarlyReadsZerosAndEmptyTexts) {
    WriteLines(dir_ / "Tessaro.dat",
               {"x", "id", "dir", "code", "-S", "¤STARTSCREEN", "Title", "100"});
    DataFiles files(dir_.path(), "NO", messages_);
    const auto layout = ReadStartScreenLayout(files);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->flags[0].rect.top, 100);
    EXPECT_EQ(layout->flags[0].rect.left, 300);
    EXPECT_EQ(layout->buttonTop, 0);
    EXPECT_EQ(layout->start2Caption, "");
}

TEST(HeadTextTest, ComposedFromCaptionsDatesAndDisplay) {
    StartScreenLayout layout;
    layout.versionCaption = "Versjon";
    layout.parameterCaption = "Parameterfil";
    layout.articleCaption = "Artikkelfil";
    layout.closingLine = "Velkommen";
    const std::string text =
        ComposeHeadText(layout, "06.12.2026 23:30:05", "01.02.2025 08:15:59", "1920x1080", 26500);
    EXPECT_EQ(text, "Versjon 1.8.11\r\nParameterfil 06.12.2026 23:30\r\n"
                    "Artikkelfil 01.02.2025 08:15\r\nDisplay 1920x1080   (96PPT)\r\nVelkommen");
    EXPECT_NE(ComposeHeadText(layout, "", "", "1280x1024", 21200).find("   (120PPT)"),
              std::string::npos);
    EXPECT_NE(
        ComposeHeadText(layout, "short", "", "1280x1024", 33333).find("Parameterfil short\r\n"),
        std::string::npos)
        << "a date text shorter than 16 characters is shown whole";
}

TEST(InfoTextTest, FirstLineOfTheLanguagesInfoFileOrMissingText) {
    TempDir dir;
    platform::RecordingMessageBoxes messages;
    WriteLines(dir / "Intro_NO.txt", {" Velkommen til Tessaro", "second line"});
    DataFiles files(dir.path(), "NO", messages);
    EXPECT_EQ(InfoText(files, "Intro"), " Velkommen til Tessaro");
    files.setLanguage("EN");
    EXPECT_EQ(InfoText(files, "Intro"), "File Intro_EN.txt MANGLER");
}

} // namespace
} // namespace tv::data
