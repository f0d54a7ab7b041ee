#include "app/CommandLine.h"
#include "app/Startup.h"
#include "data/DataFiles.h"
#include "platform/FakeSystem.h"
#include "platform/Shell.h"
#include "result/Canvas.h"
#include "result/ResultComputation.h"
#include "wizard/ValvePageLayout.h"
#include "SampleCommandTest.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tv::app {
namespace {

using test::Cp;

class CheckCommandTest : public SampleCommandTest {
protected:
    int run(std::vector<std::string> args) { return RunCheckCommand(args, platform_, out_, err_); }
};

TEST_F(CheckCommandTest, ValidCodePrintsZero) {
    EXPECT_EQ(run({"check", "TBGCFCSPFCXX-V18"}), 0);
    EXPECT_EQ(out_.str(), "0\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(settings_.get(kApp, kSection, "BrivoDone"), "0") << "start-up ran";
}

TEST_F(CheckCommandTest, LowerCaseCodeIsCheckedInUpperCase) {
    EXPECT_EQ(run({"check", "kbbdfdfdfdfd-v18"}), 0);
    EXPECT_EQ(out_.str(), "0\n");
}

TEST_F(CheckCommandTest, InvalidCodePrintsItsPositionAndTheMessageOfTheWindow) {
    EXPECT_EQ(run({"check", "tbgcfcqpfcxx-v18"}), 1);
    EXPECT_EQ(out_.str(), "7\n");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0],
              Cp("Feil i kodens posisjon 7\r\nDenne posisjonen kan ikke være 'Q'"));
}

TEST_F(CheckCommandTest, MessageQuotesTheCodeAsTyped) {
    // A single valve: the check puts X at position 3 of its stored code.
    EXPECT_EQ(run({"check", "EBUCFCXXFCXX-V18"}), 1);
    EXPECT_EQ(out_.str(), "3\n");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find("'U'"), std::string::npos) << messages_.shown[0];
}

TEST_F(CheckCommandTest, WrongUsageTouchesNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"check"},
        {"check", "TBGCFCSPFCXX-V18", "extra"},
        {"check", "TBGCFCSPFCXX"},
        {"check", ""},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.size() > 1 ? args[1] : "(no code)");
        out_.str("");
        err_.str("");
        EXPECT_EQ(run(args), 2);
        EXPECT_EQ(out_.str(), "");
        EXPECT_FALSE(err_.str().empty());
    }
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "BrivoDir"), 0) << "start-up never ran";
}

TEST_F(CheckCommandTest, TwelvePositionsWithoutSuffixAreTooShort) {
    EXPECT_EQ(run({"check", "TBGCFCSPFCXX"}), 2);
    EXPECT_NE(err_.str().find("at least 13 characters"), std::string::npos) << err_.str();
    EXPECT_EQ(run({"check", "TBGCFCSPFCXX-"}), 0) << "one character of suffix is enough";
}

TEST_F(CheckCommandTest, InstallationWithoutDataDirectoryEndsAtStartUp) {
    test::TempDir empty;
    system_.cwd = empty.path();
    EXPECT_EQ(run({"check", "TBGCFCSPFCXX-V18"}), 2);
    EXPECT_EQ(out_.str(), "");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].starts_with("Subdirectory 'Tessaro' not found in\r\n" +
                                               data::PathText(empty.path())))
        << messages_.shown[0];
}

TEST_F(CheckCommandTest, TarnelPathNamesTheInstallation) {
    test::TempDir elsewhere;
    system_.cwd = elsewhere.path();
    settings_.save("Tarnel", kSection, "TarnelPath", data::PathText(install_.path()));
    EXPECT_EQ(run({"check", "DPBDMCXXBDXX-V18"}), 0);
    EXPECT_EQ(out_.str(), "0\n");
}

