#include "output/Report.h"
#include "platform/FakeSystem.h"
#include "result/ResultComputation.h"
#include "result/ResultScreenLayout.h"
#include "wizard/ValvePageLayout.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace tv::output {
namespace {

using test::Cp;
namespace fs = std::filesystem;

std::vector<std::string> SplitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "every line ends with CR LF";
    return lines;
}

// One row of the parts table: its five cell texts, font lines left out.
using Row = std::vector<std::string>;

// The rows of the parts table after its head row, and whether every row
// cell carried the font line.
struct PartsTable {
    std::vector<Row> rows;
    std::vector<std::string> fontLines;
};

PartsTable ReadPartsTable(const std::vector<std::string>& lines) {
    PartsTable table;
    auto at = std::find(lines.begin(), lines.end(), "<table border=1>");
    if (at == lines.end())
        return table;
    // Skip the head: "<tr>" and five cells of two lines.
    at += 1 + 1 + 10;
    for (; at != lines.end() && *at == "<tr>"; ++at) {
        Row row;
        for (++at; at != lines.end() && *at != "</tr>"; ++at) {
            if (at->rfind("<td width=", 0) == 0)
                continue;
            if (at->rfind("<font", 0) == 0) {
                table.fontLines.push_back(*at);
                continue;
            }
            row.push_back(at->substr(0, at->size() - 5)); // without "</td>"
        }
        table.rows.push_back(row);
    }
    return table;
}

// A run started on 7 December 2026 at 14:05 whose report directory is a
// fresh temporary one, on the sample installation or a copy of it.
class ReportTest : public ::testing::Test {
protected:
    ReportTest() {
        startup_.reportDirectory = data::PathText(reports_.path()) + "/";
        startup_.start = {2026, 12, 7, 14, 5, 59};
        customer_ = {"Kari Nordmann", "Vannverket AS", "Postboks 1, 4001 Stavanger",
                     "Kaia 3, 4006 Stavanger"};
    }

    void load(const std::string& code, const fs::path& dataDirectory, const char* language) {
        files_ = std::make_unique<data::DataFiles>(dataDirectory, language, messages_);
        configuration_ =
            std::make_unique<wizard::Configuration>(*files_, wizard::ReadValvePageLayout(*files_));
        configuration_->Clear();
        configuration_->code = code;
        ASSERT_EQ(configuration_->CheckCode(), 0) << code;
        const result::ResultInputs inputs{*configuration_, startup_,
                                          wizard::ReadValvePageCaptions(*files_).accessoryFrame};
        state_ = result::ComputeResult(*files_, platform_, inputs);
        result::LayOutResultScreen(*files_, *configuration_, startup_, state_);
        messages_.shown.clear();
    }

    ReportOutcome write(const std::string& code, const char* language = "NO",
                        const fs::path& dataDirectory = fs::path(TV_SAMPLE_DIR) / "Tessaro") {
        startup_.debugMode = debug_;
        load(code, dataDirectory, language);
        const ReportInputs inputs{
            configuration_->code,  configuration_->record, state_, startup_, customer_,
            "01.12.2026 09:00:00", "01.11.2026 08:00:00"};
        // The bitmap is written as the program's own save would.
        auto save = [this](const fs::path& path) {
            saved_.push_back(path);
            return platform::WriteFileSafely(path, "BM");
        };
        return WriteReport(inputs, *files_, platform_, canvas_, save);
    }

    std::vector<std::string> html(const ReportOutcome& outcome) {
        EXPECT_TRUE(outcome.written);
        return SplitCrLf(test::ReadBytes(outcome.path));
    }

    // A copy of the sample data directory with one text of the parameter
    // file replaced.
    fs::path sampleCopyWith(const std::string& from, const std::string& to,
                            const char* file = "Tessaro.dat") {
        const fs::path copy = data_.path() / "Tessaro";
        fs::copy(fs::path(TV_SAMPLE_DIR) / "Tessaro", copy, fs::copy_options::recursive);
        std::string bytes = test::ReadBytes(copy / file);
        const auto at = bytes.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        bytes.replace(at, from.size(), to);
        test::WriteBytes(copy / file, bytes);
        return copy;
    }

