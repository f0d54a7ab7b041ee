#include "result/ResultComputation.h"
#include "result/ResultScreenLayout.h"
#include "result/ValvePicture.h"
#include "platform/FakeSystem.h"
#include "wizard/ValvePageLayout.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tv::result {
namespace {

using test::Cp;
using Settings = std::vector<std::pair<std::string, std::string>>;

constexpr const char* kCrLf = "\r\n";

// What every computation needs besides the data: the machine, the settings
// and the start-up values of a run started on 7 December 2026 at 14:05.
class ResultTest : public ::testing::Test {
protected:
    ResultTest() {
        startup_.reportDirectory = "/inst/TeHtml/";
        startup_.start = {2026, 12, 7, 14, 5, 59};
        startup_.pictureSuffix = "_33";
        startup_.standardResolution = true;
    }

    // The result and its screen's layout, as the window's result screen has
    // them.
    ResultState compute(wizard::Configuration& configuration,
                        const std::string& caption = Cp("Tilbehør")) {
        const ResultInputs inputs{configuration, startup_, caption};
        ResultState result = ComputeResult(*files_, platform_, inputs);
        LayOutResultScreen(*files_, configuration, startup_, result);
        return result;
    }

    std::string setting(const char* key) const { return settings_.get("Brivo", "Startup", key); }

    platform::MemorySettingsStore settings_;
    platform::RecordingMessageBoxes messages_;
    platform::FakeSystem system_; // decimal separator ","
    platform::Platform platform_{settings_, messages_, system_};
    data::StartupValues startup_;
    std::unique_ptr<data::DataFiles> files_;
};

// The sample installation, codes checked as the code entry screen does.
class SampleResultTest : public ResultTest {
protected:
    ResultState computeCode(
        const char* code, const char* language = "NO",
        const std::filesystem::path& data = std::filesystem::path(TV_SAMPLE_DIR) / "Tessaro") {
        files_ = std::make_unique<data::DataFiles>(data, language, messages_);
        configuration_ =
            std::make_unique<wizard::Configuration>(*files_, wizard::ReadValvePageLayout(*files_));
        configuration_->Clear();
        configuration_->code = code;
        EXPECT_EQ(configuration_->CheckCode(), 0) << code;
        return compute(*configuration_, wizard::ReadValvePageCaptions(*files_).accessoryFrame);
    }

    std::unique_ptr<wizard::Configuration> configuration_;
};

// A store that counts how it is written to.
class CountingStore final : public platform::SettingsStore {
public:
    std::string get(std::string_view, std::string_view, std::string_view) const override {
        return {};
    }
    bool save(std::string_view, std::string_view, std::string_view, std::string_view) override {
        ++saves;
        return true;
    }
    bool saveAll(std::string_view, std::string_view, const Values& values) override {
        batches.push_back(values);
        return true;
    }
    bool saveFailed() const override { return false; }