TEST_F(CheckCommandTest, DataProblemsOfTheCheckAreShown) {
    // The valve range of the sample without the socket list of DN 150.
    const auto parameterFile = install_ / "Tessaro" / "Tessaro.dat";
    std::string bytes = test::ReadBytes(parameterFile);
    const std::string key = "\xA4"
                            "DN150_MUFFE";
    const auto at = bytes.find(key + "\r\n");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, key.size(),
                  "\xA4"
                  "GONE");
    test::WriteBytes(parameterFile, bytes);

    EXPECT_EQ(run({"check", "KAGCFBGCSPMC-V18"}), 1);
    EXPECT_EQ(out_.str(), "12\n");
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[0], Cp("¤DN150_MUFFE key not found"));
    EXPECT_EQ(messages_.shown[1],
              Cp("Feil i kodens posisjon 12\r\nDenne posisjonen kan ikke være 'C'"));
}

class MenuCheckCommandTest : public SampleCommandTest {
protected:
    int run(std::vector<std::string> args) {
        return RunMenuCheckCommand(args, platform_, out_, err_);
    }
    std::filesystem::path report() const { return install_ / "Tessaro" / "MenuCheck.txt"; }
};

TEST_F(MenuCheckCommandTest, WritesTheFileAndPrintsItsPath) {
    EXPECT_EQ(run({"menucheck"}), 0);
    EXPECT_EQ(out_.str(), data::PathText(report()) + "\n");
    EXPECT_TRUE(test::ReadBytes(report()).starts_with(Cp("¤DIM_ENKELVENTIL  80mm   DN080\r\n")));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(MenuCheckCommandTest, AMissingDimensionListWritesNothing) {
    const auto parameterFile = install_ / "Tessaro" / "Tessaro.dat";
    std::string bytes = test::ReadBytes(parameterFile);
    const auto at = bytes.find(Cp("¤DIM_VENTILKRYSS"));
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 5, Cp("¤GONE"));
    test::WriteBytes(parameterFile, bytes);

    EXPECT_EQ(run({"menucheck"}), 1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(messages_.shown, std::vector<std::string>{Cp(
                                   "FATAL SYSTEM ERROR - dimensions ¤DIM_VENTILKRYSS not found")});
    EXPECT_FALSE(std::filesystem::exists(report()));

    EXPECT_EQ(run({"menucheck", "now"}), 2) << "no arguments";
    EXPECT_NE(err_.str().find(kMenuCheckUsage), std::string::npos);
}

// Line ends as the JSON of the result command writes them.
std::string Escaped(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.replace(at, 2, "\\r\\n");
    return text;
}

class ResultCommandTest : public SampleCommandTest {
protected:
    int run(std::vector<std::string> args, const std::string& input = {}) {
        out_.str("");
        err_.str("");
        std::istringstream in(input);
        return RunResultCommand(args, platform_, in, out_, err_);
    }

    // The result text of the result screen's computation of the same code
    // on the same copy, in UTF-8.
    std::string screenText(const char* code, bool debug = false) {
        platform::MemorySettingsStore settings;
        platform::Platform platform{settings, messages_, system_};
        data::DataFiles files(install_ / "Tessaro", "NO", messages_);
        wizard::Configuration configuration(files, wizard::ReadValvePageLayout(files));
        configuration.Clear();
        configuration.code = code;
        EXPECT_EQ(configuration.CheckCode(), 0);
        StartupValues values;
        values.debugMode = debug;
        const result::ResultInputs inputs{configuration, values,
                                          wizard::ReadValvePageCaptions(files).accessoryFrame};
        return platform::Cp1252ToUtf8(result::ComputeResult(files, platform, inputs).resultText);
    }
};

TEST_F(ResultCommandTest, ValidCodePrintsOneJsonObject) {
    ASSERT_EQ(run({"result", "tbgcfcspfcxx-v18"}), 0) << err_.str();
    EXPECT_EQ(err_.str(), "");
    // The records of Vantordata.dat the code names. Sums: 2 × centre 160 +
    // houses 210 + 210 + flanges 200 + 200; centre 160 + east house 210 +
    // the spigot's "262,5 mm"; centre 31.0 + three houses of 38.0.
    const std::string flange = "Flens DN 150 for ventil DN 150 (lik dimensjon)";
    const std::string text = "Senterdel T-kryss DN 150 PN16\r\n"
                             "3 stkVentilhus DN 150, A2-spindel, høyrelukkende, EPDM-kile\r\n"
                             "Innbyggingsgarnityr 1,5 m for DN 150\r\n\r\n"
                             "Tilkobling klokka 12: \r\n" +
                             flange +
                             "\r\n\r\nTilkobling klokka 3: \r\n"
                             "Spissende PE Ø160 for ventil DN 150 (lik dimensjon)\r\n\r\n"
                             "Tilkobling klokka 6: \r\n" +
                             flange;
    EXPECT_EQ(text, screenText("TBGCFCSPFCXX-V18")) << "the text of the result screen";
    const std::string house =
        R"("key":"¤0150_A2_HL_EP_NOAKT_UFOT_VHK","article_number":"KV150-BU",)"
        R"("description":"Ventilhus DN 150, A2-spindel, høyrelukkende, )"
        R"(EPDM-kile","block_name":"KEL_VH150_B_UFOT","length":210,"weight":38})";
    EXPECT_EQ(out_.str(),
              R"({"code":"TBGCFCSPFCXX-V18","valve_type":2,"result_text":")" + Escaped(text) +
                  R"(","vertical_length":1140,"horizontal_length":632.5,"total_weight":145,)"
                  R"("vertical_complete":true,"horizontal_complete":true,)"
                  R"("parts":{"centre":{"key":"¤0150_TKRYSS_CPD","article_number":"KS150-T",)"
                  R"("description":"Senterdel T-kryss DN 150 PN16","block_name":"KEL_CPD_T150",)"
                  R"("length":160,"weight":31},"north":{)" +
                  house + R"(,"south":{)" + house + R"(,"east":{)" + house +
                  R"(,"west":{"key":"¤0150_A2_HL_EP_NOAKT_UFOT_VHK","article_number":"",)"
                  R"("description":"","block_name":"","length":0,"weight":0}},)"
                  R"("connections":{"north":"¤0150_FLENS_DN150_TK","east":"¤0150_SPISS_PE160_TK",)"
                  R"("south":"¤0150_FLENS_DN150_TK","west":""},)"
                  R"("handover":{"CenterPartLength":"160 mm","CenterPartName":"KEL_CPD_T150",)"
                  R"("ValveHouseLengthN":"210 mm","ValveHouseNameN":"KEL_VH150_B_UFOT",)"
                  R"("ValveHouseLengthS":"210 mm","ValveHouseNameS":"KEL_VH150_B_UFOT",)"
                  R"("ValveHouseLengthE":"210 mm","ValveHouseNameE":"KEL_VH150_B_UFOT",)"
                  R"("ConnectionNorthLength":"200 mm","ConnectionNorthName":"KEL_TK150_FC",)"
                  R"("ConnectionEastLength":"262.5 mm","ConnectionEastName":"KEL_TK150_SP",)"
                  R"("ConnectionSouthLength":"200 mm","ConnectionSouthName":"KEL_TK150_FC"},)"
                  R"("missing":[],"unused":[]})"
                  "\n");
    // Written to the store as the window writes them.
    EXPECT_EQ(settings_.get(kApp, kSection, "ConnectionEastLength"), "262.5 mm");
    EXPECT_EQ(settings_.get(kApp, kSection, "ValveHouseNameE"), "KEL_VH150_B_UFOT");
}