    fs::path reportPath(const char* extension) const {
        return reports_.path() / (std::string("Te202612071405") + extension);
    }

    test::TempDir reports_;
    test::TempDir data_;
    platform::MemorySettingsStore settings_;
    platform::RecordingMessageBoxes messages_;
    platform::FakeSystem system_; // "dd.MM.yyyy HH:mm:ss", decimal separator ","
    platform::Platform platform_{settings_, messages_, system_};
    data::StartupValues startup_;
    data::CustomerDetails customer_;
    std::unique_ptr<data::DataFiles> files_;
    std::unique_ptr<wizard::Configuration> configuration_;
    result::ResultState state_;
    result::RecordingCanvas canvas_;
    std::vector<fs::path> saved_;
    bool debug_ = false;
};

TEST(WriteCellTest, FontLineOnlyForANonZeroSize) {
    const struct {
        int fontSize;
        std::vector<std::string> lines;
    } cases[] = {
        {0, {"<td width=110>", "KV150-BU</td>"}},
        {-1, {"<td width=110>", "<font size=-1>", "KV150-BU</td>"}},
        {2, {"<td width=110>", "<font size=2>", "KV150-BU</td>"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines;
        WriteCell(lines, "KV150-BU", 110, c.fontSize);
        EXPECT_EQ(lines, c.lines) << c.fontSize;
    }
}

TEST(EscapeHtmlTest, MarkupCharactersBecomeEntities) {
    const struct {
        const char* text;
        const char* escaped;
    } cases[] = {
        {"Vannverket AS", "Vannverket AS"},
        {"<b>&", "&lt;b&gt;&amp;"},
        {"Smith & S\xF8nn", "Smith &amp; S\xF8nn"}, // Windows-1252 letters pass
        {"\"O'Hara\"", "&quot;O&#39;Hara&quot;"},
        {"&amp;", "&amp;amp;"}, // typed as is, shown as typed
    };
    for (const auto& c : cases)
        EXPECT_EQ(EscapeHtml(c.text), c.escaped) << c.text;
}

// The whole report of the single valve, worked out from the sample's
// layout section and the article records of its code.
TEST_F(ReportTest, SingleValveWholeReport) {
    const ReportOutcome outcome = write("EBXCFCXXFCXX-V18");
    EXPECT_EQ(outcome.path, reportPath(".htm"));
    const auto cell = [](const char* width, const std::string& text) {
        return std::vector<std::string>{std::string("<td width=") + width + ">", "<font size=-1>",
                                        text + "</td>"};
    };
    std::vector<std::string> expected = {
        "<html><head><title>Tessaro ventilvavuvirivado rapport</title>",
        "</head><body><table border=0><tr><td width=800>",
        "<table><tr><td><image border=0 src='KelmorLogo_21.bmp'></td><td><center><h1> Kelmor "
        "<br/> Tlf: +47 51 00 00 00 <br/> E-post: ordre@kelmor.example <br/></h1>",
        "<h2>Ordreskjema for sammenstilt ventil</h2></center></td></tr></table>",
        "<table>",
        "<tr>",
        "<td width=190>",
        "Programversjon:</td>",
        "<td width=800>",
        "1.8.11</td></tr>",
        "<td width=190>",
        "Parameterfil:</td>",
        "<td width=800>",
        "01.12.2026 09:00:00</td></tr>",
        "<td width=190>",
        "Artikkelfil:</td>",
        "<td width=800>",
        "01.11.2026 08:00:00</td></tr>",
        "<tr><td width=190>",
        "Rapportdato:</td>",
        "<td width=800>",
        "07.12.2026 14:05</td></tr>",
        "<td width=190>",
        " </td>",
        "<td width=800>",
        " </td></tr>",
        "<td width=190>",
        "Ventilkode:</td>",
        "<td width=800><B>",
        Cp("EBXCFCXXFCXX-V18 </B> -Må oppgis ved bestilling pr.mail og ev. påføres "
           "tegninger</td></tr>"),
        "<td width=190>",
        "NRF-nummer:</td>",
        "<td width=800>",
        "---</td></tr>",
        "</table> <br>",
        "<h3>Enkeltventil med tilkoblinger</h3>",
        "<table border=1>",
        "<tr>",
        "<td width=110>",
        "<b>Artikkelnr.</b></td>",
        "<td width=80>",
        "<b>Dimensjon</b></td>",
        "<td width=330>",
        "<b>Beskrivelse</b></td>",
        "<td width=80>",
        "<b>Vekt</b></td>",
        "<td width=130>",
        "<b>Merknad</b></td>",
    };
    const std::vector<std::vector<std::string>> rows = {
        {"KV150-BU", Cp("Ø150 mm"), Cp("Ventilhus DN 150, A2-spindel, høyrelukkende, EPDM-kile"),
         "38,0 kg", "1 stk"},
        {"KT150-FC", Cp("Ø150 mm"), "Flens DN 150 for ventil DN 150 (lik dimensjon)", "17.5 kg",
         "Tilkobling kl. 12"},
        {"KT150-FC", Cp("Ø150 mm"), "Flens DN 150 for ventil DN 150 (lik dimensjon)", "17.5 kg",
         "Tilkobling kl. 6"},
    };
    const char* widths[] = {"110", "80", "330", "80", "130"};
    for (const auto& row : rows) {
        expected.push_back("<tr>");
        for (int column = 0; column < 5; ++column) {
            const auto lines = cell(widths[column], row[column]);
            expected.insert(expected.end(), lines.begin(), lines.end());
        }
        expected.push_back("</tr>");
    }
    const std::vector<std::string> tail = {
        "</table> <br>",
        "<table>",
        "<tr>",
        "<td>",
        "Vertikal byggelengde : </td>",
        "<td>",
        "610 mm</td>", // house 210 + two flanges of 200
        "<td width=50> </td>",
        "<td> </td>",
        "</tr>",
        "<tr>",
        "<td>",
        "Totalvekt : </td>",
        "<td>",
        "73,0 kg</td>", // 38 + 17.5 + 17.5
        "<td> </td>",
        Cp("<td>Oppgi ønsket antall................</td>"),
        "</tr>",
        "</table>",
        "<br> ",
        "<center><image border=1 ",
        " src=\"Te202612071405.bmp\"></center><br>",
        "</td></tr></table>",
        "<table border=\"1\" cellpadding=\"0\" cellspacing=\"0\" style=\"border-collapse: "
        "collapse\" bordercolor=\"#111111\" width=\"100%\" id=\"AutoNumber1\">",
        "<tr>",
        "<td border=0 align=center>",
        "<B>Bestilling fra :</B>",
        "</td>",
        "</tr>",
        "<tr><td><b>",
        "Firma : </b>Vannverket AS<br>&nbsp;",
        "<td></tr>",
        "<tr><td><b>",
        "Bestillers navn : </b>Kari Nordmann<br>&nbsp;",
        "<td></tr>",
        "<tr><td><b>",
        "Fakturaadresse : </b>Postboks 1, 4001 Stavanger<br>&nbsp;",
        "<td></tr>",
        "<tr><td><b>",
        "Levering : </b>Kaia 3, 4006 Stavanger<br>&nbsp;",
        "<td></tr>",
        "<tr><td><b>",
        "Bestillers sign : </b><br>&nbsp;",
        "<td></tr>",
        "</table><br>",
        "<font size=-1>",
        Cp("Tips for utskrift på 1 side: Velg File, Forhåndsvisning, 68-75% - skriv ut i "
           "stående format"),
        "</font></body> </html>",
    };
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(html(outcome), expected);

    EXPECT_EQ(saved_, std::vector<fs::path>{reportPath(".bmp")});
    EXPECT_FALSE(canvas_.calls.empty()) << "the picture is composed before it is saved";
    EXPECT_TRUE(messages_.shown.empty());
}

// Which rows each valve type writes, in their order, with the remarks and
// the totals worked out from the sample's records.
TEST_F(ReportTest, RowsOfEveryValveType) {
    const struct {
        const char* code;
        std::vector<std::vector<std::string>> rows; // article, dimension, weight, remark
        const char* vertical;
        const char* horizontal; // nullptr: no horizontal line
        const char* weight;
        const char* nrf;
    } cases[] = {
        // Single valve with actuator: the actuator row has no dimension.
        {"ECXBGBXXFAXX-V18",
         {{"KV100-CU"}, {"KA100-E", "---", "22.0 kg", "-"}, {}, {}},
         nullptr,
         nullptr,
         nullptr,
         "---"},
        // T-cross: three alike houses, centre, set, three connections.
        {"TBGCFCSPFCXX-V18",
         {{"KV150-BU", Cp("Ø150 mm"), "38,0 kg", "3 stk"},
          {"KS150-T", Cp("Ø150 mm"), "31.0 kg", "-"},
          {"KB150-G", Cp("Ø150 mm"), "9.0 kg", "-"},
          {"KT150-FC", Cp("Ø150 mm"), "17.5 kg", "Tilkobling kl. 12"},
          {"KT150-SP", Cp("Ø160 mm"), "11.0 kg", "Tilkobling kl. 3"},
          {"KT150-FC", Cp("Ø150 mm"), "17.5 kg", "Tilkobling kl. 6"}},
         "1140 mm</td>",
         "",
         "200,0 kg</td>",
         "NRF 5316204"},
        // X-cross with short houses at 3 and 9: two house rows of 2 each.
        {"KBBDFDFDFDFD-V18",
         {{"KV200-BU", Cp("Ø200 mm"), "62,0 kg", "2 stk"},
          {"KV200-BK", Cp("Ø200 mm"), "54,6 kg", "2 stk"},
          {"KS200-K", Cp("Ø200 mm"), "58.2 kg", "-"},
          {"KB200-B", Cp("Ø200 mm"), "21.5 kg", "-"},
          {"KT200-FD", Cp("Ø200 mm"), "22.0 kg", "Tilkobling kl. 12"},
          {"KT200-FD", Cp("Ø200 mm"), "22.0 kg", "Tilkobling kl. 3"},
          {"KT200-FD", Cp("Ø200 mm"), "22.0 kg", "Tilkobling kl. 6"},
          {"KT200-FD", Cp("Ø200 mm"), "22.0 kg", "Tilkobling kl. 9"}},
         // 2 × 62 + 2 × 54.6 + 58.2 + 21.5 + 4 × 22
         "1250 mm</td>",
         "1180 mm</td>",
         "400,9 kg</td>",
         "NRF 5316218"},
        // Two houses: no connections at 3 and 9.
        {"DBUCFCXXFCXX-V18",
         {{"KV150-BU", Cp("Ø150 mm"), "38,0 kg", "2 stk"},
          {"KS150-D", Cp("Ø150 mm"), "26.3 kg", "-"},
          {},
          {"KT150-FC", Cp("Ø150 mm"), "17.5 kg", "Tilkobling kl. 12"},
          {"KT150-FC", Cp("Ø150 mm"), "17.5 kg", "Tilkobling kl. 6"}},
         nullptr,
         "",
         nullptr,
         "---"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const auto lines = html(write(c.code));
        const PartsTable table = ReadPartsTable(lines);
        ASSERT_EQ(table.rows.size(), c.rows.size());
        for (std::size_t r = 0; r < c.rows.size(); ++r) {
            const Row& row = table.rows[r];
            ASSERT_EQ(row.size(), 5u);
            const auto& want = c.rows[r];
            if (want.size() >= 1) {
                EXPECT_EQ(row[0], want[0]) << "row " << r;
            }
            if (want.size() >= 4) {
                EXPECT_EQ(row[1], want[1]) << "row " << r;
                EXPECT_EQ(row[3], want[2]) << "row " << r;
                EXPECT_EQ(row[4], want[3]) << "row " << r;
            }
        }
        // The sample's font setting 9: every row cell carries size -1.
        EXPECT_EQ(table.fontLines.size(), 5 * c.rows.size());
        EXPECT_TRUE(std::all_of(table.fontLines.begin(), table.fontLines.end(),
                                [](const std::string& l) { return l == "<font size=-1>"; }));

        const auto has = [&lines](const std::string& line) {
            return std::find(lines.begin(), lines.end(), line) != lines.end();
        };
        EXPECT_TRUE(has(std::string(c.nrf) + "</td></tr>"));
        EXPECT_EQ(has("Horisontal byggelengde : </td>"), c.horizontal != nullptr);
        if (c.vertical) {
            EXPECT_TRUE(has(c.vertical));
        }
        if (c.horizontal && *c.horizontal) {
            EXPECT_TRUE(has(c.horizontal));
        }
        if (c.weight) {
            EXPECT_TRUE(has(c.weight));
        }
    }
}

TEST_F(ReportTest, AnOddHouseAtSixOClockIsTheSecondKind) {
    // The X-cross of DN 200 with its short house at 6 o'clock instead of
    // at 3 and 9.
    const fs::path data =
        sampleCopyWith("58.2 kg\r\n24440,-\r\nUFOT UFOT KORT KORT",
                       "58.2 kg\r\n24440,-\r\nUFOT KORT UFOT UFOT", "Vantordata.dat");
    const PartsTable table = ReadPartsTable(html(write("KBBDFDFDFDFD-V18", "NO", data)));
    ASSERT_GE(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0][0], "KV200-BU");
    EXPECT_EQ(table.rows[1][0], "KV200-BK");
    EXPECT_EQ(table.rows[1][4], "2 stk");
}

TEST_F(ReportTest, SingleValveHasNoCrossRowsAndNoHorizontalLine) {
    const auto lines = html(write("EBXCFCXXFCXX-V18"));
    // No centre part and no accessory (their remark is "-"), no connection
    // at 3 or 9 o'clock, no horizontal length.
    for (const char* absent : {"-</td>", "Tilkobling kl. 3</td>", "Tilkobling kl. 9</td>",
                               "Horisontal byggelengde : </td>"})
        EXPECT_EQ(std::find(lines.begin(), lines.end(), absent), lines.end()) << absent;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Tilkobling kl. 6</td>"), lines.end());
}

TEST_F(ReportTest, FontSettingTenWritesNoFontLines) {
    const fs::path data = sampleCopyWith("\r\n9      * font setting", "\r\n10     * font setting");
    const auto lines = html(write("TBGCFCSPFCXX-V18", "NO", data));
    const PartsTable table = ReadPartsTable(lines);
    EXPECT_EQ(table.rows.size(), 6u);
    EXPECT_TRUE(table.fontLines.empty());
}

TEST_F(ReportTest, DebugModeAddsKeysMarkersAndTheWeightColumnNote) {
    debug_ = true;
    const auto lines = html(write("ECXBGBXXFAXX-V18"));
    const PartsTable table = ReadPartsTable(lines);
    ASSERT_EQ(table.rows.size(), 4u);
    EXPECT_EQ(table.rows[1][2], "Elektrisk aktuator 400 V for ventilhus DN 100  (AKT)");
    EXPECT_EQ(table.rows[2][2], Cp("Serviceflens DN 100 for ventil DN 100 (lik dimensjon)  "
                                   "(¤0100_FLENSSERVICE_DN100_TK)"));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "<b>Vekt   (L)</b></td>"), lines.end());
}

