#include "admin/MenuCheck.h"
#include "admin/RecordSummary.h"
#include "TestSupport.h"
#include "wizard/ChoiceLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tv::admin {
namespace {

using test::Cp;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using test::WriteLines;

std::vector<std::string> SplitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < bytes.size(); start = end + 2) {
        end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
}

class MenuCheckTest : public ::testing::Test {
protected:
    // The article file's two head lines, then the given lines.
    void articles(std::initializer_list<std::string_view> lines) {
        std::string bytes = "Vantordata.dat test\r\n01.11.2026 08:00:00\r\n";
        for (auto line : lines)
            bytes += Cp(line) + "\r\n";
        WriteBytes(dir_ / "Vantordata.dat", bytes);
    }

    // Dimension lists of numbered entries (D01 of 1 mm, ...), each with a
    // flange menu of short lines when menuLines is above 0; no article.
    void installation(int first, int second, int menuLines = 0) {
        std::string bytes, menus;
        int number = 0;
        for (auto [list, count] :
             {std::pair{"ENKELVENTIL", first}, std::pair{"VENTILKRYSS", second}}) {
            bytes += Cp("¤DIM_") + list + "\r\nDIMENSJONER\r\n";
            for (int i = 0; i < count; ++i) {
                std::string name = "D" + wizard::FourDigits(++number).substr(2);
                bytes += name + std::string(19 - name.size(), ' ') + "A " +
                         wizard::FourDigits(number) + "\r\n";
                if (menuLines == 0)
                    continue;
                menus += Cp("¤") + name + "_FLENS\r\nT\r\n";
                for (int line = 1; line <= menuLines; ++line)
                    menus += "C" + wizard::FourDigits(line) + "\r\n";
                menus += "EOL\r\n";
            }
            bytes += "EOL\r\n";
        }
        WriteBytes(dir_ / "Tessaro.dat", bytes + menus);
        articles({});
    }

    std::optional<std::filesystem::path> write() {
        files_ = std::make_unique<data::DataFiles>(dir_.path(), "NO", messages_);
        return WriteMenuCheck(*files_, messages_);
    }

    TempDir dir_;
    platform::RecordingMessageBoxes messages_;
    std::unique_ptr<data::DataFiles> files_;
};