// A data file that cannot be read while the command runs (here the
// English language file beyond the size limit) is said, and the command
// ends with 1 after printing what it could compute.
TEST_F(ResultCommandTest, ADataFileThatCannotBeReadEndsWithOne) {
    std::filesystem::resize_file(install_ / "Tessaro" / "Lang_EN.txt", data::kMaxFileBytes + 1);
    EXPECT_EQ(run({"result", "TBGCFCSPFCXX-V18", "--lang", "EN"}), 1);
    EXPECT_TRUE(out_.str().starts_with(R"({"code":"TBGCFCSPFCXX-V18")")) << out_.str();
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_EQ(
        messages_.shown[0],
        "Lang_EN.txt: is 513 MB, larger than the 512 MB a data file may have; it is not read.");
}

TEST_F(ResultCommandTest, QuotesBackslashesAndControlCharactersInTheData) {
    const auto articleFile = install_ / "Tessaro" / "Vantordata.dat";
    std::string bytes = test::ReadBytes(articleFile);
    const std::string description = "Senterdel T-kryss DN 150 PN16";
    const auto at = bytes.find(description);
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, description.size(), "Senterdel \"T\" \\ DN\t150\x01 \xD8");
    test::WriteBytes(articleFile, bytes);

    ASSERT_EQ(run({"result", "TBGCFCSPFCXX-V18"}), 0);
    EXPECT_NE(out_.str().find(R"("result_text":"Senterdel \"T\" \\ DN\t150\u0001 Ø\r\n3 stk)"),
              std::string::npos)
        << out_.str();
    EXPECT_NE(out_.str().find(R"("description":"Senterdel \"T\" \\ DN\t150\u0001 Ø",)"),
              std::string::npos)
        << out_.str();
    EXPECT_EQ(out_.str().find_first_of("\r\t\x01"), std::string::npos) << "only escapes";
}