// A connection whose weight the article file no longer gives: its cell
// shows "---", it adds nothing, and debug mode marks the total.
TEST_F(ReportTest, AWithdrawnWeightMarksTheTotalInDebugMode) {
    const fs::path data =
        sampleCopyWith("KEL_TK150_FC\r\n17.5 kg", "KEL_TK150_FC\r\nUNUSED", "Vantordata.dat");
    for (const bool debug : {false, true}) {
        SCOPED_TRACE(debug);
        debug_ = debug;
        const auto lines = html(write("EBXCFCXXFCXX-V18", "NO", data));
        const PartsTable table = ReadPartsTable(lines);
        ASSERT_EQ(table.rows.size(), 3u);
        EXPECT_EQ(table.rows[1][3], "---");
        EXPECT_EQ(table.rows[2][3], "---");
        // Only the valve house of 38 kg counts; debug mode shows it unrounded.
        const std::string total = debug ? "38 kg  (U)</td>" : "38,0 kg</td>";
        EXPECT_NE(std::find(lines.begin(), lines.end(), total), lines.end());
        // The length is complete either way.
        EXPECT_NE(std::find(lines.begin(), lines.end(), "610 mm</td>"), lines.end());
    }
}

// The withdrawn insulation cover still goes on the order: no article
// number, its status before the description, no weight.
TEST_F(ReportTest, AWithdrawnAccessoryIsListed) {
    const PartsTable table = ReadPartsTable(html(write("KBIFFGFFFFBF-V18")));
    const auto centre = std::find_if(table.rows.begin(), table.rows.end(),
                                     [](const Row& row) { return row[0] == "KS300-K"; });
    ASSERT_NE(centre, table.rows.end());
    ASSERT_NE(centre + 1, table.rows.end());
    EXPECT_EQ(centre[1], (Row{"---", Cp("Ø300 mm"),
                              Cp("(UNUSED) UNUSED isolasjonskappe DN 300 - utgått, kontakt "
                                 "Kelmor"),
                              "---", "-"}));
}

