#include "result/ProductInfo.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tv::result {
namespace {

using test::Cp;

class ProductInfoTest : public ::testing::Test {
protected:
    ProductInfoTest() {
        test::WriteLines(dir_ / "Vantordata.dat", {"Articles",
                                                   "2026-11-01",
                                                   "¤0150_TKRYSS_CPD * centre",
                                                   "0150_TKRYSS_CPD",
                                                   "1001",
                                                   "T-kryss DN 150",
                                                   "extra",
                                                   "1 offset",
                                                   "7",
                                                   "300 mm",
                                                   "BLK_T",
                                                   "45.0 kg",
                                                   "EOL",
                                                   "¤0150_A2_HL_EP_NOAKT_UFOT_VHK ",
                                                   "title",
                                                   "2001",
                                                   "Ventilhus DN 150",
                                                   "x",
                                                   "3",
                                                   "7",
                                                   "210 mm",
                                                   "BLK_V",
                                                   "30.5 kg",
                                                   "EOL",
                                                   "¤0150_A2_HL_EP_NOAKT_ABCD_VHK ",
                                                   "title",
                                                   "2002",
                                                   "Kort ventilhus",
                                                   "x",
                                                   "4",
                                                   "2",
                                                   "150 mm",
                                                   "BLK_K",
                                                   "22 kg",
                                                   "EOL",
                                                   "EOF"});
        record_.valveType = 2;
        record_.typeKey = "TKRYSS";
        record_.dimensionMillimetres = 150;
        const char* tags[] = {"A2", "HL", "EP", "NOAKT"};
        for (int g = 0; g < 4; ++g)
            record_.options[g].tag = tags[g];
        result_.parts[kCentre].key = Cp("¤0150_TKRYSS_CPD");
        result_.houseCodes = {"UFOT", "UFOT", "ABCD", "UFOT"};
        result_.connectionKeys[2] = Cp("¤0150_FLENS_DN150_TK");
    }

    std::optional<ProductInfoText> click(int area, int x, int y) {
        data::DataFiles files(dir_.path(), "NO", messages_);
        return ShowProductInfo(files, result_, record_, area, x, y);
    }

    test::TempDir dir_;
    platform::RecordingMessageBoxes messages_;
    wizard::ConfigurationRecord record_;
    ResultState result_;
};

TEST_F(ProductInfoTest, CentreZonesSwitchExactlyAtTheirBoundaries) {
    struct Case {
        int x;
        int y;
        const char* heading; // nullptr: no part
        const char* why;
    };
    const Case cases[] = {
        {459, 1000, nullptr, "9 o'clock zone: a T-cross has no house there"},
        {460, 1000, "Senterdel (150mm):", "centre from x = 460"},
        {1450, 1000, "Senterdel (150mm):", "centre up to x = 1450"},
        {1451, 1000, "Ventilhus kl.3 (150mm):", "3 o'clock from x = 1451"},
        {1000, 460, "Ventilhus kl.12 (150mm):", "12 o'clock up to y = 460"},
        {1000, 461, "Senterdel (150mm):", "centre from y = 461"},
        {1000, 1451, "Ventilhus kl.6 (150mm):", "6 o'clock from y = 1451"},
        {100, 100, nullptr, "a corner"},
        {1600, 1600, nullptr, "another corner"},
    };
    for (const auto& c : cases) {
        const auto info = click(kAreaCentre, c.x, c.y);
        if (!c.heading) {
            EXPECT_FALSE(info) << c.why;
            continue;
        }
        ASSERT_TRUE(info) << c.why;
        EXPECT_EQ(info->heading, c.heading) << c.why;
    }
}

TEST_F(ProductInfoTest, ValveHouseTextUsesTheCodeOfItsPosition) {
    const auto info = click(kAreaCentre, 1600, 1000); // 3 o'clock: code ABCD
    ASSERT_TRUE(info);
    EXPECT_EQ(info->text, Cp("¤0150_A2_HL_EP_NOAKT_ABCD_VHK\r\nKort ventilhus\r\n"
                             "Artikkelnummer: 2002\r\nLengde/vekt: 150 mm/22 kg\r\n"
                             "Målsetting pos IKKE DEFINERT\r\nBlokknavn BLK_K"))
        << "field 5 of 2 means not defined";
}

TEST_F(ProductInfoTest, CentrePartAndTheNotDefinedRule) {
    const auto info = click(kAreaCentre, 900, 900);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->text, Cp("¤0150_TKRYSS_CPD\r\nT-kryss DN 150\r\nArtikkelnummer 1001\r\n"
                             "Lengde/vekt: 300 mm/45.0 kg\r\nMålsetting pos IKKE DEFINERT\r\n"
                             "Blokknavn BLK_T"))
        << "field 4 of 1 means not defined";
    const auto house = click(kAreaCentre, 1000, 100);
    ASSERT_TRUE(house);
    EXPECT_NE(house->text.find(Cp("Målsetting pos 3/7")), std::string::npos) << house->text;
}

TEST_F(ProductInfoTest, SingleValveShowsTheSixOClockHouseEverywhere) {
    record_.valveType = 1;
    for (const auto& [x, y] : {std::pair{10, 10}, std::pair{900, 900}, std::pair{1700, 1700}}) {
        const auto info = click(kAreaCentre, x, y);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->heading, "Ventilhus kl.6 (150mm):");
    }
}

TEST_F(ProductInfoTest, ConnectionAreasAndMissingRecords) {
    const auto info = click(kAreaEast, 0, 0);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->heading, "Tilkobling kl 3:");
    EXPECT_EQ(info->text,
              Cp("¤0150_FLENS_DN150_TK\r\nVantor data ikke funnet\r\nBlokknavn Mangler"))
        << "a missing record: one line instead of four, the block name's placeholder";
    EXPECT_FALSE(click(-1, 0, 0)) << "a negative area only shows the panel again";
}

} // namespace
} // namespace tv::result