TEST_F(ResultCommandTest, DebugAndLanguageHoldForThisRunOnly) {
    ASSERT_EQ(run({"result", "--lang", "en", "TBGCFCSPFCXX-V18", "--debug"}), 0) << err_.str();
    const std::string text = out_.str();
    EXPECT_NE(text.find(R"("result_text":"Centre part T-cross DN 150 PN16  (L=160 mm  V=31.0 kg)"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(R"(Connection at 12 o'clock: \r\nFlange DN 150 for valve DN 150)"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(R"(\r\nTotal vertikal byggelengde 1140,000)"), std::string::npos) << text;
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "Language"), 0);
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "BrivoMode"), 0);

    ASSERT_EQ(run({"result", "TBGCFCSPFCXX-V18"}), 0);
    EXPECT_NE(out_.str().find(Escaped(screenText("TBGCFCSPFCXX-V18")) + R"(","vertical_length")"),
              std::string::npos)
        << "the next run is Norwegian and without debug information";
}

TEST_F(ResultCommandTest, StoredDebugModeShowsAsInTheWindow) {
    settings_.save(kApp, kSection, "BrivoMode", "2");
    ASSERT_EQ(run({"result", "KBBDFDFDFDFD-V18"}), 0);
    EXPECT_NE(out_.str().find(R"("result_text":")" + Escaped(screenText("KBBDFDFDFDFD-V18", true)) +
                              R"(",)"),
              std::string::npos)
        << out_.str();
}

TEST_F(ResultCommandTest, InvalidCodeGivesThePositionMessage) {
    EXPECT_EQ(run({"result", "TBGCFCQPFCXX-V18"}), 1);
    EXPECT_EQ(out_.str(), "");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0],
              Cp("Feil i kodens posisjon 7\r\nDenne posisjonen kan ikke være 'Q'"));
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "CenterPartLength"), 0) << "nothing handed over";
}

