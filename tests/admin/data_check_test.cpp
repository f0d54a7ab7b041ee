#include "admin/DataCheck.h"
#include "TestSupport.h"
#include "wizard/Configuration.h"
#include "wizard/ValvePageLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace tv::admin {
namespace {

using test::Cp;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// Lists put before the sample's own (the first section of a key is the one
// read), so that four valve types with one dimension each and flanges only
// remain, and 16 bottoms:
//   E (single valve)   DN 80,  accessory X,     1 pair, 2 slots:  16 x 1 x 1^2 = 16
//   T (T-cross)        DN 80,  accessories U G, 1 pair, 3 slots:  16 x 2 x 1^3 = 32
//   K (valve cross)    DN 100, accessory U,     2 pairs, 4 slots: 16 x 1 x 2^4 = 256
//   D (double valve)   DN 100, accessory U,     2 pairs, 2 slots: 16 x 1 x 2^2 = 64
// 368 codes, and no fault.
constexpr const char* kSmallLists =
    "¤DIM_ENKELVENTIL\r\nDIMENSJONER\r\nDN080              A 0080DN 80\r\nEOL\r\n"
    "¤DIM_TKRYSS\r\nDIMENSJONER\r\nDN080              A 0080DN 80\r\nEOL\r\n"
    "¤DIM_VENTILKRYSS\r\nDIMENSJONER\r\nDN100              B 0100DN 100\r\nEOL\r\n"
    "¤DIM_DOBBELVENTIL\r\nDIMENSJONER\r\nDN100              B 0100DN 100\r\nEOL\r\n"
    "¤CONN_ENKELVENTIL\r\nTILKOBLING_KRYSS\r\nFLENS              F Flens\r\nEOL\r\n"
    "¤CONN_TKRYSS\r\nTILKOBLING_KRYSS\r\nFLENS              F Flens\r\nEOL\r\n"
    "¤CONN_VENTILKRYSS\r\nTILKOBLING_KRYSS\r\nFLENS              F Flens\r\nEOL\r\n"
    "¤CONN_DOBBELVENTIL\r\nTILKOBLING_KRYSS\r\nFLENS              F Flens\r\nEOL\r\n"
    "¤DN080_FLENS\r\nTK_DN080_FLENS\r\nDN080              A 0080DN 80\r\nEOL\r\n"
    "¤DN100_FLENS\r\nTK_DN100_FLENS\r\nDN100              B 0100DN 100\r\n"
    "DN080              A 0080DN 80\r\nEOL\r\n"
    "¤CPD_TKRYSS_0080\r\nTILBEHOR_LITEN\r\nUTEN               U 0000Uten tilbehør\r\n"
    "GARNITYR           G 1500Med innbyggingsgarnityr\r\nEOL\r\n"
    "¤CPD_VENTILKRYSS_0100\r\nTILBEHOR_LITEN\r\nUTEN               U 0000Uten tilbehør\r\nEOL\r\n"
    "¤CPD_DOBBELVENTIL_0100\r\nTILBEHOR_LITEN\r\nUTEN               U 0000Uten tilbehør\r\n"
    "EOL\r\n";

class DataCheckTest : public ::testing::Test {
protected:
    DataCheckTest() {
        const std::filesystem::path sample = std::filesystem::path(TV_SAMPLE_DIR) / "Tessaro";
        for (const auto& entry : std::filesystem::directory_iterator(sample))
            if (entry.is_regular_file())
                std::filesystem::copy_file(entry.path(), dir_ / entry.path().filename().string());
        // After the five head lines of the parameter file.
        std::string parameters = ReadBytes(dir_ / "Tessaro.dat");
        const std::size_t head = parameters.find("-V18\r\n") + 6;
        parameters.insert(head, Cp(kSmallLists));
        WriteBytes(dir_ / "Tessaro.dat", parameters);
    }

    // Replaces the first `from` in a data file by `to` (both UTF-8 here).
    void replace(const char* file, std::string_view from, std::string_view to) {
        std::string bytes = ReadBytes(dir_ / file);
        const std::size_t at = bytes.find(Cp(from));
        ASSERT_NE(at, std::string::npos) << from;
        bytes.replace(at, Cp(from).size(), Cp(to));
        WriteBytes(dir_ / file, bytes);
    }

    DataCheckResult check(std::string_view language = {}) {
        data::DataFiles files(dir_.path(), "NO", messages_);
        return CheckData(files, language);
    }