TEST_F(ReportTest, CustomerDetailsAreShownAsTyped) {
    customer_.customer = "<b>&";
    customer_.company = "Smith & \"Co\" <i>";
    const auto lines = html(write("EBXCFCXXFCXX-V18"));
    const auto has = [&lines](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("Bestillers navn : </b>&lt;b&gt;&amp;<br>&nbsp;"));
    EXPECT_TRUE(has("Firma : </b>Smith &amp; &quot;Co&quot; &lt;i&gt;<br>&nbsp;"));
    for (const auto& line : lines)
        EXPECT_EQ(line.find("<b>&"), std::string::npos) << line;
}

TEST_F(ReportTest, EnglishCaptionsComeFromTheLanguageFile) {
    const auto lines = html(write("EBXCFCXXFCXX-V18", "EN"));
    const auto has = [&lines](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("Company : </b>Vannverket AS<br>&nbsp;"));
    EXPECT_TRUE(has("<B>Order from :</B>"));
    EXPECT_TRUE(has("Connection 12 o&#39;clock</td>")) << "a text, escaped like every value";
    EXPECT_TRUE(has("EBXCFCXXFCXX-V18 </B> -Must be stated when ordering by e-mail and should be "
                    "marked on drawings</td></tr>"));
    EXPECT_TRUE(
        has("Tip for printing on 1 page: choose File, Print preview, 68-75% - print in portrait "
            "format"));
    EXPECT_TRUE(has("<h2>Order form for an assembled valve</h2></center></td></tr></table>"));
}