// Codes from standard input: one start-up, one JSON line for each line in
// order, the run going on past a line that is no valid code.
TEST_F(ResultCommandTest, CodesFromStandardInputGiveOneJsonLineEach) {
    ASSERT_EQ(run({"result", "TBGCFCSPFCXX-V18"}), 0);
    const std::string single = out_.str();
    const int startups = settings_.saveCount(kApp, kSection, "BrivoDone");

    EXPECT_EQ(run({"result", "-"}, "tbgcfcspfcxx-v18\r\nTBGCFCQPFCXX-V18\n\nEBXAMAXXSLXX-V18"), 1);
    std::istringstream printed(out_.str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(printed, line);)
        lines.push_back(line + "\n");
    ASSERT_EQ(lines.size(), 4u) << out_.str();
    EXPECT_EQ(lines[0], single) << "as `result CODE` prints it";
    EXPECT_EQ(lines[1], R"({"code":"TBGCFCQPFCXX-V18","error":"Feil i kodens posisjon 7\r\n)"
                        R"(Denne posisjonen kan ikke være 'Q'","position":7})"
                        "\n");
    EXPECT_EQ(lines[2], R"({"code":"","error":"the code must have at least 13 characters: )"
                        R"(twelve positions and the code suffix","position":1})"
                        "\n");
    EXPECT_TRUE(lines[3].starts_with(R"({"code":"EBXAMAXXSLXX-V18","valve_type":1,)")) << lines[3];
    EXPECT_EQ(err_.str(), "");
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "BrivoDone"), startups + 1) << "one start-up";
    // The hand-over is the last valid code's, stored once.
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "ValveHouseNameN"), 2);
    EXPECT_EQ(settings_.get(kApp, kSection, "ValveHouseNameN"), "KEL_VH080_B_UFOT");

    EXPECT_EQ(run({"result", "-"}, "KBBDFDFDFDFD-V18\n"), 0) << "every line a valid code";

    // A line beyond 1000 characters is answered without being held whole;
    // the next line is read as usual.
    EXPECT_EQ(run({"result", "-"}, "KBBDFDFDFDFD-V18" + std::string(5000, 'X') + "\r\n" +
                                       "KBBDFDFDFDFD-V18" + std::string(984, 'X') + "\r\n"),
              1);
    const std::string answers = out_.str();
    EXPECT_TRUE(answers.starts_with(R"({"code":"KBBDFDFDFDFD-V18XXX)")) << answers.substr(0, 40);
    EXPECT_NE(
        answers.find(R"(X","error":"the line is longer than 1000 characters","position":1001})"
                     "\n{\"code\":\"KBBDFDFDFDFD-V18XXX"),
        std::string::npos);
    EXPECT_NE(answers.find(R"(,"valve_type":3,)"), std::string::npos) << "1000 characters are read";
}

// The valve page is kept from code to code only while the parameter file
// stays as it was: a valve type's new letter holds for the next code.
TEST_F(ResultCommandTest, EachCodeFromStandardInputSeesTheValvePageAsItIsNow) {
    const auto installation = StartInstallation(platform_);
    ASSERT_TRUE(installation);
    CodeLines lines(*installation, platform_);
    EXPECT_TRUE(lines.answer("TBGCFCSPFCXX-V18").valid);

    const auto parameterFile = install_ / "Tessaro" / "Tessaro.dat";
    std::string bytes = test::ReadBytes(parameterFile);
    const std::string typeLine = "TKRYSS             T ";
    const auto at = bytes.find(typeLine);
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, typeLine.size(), "TKRYSS             Y ");
    test::WriteBytes(parameterFile, bytes);

    const CodeAnswer old = lines.answer("TBGCFCSPFCXX-V18");
    EXPECT_FALSE(old.valid);
    EXPECT_TRUE(old.json.ends_with(R"(,"position":1})")) << old.json;
    EXPECT_TRUE(lines.answer("YBGCFCSPFCXX-V18").valid);
}

