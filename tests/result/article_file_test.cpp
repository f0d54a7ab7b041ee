#include "result/ArticleFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tv::result {
namespace {

using test::Cp;
using test::TempDir;
using test::WriteLines;

class ArticleFileTest : public ::testing::Test {
protected:
    data::DataFiles& files(const char* language = "NO") {
        files_ = std::make_unique<data::DataFiles>(dir_.path(), language, messages_);
        return *files_;
    }

    // The article file with its two head lines, then the lines given.
    void articles(std::initializer_list<std::string_view> lines) {
        std::vector<std::string_view> all = {"Vantordata.dat test", "01.11.2026 08:00:00"};
        all.insert(all.end(), lines.begin(), lines.end());
        std::string bytes;
        for (auto line : all)
            bytes += Cp(line) + "\r\n";
        test::WriteBytes(dir_ / "Vantordata.dat", bytes);
    }

    int lookup(std::string_view key, bool lower = true, const char* language = "NO") {
        return LookupArticle(files(language), Cp(key), record_,
                             lower ? Placeholder::kLowerCase : Placeholder::kAsTranslated);
    }

    TempDir dir_;
    platform::RecordingMessageBoxes messages_;
    std::unique_ptr<data::DataFiles> files_;
    ArticleRecord record_;
};

TEST_F(ArticleFileTest, KeyMustBeFollowedByABlank) {
    struct Case {
        const char* keyLine;
        bool found;
        const char* why;
    };
    const std::vector<Case> cases = {
        {"¤0150_X_CPD", false, "the key at the very end of its line is never found"},
        {"¤0150_X_CPD ", true, "a blank behind the key"},
        {"¤0150_X_CPD * All keys are assumed to end with a SPACE", true, "blank and a note"},
        {"¤0150_X_CPDX more", false, "a longer key does not match"},
        {"¤0150_X_CPD_OLD x", false, "a longer key with an underscore does not match"},
        {"¤NOTE ¤0150_X_CPD here", true, "the key anywhere in a section key line"},
        {"NOTE ¤0150_X_CPD here", false, "not a section key line"},
    };
    // An empty key (a slot without connection) names no record, however
    // many key lines hold a blank.
    articles({"¤0150_X_CPD ", "title", "A-1", "EOL"});
    EXPECT_EQ(lookup(""), 0);
    EXPECT_EQ(lookup(" "), 0);
    EXPECT_EQ(record_.fields[0], "(MISSING) ");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        articles({c.keyLine, "title", "A-1", "EOL"});
        EXPECT_EQ(lookup("¤0150_X_CPD"), c.found ? 1 : 0);
        EXPECT_EQ(record_.fields[0], c.found ? "" : "(MISSING) ");
        EXPECT_EQ(record_.fields[1], c.found ? "A-1" : "mangler");
    }
}

TEST_F(ArticleFileTest, KeyGivenWithItsBlankIsFoundAlike) {
    articles({"¤0150_X_CPD note", "title", "A-1", "EOL"});
    EXPECT_EQ(lookup("¤0150_X_CPD "), 1);
    EXPECT_EQ(record_.fields[1], "A-1");
}

TEST_F(ArticleFileTest, FirstOfTwoRecordsWins) {
    articles({"¤0150_X_CPD first", "T1", "FIRST", "EOL", "¤0150_X_CPD second", "T2", "SECOND",
              "Second description", "EOL"});
    EXPECT_EQ(lookup("¤0150_X_CPD"), 1);
    EXPECT_EQ(record_.fields[1], "FIRST");
    EXPECT_EQ(record_.fields[2], "mangler");
    EXPECT_EQ(files_->currentSectionTitle, "T1");
}

TEST_F(ArticleFileTest, SkippedLinesDoNotTakeAFieldNumber) {
    articles({"¤0150_X_VHK note", "* a comment before the title", "0150_X_VHK", "KV150",
              "* change note", "Ventilhus DN 150", "", " blank first", "extra", "888", "999",
              "210 mm", "BLOCK", "EOL", "after"});
    EXPECT_EQ(lookup("¤0150_X_VHK"), 7);
    EXPECT_EQ(files_->currentSectionTitle, "0150_X_VHK") << "the title is not a field";
    const std::vector<std::string> expected = {
        "", "KV150", "Ventilhus DN 150", "extra", "888", "999", "210 mm", "BLOCK", "mangler"};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(record_.fields[i], expected[i]) << "field " << i;
}