TEST_F(ReportTest, MissingLayoutAbortsWithoutAReport) {
    const fs::path data = sampleCopyWith(Cp("\r\n¤HTML-LAYOUT\r\n"), Cp("\r\n¤HTML-GONE\r\n"));
    const ReportOutcome outcome = write("EBXCFCXXFCXX-V18", "NO", data);
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.path, reportPath(".htm"));
    EXPECT_FALSE(fs::exists(outcome.path));
    EXPECT_EQ(messages_.shown,
              std::vector<std::string>{"HTML parameter not found in Tessaro.dat - report aborted"});
    EXPECT_TRUE(fs::exists(reportPath(".bmp"))) << "the picture is saved first";
}

TEST_F(ReportTest, ALayoutThatEndsEarlyStillGivesAWholePage) {
    // The layout section stops three lines in; the next section follows.
    const fs::path data = data_.path() / "Tessaro";
    fs::copy(fs::path(TV_SAMPLE_DIR) / "Tessaro", data, fs::copy_options::recursive);
    std::string bytes = test::ReadBytes(data / "Tessaro.dat");
    const std::string last = Cp("¤¤Programversjon\r\n");
    const auto at = bytes.find(last, bytes.find(Cp("\r\n¤HTML-LAYOUT\r\n")));
    const auto next = bytes.find(Cp("\r\n¤ADMINSCREEN\r\n"), at);
    ASSERT_NE(at, std::string::npos);
    ASSERT_NE(next, std::string::npos);
    bytes.erase(at + last.size(), next + 2 - (at + last.size()));
    test::WriteBytes(data / "Tessaro.dat", bytes);

    const auto lines = html(write("TBGCFCSPFCXX-V18", "NO", data));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "</font></body> </html>");
    EXPECT_EQ(ReadPartsTable(lines).rows.size(), 6u) << "every part is still listed";
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("Kari Nordmann") != std::string::npos;
    })) << "and the customer";
}

