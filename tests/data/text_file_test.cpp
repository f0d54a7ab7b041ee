#include "data/DataFiles.h"
#include "data/TextFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <memory>
#include <string_view>

namespace tv::data {
namespace {

using test::Cp;
using test::TempDir;
using test::WriteBytes;
using test::WriteLines;

// A data directory with one file, read through the real readers.
class TextFileTest : public ::testing::Test {
protected:
    TextFile open(std::initializer_list<std::string_view> lines, const char* language = "NO") {
        WriteLines(dir_ / "Tessaro.dat", lines);
        files_ = std::make_unique<DataFiles>(dir_.path(), language, messages_);
        return *files_->openParameterFile();
    }

    TempDir dir_;
    platform::RecordingMessageBoxes messages_;
    std::unique_ptr<DataFiles> files_;
};

TEST_F(TextFileTest, TextLinesSkipEmptyBlankAndStarLines) {
    auto file = open({"", " indented comment", "*star comment", "first", "\tsecond", "third "});
    EXPECT_EQ(ReadTextLine(file), "first");
    EXPECT_EQ(ReadTextLine(file), "\tsecond") << "a tab is not a blank";
    EXPECT_EQ(ReadTextLine(file), "third ") << "nothing is trimmed";
    EXPECT_EQ(ReadTextLine(file), "");
    EXPECT_TRUE(file.atEnd());
}

TEST_F(TextFileTest, TextKeyLineInNorwegianLosesItsSigns) {
    auto file = open({"¤¤Avbryt", "¤SECTION"});
    EXPECT_EQ(ReadTextLine(file), "Avbryt");
    EXPECT_EQ(ReadTextLine(file), Cp("¤SECTION"));
}

TEST_F(TextFileTest, TextKeyLineIsTranslatedInOtherLanguages) {
    WriteLines(dir_ / "Lang_EN.txt", {"Caption", "¤¤Avbryt", "Cancel"});
    auto file = open({"¤¤Avbryt", "¤¤Ukjent"}, "EN");
    EXPECT_EQ(ReadTextLine(file), "Cancel");
    EXPECT_EQ(ReadTextLine(file), "Ukjent") << "untranslated keys show their Norwegian text";
}

TEST_F(TextFileTest, LinesEndWithCrLfOrLf) {
    WriteBytes(dir_ / "Tessaro.dat", "one\r\ntwo\nthree\r\nlast without end");
    DataFiles files(dir_.path(), "NO", messages_);
    auto file = *files.openParameterFile();
    EXPECT_EQ(ReadTextLine(file), "one");
    EXPECT_EQ(ReadTextLine(file), "two");
    EXPECT_EQ(ReadTextLine(file), "three");
    EXPECT_EQ(ReadTextLine(file), "last without end");
}

struct NumberCase {
    const char* line;
    double value;
    const char* why;
};

TEST(LeadingNumberTest, ReadsTheNumberAtTheStartOfALine) {
    const NumberCase cases[] = {
        {"1200 left edge of the flags", 1200, "number followed by text"},
        {"1 200", 1200, "blanks inside the number are ignored"},
        {"  250 mm", 250, "leading blanks are ignored"},
        {"\t-300 y", -300, "tabs and a sign"},
        {"+17", 17, "plus sign"},
        {"2.5 x", 2.5, "decimal point"},
        {".5", 0.5, "no digit before the point"},
        {"1e3 a thousand", 1000, "exponent"},
        {"1E+2", 100, "exponent with sign"},
        {"12e", 12, "an exponent without digits ends the number"},
        {"0,250", 0, "a comma ends the number"},
        {"abc 12", 0, "no leading number"},
        {"-", 0, "a sign alone"},
        {"", 0, "empty text"},
        {"1920x1080", 1920, "display size text"},
        {"123456789012345678901234 x", 123456789012345678901234.0,
         "more digits than an integer holds"},
        {"123456789012345.5", 123456789012345.5, "fifteen digits and a fraction"},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(c.line), c.value) << c.line << ": " << c.why;
}

TEST(LeadingNumberTest, PointIsTheSeparatorWhateverTheLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    // A locale with a decimal comma (the test command makes de_DE.UTF-8).
    bool comma = false;
    for (const char* name : {"nb_NO.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name) &&
            std::string_view(std::localeconv()->decimal_point) == ",") {
            comma = true;
            break;
        }
    }
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma is installed; "
                        "scripts/install-deps.sh makes de_DE.UTF-8";
    EXPECT_DOUBLE_EQ(LeadingNumber("2.5 x"), 2.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("1e999"), HUGE_VAL) << "too large is infinite, then limited";
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(LeadingNumberTest, TooSmallForADoubleIsZeroNotInfinite) {
    EXPECT_EQ(LeadingNumber("1e-400"), 0.0) << "an exponent far below the smallest double";
    EXPECT_EQ(LeadingNumber("-1 e-999 x"), 0.0);
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0.0)
        << "many zeros behind the point";
    EXPECT_DOUBLE_EQ(LeadingNumber("4e-320"), 4e-320) << "a denormal is still a number";
    EXPECT_EQ(LeadingNumber("1e400"), HUGE_VAL) << "too large stays infinite";
    EXPECT_EQ(LeadingNumber("-" + std::string(400, '9')), -HUGE_VAL);
}

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
}

TEST_F(TextFileTest, NumberLinesFollowTheZeroRule) {
    auto file = open({
        "0 top",      // zero written as "0 "
        "0",          // the digit alone is no number line
        "*5 comment", // value 0: skipped
        "text",       // value 0: skipped
        "  250 mm",   // a blank-started line is still a number line
        "2.5 x",      // rounds to even
        "3.5 x",
        "-300 y",
        "0.4 rounds to 0", // value 0 without "0 ": skipped
        "7",
    });
    EXPECT_EQ(ReadNumberLine(file), 0);
    EXPECT_EQ(ReadNumberLine(file), 250);
    EXPECT_EQ(ReadNumberLine(file), 2);
    EXPECT_EQ(ReadNumberLine(file), 4);
    EXPECT_EQ(ReadNumberLine(file), -300);
    EXPECT_EQ(ReadNumberLine(file), 7);
    EXPECT_EQ(ReadNumberLine(file), 0) << "end of file";
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(TextFileTest, TinyNumberLineRoundsToZeroLikeAnyFraction) {
    auto file = open({"1e-400 tiny", "-2E-999", "0." + std::string(400, '0') + "7", "12"});
    EXPECT_EQ(ReadNumberLine(file), 12) << "lines of value 0 are skipped, not read as 32767";
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(TextFileTest, NumberOutsideSixteenBitsIsReportedAndLimited) {
    auto file = open({"¤STARTSCREEN", "40000 far right", "-40000", "32767", "-32768"});
    ASSERT_TRUE(FindSection(Cp("¤STARTSCREEN"), file));
    EXPECT_EQ(ReadNumberLine(file), 32767);
    EXPECT_EQ(ReadNumberLine(file), -32768);
    EXPECT_EQ(ReadNumberLine(file), 32767);
    EXPECT_EQ(ReadNumberLine(file), -32768);
    ASSERT_EQ(messages_.shown.size(), 2u) << "one message per bad line, none for the limits";
    EXPECT_NE(messages_.shown[0].find("Tessaro.dat"), std::string::npos);
    EXPECT_NE(messages_.shown[0].find(Cp("¤STARTSCREEN")), std::string::npos);
    EXPECT_NE(messages_.shown[0].find("line 2"), std::string::npos);
}

TEST_F(TextFileTest, BlankStartedNumberIsACommentForTheTextReader) {
    auto file = open({" 42 note", "value"});
    EXPECT_EQ(ReadTextLine(file), "value");
    auto again = *files_->openParameterFile();
    EXPECT_EQ(ReadNumberLine(again), 42);
}

TEST_F(TextFileTest, FindSectionNeedsABlankOrTheLineEndAfterTheKey) {
    auto file = open({"¤DIM_10", "ten", "¤DIM_1 sizes", "one"});
    ASSERT_TRUE(FindSection(Cp("¤DIM_1"), file));
    EXPECT_EQ(ReadTextLine(file), "one");
}

TEST_F(TextFileTest, FindSectionRules) {
    struct Case {
        const char* line;
        const char* key;
        bool found;
        const char* why;
    };
    const Case cases[] = {
        {"¤KEY", "¤KEY", true, "key alone on its line"},
        {"¤KEY comment", "¤KEY", true, "key, blank and comment"},
        {"¤KEY comment", "¤KEY ", true, "key passed with a trailing blank"},
        {"¤KEY", "¤KEY ", false, "a trailing blank in the key needs one in the line"},
        {"¤KEYS", "¤KEY", false, "longer key"},
        {"¤OTHER ¤KEY", "¤KEY", true, "key after other text on a section line"},
        {"KEY", "KEY", false, "not a section key line"},
        {" ¤KEY", "¤KEY", false, "a comment line"},
        {"¤KEY_X ¤KEY", "¤KEY", false, "only the first occurrence counts"},
    };
    for (const auto& c : cases) {
        auto file = open({c.line, "after"});
        EXPECT_EQ(FindSection(Cp(c.key), file), c.found)
            << c.line << " / " << c.key << ": " << c.why;
        if (!c.found) {
            EXPECT_TRUE(file.atEnd()) << "a failed search ends at the end of the file";
        }
    }
}

TEST_F(TextFileTest, OverlongLineIsCutAndReported) {
    std::string bytes = "first\r\n" + std::string(kMaxLineBytes + 5000, 'x') + "\r\nlast\r\n";
    WriteBytes(dir_ / "Tessaro.dat", bytes);
    DataFiles files(dir_.path(), "NO", messages_);
    auto file = *files.openParameterFile();
    EXPECT_EQ(ReadTextLine(file), "first");
    EXPECT_EQ(ReadTextLine(file).size(), kMaxLineBytes);
    EXPECT_EQ(ReadTextLine(file), "last") << "the rest of the long line is not a line of its own";
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find("Tessaro.dat"), std::string::npos);
    EXPECT_NE(messages_.shown[0].find("line 2"), std::string::npos);

    files.openParameterFile();
    EXPECT_EQ(messages_.shown.size(), 1u) << "the same problem is reported once";
}

// Only a line beyond the limit is reported, wherever it stands; its line
// end does not count.
TEST_F(TextFileTest, ALineOfExactlyTheLimitIsNotReported) {
    const std::string atLimit(kMaxLineBytes, 'x');
    const struct {
        std::string bytes;
        std::string message; // "" for none
    } cases[] = {
        {"a\r\n" + atLimit + "\r\nb\r\n", ""},
        {"a\n" + atLimit + "\nb\n", ""},
        {"a\r\n" + atLimit, ""},
        {"a\r\nb\r\n" + atLimit + "x\r\n", "line 3 "},
        {"a\r\n" + atLimit + "x", "line 2 "},
        {atLimit + "\r\r\n", "line 1 "},
    };
    for (const auto& c : cases) {
        platform::RecordingMessageBoxes messages;
        WriteBytes(dir_ / "Tessaro.dat", c.bytes);
        DataFiles files(dir_.path(), "NO", messages);
        files.openParameterFile();
        if (c.message.empty()) {
            EXPECT_TRUE(messages.shown.empty()) << messages.shown[0];
        } else {
            ASSERT_EQ(messages.shown.size(), 1u) << c.message;
            EXPECT_NE(messages.shown[0].find(c.message), std::string::npos) << messages.shown[0];
        }
    }
}

TEST_F(TextFileTest, StrayBytesPassThroughUnchanged) {
    const std::string stray = std::string("a\x81\x00\x9d\xff", 5);
    WriteBytes(dir_ / "Tessaro.dat", stray + "\r\n");
    DataFiles files(dir_.path(), "NO", messages_);
    auto file = *files.openParameterFile();
    EXPECT_EQ(ReadTextLine(file), stray);
}

} // namespace
} // namespace tv::data