TEST_F(ArticleFileTest, PlaceholdersFillWhatTheRecordLacks) {
    articles({"¤K1 x", "K1", "1", "2", "3", "4", "5", "6", "EOL"});
    EXPECT_EQ(lookup("¤K1"), 6);
    for (std::size_t i = 7; i <= 30; ++i)
        EXPECT_EQ(record_.fields[i], "mangler") << "field " << i;

    EXPECT_EQ(lookup("¤K1", false), 6);
    EXPECT_EQ(record_.fields[7], "Mangler") << "lower case only on request";

    EXPECT_EQ(lookup("¤GONE", false), 0);
    EXPECT_EQ(record_.fields[0], "(MISSING) ");
    EXPECT_EQ(record_.fields[2], "Mangler");
    EXPECT_EQ(record_.fields[3], "") << "the additional text has no placeholder";
}

TEST_F(ArticleFileTest, TranslatedPlaceholderIsLowerCasedInWindows1252) {
    articles({"¤K1 x", "K1", "1", "EOL"});
    WriteLines(dir_ / "Lang_NO.txt", {"Head"});
    WriteLines(dir_ / "Lang_DE.txt", {"Head", "¤¤Mangler", "FEHLT ÄÖÜ"});
    EXPECT_EQ(lookup("¤MISSING", true, "DE"), 0);
    EXPECT_EQ(record_.fields[1], Cp("fehlt äöü"));
    EXPECT_EQ(lookup("¤MISSING", false, "DE"), 0);
    EXPECT_EQ(record_.fields[1], Cp("FEHLT ÄÖÜ"));
}

TEST_F(ArticleFileTest, RecordEndsAtTheEndOfTheFileWithoutEol) {
    articles({"¤K1 x", "K1", "A", "B"});
    EXPECT_EQ(lookup("¤K1"), 2);
    EXPECT_EQ(record_.fields[2], "B");
    EXPECT_EQ(record_.fields[3], "") << "field 3 keeps its empty placeholder";
}

TEST_F(ArticleFileTest, TextKeyLinesComeTranslated) {
    articles({"¤K1 x", "K1", "KB-U", "¤¤Uten tilbehør", "EOL"});
    WriteLines(dir_ / "Lang_EN.txt", {"Head", "¤¤Uten tilbehør", "Without accessories"});
    EXPECT_EQ(lookup("¤K1"), 2);
    EXPECT_EQ(record_.fields[2], Cp("Uten tilbehør"));
    EXPECT_EQ(lookup("¤K1", true, "EN"), 2);
    EXPECT_EQ(record_.fields[2], "Without accessories");
}

TEST_F(ArticleFileTest, LanguageSectionReplacesTheFieldsItHolds) {
    articles({"¤0150_T_CPD x", "0150_T_CPD", "KS150", "Senterdel", "Tilleggstekst", "960", "1200",
              "160 mm", "EOL"});
    WriteLines(dir_ / "Lang_NO.txt", {"Head"});
    WriteLines(dir_ / "Lang_EN.txt", {"Head", "¤0150_T_CPDX", "wrong record", "EOL", "¤0150_T_CPD",
                                      "KS150-EN", "Centre part", "EOL"});
    EXPECT_EQ(lookup("¤0150_T_CPD", true, "EN"), 6) << "the count is the article file's";
    EXPECT_EQ(record_.fields[1], "KS150-EN");
    EXPECT_EQ(record_.fields[2], "Centre part");
    EXPECT_EQ(record_.fields[3], "Tilleggstekst") << "beyond the language section";
    EXPECT_EQ(record_.fields[6], "160 mm");
    EXPECT_EQ(files_->currentSectionTitle, "0150_T_CPD");
}

TEST_F(ArticleFileTest, UnusedDescriptionAndAdditionalText) {
    struct Case {
        const char* description;
        const char* additional;
        const char* status;
        const char* field3;
    };
    const std::vector<Case> cases = {
        {"UNUSED cover", "text", "(UNUSED) ", "text"},
        {"Cover", "UNUSED", "", ""},
        {"Cover", "UNUSED since 2020", "", ""},
        {"UNUSED", "UNUSED", "(UNUSED) ", ""},
        {"unused cover", "unused", "", "unused"}, // the mark is upper case
        {"Cover UNUSED", "x", "", "x"},           // only at the beginning
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        articles({"¤K1 x", "K1", "A", c.description, c.additional, "EOL"});
        EXPECT_EQ(lookup("¤K1"), 3);
        EXPECT_EQ(record_.fields[0], c.status);
        EXPECT_EQ(record_.fields[2], c.description);
        EXPECT_EQ(record_.fields[3], c.field3);
    }
}