TEST_F(ReportTest, AnOlderReportIsReplaced) {
    test::WriteBytes(reportPath(".htm"), "an older report that is longer than nothing");
    const auto lines = html(write("EBXCFCXXFCXX-V18"));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "<html><head><title>Tessaro ventilvavuvirivado rapport</title>");
    EXPECT_EQ(lines.back(), "</font></body> </html>");
}

TEST_F(ReportTest, AnUnwritableReportDirectoryIsToldOnce) {
    // A regular file where the report directory's parent should be.
    test::WriteBytes(reports_.path() / "blocker", "x");
    startup_.reportDirectory = data::PathText(reports_.path() / "blocker" / "TeHtml") + "/";
    const ReportOutcome outcome = write("EBXCFCXXFCXX-V18");
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.path, reports_.path() / "blocker" / "TeHtml" / "Te202612071405.htm");
    ASSERT_EQ(messages_.shown.size(), 1u);
    const std::string& message = messages_.shown[0];
    EXPECT_TRUE(message.starts_with("The report could not be written:")) << message;
    for (const char* file : {"Te202612071405.bmp", "Te202612071405.htm"}) {
        const std::string line = data::PathText(outcome.path.parent_path() / file) + "\r\n";
        const std::size_t at = message.find(line);
        ASSERT_NE(at, std::string::npos) << file << " in " << message;
        EXPECT_NE(message.find(": Not a directory", at + line.size()), std::string::npos)
            << "and why, after " << file;
    }
}