TEST_F(ResultCommandTest, WrongUsageTouchesNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"result"},
        {"result", "--debug"},
        {"result", "TBGCFCSPFCXX-V18", "extra"},
        {"result", "TBGCFCSPFCXX-V18", "--lang"},
        {"result", "TBGCFCSPFCXX-V18", "--lang", "XX"},
        {"result", "TBGCFCSPFCXX-V18", "--verbose"},
        {"result", "TBGCFCSPFCXX"},
        {"check", "TBGCFCSPFCXX-V18"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        EXPECT_EQ(run(args), 2);
        EXPECT_EQ(out_.str(), "");
        EXPECT_FALSE(err_.str().empty());
    }
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "BrivoDir"), 0) << "start-up never ran";
}

TEST_F(ResultCommandTest, InstallationWithoutDataDirectoryEndsAtStartUp) {
    test::TempDir empty;
    system_.cwd = empty.path();
    EXPECT_EQ(run({"result", "TBGCFCSPFCXX-V18"}), 2);
    EXPECT_EQ(out_.str(), "");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].starts_with("Subdirectory 'Tessaro' not found"));
}

// The report command on the sample copy, with a customer file of its own, a
// recording canvas and a bitmap writer that only records where it would
// write.
class ReportCommandTest : public SampleCommandTest {
protected:
    ReportCommandTest() {
        platform_.shell = &shell_;
        data::CustomerDetails customer;
        customer.customer = "Ola <b>Nordmann</b>";
        customer.company = Cp("Fjordvik & Sønner");
        customer.invoiceAddress = "Postboks 1";
        customer.deliveryAddress = "Kaia 2";
        data::WriteCustomerDetails(personalIni(), customer);
    }

    std::filesystem::path personalIni() const { return program_ / "personal.ini"; }

    int run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        const ReportTools tools{canvas_,
                                [this](const std::filesystem::path& path) {
                                    bitmaps_.push_back(path);
                                    return saveBitmap_ ? platform::WriteResult{}
                                                       : platform::WriteResult::Failure(
                                                             "No space left on device");
                                },
                                personalIni()};
        return RunReportCommand(args, platform_, tools, out_, err_);
    }

    std::filesystem::path reportPath() const { return install_ / "TeHtml" / "Te202612071405.htm"; }

    test::TempDir program_;
    platform::RecordingShell shell_;
    result::RecordingCanvas canvas_;
    std::vector<std::filesystem::path> bitmaps_;
    bool saveBitmap_ = true;
};

TEST_F(ReportCommandTest, WritesTheReportAndPrintsItsPath) {
    ASSERT_EQ(run({"report", "kbbdfdfdfdfd-v18"}), 0) << err_.str();
    const std::u8string path = reportPath().u8string();
    EXPECT_EQ(out_.str(), std::string(path.begin(), path.end()) + "\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_TRUE(messages_.shown.empty()) << messages_.shown[0];
    EXPECT_TRUE(shell_.opened.empty()) << "opened only with --open";
    ASSERT_EQ(bitmaps_.size(), 1u);
    EXPECT_EQ(bitmaps_[0], install_ / "TeHtml" / "Te202612071405.bmp");
    EXPECT_FALSE(canvas_.calls.empty()) << "the picture was composed";

    const std::string html = test::ReadBytes(reportPath());
    EXPECT_NE(html.find("KBBDFDFDFDFD-V18"), std::string::npos);
    EXPECT_NE(html.find("Te202612071405.bmp"), std::string::npos);
    // The customer of personal.ini, as typed, never as markup.
    EXPECT_NE(html.find("Ola &lt;b&gt;Nordmann&lt;/b&gt;"), std::string::npos);
    EXPECT_NE(html.find(Cp("Fjordvik &amp; Sønner")), std::string::npos);
    EXPECT_EQ(html.find("<b>Nordmann"), std::string::npos);
    // The information table has the dates of both data files.
    for (const char* file : {"Tessaro.dat", "Vantordata.dat"}) {
        const auto when = system_.fileModified(install_ / "Tessaro" / file);
        ASSERT_TRUE(when) << file;
        EXPECT_NE(html.find(system_.formatDateTime(*when)), std::string::npos) << file;
    }
    // The result was handed over as on the result screen.
    EXPECT_EQ(settings_.get(kApp, kSection, "CenterPartLength"), "195 mm");
}

TEST_F(ReportCommandTest, OpenHandsTheReportToTheDesktop) {
    ASSERT_EQ(run({"report", "TBGCFCSPFCXX-V18", "--open", "--lang", "en"}), 0) << err_.str();
    EXPECT_EQ(shell_.opened, std::vector<std::string>{data::PathText(reportPath())});
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "Language"), 0) << "--lang is for this run";
    // The heading names the valve type in the report's language.
    EXPECT_NE(test::ReadBytes(reportPath()).find("<h3>T-cross "), std::string::npos);
}