TEST_F(MenuCheckTest, WholeCheckIsWrittenByteForByte) {
    // DN 80 has a copied column 30 in one menu, no service-flange menu and a
    // line without record; the cross repeats DN 50 (same fragments and keys:
    // not reported) and ends on an entry and a menu of short lines, the file
    // cut off without "EOL" and without its last line end.
    // clang-format off
    WriteLines(dir_ / "Tessaro.dat",
               {"* test installation", "¤DIM_ENKELVENTIL   single valve", "DIMENSJONER",
                "DN050              H 0050DN 50", "DN080              A 0080DN 80", "EOL",
                "¤DIM_TKRYSS", "DIMENSJONER", "DN999              Z 0999not walked", "EOL",
                "¤DIM_VENTILKRYSS", "DIMENSJONER", "DN050              H 0050DN 50", "DN7", "EOL",
                "¤DN050_FLENS", "TK", "DN050              H 0050Alt H: Flens DN 50", "EOL",
                "¤DN050_FLENSSERVICE", "TK", "DN050              H 0050Alt H: Serviceflens", "EOL",
                "¤DN080_FLENS", "TK", "DN050              H 0050Alt H: Flens DN 50",
                "* a comment between menu lines", "DN080              A 0080Alt H: Flens DN 80",
                "DN100              B 0100Alt B: Flens DN 100", "EOL", "¤DN7_FLENS", "TK", "DN050"});
    WriteBytes(dir_ / "Tessaro.dat",
               ReadBytes(dir_ / "Tessaro.dat") + "DN060              B 0060Alt");
    articles({"¤0050_FLENS_DN050_TK x", "title", "KT050-FH", "Flens DN 50", "PN16", "0", "0",
              "200 mm", "KEL_TK050_FH", "8.5 kg", "720,-", "EOL",
              "¤0050_FLENSSERVICE_DN050_TK x", "title", "KT050-GH",
              "Serviceflens DN 50 for ventil DN 50 (lik dimensjon)", "PN16", "0", "0", "262,5 mm",
              "KEL_TK050_GH_SERVICEUTTAK_2TOMMER", "9.0 kg", "740,-", "EOL",
              "¤0080_FLENS_DN050_TK x", "title", "KT080-FH", "Flens DN 50 for DN 80", "EOL",
              "¤0080_FLENS_DN080_TK x", "title", "KT080-FA", "Flens DN 80", "PN16", "0", "0",
              "200 mm", "KEL_TK080_FA", "11.2 kg", "830,-", "EOL",
              "¤0000_FLENS_DN050_TK x", "title", "KT000", "Nullflens", "EOL"});

    const std::vector<std::string_view> expected = {
        "¤DIM_ENKELVENTIL  50mm   DN050",
        "  #001 HFH  DN050              H 0 ---> ¤0050_FLENS_DN050_TK                     KT050-FH        200 mm   8.5 kg   720,-    KEL_TK050_FH                 Flens DN 50",
        "  #002 HGH  DN050              H 0 ---> ¤0050_FLENSSERVICE_DN050_TK              KT050-GH        262,5 mm 9.0 kg   740,-    KEL_TK050_GH_SERVICEUTTAK_2T Serviceflens DN 50 for ventil DN 50 (lik dimensjon)",
        "¤DIM_ENKELVENTIL  80mm   DN080",
        "  #003 AFH  DN050              H 0 ---> ¤0080_FLENS_DN050_TK                     KT080-FH        mangler  mangler  mangler  mangler                      Flens DN 50 for DN 80",
        "*** Kode er lik #3    ¤0080_FLENS_DN050_TK",
        "  #004 AFH  DN080              A 0 ---> ¤0080_FLENS_DN080_TK                     KT080-FA        200 mm   11.2 kg  830,-    KEL_TK080_FA                 Flens DN 80",
        "    Vantordata ikke funnet for¤0080_FLENS_DN100_TK",
        "  - ¤DN080_FLENSSERVICE not found",
        "¤DIM_VENTILKRYSS  50mm   DN050",
        "  #006 HFH  DN050              H 0 ---> ¤0050_FLENS_DN050_TK                     KT050-FH        200 mm   8.5 kg   720,-    KEL_TK050_FH                 Flens DN 50",
        "  #007 HGH  DN050              H 0 ---> ¤0050_FLENSSERVICE_DN050_TK              KT050-GH        262,5 mm 9.0 kg   740,-    KEL_TK050_GH_SERVICEUTTAK_2T Serviceflens DN 50 for ventil DN 50 (lik dimensjon)",
        "¤DIM_VENTILKRYSS  0mm    DN7",
        "  #008  F   DN050                  ---> ¤0000_FLENS_DN050_TK                     KT000           mangler  mangler  mangler  mangler                      Nullflens",
        "*** Kode er lik #8    ¤0000_FLENS_DN050_TK",
        "    Vantordata ikke funnet for¤0000_FLENS_DN060_TK",
        "  - ¤DN7_FLENSSERVICE not found",
    };
    // clang-format on
    std::string bytes;
    for (auto line : expected)
        bytes += Cp(line) + "\r\n";

    EXPECT_EQ(write(), dir_ / "MenuCheck.txt");
    EXPECT_EQ(ReadBytes(dir_ / "MenuCheck.txt"), bytes);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(MenuCheckTest, AnEqualCodeNamesTheFirstEarlierConnectionWithAnotherKey) {
    // Both lists offer the same menu: DN 65 shares DN 50's letters, and when
    // the menu comes again each line conflicts with the other one, not with
    // its own first appearance.
    WriteLines(dir_ / "Tessaro.dat",
               {"¤DIM_ENKELVENTIL", "T", "DN050              H 0050", "EOL", "¤DIM_VENTILKRYSS",
                "T", "DN050              H 0050", "EOL", "¤DN050_FLENS", "T",
                "DN050              H 0050Alt H", "DN065              J 0065Alt H", "EOL"});
    articles({});
    ASSERT_TRUE(write());
    std::vector<std::string> equal;
    for (const std::string& line : SplitCrLf(ReadBytes(dir_ / "MenuCheck.txt")))
        if (line.starts_with("***"))
            equal.push_back(line);
    EXPECT_EQ(equal, (std::vector<std::string>{Cp("*** Kode er lik #1    ¤0050_FLENS_DN050_TK"),
                                               Cp("*** Kode er lik #2    ¤0050_FLENS_DN065_TK"),
                                               Cp("*** Kode er lik #1    ¤0050_FLENS_DN050_TK")}));
}

TEST(RecordSummaryTest, ColumnsArePaddedOrCut) {
    struct Case {
        const char* key;
        std::vector<std::pair<int, const char*>> fields;
        const char* expected;
        const char* why;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"¤0150_X_TK", {{0, "(MISSING) "}, {1, "A-1"}, {2, "Flens ø150"}, {3, "not shown"},
                        {6, "200 mm"}, {7, "BLK"}, {8, "8.5 kg"}, {9, "720,-"}, {10, "UFOT"}},
         "¤0150_X_TK                               A-1             200 mm   8.5 kg   720,-    BLK                          Flens ø150",
         "short values padded; ¤ and ø are one byte each; fields 0, 3 and 10 not shown"},
        {"¤0150_A_VERY_LONG_KEY_THAT_RUNS_PAST_FORTY_CHARS",
         {{1, "ARTICLE-NUMBER-TOO-LONG"}, {2, "A description longer than every other column, kept whole"},
          {6, "1234.5 mm"}, {7, "A_BLOCK_NAME_OF_MORE_THAN_28_CHARS"}, {8, "12345.6 kg"}, {9, "123 456,-"}},
         "¤0150_A_VERY_LONG_KEY_THAT_RUNS_PAST_FOR ARTICLE-NUMBER- 1234.5 m 12345.6  123 456, A_BLOCK_NAME_OF_MORE_THAN_28 A description longer than every other column, kept whole",
         "every column cut, the description kept whole"},
        {"¤0000_FORTY_CHARACTERS_EXACTLY_123456789", {{1, "FIFTEEN-CHARS-1"}, {6, "8 chars!"}},
         "¤0000_FORTY_CHARACTERS_EXACTLY_123456789 FIFTEEN-CHARS-1 8 chars!                                                ",
         "exact widths keep one blank between columns; empty fields are blanks"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::array<std::string, 31> fields;
        for (auto [number, text] : c.fields)
            fields[static_cast<std::size_t>(number)] = Cp(text);
        EXPECT_EQ(RecordSummary(Cp(c.key), fields), Cp(c.expected));
    }
}

TEST_F(MenuCheckTest, MissingDimensionListWritesNoFile) {
    struct Case {
        const char* file;
        const char* missing;
        const char* why;
    };
    const std::vector<Case> cases = {
        {"¤DIM_VENTILKRYSS\r\nT\r\nEOL\r\n", "¤DIM_ENKELVENTIL", "no single-valve list"},
        {"¤DIM_ENKELVENTIL\r\nT\r\nEOL\r\n¤DIM_TKRYSS\r\nT\r\nEOL\r\n", "¤DIM_VENTILKRYSS",
         "no valve-cross list"},
        {"¤DIM_VENTILKRYSS\r\nT\r\nEOL\r\n¤DIM_ENKELVENTIL\r\nT\r\nEOL\r\n", "¤DIM_VENTILKRYSS",
         "the cross's list before the single valve's is not seen"},
        {"", "¤DIM_ENKELVENTIL", "an empty parameter file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        WriteBytes(dir_ / "Tessaro.dat", Cp(c.file));
        WriteBytes(dir_ / "MenuCheck.txt", "old\r\n");
        messages_.shown.clear();
        EXPECT_EQ(write(), std::nullopt);
        EXPECT_EQ(messages_.shown, std::vector<std::string>{Cp("FATAL SYSTEM ERROR - dimensions ") +
                                                            Cp(c.missing) + " not found"});
        EXPECT_EQ(ReadBytes(dir_ / "MenuCheck.txt"), "old\r\n");
    }
}

TEST_F(MenuCheckTest, LimitsStopTheCheckAndAreReportedOnce) {
    struct Case {
        int first, second, menuLines;
        const char* message;
        long dimensionLines, missingRecords;
        const char* lastLine;
    };
    const std::vector<Case> cases = {
        {30, 11, 0, "section ¤DIM_VENTILKRYSS: more than 40 dimension entries; only the first 40",
         40, 0, "  - ¤D40_FLENSSERVICE not found"},
        {45, 3, 0, "section ¤DIM_ENKELVENTIL: more than 40 dimension entries; only the first 40",
         40, 0, "  - ¤D40_FLENSSERVICE not found"},
        {3, 0, 70, "section ¤D03_FLENS: more than 200 connections; only the first 200", 3, 200,
         "    Vantordata ikke funnet for¤0003_FLENS_C0060_TK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        installation(c.first, c.second, c.menuLines);
        messages_.shown.clear();
        ASSERT_TRUE(write());
        const auto lines = SplitCrLf(ReadBytes(dir_ / "MenuCheck.txt"));
        auto count = [&](std::string_view start) {
            return std::count_if(lines.begin(), lines.end(),
                                 [&](const std::string& l) { return l.starts_with(Cp(start)); });
        };
        EXPECT_EQ(count("¤DIM_"), c.dimensionLines);
        EXPECT_EQ(count("    Vantordata"), c.missingRecords);
        EXPECT_EQ(lines.back(), Cp(c.lastLine));
        EXPECT_EQ(messages_.shown,
                  std::vector<std::string>{"Tessaro.dat, " + Cp(c.message) + " are checked."});
    }
}

TEST_F(MenuCheckTest, FailedWriteIsShownWithThePathAndTheReason) {
    installation(1, 0);
    const std::filesystem::path target = dir_ / "MenuCheck.txt";
    for (bool directory : {true, false}) {
        SCOPED_TRACE(directory ? "a directory in its place" : "a read-only file");
        std::filesystem::remove_all(target);
        if (directory)
            std::filesystem::create_directory(target);
        else {
            WriteBytes(target, "old\r\n");
            std::filesystem::permissions(target, std::filesystem::perms::owner_read);
        }
        messages_.shown.clear();
        EXPECT_EQ(write(), std::nullopt);
        EXPECT_EQ(messages_.shown,
                  std::vector<std::string>{"The menu check could not be written:\r\n" +
                                           data::PathText(target) + "\r\n" + target.string() +
                                           (directory ? " is a directory" : " is read-only")});
        std::filesystem::permissions(target, std::filesystem::perms::owner_all);
    }
}

TEST_F(MenuCheckTest, FileOfAnotherLetterCaseIsReplaced) {
    installation(1, 0);
    WriteBytes(dir_ / "menucheck.TXT", "old\r\n");
    EXPECT_EQ(write(), dir_ / "menucheck.TXT");
    EXPECT_EQ(ReadBytes(dir_ / "menucheck.TXT"),
              Cp("¤DIM_ENKELVENTIL  1mm    D01\r\n  - ¤D01_FLENS not found\r\n"
                 "  - ¤D01_FLENSSERVICE not found\r\n"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "MenuCheck.txt"));
}

TEST(MenuCheckSampleTest, FindsTheSamplesThreeFaults) {
    TempDir install;
    std::filesystem::copy(TV_SAMPLE_DIR, install.path(), std::filesystem::copy_options::recursive);
    platform::RecordingMessageBoxes messages;
    data::DataFiles files(install / "Tessaro", "NO", messages);
    const auto path = WriteMenuCheck(files, messages);
    ASSERT_TRUE(path);
    EXPECT_TRUE(messages.shown.empty());

    const std::vector<std::string> findings = {
        Cp("    Vantordata ikke funnet for¤0080_FLENS_DN050_TK"),
        Cp("*** Kode er lik #2    ¤0080_FLENS_DN080_TK"),
        Cp("  - ¤DN080_FLENSSERVICE not found"),
    };
    std::vector<std::string> found;
    int connections = 0;
    for (const std::string& line : SplitCrLf(ReadBytes(*path))) {
        if (line.starts_with(Cp("¤DIM_")))
            continue;
        if (std::find(findings.begin(), findings.end(), line) != findings.end())
            found.push_back(line);
        else if (line.starts_with("  #"))
            ++connections;
        else
            ADD_FAILURE() << "unexpected line: " << line;
    }
    EXPECT_EQ(found, findings);
    EXPECT_GT(connections, 50);
}

} // namespace
} // namespace tv::admin