TEST_F(ArticleFileTest, MoreThanThirtyFieldLinesAreCutAndReportedOnce) {
    std::string bytes = "head 1\r\nhead 2\r\n" + Cp("¤LONG x") + "\r\nLONG\r\n";
    for (int i = 1; i <= 33; ++i)
        bytes += "field " + std::to_string(i) + "\r\n";
    bytes += "EOL\r\n";
    test::WriteBytes(dir_ / "Vantordata.dat", bytes);

    auto& data = files();
    EXPECT_EQ(LookupArticle(data, Cp("¤LONG"), record_, Placeholder::kLowerCase), 30);
    EXPECT_EQ(record_.fields[30], "field 30");
    EXPECT_EQ(LookupArticle(data, Cp("¤LONG"), record_, Placeholder::kLowerCase), 30);
    ASSERT_EQ(messages_.shown.size(), 1u) << "once per run";
    EXPECT_NE(messages_.shown[0].find(Cp("¤LONG")), std::string::npos) << messages_.shown[0];
    EXPECT_NE(messages_.shown[0].find("30"), std::string::npos) << messages_.shown[0];
}

TEST_F(ArticleFileTest, MissingArticleFileIsReportedOnceAndNothingIsFound) {
    auto& data = files();
    EXPECT_EQ(LookupArticle(data, Cp("¤K1"), record_, Placeholder::kLowerCase), 0);
    EXPECT_EQ(LookupArticle(data, Cp("¤K2"), record_, Placeholder::kLowerCase), 0);
    EXPECT_EQ(record_.fields[0], "(MISSING) ");
    EXPECT_EQ(record_.fields[1], "mangler");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find("Vantordata.dat"), std::string::npos);
    EXPECT_NE(messages_.shown[0].find(data::PathText(dir_.path())), std::string::npos);
}

TEST_F(ArticleFileTest, ArticleFileNameMatchesWithoutRegardToCase) {
    articles({"¤K1 x", "K1", "A", "EOL"});
    std::filesystem::rename(dir_ / "Vantordata.dat", dir_ / "VantorData.dat");
    EXPECT_EQ(lookup("¤K1"), 1);
}

TEST(FieldNumberTest, LeadingDecimalNumber) {
    struct Case {
        const char* text;
        double value;
        const char* why;
    };
    const std::vector<Case> cases = {
        {"210 mm", 210, "a unit follows"},
        {"0.250 m", 0.25, "decimal point"},
        {"38.0 kg", 38, "weight"},
        {"0,250", 0, "a comma ends the number"},
        {"262,5 mm", 262, "a comma ends the number"},
        {"1 200 kg", 1, "a blank ends the number"},
        {"1e3", 1, "no exponent: the letter ends the number"},
        {"-12.5x", -12.5, "sign"},
        {"+4", 4, "plus sign"},
        {".5", 0.5, "no digit before the point"},
        {"7.", 7, "no digit after the point"},
        {"1.2.3", 1.2, "a second point ends the number"},
        {"mangler", 0, "no number"},
        {"", 0, "empty"},
        {"-", 0, "a sign alone"},
        {".", 0, "a point alone"},
        {" 5", 0, "a leading blank is no number"},
        {"9.991", 9.991, "more decimals"},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(FieldNumber(c.text), c.value) << c.text << ": " << c.why;

    // Hundreds of digits read as the limit, never as infinity or 0.
    bool held = false;
    EXPECT_DOUBLE_EQ(FieldNumber(std::string(308, '9') + " mm", &held), kMaxFieldNumber);
    EXPECT_TRUE(held);
    EXPECT_DOUBLE_EQ(FieldNumber("-" + std::string(309, '9')), -kMaxFieldNumber);
    EXPECT_DOUBLE_EQ(FieldNumber("1000000000 kg", &held), 1e9);
    EXPECT_FALSE(held);
}

TEST(FieldNumberTest, AFractionTooSmallForADoubleIsZero) {
    const std::string tiny = "0." + std::string(400, '0') + "1";
    bool held = true;
    EXPECT_EQ(FieldNumber(tiny + " kg", &held), 0.0) << "not the limit of a huge number";
    EXPECT_FALSE(held);
    EXPECT_EQ(FieldNumber("-" + tiny), 0.0);
    EXPECT_EQ(FieldNumber("." + std::string(400, '0') + "5 m"), 0.0);
    EXPECT_DOUBLE_EQ(FieldNumber(std::string(400, '0') + "12.5"), 12.5)
        << "leading zeros of the whole part";
    EXPECT_DOUBLE_EQ(FieldNumber("1" + std::string(400, '0') + ".5"), kMaxFieldNumber);
}

TEST_F(ArticleFileTest, ALengthBeyondTheRangeIsSaidOnce) {
    articles({"¤0150_X_TK ", "title", "A-1", "Flens", "x", "0", "0", std::string(309, '9'), "BLK",
              "8 kg", "EOL"});
    auto& data = files();
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(LookupArticle(data, Cp("¤0150_X_TK"), record_, Placeholder::kAsTranslated), 8);
    EXPECT_DOUBLE_EQ(FieldNumber(record_.fields[6]), kMaxFieldNumber);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find("field 6: the number is beyond 1000000000"),
              std::string::npos)
        << messages_.shown[0];
}