TEST_F(ReportCommandTest, ADesktopThatCannotOpenItIsToldButTheReportStands) {
    shell_.result = false;
    EXPECT_EQ(run({"report", "TBGCFCSPFCXX-V18", "--open"}), 0);
    EXPECT_FALSE(out_.str().empty());
    EXPECT_NE(err_.str().find("could not open the report"), std::string::npos) << err_.str();
}

TEST_F(ReportCommandTest, DebugAddsTheDebugColumns) {
    const std::string note = "<b>Vekt   (L)</b></td>";
    ASSERT_EQ(run({"report", "TBGCFCSPFCXX-V18"}), 0);
    EXPECT_EQ(test::ReadBytes(reportPath()).find(note), std::string::npos);
    ASSERT_EQ(run({"report", "TBGCFCSPFCXX-V18", "--debug"}), 0);
    EXPECT_NE(test::ReadBytes(reportPath()).find(note), std::string::npos);
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "BrivoMode"), 0) << "--debug is for this run";
}

TEST_F(ReportCommandTest, AnAbortedReportPrintsNoPathAndOpensNothing) {
    const auto parameterFile = install_ / "Tessaro" / "Tessaro.dat";
    std::string bytes = test::ReadBytes(parameterFile);
    const auto at = bytes.find(Cp("¤HTML-LAYOUT"));
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 5, Cp("¤GONE"));
    test::WriteBytes(parameterFile, bytes);

    EXPECT_EQ(run({"report", "TBGCFCSPFCXX-V18", "--open"}), 1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(messages_.shown, std::vector<std::string>{output::kNoLayoutMessage});
    EXPECT_TRUE(shell_.opened.empty());
    EXPECT_FALSE(std::filesystem::exists(reportPath()));
}

TEST_F(ReportCommandTest, AMissingPictureIsToldAndFailsTheCommand) {
    saveBitmap_ = false;
    EXPECT_EQ(run({"report", "TBGCFCSPFCXX-V18"}), 1);
    EXPECT_FALSE(out_.str().empty()) << "the report itself was written";
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].starts_with("The valve picture could not be written:"));
    EXPECT_TRUE(messages_.shown[0].ends_with("\r\nNo space left on device")) << "with the reason";
}

TEST_F(ReportCommandTest, WrongUsageAndInvalidCodesWriteNoReport) {
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{"report"}, 2},
        {{"report", "TBGCFCSPFCXX-V18", "--lang", "XX"}, 2},
        {{"report", "TBGCFCSPFCXX-V18", "--verbose"}, 2},
        {{"report", "TBGCFCSPFCXX"}, 2},
        {{"report", "TBGCFCQPFCXX-V18"}, 1},
    };
    for (const auto& [args, status] : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        EXPECT_EQ(run(args), status);
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_TRUE(bitmaps_.empty());
    EXPECT_FALSE(std::filesystem::exists(reportPath()));
}

TEST_F(ResultCommandTest, OpenBelongsToTheReportOnly) {
    EXPECT_EQ(run({"result", "TBGCFCSPFCXX-V18", "--open"}), 2);
    EXPECT_EQ(out_.str(), "");
}

} // namespace
} // namespace tv::app