    int saves = 0;
    std::vector<Values> batches;
};

// A CAD program beside the program reads the hand-over while it is being
// written: it is stored in one save, so it never sees half of one valve.
TEST_F(SampleResultTest, TheHandOverIsStoredInOneSave) {
    CountingStore store;
    platform::Platform platform{store, messages_, system_};
    files_ = std::make_unique<data::DataFiles>(std::filesystem::path(TV_SAMPLE_DIR) / "Tessaro",
                                               "NO", messages_);
    wizard::Configuration configuration(*files_, wizard::ReadValvePageLayout(*files_));
    configuration.Clear();
    configuration.code = "KAGCFBGCSPMC-V18";
    ASSERT_EQ(configuration.CheckCode(), 0);
    const ResultInputs inputs{configuration, startup_, ""};
    const ResultState result = ComputeResult(*files_, platform, inputs);
    EXPECT_EQ(store.saves, 0);
    ASSERT_EQ(store.batches.size(), 1u);
    EXPECT_EQ(store.batches[0], result.handover);
    EXPECT_EQ(result.handover.size(), 18u);
}

std::string Line(const std::string& label, const std::string& text) {
    return std::string(kCrLf) + kCrLf + label + ": " + kCrLf + text;
}

// Lengths in the sample are millimetres; every record below is the one of
// Vantordata.dat that the code names.
TEST_F(SampleResultTest, SingleValve) {
    const ResultState result = computeCode("EBXCFCXXFCXX-V18");
    const std::string flange = "Flens DN 150 for ventil DN 150 (lik dimensjon)";
    EXPECT_EQ(result.resultText,
              Cp("1 stkVentilhus DN 150, A2-spindel, høyrelukkende, EPDM-kile\r\n") +
                  Line("Tilkobling klokka 12", flange) + Line("Tilkobling klokka 6", flange));
    // No centre part: house 210 + connections 200 + 200.
    EXPECT_DOUBLE_EQ(result.vertical, 610);
    EXPECT_DOUBLE_EQ(result.horizontal, 0);
    EXPECT_DOUBLE_EQ(result.weight, 38);
    EXPECT_TRUE(result.verticalComplete);
    EXPECT_TRUE(result.horizontalComplete);
    EXPECT_EQ(result.houseCount, 1);
    EXPECT_EQ(result.marker, '=');
    EXPECT_EQ(result.parts[kCentre].key, Cp("¤0150_ENKELVENTIL_CPD"));
    EXPECT_EQ(result.parts[kCentre].description, "") << "the single valve keeps no centre part";
    EXPECT_EQ(result.parts[kNorth].key, Cp("¤0150_A2_HL_EP_NOAKT_UFOT_VHK"));
    EXPECT_EQ(result.parts[kNorth].articleNumber, "KV150-BU");
    EXPECT_EQ(result.parts[kSouth].articleNumber, "") << "one valve house only";
    EXPECT_EQ(result.connectionKeys[1], Cp("¤0150_FLENS_DN150_TK"));
    EXPECT_EQ(result.connectionKeys[2], "");
    EXPECT_EQ(result.offsetA[1], 672);
    EXPECT_EQ(result.offsetB[3], 840);
    EXPECT_EQ(result.offsetA[2], -1) << "no east connection";
    EXPECT_EQ(result.accessoryKey, "");
    EXPECT_EQ(result.handover, (Settings{{"ValveHouseLengthN", "210 mm"},
                                         {"ValveHouseNameN", "KEL_VH150_B_UFOT"},
                                         {"ConnectionNorthLength", "200 mm"},
                                         {"ConnectionNorthName", "KEL_TK150_FC"},
                                         {"ConnectionSouthLength", "200 mm"},
                                         {"ConnectionSouthName", "KEL_TK150_FC"}}));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(SampleResultTest, AnOffsetOfTwentyDigitsIsHeldAtTheLimitAndSaid) {
    test::TempDir copy;
    std::filesystem::copy(std::filesystem::path(TV_SAMPLE_DIR) / "Tessaro", copy.path(),
                          std::filesystem::copy_options::recursive);
    std::string articles = test::ReadBytes(copy / "Vantordata.dat");
    const auto record = articles.find(Cp("¤0150_FLENS_DN150_TK "));
    const auto field4 = articles.find("\r\n672\r\n", record);
    ASSERT_NE(field4, std::string::npos);
    articles.replace(field4, 7, "\r\n99999999999999999999\r\n");
    test::WriteBytes(copy / "Vantordata.dat", articles);

    const ResultState result = computeCode("EBXCFCXXFCXX-V18", "NO", copy.path());
    EXPECT_EQ(result.offsetA[1], 32767);
    ASSERT_EQ(messages_.shown.size(), 1u) << "said once, though two slots use the record";
    EXPECT_NE(messages_.shown[0].find("outside -32768..32767"), std::string::npos)
        << messages_.shown[0];
}

TEST_F(SampleResultTest, TCross) {
    settings_.save("Brivo", "Startup", "ValveHouseLengthW", "old");
    const ResultState result = computeCode("TBGCFCSPFCXX-V18");
    const std::string flange = "Flens DN 150 for ventil DN 150 (lik dimensjon)";
    EXPECT_EQ(result.resultText,
              Cp("Senterdel T-kryss DN 150 PN16\r\n"
                 "3 stkVentilhus DN 150, A2-spindel, høyrelukkende, EPDM-kile\r\n"
                 "Innbyggingsgarnityr 1,5 m for DN 150") +
                  Line("Tilkobling klokka 12", flange) +
                  Line("Tilkobling klokka 3", Cp("Spissende PE Ø160 for ventil DN 150 (lik "
                                                 "dimensjon)")) +
                  Line("Tilkobling klokka 6", flange));
    // 2 × centre 160 + houses 210 + 210 + connections 200 + 200.
    EXPECT_DOUBLE_EQ(result.vertical, 1140);
    // Centre 160 + east house 210 + the spigot's "262,5 mm".
    EXPECT_DOUBLE_EQ(result.horizontal, 632.5);
    // Centre 31.0 + three houses of 38.0.
    EXPECT_DOUBLE_EQ(result.weight, 145);
    EXPECT_TRUE(result.verticalComplete);
    EXPECT_TRUE(result.horizontalComplete);
    EXPECT_EQ(result.accessoryKey, Cp("¤0150_GARNITYR_BRV "));
    EXPECT_EQ(result.handover, (Settings{{"CenterPartLength", "160 mm"},
                                         {"CenterPartName", "KEL_CPD_T150"},
                                         {"ValveHouseLengthN", "210 mm"},
                                         {"ValveHouseNameN", "KEL_VH150_B_UFOT"},
                                         {"ValveHouseLengthS", "210 mm"},
                                         {"ValveHouseNameS", "KEL_VH150_B_UFOT"},
                                         {"ValveHouseLengthE", "210 mm"},
                                         {"ValveHouseNameE", "KEL_VH150_B_UFOT"},
                                         {"ConnectionNorthLength", "200 mm"},
                                         {"ConnectionNorthName", "KEL_TK150_FC"},
                                         {"ConnectionEastLength", "262.5 mm"},
                                         {"ConnectionEastName", "KEL_TK150_SP"},
                                         {"ConnectionSouthLength", "200 mm"},
                                         {"ConnectionSouthName", "KEL_TK150_FC"}}));
    // The store holds what the record lists; a house the valve lacks keeps
    // its old value.
    for (const auto& [key, value] : result.handover)
        EXPECT_EQ(setting(key.c_str()), value) << key;
    EXPECT_EQ(setting("ValveHouseLengthW"), "old");
    EXPECT_EQ(result.reportBaseName, "/inst/TeHtml/Te202612071405");
}

TEST_F(SampleResultTest, TCrossWithAShortEastHouse) {
    // Centre field 10 "UFOT UFOT KORT UFOT".
    const ResultState result = computeCode("TFKEFEFEFEXX-V18");
    const std::string flange = "Flens DN 250 for ventil DN 250 (lik dimensjon)";
    EXPECT_EQ(result.houseCodes, (std::array<std::string, 4>{"UFOT", "UFOT", "KORT", "UFOT"}));
    EXPECT_EQ(result.marker, '!');
    EXPECT_EQ(result.houseCount, 2);
    EXPECT_EQ(result.resultText,
              Cp("Senterdel T-kryss DN 250 PN16\r\n"
                 "2 stkVentilhus DN 250, A2-spindel, venstrelukkende, EPDM-kile\r\n"
                 "1 stkVentilhus DN 250, A2-spindel, venstrelukkende, EPDM-kile, kort utførelse\r\n"
                 "Gatekappe med bæring for DN 250") +
                  Line("Tilkobling klokka 12", flange) + Line("Tilkobling klokka 3", flange) +
                  Line("Tilkobling klokka 6", flange));
    EXPECT_EQ(result.parts[kSouth].blockName, "KEL_VH250_F_UFOT");
    EXPECT_EQ(result.parts[kEast].blockName, "KEL_VH250_F_KORT");
    EXPECT_EQ(result.parts[kWest].key, Cp("¤0250_A2_VL_EP_NOAKT_UFOT_VHK"));
    EXPECT_EQ(result.parts[kWest].blockName, "") << "the T-cross has no west house";
    // 2 × 230 + 250 + 250 + 200 + 200; 230 + short house 215 + 200;
    // 70.0 + 95.0 + 95.0 + 83.6.
    EXPECT_DOUBLE_EQ(result.vertical, 1360);
    EXPECT_DOUBLE_EQ(result.horizontal, 645);
    EXPECT_NEAR(result.weight, 343.6, 1e-9);
}

TEST_F(SampleResultTest, XCrossCountsTheEastHouseTwice) {
    // Centre field 10 "UFOT UFOT KORT KORT".
    const ResultState result = computeCode("KBBDFDFDFDFD-V18");
    const std::string flange = "Flens DN 200 for ventil DN 200 (lik dimensjon)";
    EXPECT_EQ(result.resultText,
              Cp("Senterdel X-kryss DN 200 PN16\r\n"
                 "2 stkVentilhus DN 200, A2-spindel, høyrelukkende, EPDM-kile\r\n"
                 "2 stkVentilhus DN 200, A2-spindel, høyrelukkende, EPDM-kile, kort utførelse\r\n"
                 "Garnityr 1,5 m og gatekappe for DN 200") +
                  Line("Tilkobling klokka 12", flange) + Line("Tilkobling klokka 3", flange) +
                  Line("Tilkobling klokka 6", flange) + Line("Tilkobling klokka 9", flange));
    // 2 × 195 + 230 + 230 + 200 + 200.
    EXPECT_DOUBLE_EQ(result.vertical, 1250);
    // 2 × (195 + short house 195) + 200 + 200.
    EXPECT_DOUBLE_EQ(result.horizontal, 1180);
    // 58.2 + 62.0 + 62.0 + 54.6 + 54.6 (the west house reuses the east record).
    EXPECT_NEAR(result.weight, 291.4, 1e-9);
    EXPECT_EQ(result.parts[kWest].blockName, "KEL_VH200_B_KORT");
    ASSERT_EQ(result.handover.size(), 18u);
    EXPECT_EQ(result.handover[8],
              (std::pair<std::string, std::string>{"ValveHouseLengthW", "195 mm"}));
    EXPECT_EQ(result.handover[16].first, "ConnectionWestLength");
}

TEST_F(SampleResultTest, CentrePartWithTwoValveHouses) {
    const ResultState result = computeCode("DBUCFCXXFCXX-V18");
    const std::string flange = "Flens DN 150 for ventil DN 150 (lik dimensjon)";
    EXPECT_EQ(result.resultText,
              Cp("Senterdel Senterdel med to ventilhus DN 150 PN16\r\n"
                 "2 stkVentilhus DN 150, A2-spindel, høyrelukkende, EPDM-kile\r\n"
                 "Uten tilbehør") +
                  Line("Tilkobling klokka 12", flange) + Line("Tilkobling klokka 6", flange));
    EXPECT_DOUBLE_EQ(result.vertical, 1140);
    EXPECT_DOUBLE_EQ(result.horizontal, 370); // centre 160 + east house 210
    EXPECT_NEAR(result.weight, 140.3, 1e-9);  // 26.3 + 3 × 38.0
    EXPECT_TRUE(result.verticalComplete);
    EXPECT_FALSE(result.horizontalComplete) << "no side connections are looked up";
    EXPECT_EQ(result.handover.back().first, "ConnectionSouthName");
    EXPECT_EQ(result.handover.size(), 12u);
}

TEST_F(SampleResultTest, WithdrawnAccessoryShowsTheFrameCaption) {
    const ResultState result = computeCode("KBIFFGFFFFBF-V18");
    EXPECT_NE(result.resultText.find(Cp("EPDM-kile\r\n(UNUSED) Tilbehør_BRV \r\n\r\n")),
              std::string::npos)
        << result.resultText;
}

// The records a result stands without, by key: the sample lacks the DN 50
// flange of DN 80 and has withdrawn the insulation cover.
TEST_F(SampleResultTest, KeysWithoutARecordOrWithdrawn) {
    struct Case {
        const char* code;
        std::vector<std::string> missing;
        std::vector<std::string> unused;
    };
    const std::vector<Case> cases = {
        {"KAGCFBGCSPMC-V18", {}, {}},
        // The flange at 12 and at 6: one key, said once.
        {"EBXAFHXXFHXX-V18", {Cp("¤0080_FLENS_DN050_TK")}, {}},
        // The accessory is looked up with a blank behind its key.
        {"KBIFFGFFFFBF-V18", {}, {Cp("¤0300_ISOLASJON_BRV")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const ResultState result = computeCode(c.code);
        EXPECT_EQ(result.missingKeys, c.missing);
        EXPECT_EQ(result.unusedKeys, c.unused);
    }
}

TEST_F(SampleResultTest, EnglishTextsAndArticleOverrides) {
    const ResultState result = computeCode("TBGCFCSPFCXX-V18", "EN");
    EXPECT_TRUE(result.resultText.starts_with(
        Cp("Centre part T-cross DN 150 PN16\r\n3 pcsVentilhus DN 150, A2-spindel")))
        << result.resultText;
    EXPECT_NE(result.resultText.find("\r\n\r\nConnection at 12 o'clock: \r\nFlange DN 150 for "
                                     "valve DN 150 (same size)"),
              std::string::npos)
        << result.resultText;
    EXPECT_EQ(result.screen.headCaption, "Order code: TBGCFCSPFCXX-V18");
    EXPECT_EQ(result.parts[kCentre].articleNumber, "KS150-T");
}

TEST_F(SampleResultTest, DebugModeAddsFieldsKeysAndTotals) {
    startup_.debugMode = true;
    const ResultState result = computeCode("TFKEFEFEFEXX-V18");
    const std::string flange = "Flens DN 250 for ventil DN 250 (lik dimensjon)    (L=200 mm)";
    EXPECT_EQ(result.resultText,
              Cp("Senterdel T-kryss DN 250 PN16  (L=230 mm  V=70.0 kg  Vb=KEL_CPD_T250)\r\n"
                 "2 stkVentilhus DN 250, A2-spindel, venstrelukkende, EPDM-kile"
                 "  (L=250 mm  V=95.0 kg  Vb=KEL_VH250_F_UFOT)\r\n"
                 "1 stkVentilhus DN 250, A2-spindel, venstrelukkende, EPDM-kile, kort utførelse"
                 "  (L=215  V=83,6  Vb=KEL_VH250_F_KORT)\r\n"
                 "Gatekappe med bæring for DN 250   (¤0250_GATEKAPPE_BRV )") +
                  Line("Tilkobling klokka 12", flange) + Line("Tilkobling klokka 3", flange) +
                  Line("Tilkobling klokka 6", flange) +
                  "\r\nTotal vertikal byggelengde 1360,000  horisontal byggelengde 645,000");
}

TEST_F(SampleResultTest, ResultScreenLayout) {
    const ResultState result = computeCode("TBGCFCSPFCXX-V18");
    ASSERT_TRUE(result.laidOut);
    const ReportScreenLayout& screen = result.screen;
    EXPECT_EQ(screen.frame.top, 400);
    EXPECT_EQ(screen.frame.height, 8300);
    EXPECT_EQ(screen.frameCaption, "Resultat");
    EXPECT_EQ(screen.headCaption, "Bestillingsnummer: TBGCFCSPFCXX-V18");
    EXPECT_EQ(screen.copy.left, 6200);
    EXPECT_EQ(screen.copyCaption, "Kopier kode");
    EXPECT_EQ(screen.info.width, 4200);
    EXPECT_EQ(screen.background.left, 4750);
    EXPECT_EQ(screen.buttonTop, 8900);
    EXPECT_EQ(screen.buttonLefts, (std::array<int, 4>{300, 1700, 5200, 6700}));
    EXPECT_EQ(screen.buttonCaptions,
              (std::array<std::string, 4>{"Avbryt", "Tilbake", "Rapport", "DWG"}));
    // Panel 5300, 350, 4200 × 3200, margin 100.
    EXPECT_EQ(screen.infoPanel.top, 5300);
    EXPECT_EQ(screen.infoMargin, 100);
    EXPECT_EQ(screen.infoLabel.top, 600);
    EXPECT_EQ(screen.infoLabel.left, 100);
    EXPECT_EQ(screen.infoLabel.width, 4000);
    EXPECT_EQ(screen.infoLabel.height, 2500);
}

TEST_F(SampleResultTest, PicturesOfTheSample) {
    const ResultState result = computeCode("KAGCFBGCSPMC-V18");
    const auto name = [&](PartSlot slot) {
        return result.pictures[slot].path.filename().string();
    };
    EXPECT_EQ(name(kCentre), "VENTILKRYSS_RC.gif");
    EXPECT_EQ(result.pictures[kCentre].tooltip, "150 mm  X-kryss");
    EXPECT_EQ(name(kNorth), "FLENS_0100_N.gif");
    EXPECT_EQ(result.pictures[kNorth].tooltip, "100 mm  Flens");
    EXPECT_EQ(name(kEast), "FLENSSERVICE_E_E.gif") << "no picture of DN 150: the fallback";
    EXPECT_EQ(result.pictures[kEast].tooltip, "150 mm  Flens med serviceuttak");
    EXPECT_EQ(name(kSouth), "SPISS_0160_S.gif");
    EXPECT_EQ(name(kWest), "MUFFE_0150_W.gif");
    for (const PictureBox& box : result.pictures)
        EXPECT_TRUE(box.visible);
}

// A small installation written by each test: one dimension (100 mm), the
// options A2 HL EP NOAKT, flanges DN 100 and PE 110 spigots.
class WrittenResultTest : public ResultTest {
protected:
    WrittenResultTest() {
        records_ = {
            {"¤0100_TEE_CPD",
             {"KS100", "Senterdel DN 100", "tekst", "960", "1200", "100 mm", "BLK_CPD", "20.0 kg",
              "0,-", "UFOT UFOT UFOT UFOT"}},
            {"¤0100_A2_HL_EP_NOAKT_UFOT_VHK",
             {"KV100", "Ventilhus DN 100", "tekst", "0", "0", "150 mm", "BLK_VH", "30.0 kg"}},
            {"¤0100_A2_HL_EP_NOAKT_KORT_VHK",
             {"KV100K", "Kort ventilhus", "tekst", "0", "0", "120 mm", "BLK_VK", "25.5 kg"}},
            {"¤0100_GARN_BRV", {"KB100", "Garnityr", "UNUSED", "0", "0", "0 mm", "BLK_BRV"}},
            {"¤0100_FL_DN100_TK",
             {"KT100", "Flens DN 100", "PN16", "672", "840", "200 mm", "BLK_FL", "10.0 kg"}},
            {"¤0100_SP_PE110_TK",
             {"KT110", "Spiss PE 110", "PE100", "600", "700", "262,5 mm", "BLK_SP", "8.0 kg"}},
        };
        for (int type = 1; type <= 4; ++type) {
            centre_[type] = {1000 + type, 1706 + type, 1900, 1880};
            north_[type] = {2155 + type, 2114, 900, 900};
            south_[type] = {4411 + type, 2114, 900, 900};
            east_[type] = {3283 + type, 3242, 900, 900};
            west_[type] = {3283 + type, 986, 900, 900};
        }
        centre_[1] = {3869, 2231, 1080, 510};
        centre_[2] = {2875, -1306, 1900, 1880};
        north_[1] = {3100, 1875, 900, 900};
        south_[1] = {3996, 1875, 900, 900};
    }

    // Writes the installation and computes the valve of the type. Slots:
    // flanges at 12 and 6 o'clock, spigots at 3 and 9.
    ResultState run(int type) {
        writeArticles();
        writeParameters();
        test::WriteLines(dir_ / "Lang_NO.txt", {"Tessaro"});
        files_ = std::make_unique<data::DataFiles>(dir_.path(), "NO", messages_);
        configuration_ =
            std::make_unique<wizard::Configuration>(*files_, wizard::ValvePageLayout{});
        configuration_->code = "TBGCFCSPFCXX-V18";
        auto& record = configuration_->record;
        record.valveType = type;
        record.typeKey = "tee";
        record.typeDescription = "T-kryss";
        record.dimensionKey = "DN100";
        record.dimensionMillimetres = 100;
        record.accessoryKey = "GARN";
        const char* tags[] = {"A2", "HL", "EP", "NOAKT"};
        for (int group = 0; group < 4; ++group)
            record.options[static_cast<std::size_t>(group)].tag = tags[group];
        record.slots[1] = {1, "FL", "Flens", 2, 100, "DN100"};
        record.slots[2] = {2, "SP", "Spiss", 1, 110, "PE110"};
        record.slots[3] = record.slots[1];
        record.slots[4] = record.slots[2];
        return compute(*configuration_);
    }

    void writeArticles() {
        std::string bytes = "Vantordata.dat\r\n01.01.2026\r\n";
        for (const auto& [key, fields] : records_) {
            bytes += Cp(key) + " * note\r\n" + Cp(key.substr(2)) + "\r\n";
            for (const auto& field : fields)
                bytes += field + "\r\n";
            bytes += "EOL\r\n";
        }
        test::WriteBytes(dir_ / "Vantordata.dat", bytes);
    }

    void writeParameters() {
        std::string bytes = "head\r\n";
        auto number = [&](int value) {
            bytes += std::to_string(value) + " * value\r\n";
        };
        auto text = [&](const char* line) {
            bytes += std::string(line) + "\r\n";
        };
        auto rect = [&](const data::TwipRect& r) {
            number(r.top);
            number(r.left);
            number(r.width);
            number(r.height);
        };
        auto rects = [&](const std::array<data::TwipRect, 5>& byType) {
            for (int type = 1; type <= 4; ++type)
                rect(byType[static_cast<std::size_t>(type)]);
        };
        if (withReportScreen_) {
            text("\xA4REPORTSCREEN");
            text("Resultatbilde");
            rect({400, 150, 9450, 8300});
            text("Resultat");
            rect({700, 350, 5600, 300});
            rect({650, 6200, 1500, 375});
            text("Kopier");
            rect({1200, 350, 4200, 4000});
            rect({1200, 4750, 4650, 7300});
            number(8900);
            for (int left : {300, 1700, 5200, 6700})
                number(left);
            for (const char* caption : {"Avbryt", "Tilbake", "Rapport", "DWG"})
                text(caption);
            rects(centre_);
            number(905);
            number(239);
            rects(north_);
            number(391);
            number(239);
            rects(south_);
            number(473);
            number(-43);
            rects(east_);
            number(473);
            number(521);
            rects(west_);
            rect({5300, 350, 4200, 3200});
            number(100);
        }
        test::WriteBytes(dir_ / "Tessaro.dat", bytes);
    }

    void setField(const char* key, std::size_t field, const std::string& value) {
        for (auto& [recordKey, fields] : records_) {
            if (recordKey == key)
                fields[field - 1] = value;
        }
    }

    void remove(const char* key) {
        std::erase_if(records_, [key](const auto& record) { return record.first == key; });
    }

    test::TempDir dir_;
    std::vector<std::pair<std::string, std::vector<std::string>>> records_;
    std::array<data::TwipRect, 5> centre_, north_, south_, east_, west_; // [1..4]
    bool withReportScreen_ = true;
    std::unique_ptr<wizard::Configuration> configuration_;
};

TEST_F(WrittenResultTest, XCrossInDebugMode) {
    startup_.debugMode = true;
    const ResultState result = run(3);
    EXPECT_EQ(result.resultText,
              Cp("Senterdel DN 100  (L=100 mm  V=20.0 kg  Vb=BLK_CPD)\r\n"
                 "4 stkVentilhus DN 100  (L=150 mm  V=30.0 kg  Vb=BLK_VH)\r\n"
                 "Garnityr   (¤0100_GARN_BRV )") +
                  Line("Tilkobling klokka 12", "Flens DN 100    (L=200 mm)") +
                  Line("Tilkobling klokka 3", "Spiss PE 110    (L=262.5 mm)") +
                  Line("Tilkobling klokka 6", "Flens DN 100    (L=200 mm)") +
                  Line("Tilkobling klokka 9", "Spiss PE 110    (L=262.5 mm)") +
                  // 2 × 100 + 150 + 150 + 200 + 200; 2 × (100 + 150) + 2 × 262.5.
                  "\r\nTotal vertikal byggelengde 900,000  horisontal byggelengde 1025,000");
    EXPECT_TRUE(result.flagC);
}

TEST_F(WrittenResultTest, MissingCentrePartFallsBackToStandardValveHouses) {
    remove("¤0100_TEE_CPD");
    startup_.debugMode = true;
    const ResultState result = run(2);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0], Cp("Missing center part ¤0100_TEE_CPD\r\nin DisplayScreenReport "
                                     "- default (UFOT) used"));
    EXPECT_EQ(result.houseCodes, (std::array<std::string, 4>{"UFOT", "UFOT", "UFOT", "UFOT"}));
    EXPECT_EQ(result.parts[kCentre].key, Cp("¤0100_TEE_CPD"));
    EXPECT_EQ(result.parts[kCentre].articleNumber, "");
    EXPECT_TRUE(result.resultText.starts_with("3 stkVentilhus DN 100")) << result.resultText;
    // Houses 150 + 150 and connections 200 + 200; east house 150 + spigot.
    EXPECT_DOUBLE_EQ(result.vertical, 700);
    EXPECT_DOUBLE_EQ(result.horizontal, 412.5);
    EXPECT_FALSE(result.flagC);
    EXPECT_FALSE(result.verticalComplete);
    EXPECT_TRUE(result.resultText.ends_with(
        "\r\nTotal vertikal byggelengde 700,000 (INCOMPLETE)  horisontal byggelengde 412,500 "
        "(INCOMPLETE)"))
        << result.resultText;
    EXPECT_EQ(result.handover.front().first, "ValveHouseLengthN") << "no centre part to hand over";
}

TEST_F(WrittenResultTest, MissingValveHouseGivesPlaceholdersAndIncompleteTotals) {
    setField("¤0100_TEE_CPD", 10, "UFOT UFOT KORT KORT");
    remove("¤0100_A2_HL_EP_NOAKT_KORT_VHK");
    startup_.debugMode = true;
    const ResultState result = run(3);
    EXPECT_FALSE(result.flagV);
    EXPECT_EQ(result.marker, '!');
    EXPECT_EQ(result.parts[kEast].description, "mangler");
    EXPECT_EQ(result.parts[kWest].articleNumber, "mangler");
    EXPECT_DOUBLE_EQ(result.parts[kEast].length, 0);
    EXPECT_EQ(setting("ValveHouseLengthE"), "mangler");
    EXPECT_EQ(setting("ValveHouseNameW"), "mangler");
    EXPECT_NE(result.resultText.find("2 stkVentilhus DN 100  (L=150 mm  V=30.0 kg  Vb=BLK_VH)\r\n"
                                     "2 stkmangler  (L=0  V=0  Vb=mangler)\r\n"),
              std::string::npos)
        << result.resultText;
    // 2 × 100 + 150 + 150 + 200 + 200; 2 × (100 + 0) + 2 × 262.5.
    EXPECT_TRUE(result.resultText.ends_with("byggelengde 900,000 (INCOMPLETE)  horisontal "
                                            "byggelengde 725,000 (INCOMPLETE)"))
        << result.resultText;
}

TEST_F(WrittenResultTest, EveryChangeOfHouseCodeIsLookedUpEvenBeyondTheValve) {
    // The T-cross has no west house, but its code differs from the east one.
    setField("¤0100_TEE_CPD", 10, "UFOT UFOT KORT GONE");
    const ResultState result = run(2);
    EXPECT_FALSE(result.flagV);
    EXPECT_EQ(result.parts[kEast].blockName, "BLK_VK");
    EXPECT_FALSE(result.verticalComplete);
}

TEST_F(WrittenResultTest, MissingConnectionShowsTheChoiceAndAddsNothing) {
    remove("¤0100_SP_PE110_TK");
    startup_.debugMode = true;
    const ResultState result = run(2);
    EXPECT_NE(result.resultText.find(
                  Line("Tilkobling klokka 3", "(MISSING) 110 mm Spiss    (L=mangler)") +
                  "\r\n\r\nTilkobling klokka 6"),
              std::string::npos)
        << result.resultText;
    EXPECT_FALSE(result.connectionFound[2]);
    EXPECT_FALSE(result.flagE);
    EXPECT_EQ(result.offsetA[2], -1);
    EXPECT_DOUBLE_EQ(result.horizontal, 250); // centre 100 + east house 150
    EXPECT_FALSE(result.horizontalComplete);
    EXPECT_TRUE(result.verticalComplete);
    EXPECT_EQ(setting("ConnectionEastLength"), "mangler");
    EXPECT_EQ(setting("ConnectionEastName"), "mangler");
    EXPECT_TRUE(result.resultText.ends_with("horisontal byggelengde 250,000 (INCOMPLETE)"));
}

TEST_F(WrittenResultTest, ConnectionCountsAsCompleteAboveNinePointNineNine) {
    struct Case {
        const char* length;
        bool complete;
    };
    const std::vector<Case> cases = {
        {"9.99 mm", false}, {"9.991 mm", true}, {"9,995", true}, // a comma in a connection record
        {"10", true},       {"0", false},       {"9", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        setField("¤0100_FL_DN100_TK", 6, c.length);
        const ResultState result = run(1);
        EXPECT_EQ(result.flagN, c.complete);
        EXPECT_EQ(result.flagS, c.complete);
        EXPECT_EQ(result.verticalComplete, c.complete);
    }
}

TEST_F(WrittenResultTest, TotalsBelowTenAreMetres) {
    struct Case {
        const char* house;
        const char* connection;
        const char* decimal;
        const char* total;
    };
    // Single valve: house + two connections.
    const std::vector<Case> cases = {
        {"0.5 m", "4.5 m", ",", "9,500m (INCOMPLETE)"},
        {"0.5 m", "4.5 m", ".", "9.500m (INCOMPLETE)"},
        {"850 mm", "200 mm", ",", "1250,000"},
        {"0.00049", "5", ".", "10.000 (INCOMPLETE)"}, // 10.00049: no unit, three decimals
    };
    startup_.debugMode = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        system_.decimal = c.decimal;
        setField("¤0100_A2_HL_EP_NOAKT_UFOT_VHK", 6, c.house);
        setField("¤0100_FL_DN100_TK", 6, c.connection);
        const ResultState result = run(1);
        EXPECT_TRUE(
            result.resultText.ends_with(std::string("\r\nTotal vertikal byggelengde ") + c.total))
            << result.resultText;
    }
}

// The sums do not depend on the screen: without its layout the result is
// the same, and only the screen has nothing to lay out.
TEST_F(WrittenResultTest, MissingReportScreenLeavesTheResultWhole) {
    startup_.debugMode = true;
    const ResultState laidOut = run(3);
    ASSERT_TRUE(laidOut.laidOut);
    withReportScreen_ = false;
    const ResultState result = run(3);
    EXPECT_FALSE(result.laidOut);
    EXPECT_FALSE(result.pictures[kCentre].visible);
    // 2 × centre 100 + houses 150 + 150 + flanges 200 + 200.
    EXPECT_DOUBLE_EQ(result.vertical, 900);
    EXPECT_DOUBLE_EQ(result.horizontal, laidOut.horizontal);
    EXPECT_DOUBLE_EQ(result.weight, laidOut.weight);
    EXPECT_TRUE(result.verticalComplete);
    EXPECT_EQ(result.resultText, laidOut.resultText);
    EXPECT_EQ(result.handover, laidOut.handover);
}

TEST_F(WrittenResultTest, AccessoryMissingOrWithdrawn) {
    remove("¤0100_GARN_BRV");
    EXPECT_NE(run(2).resultText.find(Cp("\r\n(MISSING) Tilbehør_BRV\r\n\r\nTilkobling")),
              std::string::npos);
    records_.push_back({"¤0100_GARN_BRV", {"KB", "UNUSED garnityr"}});
    EXPECT_NE(run(2).resultText.find(Cp("\r\n(UNUSED) Tilbehør_BRV \r\n\r\nTilkobling")),
              std::string::npos);
}

TEST_F(WrittenResultTest, PictureGeometryByResolution) {
    struct Case {
        int type;
        bool standard;
        data::TwipRect centre, north, south, east;
    };
    const std::vector<Case> cases = {
        // Centre × 8 / 10 rounded (-1044.8 gives -1045), 20 wider and 40
        // taller; north and south up by a, then down 150 and 200 and left
        // by b; east up by a and left by b (b is -43).
        {2,
         true,
         {2300, -1045, 1920, 1920},
         {1402, 1875, 900, 900},
         {4222, 1875, 900, 900},
         {2812, 3285, 900, 900}},
        {2,
         false,
         {2875, -1306, 1900, 1880},
         {2157, 2114, 900, 900},
         {4413, 2114, 900, 900},
         {3285, 3242, 900, 900}},
        // The single valve: 1784.8 gives 1785, no size change, north and
        // south only up by a.
        {1,
         true,
         {3095, 1785, 1080, 510},
         {2195, 1875, 900, 900},
         {3605, 1875, 900, 900},
         {2811, 3285, 900, 900}},
        {1,
         false,
         {3869, 2231, 1080, 510},
         {3100, 1875, 900, 900},
         {3996, 1875, 900, 900},
         {3284, 3242, 900, 900}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + (c.standard ? " standard" : " high"));
        startup_.standardResolution = c.standard;
        const ResultState result = run(c.type);
        const auto expect = [](const data::TwipRect& actual, const data::TwipRect& expected) {
            EXPECT_EQ(actual.top, expected.top);
            EXPECT_EQ(actual.left, expected.left);
            EXPECT_EQ(actual.width, expected.width);
            EXPECT_EQ(actual.height, expected.height);
        };
        expect(result.pictures[kCentre].rect, c.centre);
        expect(result.pictures[kNorth].rect, c.north);
        expect(result.pictures[kSouth].rect, c.south);
        expect(result.pictures[kEast].rect, c.east);
        expect(result.screen.enlarge,
               c.standard ? data::TwipRect{60, 50, 300, 300} : data::TwipRect{50, 50, 250, 250});
    }
}

TEST_F(WrittenResultTest, EastAndWestBoxesByValveType) {
    const std::vector<std::pair<int, std::pair<bool, bool>>> cases = {
        {1, {false, false}}, {2, {true, false}}, {3, {true, true}}, {4, {true, true}}};
    for (const auto& [type, shown] : cases) {
        SCOPED_TRACE(type);
        const ResultState result = run(type);
        EXPECT_TRUE(result.pictures[kCentre].visible);
        EXPECT_TRUE(result.pictures[kNorth].visible);
        EXPECT_TRUE(result.pictures[kSouth].visible);
        EXPECT_EQ(result.pictures[kEast].visible, shown.first);
        EXPECT_EQ(result.pictures[kWest].visible, shown.second);
    }
}

TEST_F(WrittenResultTest, ConnectionPictureNamesAndFallbacks) {
    for (const char* name : {"Dummy_C.gif", "Dummy_RN.gif", "Dummy_RE.gif", "Dummy_RS.gif",
                             "Dummy_RW.gif", "TEE_RC.gif", "FL_0100_N.gif", "FL_0100_N_26.gif",
                             "FL_E_S.gif", "SP_E_W.gif", "SP_0110_W.gif"})
        test::WriteBytes(dir_ / name, "GIF89a");
    struct Case {
        PartSlot slot;
        const char* suffix;
        const char* file;
        const char* tooltip;
    };
    const std::vector<Case> cases = {
        {kCentre, "_33", "TEE_RC.gif", "100 mm  T-kryss"}, // names match without regard to case
        {kNorth, "_33", "FL_0100_N.gif", "100 mm  Flens"},
        {kNorth, "_26", "FL_0100_N_26.gif", "100 mm  Flens"},
        {kSouth, "_33", "FL_E_S.gif", "100 mm  Flens"},
        {kEast, "_33", "Dummy_RE.gif", "110 mm  Spiss (SP_0110_E)"},
        {kWest, "_33", "SP_0110_W.gif", "110 mm  Spiss"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        startup_.pictureSuffix = c.suffix;
        const ResultState result = run(3);
        EXPECT_EQ(result.pictures[c.slot].path.filename().string(), c.file);
        EXPECT_EQ(result.pictures[c.slot].tooltip, c.tooltip);
    }
}

TEST_F(WrittenResultTest, NoPicturesAtAllStillGiveTheConnectionPlaceholder) {
    // Neither the spigot's pictures nor the general placeholder exist.
    const ResultState result = run(2);
    EXPECT_EQ(result.pictures[kEast].path, dir_ / "Dummy_RE.gif");
    EXPECT_EQ(result.pictures[kEast].tooltip, "110 mm  Spiss (SP_0110_E)");
}

TEST(FormatTest, FixedDecimals) {
    struct Case {
        double value;
        int decimals;
        const char* separator;
        const char* text;
    };
    const std::vector<Case> cases = {
        {9.5, 3, ",", "9,500"},
        {1250, 3, ",", "1250,000"},
        {1250, 3, ".", "1250.000"},
        {1.23456, 3, ",", "1,235"},
        {12, 0, ",", "12"},
        {0.1 + 0.2, 3, ",", "0,300"},
        {-0.0001, 3, ".", "0.000"},
        {-2.5, 1, ",", "-2,5"},
        {1e20, 1, ".", "100000000000000000000.0"},
        {632.5, 0, ".", "633"}, // halves away from zero, not to the even neighbour
        {672.5, 0, ".", "673"},
        {-2.5, 0, ".", "-3"},
        {0.125, 2, ",", "0,13"},
        {2.675, 2, ",", "2,67"}, // just below the half in binary
        {9.995, 2, ",", "9,99"},
        {99.95, 1, ",", "100,0"}, // the carry runs through
        {999.5, 0, ",", "1000"},
        {-0.4, 0, ",", "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals, c.separator), c.text) << c.value;
}

TEST(FormatTest, ShortestDecimal) {
    struct Case {
        double value;
        const char* separator;
        const char* text;
    };
    const std::vector<Case> cases = {
        {0.25, ",", "0,25"},
        {12, ",", "12"},
        {1250.5, ".", "1250.5"},
        {83.6, ",", "83,6"},
        {0.1 + 0.2, ",", "0,3"}, // at most 15 significant digits
        {0.1 + 1.1, ".", "1.2"},
        {123456.789012345678, ".", "123456.789012346"},
        {1.0 / 3, ".", "0.333333333333333"},
        {1e21, ".", "1000000000000000000000"}, // never an exponent
        {1e-7, ",", "0,0000001"},
        {-0.0, ",", "0"},
        {-3.75, ",", "-3,75"},
        {-1140, ",", "-1140"},
        {999999999999999, ".", "999999999999999"},
        {1e15 + 1, ".", "1000000000000000"}, // sixteen digits: rounded to fifteen
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatShortest(c.value, c.separator), c.text) << c.value;
}

} // namespace
} // namespace tv::result

namespace tv::result {
namespace {

// Every valve type of the sample reaches a complete picture: no visible
// piece falls back to a placeholder, and the dimension line is drawn.
TEST_F(SampleResultTest, EverySampleCodeGivesACompletePictureAndDimensionLine) {
    const char* codes[] = {"EBXCFCXXFCXX-V18", "EBXAMAXXSLXX-V18", "TBGCFCSPFCXX-V18",
                           "TFKEFEFEFEXX-V18", "TKKFSVGEFGXX-V18", "KBBDFDFDFDFD-V18",
                           "KAGCFBGCSPMC-V18", "KBIFFGFFFFBF-V18", "DBUCFCXXFCXX-V18",
                           "DPBDMCXXBDXX-V18"};
    for (bool standard : {true, false}) {
        startup_.standardResolution = standard;
        for (const char* code : codes) {
            SCOPED_TRACE(std::string(code) + (standard ? " standard" : " 120 ppi"));
            const ResultState result = computeCode(code);
            ASSERT_TRUE(result.laidOut);
            for (const auto& box : result.pictures) {
                if (!box.visible || box.rect.width == 0)
                    continue;
                EXPECT_EQ(box.path.filename().string().find("Dummy"), std::string::npos)
                    << box.path;
                EXPECT_TRUE(std::filesystem::exists(box.path)) << box.path;
            }
            const auto lines =
                ComputeResultDimensionLines(result, configuration_->record, startup_, ",");
            EXPECT_TRUE(lines.drawn);
            EXPECT_TRUE(lines.vertMeas.visible || lines.vertMeas2.visible);
        }
    }
    EXPECT_TRUE(messages_.shown.empty()) << messages_.shown.front();
}

} // namespace
} // namespace tv::result