wizard::ConfigurationRecord SampleRecord() {
    wizard::ConfigurationRecord record;
    record.valveType = 2;
    record.typeKey = "tKryss";
    record.dimensionMillimetres = 80;
    record.options[0].tag = "A2";
    record.options[1].tag = "HL";
    record.options[2].tag = "EP";
    record.options[3].tag = "NOAKT";
    record.slots[1] = {1, "flens", "Flens", 2, 100, "DN100"};
    record.slots[2] = {1, Cp("spiss"), "Spiss", 1, 90, "PE090"};
    record.slots[3] = {1, Cp("muffeø"), "Muffe", 1, 50, "DN050"};
    return record;
}

TEST(KeyBuilderTest, KeysOfTheFourFamilies) {
    const auto record = SampleRecord();
    EXPECT_EQ(CenterPartKey(record), Cp("¤0080_TKRYSS_CPD"));
    EXPECT_EQ(ValveHouseKey(record, "UFOT"), Cp("¤0080_A2_HL_EP_NOAKT_UFOT_VHK"));
    EXPECT_EQ(ConnectionKey(record, 1), Cp("¤0080_FLENS_DN100_TK"));
    EXPECT_EQ(ConnectionKey(record, 2), Cp("¤0080_SPISS_PE090_TK"));
    EXPECT_EQ(ConnectionKey(record, 3), Cp("¤0080_MUFFEØ_DN050_TK"))
        << "Windows-1252 letters in upper case too";

    auto large = record;
    large.dimensionMillimetres = 1500;
    EXPECT_EQ(CenterPartKey(large), Cp("¤1500_TKRYSS_CPD"));
}

class ConnectionLookupTest : public ArticleFileTest {};

TEST_F(ConnectionLookupTest, CommaOfTheLengthIsAPointOnlyInConnectionRecords) {
    articles({"¤0080_FLENS_DN100_TK x", "title", "KT", "Flens", "PN16", "672", "840", "0,250 m",
              "BLK", "EOL", "¤0080_A2_HL_EP_NOAKT_UFOT_VHK x", "title", "KV", "Hus", "PN16", "0",
              "0", "0,250 m", "EOL"});
    const auto record = SampleRecord();
    auto& data = files();
    std::string key;
    EXPECT_EQ(LookupConnection(data, record, 1, key, record_), 7);
    EXPECT_EQ(key, Cp("¤0080_FLENS_DN100_TK"));
    EXPECT_EQ(record_.fields[0], "");
    EXPECT_EQ(record_.fields[6], "0.250 m");
    EXPECT_DOUBLE_EQ(FieldNumber(record_.fields[6]), 0.25);

    ArticleRecord house;
    EXPECT_EQ(LookupArticle(data, ValveHouseKey(record, "UFOT"), house, Placeholder::kLowerCase),
              6);
    EXPECT_DOUBLE_EQ(FieldNumber(house.fields[6]), 0.0);
}

TEST_F(ConnectionLookupTest, OnlyTheFirstCommaTurns) {
    articles(
        {"¤0080_FLENS_DN100_TK x", "title", "KT", "Flens", "PN16", "672", "840", "1,250,5", "EOL"});
    std::string key;
    EXPECT_EQ(LookupConnection(files(), SampleRecord(), 1, key, record_), 6);
    EXPECT_EQ(record_.fields[6], "1.250,5");
    EXPECT_DOUBLE_EQ(FieldNumber(record_.fields[6]), 1.25);
}

TEST_F(ConnectionLookupTest, MissingConnectionGivesMinusOneAndPlaceholders) {
    articles({"¤0080_FLENS_DN150_TK x", "title", "KT", "EOL"});
    std::string key;
    EXPECT_EQ(LookupConnection(files(), SampleRecord(), 1, key, record_), -1);
    EXPECT_EQ(key, Cp("¤0080_FLENS_DN100_TK")) << "the slot's key is kept even when missing";
    EXPECT_EQ(record_.fields[0], "(MISSING) ");
    EXPECT_EQ(record_.fields[6], "mangler") << "connection lookups ask for lower case";
}

TEST_F(ConnectionLookupTest, UnusedConnectionStillCountsAsFound) {
    articles({"¤0080_FLENS_DN100_TK x", "title", "KT", "UNUSED flange", "EOL"});
    std::string key;
    EXPECT_EQ(LookupConnection(files(), SampleRecord(), 1, key, record_), 2);
    EXPECT_EQ(record_.fields[0], "") << "the status is cleared for a found connection";
}

} // namespace
} // namespace tv::result