    TempDir dir_;
    platform::RecordingMessageBoxes messages_;
};

// Every accepted code, worked out by hand above: the check counts them, the
// catalogue lists them in order, and the code check accepts each.
TEST_F(DataCheckTest, CountsListsAndAcceptsEveryCodeOfASmallInstallation) {
    const DataCheckResult result = check();
    EXPECT_EQ(result.codes, 368u);
    EXPECT_TRUE(result.findings.empty())
        << result.findings.front().kind << " " << result.findings.front().subject;

    data::DataFiles files(dir_.path(), "NO", messages_);
    std::vector<std::string> codes;
    ForEachAcceptedCode(files, [&codes](std::string_view code) { codes.emplace_back(code); });
    ASSERT_EQ(codes.size(), 368u);
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
    EXPECT_EQ(std::adjacent_find(codes.begin(), codes.end()), codes.end());
    EXPECT_EQ(codes.front(), "DAUBFAXXFAXX-V18");
    EXPECT_EQ(codes.back(), "TPUAFAFAFAXX-V18");

    wizard::Configuration configuration(files, wizard::ReadValvePageLayout(files));
    for (const std::string& code : codes) {
        configuration.code = code;
        EXPECT_EQ(configuration.CheckCode(), 0) << code;
    }
}

struct PlantedFault {
    const char* name;
    const char* file;
    const char* from; // the text replaced in the file, UTF-8 here
    const char* to;
    const char* kind;
    const char* subject;
    std::uint64_t codes;
    const char* example;  // "" for none
    const char* language; // "" for none
};

// One fault planted in the small installation gives exactly its finding.
TEST_F(DataCheckTest, EachPlantedFaultGivesItsFindingWithItsCodes) {
    const PlantedFault faults[] = {
        {"a connection-dimension list without lines", "Tessaro.dat",
         "¤DN080_FLENS\r\nTK_DN080_FLENS\r\nDN080              A 0080DN 80\r\n",
         "¤DN080_FLENS\r\nTK_DN080_FLENS\r\n", "missing-section", "¤DN080_FLENS", 0, "", ""},
        {"two accessories with one letter", "Tessaro.dat",
         "GARNITYR           G 1500Med innbyggingsgarnityr\r\n",
         "GARNITYR           G 1500Med innbyggingsgarnityr\r\nKOMPLETT           G 1500Med "
         "garnityr og gatekappe\r\n",
         "letter-collision", "¤CPD_TKRYSS_0080", 0, "", ""},
        {"an accessory letter in lower case", "Tessaro.dat",
         "GARNITYR           G 1500Med innbyggingsgarnityr\r\n",
         "GARNITYR           G 1500Med innbyggingsgarnityr\r\nGATEKAPPE          k 0000Med "
         "gatekappe\r\n",
         "untypeable-letter", "¤CPD_TKRYSS_0080", 0, "", ""},
        {"a bottom line with another letter", "Tessaro.dat", "A   0000 A2/HL/EP/AKT",
         "B   0000 A2/HL/EP/AKT", "bottom-mismatch", "¤BOTTOM_A", 23, "EAXAFAXXFAXX-V18", ""},
        {"a combination key missing", "Tessaro.dat", "¤A2_HL_EP_AKT\r\n", "¤A2_HL_EP_AKX\r\n",
         "missing-combination", "¤A2_HL_EP_AKT", 0, "", ""},
        {"a connection record missing", "Vantordata.dat", "¤0100_FLENS_DN080_TK ",
         "¤0100_FLENS_DN080_XX ", "missing-article", "¤0100_FLENS_DN080_TK", 240 + 48,
         "DAUBFAXXFBXX-V18", ""},
        {"an accessory withdrawn", "Vantordata.dat",
         "KB080-G\r\nInnbyggingsgarnityr 1,5 m for DN 80", "KB080-G\r\nUNUSED", "unused-article",
         "¤0080_GARNITYR_BRV", 16, "TAGAFAFAFAXX-V18", ""},
        {"a key line repeated", "Vantordata.dat", "EOL\r\nEOF\r\n",
         "EOL\r\n¤0080_FLENS_DN080_TK kopi\r\nT\r\nEOL\r\nEOF\r\n", "key-never-found",
         "¤0080_FLENS_DN080_TK", 0, "", ""},
        {"a key line that names another key", "Vantordata.dat", "¤0080_FLENS_DN080_TK tilkobling",
         "¤0080_X_TK se ¤0080_FLENS_DN080_TK \r\nT\r\nEOL\r\n¤0080_FLENS_DN080_TK tilkobling",
         "key-shadowed", "¤0080_FLENS_DN080_TK", 16 + 32, "EAXAFAXXFAXX-V18", ""},
        {"a weight that is no number", "Vantordata.dat", "KEL_TK080_FA\r\n11.2 kg",
         "KEL_TK080_FA\r\nca. 11 kg", "bad-field", "¤0080_FLENS_DN080_TK", 16 + 32,
         "EAXAFAXXFAXX-V18", ""},
        {"a language file missing", "Lang_FI.txt", "", "", "missing-language-file", "Lang_FI.txt",
         0, "", "FI"},
        {"an information file missing", "Nytt_FI.txt", "", "", "missing-translation", "Nytt_FI.txt",
         0, "", "FI"},
        {"a connection picture and its fallback missing", "FLENS_0080_N.gif", "", "FLENS_E_N.gif",
         "missing-picture", "FLENS_E_N", 16 + 32, "EAXAFAXXFAXX-V18", ""},
        {"a list without its translation", "Lang_EN.txt", "¤TILBEHOR_LITEN", "¤TILBEHOR_SMALL",
         "missing-translation", "¤TILBEHOR_LITEN", 0, "", "EN"},
        {"a text without its translation", "Lang_EN.txt", "¤¤Bestillingsnummer\r\n",
         "¤¤Bestillingsnumre\r\n", "missing-translation", "¤¤Bestillingsnummer", 0, "", "EN"},
        {"a help panel missing", "Lang_EN.txt", "¤Startinfo_hlp", "¤Startinfo_hlx", "missing-help",
         "¤Startinfo_hlp", 0, "", "EN"},
    };
    const std::string parameters = ReadBytes(dir_ / "Tessaro.dat");
    const std::string articles = ReadBytes(dir_ / "Vantordata.dat");
    const std::string finnish = ReadBytes(dir_ / "Lang_FI.txt");
    const std::string english = ReadBytes(dir_ / "Lang_EN.txt");
    for (const PlantedFault& fault : faults) {
        SCOPED_TRACE(fault.name);
        WriteBytes(dir_ / "Tessaro.dat", parameters);
        WriteBytes(dir_ / "Vantordata.dat", articles);
        WriteBytes(dir_ / "Lang_FI.txt", finnish);
        WriteBytes(dir_ / "Lang_EN.txt", english);
        // A fault without a text to replace removes its file (and a second one).
        const std::filesystem::path sample = std::filesystem::path(TV_SAMPLE_DIR) / "Tessaro";
        if (*fault.from) {
            replace(fault.file, fault.from, fault.to);
        } else {
            for (const char* file : {fault.file, fault.to})
                if (*file)
                    std::filesystem::remove(dir_ / file);
        }

        const DataCheckResult result = check();
        ASSERT_EQ(result.findings.size(), 1u)
            << result.findings.front().kind << " " << result.findings.front().subject << " / "
            << result.findings.back().kind << " " << result.findings.back().subject;
        const DataFinding& found = result.findings.front();
        EXPECT_EQ(found.kind, fault.kind);
        EXPECT_EQ(found.subject, Cp(fault.subject));
        EXPECT_EQ(found.codes, fault.codes);
        EXPECT_EQ(found.example, fault.example);
        EXPECT_EQ(found.language, fault.language);
        EXPECT_FALSE(found.detail.empty());
        for (const char* file : {fault.file, fault.to})
            if (!*fault.from && *file)
                std::filesystem::copy_file(sample / file, dir_ / file);
    }
}

// A list beyond what the readers take, and the language findings of one
// language only.
TEST_F(DataCheckTest, ListsBeyondTheirLimitAndOneLanguage) {
    std::string lines;
    for (int i = 0; i < 20; ++i)
        lines += "GARNITYR           G 1500Med innbyggingsgarnityr\r\n";
    replace("Tessaro.dat", "UTEN               U 0000Uten tilbehør\r\nGARNITYR",
            lines + "GARNITYR");
    // Finnish whose head ends after its top text.
    WriteBytes(dir_ / "Lang_FI.txt", "Tessaro\r\n0\r\nTessaro\r\n");
    std::filesystem::remove(dir_ / "Lang_DE.txt");

    const DataCheckResult result = check("FI");
    auto has = [&result](std::string_view kind, std::string_view subject) {
        return std::any_of(result.findings.begin(), result.findings.end(),
                           [&](const auto& f) { return f.kind == kind && f.subject == subject; });
    };
    EXPECT_TRUE(has("section-limit", Cp("¤CPD_TKRYSS_0080")));
    EXPECT_TRUE(has("missing-translation", "Lang_FI.txt"));
    EXPECT_FALSE(has("missing-language-file", "Lang_DE.txt")) << "another language";
}

// Data that is wrong as a whole ends the check with the findings it makes.
TEST_F(DataCheckTest, BadInstallationsEndWithTheirFindings) {
    std::string equalLetters = "DIMENSJONER\r\n";
    for (int i = 0; i < 30; ++i)
        equalLetters += "DN080              A 0080DN 80\r\n";
    const struct {
        const char* name;
        const char* file;
        std::vector<std::pair<std::string, std::string>> replaced; // every `from`, UTF-8 here
        const char* kind;
        const char* subject;
        const char* language;
        std::uint64_t codes; // the installation's accepted codes
    } cases[] = {
        {"no lists at all",
         "Tessaro.dat",
         {{"¤DIM_", "¤XDIM_"}, {"¤CONN_", "¤XCONN_"}, {"¤CPD_", "¤XCPD_"}},
         "missing-section",
         "¤DIM_ENKELVENTIL",
         "",
         0},
        {"30 lines with one letter",
         "Tessaro.dat",
         {{"DIMENSJONER\r\nDN080              A 0080DN 80\r\n", equalLetters}},
         "letter-collision",
         "¤DIM_ENKELVENTIL",
         "",
         368},
        {"a bottom with an empty data line",
         "Tessaro.dat",
         {{"Bunnbokstav A\r\nA   0000 A2/HL/EP/AKT\r\n", "Bunnbokstav A\r\n\r\n"}},
         "bottom-mismatch",
         "¤BOTTOM_A",
         "",
         368},
        {"a text translated to itself",
         "Lang_EN.txt",
         {{"¤¤Mangler\r\nMissing\r\n", "¤¤Mangler\r\n¤¤Mangler\r\n"}},
         "missing-translation",
         "¤¤Mangler",
         "EN",
         368},
        {"two texts translated to each other",
         "Lang_DE.txt",
         {{"\r\nAbbrechen\r\n", "\r\n¤¤Start ny\r\n"},
          {"\r\nNeu beginnen\r\n", "\r\n¤¤Avbryt\r\n"}},
         "missing-translation",
         "¤¤Avbryt",
         "DE",
         368},
    };
    std::map<std::string, std::string> original;
    for (const char* file : {"Tessaro.dat", "Lang_EN.txt", "Lang_DE.txt"})
        original[file] = ReadBytes(dir_ / file);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& [file, bytes] : original)
            WriteBytes(dir_ / file, bytes);
        std::string bytes = original[c.file];
        for (const auto& [from, to] : c.replaced) {
            const std::string cpFrom = Cp(from);
            ASSERT_NE(bytes.find(cpFrom), std::string::npos) << from;
            for (std::size_t at = 0; (at = bytes.find(cpFrom, at)) != std::string::npos;
                 at += Cp(to).size())
                bytes.replace(at, cpFrom.size(), Cp(to));
        }
        WriteBytes(dir_ / c.file, bytes);