TEST_F(ReportTest, EveryValueIsTextNeverMarkup) {
    // Markup in an article description and in the typed code's suffix,
    // which the code check leaves as it is.
    const auto copy = sampleCopyWith("Senterdel T-kryss DN 150 PN16",
                                     "Senterdel <b>T</b> & \"DN 150\"", "Vantordata.dat");
    const std::string page =
        test::ReadBytes(write("TBGCFCSPFCXX-V18<IMG SRC=X ONERROR=alert(1)>", "NO", copy).path);
    EXPECT_EQ(page.find("<IMG"), std::string::npos) << "no script from the code";
    EXPECT_NE(page.find("TBGCFCSPFCXX-V18&lt;IMG SRC=X ONERROR=alert(1)&gt;"), std::string::npos);
    EXPECT_EQ(page.find("<b>T</b>"), std::string::npos);
    EXPECT_NE(page.find("Senterdel &lt;b&gt;T&lt;/b&gt; &amp; &quot;DN 150&quot;"),
              std::string::npos);
    EXPECT_NE(page.find("<table border=1>"), std::string::npos) << "the layout's own markup stays";
}

TEST_F(ReportTest, APictureWithoutASizeSaysWhy) {
    const auto copy = sampleCopyWith(test::Cp("¤DEPICTURE"), test::Cp("¤DEPICTURE_GONE"));
    const ReportOutcome outcome = write("TBGCFCSPFCXX-V18", "NO", copy);
    EXPECT_TRUE(outcome.written) << "the page is still written";
    EXPECT_TRUE(saved_.empty()) << "nothing to save";
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0], test::Cp("The valve picture has no size: the section ¤DEPICTURE "
                                           "of Tessaro.dat is missing or gives none."));
}

} // namespace
} // namespace tv::output