        const DataCheckResult result = check();
        EXPECT_EQ(result.codes, c.codes);
        EXPECT_TRUE(std::any_of(result.findings.begin(), result.findings.end(),
                                [&](const auto& f) {
                                    return f.kind == c.kind && f.subject == Cp(c.subject) &&
                                           f.language == c.language;
                                }))
            << c.kind << " " << c.subject;
    }
}

TEST_F(DataCheckTest, FileIsWrittenWithTheSummaryAndAFailedWriteIsSaid) {
    replace("Vantordata.dat", "¤0100_FLENS_DN080_TK ", "¤0100_FLENS_DN080_XX ");
    data::DataFiles files(dir_.path(), "NO", messages_);
    const DataCheckResult result = CheckData(files);
    EXPECT_EQ(DataCheckSummary(result),
              "368 codes, " + std::to_string(result.lookups) + " lookups, 1 finding");
    const auto path = WriteDataCheck(files, result, messages_);
    ASSERT_TRUE(path);
    EXPECT_EQ(ReadBytes(*path),
              Cp("DataCheck - Tessaro.dat  Kelmor vannventiler  rev. 2026-11\r\nCodes: 368\r\n"
                 "Lookups: " +
                 std::to_string(result.lookups) +
                 "\r\nFindings: 1\r\n  missing-article: 1\r\n\r\n[missing-article]\r\n"
                 "¤0100_FLENS_DN080_TK: looked up for the connection; 288 codes, e.g. "
                 "DAUBFAXXFBXX-V18\r\n"));

    std::filesystem::remove(*path);
    std::filesystem::create_directory(*path);
    EXPECT_FALSE(WriteDataCheck(files, result, messages_));
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_TRUE(messages_.shown.back().starts_with("The data check could not be written:"));
}

} // namespace
} // namespace tv::admin
