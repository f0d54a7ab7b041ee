#include "result/ValvePicture.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tv::result {
namespace {

using test::Cp;
using test::TempDir;
using test::WriteLines;
using Call = CanvasCall;

TEST(DrawArrowheadTest, OneHundredFiftyStrokesFromTheTipToABase150Wide) {
    struct Case {
        int s;
        bool alongX;
        Call first, fifth, base;
    };
    // Tip at (1000, 2000). Stroke 5 is 2 wide on each side: 2.5 rounds to even.
    const Case cases[] = {
        {1, true, Call::Line(1001, 2000, 1001, 2000), Call::Line(1005, 1998, 1005, 2002),
         Call::Line(1150, 1925, 1150, 2075)},
        {-1, true, Call::Line(999, 2000, 999, 2000), Call::Line(995, 1998, 995, 2002),
         Call::Line(850, 1925, 850, 2075)},
        {1, false, Call::Line(1000, 2001, 1000, 2001), Call::Line(998, 2005, 1002, 2005),
         Call::Line(925, 2150, 1075, 2150)},
        {-1, false, Call::Line(1000, 1999, 1000, 1999), Call::Line(998, 1995, 1002, 1995),
         Call::Line(925, 1850, 1075, 1850)},
    };
    for (const auto& c : cases) {
        RecordingCanvas canvas;
        DrawArrowhead(canvas, 1000, 2000, c.s, c.alongX);
        ASSERT_EQ(canvas.calls.size(), 150u) << "only strokes, no colour";
        EXPECT_EQ(canvas.calls[0], c.first);
        EXPECT_EQ(canvas.calls[4], c.fifth);
        EXPECT_EQ(canvas.calls[149], c.base);
    }
}

// What DrawDimension draws after the dimension line: the white label patch
// and the label.
void ExpectLabel(const std::vector<Call>& calls, std::size_t from, int x, int y,
                 std::int32_t textColor, const std::string& label) {
    ASSERT_EQ(calls.size(), from + 214);
    EXPECT_EQ(calls[from], Call::Color(kWhite));
    EXPECT_EQ(calls[from + 1], Call::Line(x, y, x + 750, y));
    EXPECT_EQ(calls[from + 211], Call::Line(x, y + 210, x + 750, y + 210));
    EXPECT_EQ(calls[from + 212], Call::Color(textColor));
    EXPECT_EQ(calls[from + 213], Call::Text(x, y, label));
}

TEST(DrawDimensionTest, CloseHorizontalPointsGetStubsAndReversedArrowheads) {
    RecordingCanvas canvas;
    DrawDimension(canvas, {true, 1000, 500, 1400, 600, 200, 900, 50, 60, -1, -1, "400"});
    const auto& calls = canvas.calls;
    EXPECT_EQ(calls[0], Call::Line(1000, 500, 1000, 700)) << "no colour: the current one stays";
    EXPECT_EQ(calls[1], Call::Line(1400, 600, 1400, 800));
    EXPECT_EQ(calls[2], Call::Line(1000, 900, 1300, 900));
    EXPECT_EQ(calls[3], Call::Line(1400, 900, 1100, 900));
    EXPECT_EQ(calls[4], Call::Line(1001, 900, 1001, 900)) << "first arrowhead opens towards x2";
    EXPECT_EQ(calls[154], Call::Line(1399, 900, 1399, 900));
    ExpectLabel(calls, 304, 50, 60, kBlack, "400");
}

TEST(DrawDimensionTest, DistantHorizontalPointsGetOneLine) {
    RecordingCanvas canvas;
    DrawDimension(canvas, {true, 1000, 500, 1500, 500, 200, 900, 50, 60, 128, 255, "500"});
    const auto& calls = canvas.calls;
    EXPECT_EQ(calls[0], Call::Color(128));
    EXPECT_EQ(calls[3], Call::Line(1000, 900, 1500, 900));
    EXPECT_EQ(calls[4], Call::Line(999, 900, 999, 900));
    EXPECT_EQ(calls[154], Call::Line(1501, 900, 1501, 900));
    ExpectLabel(calls, 304, 50, 60, 255, "500");
}

TEST(DrawDimensionTest, VerticalDimensionsExchangeTheAxes) {
    RecordingCanvas close;
    DrawDimension(close, {false, 300, 1000, 400, 1499, 200, 900, 50, 60, -1, -1, "x"});
    EXPECT_EQ(close.calls[0], Call::Line(300, 1000, 500, 1000));
    EXPECT_EQ(close.calls[1], Call::Line(400, 1499, 600, 1499));
    EXPECT_EQ(close.calls[2], Call::Line(900, 1000, 900, 700));
    EXPECT_EQ(close.calls[3], Call::Line(900, 1499, 900, 1799));
    EXPECT_EQ(close.calls[4], Call::Line(900, 999, 900, 999));
    EXPECT_EQ(close.calls[154], Call::Line(900, 1500, 900, 1500));
    ExpectLabel(close.calls, 304, 50, 60, kBlack, "x");

    RecordingCanvas distant;
    DrawDimension(distant, {false, 300, 1000, 300, 1500, 200, 900, 50, 60, -1, -1, "x"});
    EXPECT_EQ(distant.calls[2], Call::Line(900, 1000, 900, 1500));
    EXPECT_EQ(distant.calls[3], Call::Line(900, 1001, 900, 1001));
    EXPECT_EQ(distant.calls[153], Call::Line(900, 1499, 900, 1499));
}

TEST(FormatMeasureTest, DecimalsAndDebugMode) {
    struct Case {
        double value;
        int decimals;
        bool debug;
        const char* expected;
    };
    const Case cases[] = {
        {1250.4, 0, false, "1250"},  {1250.6, 0, false, "1251"},  {1.25, 2, false, "1,25"},
        {3.14159, 1, false, "3,1"},  {1250.4, 3, false, ""},      {1250.4, -1, false, ""},
        {1250.4, 0, true, "1250,4"}, {1250.4, 3, true, "1250,4"}, {632.5, 0, false, "633"},
        {672.5, 0, false, "673"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatMeasure(c.value, c.decimals, c.debug, ","), c.expected)
            << c.value << " with " << c.decimals << " decimals, debug " << c.debug;
}

class ResultDimensionLinesTest : public ::testing::Test {
protected:
    ResultDimensionLinesTest() {
        state_.flagN = state_.flagS = state_.flagV = true;
        state_.screen.background = {1200, 4750, 4651, 7301};
        SetOffsets(state_.connectionRecords[1], "672", "843");
        SetOffsets(state_.connectionRecords[3], "168", "210");
        state_.vertical = 1250;
    }
    static void SetOffsets(ArticleRecord& article, const char* field4, const char* field5) {
        article.count = 8;
        article.fields[4] = field4;
        article.fields[5] = field5;
    }
    ResultDimensionLines compute(int valveType, bool standard) {
        record_.valveType = valveType;
        startup_.standardResolution = standard;
        return ComputeResultDimensionLines(state_, record_, startup_, ",");
    }

    ResultState state_;
    wizard::ConfigurationRecord record_;
    data::StartupValues startup_;
};

void ExpectRect(const TwipRect& rect, TwipRect expected, const char* what) {
    EXPECT_EQ(rect.top, expected.top) << what;
    EXPECT_EQ(rect.left, expected.left) << what;
    EXPECT_EQ(rect.width, expected.width) << what;
    EXPECT_EQ(rect.height, expected.height) << what;
}

TEST_F(ResultDimensionLinesTest, SingleValveWithoutStandardResolution) {
    // cx = 2325.5 to even 2326, cy = 3650.5 + 100 to even 3750; dN 672, dS 168.
    const auto lines = compute(1, false);
    ASSERT_TRUE(lines.drawn);
    ExpectRect(lines.hor1.rect, {3164, 3226, 500, 100}, "picDimHor1");
    ExpectRect(lines.hor2.rect, {3984, 3226, 500, 100}, "picDimHor2");
    ExpectRect(lines.hor3.rect, {3750, 1776, 500, 18}, "picDimHor3");
    ExpectRect(lines.ver1.rect, {2828, 3576, 18, 802}, "picDimVer1");
    ExpectRect(lines.ver2.rect, {3850, 3576, 18, 318}, "picDimVer2");
    EXPECT_TRUE(lines.hor1.visible && lines.hor2.visible && lines.ver1.visible);
    EXPECT_FALSE(lines.hor3.visible);
    EXPECT_EQ(lines.hor2.picture, "HorisontalLine2.gif");
    EXPECT_TRUE(lines.vertMeas.visible);
    EXPECT_FALSE(lines.vertMeas2.visible);
    ExpectRect(lines.vertMeas.rect, {3650, 3326, 1000, 200}, "lblVertMeas");
    EXPECT_EQ(lines.vertMeas.caption, "1250mm");
}

TEST_F(ResultDimensionLinesTest, CrossWithStandardResolution) {
    // cy = 3660.5 to even 3660, less 400; dN 843 (2290 - 421.5 to even 1868), dS 210.
    state_.vertical = 1.25;
    const auto lines = compute(2, true);
    ExpectRect(lines.hor1.rect, {1868, 3776, 500, 100}, "picDimHor1");
    ExpectRect(lines.hor2.rect, {4235, 3776, 500, 100}, "picDimHor2");
    ExpectRect(lines.ver1.rect, {1447, 4226, 18, 1693}, "picDimVer1");
    ExpectRect(lines.ver2.rect, {3360, 4226, 18, 1080}, "picDimVer2");
    EXPECT_FALSE(lines.vertMeas.visible);
    EXPECT_EQ(lines.vertMeas.rect.top, 3160);
    EXPECT_TRUE(lines.vertMeas2.visible);
    ExpectRect(lines.vertMeas2.rect, {1100, 1700, 1000, 200}, "lblVertMeas2");
    EXPECT_EQ(lines.vertMeas2.caption, "1,250m");
}

TEST_F(ResultDimensionLinesTest, NotDrawnWithoutBothConnectionsAndTheValveHouses) {
    for (bool* flag : {&state_.flagN, &state_.flagS, &state_.flagV}) {
        *flag = false;
        EXPECT_FALSE(compute(2, true).drawn);
        *flag = true;
    }
}

class EnlargedPictureTest : public ::testing::Test {
protected:
    EnlargedPictureTest() {
        for (const char* name :
             {"ClearText.gif", "VENTILKRYSS_EC.gif", "ENKELVENTIL_EC.gif", "TKRYSS_EC.gif"})
            test::WriteBytes(dir_ / name, "GIF89a");
        const char* pieces[] = {"", "n.gif", "s.gif", "e.gif", "w.gif"}; // by PartSlot
        for (int slot = kNorth; slot <= kWest; ++slot)
            state_.pictures[slot].path = dir_ / pieces[slot];
        const char* tags[] = {"A2", "HL", "EP", "NOAKT"};
        for (int g = 0; g < 4; ++g)
            record_.options[g].tag = tags[g];
        record_.dimensionMillimetres = 150;
    }
    void use(int valveType, const char* typeKey, bool standard) {
        record_.valveType = valveType;
        record_.typeKey = typeKey;
        startup_.standardResolution = standard;
    }
    std::string path(const char* name) const { return (dir_ / name).string(); }

    // o1 to o8 are powers of two and the offsets of type t carry t, so each
    // position shows which values went into it.
    void writeDepicture() {
        // clang-format off
        WriteLines(dir_ / "Tessaro.dat", {
            "Parameters", "¤DEPICTURE", "Heading",
            "400", "150", "9450", "8295",                                // picEnlarged
            "7950",                                                      // prTest
            "300", "300", "¤¤Mål i millimeter", "7850", "550",           // p1, p2, T1, p3, p4
            "Klikk for å lukke",                                         // T2
            "1", "2", "4", "8", "16", "32", "64", "128",                 // o1 to o8
            "100", "1100", "200", "1200", "300", "1300", "400", "1400",  // centre x, y by type
            "780", "910", "-630",                                        // p5, p6, p7
            "-801", "701", "-802", "702", "-803", "703", "-804", "704",  // north x, y by type
            "*"});
        // clang-format on
    }
    EnlargedPicture compose(bool onScreen) {
        data::DataFiles files(dir_.path(), "NO", messages_);
        return ComposeEnlargedPicture(canvas_, files, state_, record_, startup_, "KBBDFDFDFDFD-V18",
                                      onScreen);
    }

    TempDir dir_;
    platform::RecordingMessageBoxes messages_;
    RecordingCanvas canvas_;
    ResultState state_;
    wizard::ConfigurationRecord record_;
    data::StartupValues startup_;
};

TEST_F(EnlargedPictureTest, CrossWithStandardResolutionPaintsAllFourPieces) {
    writeDepicture();
    use(3, "VENTILKRYSS", true);
    const auto picture = compose(true);
    ExpectRect(picture.geometry, {400, 150, 9450, 8295}, "picEnlarged");
    EXPECT_EQ(picture.testTop, 7950);
    const std::vector<Call> expected = {
        Call::Clear(),
        Call::Size(9450, 8295),
        Call::Clear(),
        Call::Image(0, 0, path("ClearText.gif")),
        Call::Image(3000 - (300 + 8), 3000 - (1300 + 10 + 1 + 2), path("VENTILKRYSS_EC.gif")),
        Call::Image(3803, 3000 - (16 + 703 + 2), path("n.gif"), 780, 900, 1195),
        Call::Image(3803, 3000 + (703 - 910 + 32 + 2), path("s.gif"), 780, 910, 1195),
        Call::Image(3000 + (64 + 1930 + 2 - 4), 3630, path("e.gif"), 900, 910),
        Call::Image(3000 - (128 + 4310 + 2 - 4), 3630, path("w.gif"), 900, 910),
        Call::Color(kBlack),
        Call::Font("Arial", 10),
        Call::Text(300, 300, "KBBDFDFDFDFD-V18"),
        Call::Text(300, 300 + 240, Cp("Mål i millimeter")),
        Call::Text(550 - 250, 7850, Cp("Klikk for å lukke")),
    };
    EXPECT_EQ(canvas_.calls, expected);
}

TEST_F(EnlargedPictureTest, SingleValveUsesNoOffsetsAndNoSidePieces) {
    writeDepicture();
    use(1, "ENKELVENTIL", true);
    compose(false);
    const std::vector<Call> expected = {
        Call::Image(0, 0, path("ClearText.gif")),
        Call::Image(2900, 1900, path("ENKELVENTIL_EC.gif")),
        Call::Image(3801, 2299, path("n.gif"), 780, 910, 1195),
        Call::Image(3801, 3000 + (701 - 890), path("s.gif"), 780, 890, 1195),
    };
    EXPECT_EQ(canvas_.only(Call::kImage), expected);
    EXPECT_EQ(canvas_.only(Call::kText).size(), 2u) << "the closing hint is for the screen only";
}

TEST_F(EnlargedPictureTest, OtherResolutionsIgnoreTheOffsetsAndKeepTheHintsPlace) {
    writeDepicture();
    use(2, "TKRYSS", false);
    compose(true);
    const auto images = canvas_.only(Call::kImage);
    ASSERT_EQ(images.size(), 5u) << "no west piece on a T";
    EXPECT_EQ(images[1], Call::Image(2800, 1790, path("TKRYSS_EC.gif")));
    EXPECT_EQ(images[2], Call::Image(3802, 2298, path("n.gif"), 780, 900, 1195));
    EXPECT_EQ(images[4], Call::Image(4930, 3630, path("e.gif"), 900, 910));
    EXPECT_EQ(canvas_.calls.back(), Call::Text(550, 7850, Cp("Klikk for å lukke")));
}

TEST_F(EnlargedPictureTest, MissingSectionGivesAnEmptyCanvas) {
    WriteLines(dir_ / "Tessaro.dat", {"Parameters", "¤OTHER", "1", "2"});
    use(2, "TKRYSS", true);
    const auto picture = compose(true);
    EXPECT_EQ(canvas_.calls[1], Call::Size(0, 0));
    ExpectRect(picture.geometry, {0, 0, 0, 0}, "picEnlarged");
}

class EnlargedDimensionsTest : public EnlargedPictureTest {
protected:
    EnlargedDimensionsTest() {
        // The valve house is found only by its key without the type code.
        // clang-format off
        WriteLines(dir_ / "Vantordata.dat", {
            "Articles", "2026",
            "¤0150_TKRYSS_CPD x", "t", "1", "T", "x", "960", "1200", "EOL",
            "¤0150_VENTILKRYSS_CPD x", "t", "1", "X", "x", "960", "1200", "EOL",
            "¤0150_A2_HL_EP_NOAKT_UFOT_VHK x", "t", "1", "V", "x", "7777", "7777", "EOL",
            "¤0150_A2_HL_EP_NOAKT_VHK x", "t", "1", "V", "x", "101", "50", "EOL",
            "EOF"});
        // clang-format on
        setOffsets(1, "672", "840");
        setOffsets(2, "168", "210");
        setOffsets(3, "672", "840");
        setOffsets(4, "500", "600");
        state_.vertical = 1250;
        state_.horizontal = 980;
    }
    void setOffsets(int slot, const char* field4, const char* field5) {
        auto& article = state_.connectionRecords[static_cast<std::size_t>(slot)];
        article.count = 8;
        article.fields[4] = field4;
        article.fields[5] = field5;
    }
    void writeDimensioning(const char* mode) {
        // clang-format off
        WriteLines(dir_ / "Tessaro.dat", {
            "Parameters", "¤DIMENSIONING", "Heading", mode,
            "128", "-1", "200",                                      // colours, q
            "700", "1400", "2000", "1800", "-100", "¤¤Byggelengde",  // vertical
            "600", "800", "1500", "1300", "-300", "Nord",            // not drawn
            "600", "800", "1500", "1300", "300", "Sør",              // not drawn
            "900", "1500", "2900", "200", "2300", "Byggebredde",     // horizontal
            "*"});
        // clang-format on
    }
    void draw() {
        data::DataFiles files(dir_.path(), "NO", messages_);
        DrawEnlargedDimensions(canvas_, files, state_, record_, startup_, ",");
    }
    static std::vector<Call> drawn(std::initializer_list<DimensionRecord> records) {
        RecordingCanvas canvas;
        for (const auto& record : records)
            DrawDimension(canvas, record);
        return canvas.calls;
    }
};

TEST_F(EnlargedDimensionsTest, TCrossWithoutStandardResolution) {
    // k 960, v 101: hN 1061, hS 1101; eN 1344 + 1061 + 1200 = 3605,
    // eS 1344 + 1101 - 1200 = 1245. Across: hN 931, X0 2990.
    writeDimensioning("1");
    use(2, "TKRYSS", false);
    draw();
    EXPECT_EQ(canvas_.calls,
              drawn({{false, 4600, -466, 4600, 6546, 1400, 6200, 6050, 4600, 128, -1, "1250"},
                     {true, 4131, 4700, 2990, 4700, 1300, 7100, 4100, 6800, 128, -1, "980"}}));
}

TEST_F(EnlargedDimensionsTest, XCrossWithStandardResolutionInDebugMode) {
    // k 1200, v 52: hN 1252 × 0.8 = 1001.6 to 1002, hS 1292 × 0.8 = 1033.6 to 1034.
    writeDimensioning("1");
    use(3, "VENTILKRYSS", true);
    startup_.debugMode = true;
    state_.vertical = 1250.5;
    state_.horizontal = 2000.25;
    WriteLines(dir_ / "Vantordata.dat",
               {"Articles", "2026", "¤0150_VENTILKRYSS_CPD x", "t", "1", "X", "x", "960", "1200",
                "EOL", "¤0150_A2_HL_EP_NOAKT_VHK x", "t", "1", "V", "x", "101", "52", "EOL"});
    draw();
    auto expected =
        drawn({{false, 5020, 2243, 5020, 5959, 2700, 7520, 7320, 3985, 128, -1, "1250,5"},
               {true, 5432, 4985, 2618, 4985, 2300, 7170, 3885, 7220, 128, -1, "2000,25"}});
    expected.insert(expected.begin(), Call::FontSize(8));
    EXPECT_EQ(canvas_.calls, expected);
}

TEST_F(EnlargedDimensionsTest, SingleValveHasOnlyTheVerticalDimension) {
    // v 101 halved: hN 50.5 and hS 60.5 round to even.
    writeDimensioning("1");
    use(1, "ENKELVENTIL", false);
    draw();
    EXPECT_EQ(canvas_.calls, drawn({{false, 4900, 4200 - 50 - 2594, 4900, 4200 + 60 + 204, 1400,
                                     6200, 6050, 4600, 128, -1, "1250"}}));

    canvas_.calls.clear();
    use(1, "ENKELVENTIL", true);
    draw();
    EXPECT_EQ(canvas_.calls, drawn({{false, 5020, 2995 + 480 - 840, 5020, 2995 - 480 + 840, 1400,
                                     6270, 6070, 2895, 128, -1, "1250"}}));
}

TEST_F(EnlargedDimensionsTest, ModeTwoTakesTheLabelsFromTheSection) {
    writeDimensioning("2");
    use(2, "TKRYSS", false);
    draw();
    const auto texts = canvas_.only(Call::kText);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Byggelengde") << "a text key comes translated";
    EXPECT_EQ(texts[1].text, "Byggebredde");
}

TEST_F(EnlargedDimensionsTest, NothingIsDrawnWithoutAPositiveMode) {
    use(3, "VENTILKRYSS", true);
    for (const char* mode : {"0 ", "-1"}) {
        writeDimensioning(mode);
        draw();
        EXPECT_TRUE(canvas_.calls.empty()) << mode;
    }
    WriteLines(dir_ / "Tessaro.dat", {"Parameters", "¤OTHER", "1", "128"});
    draw();
    EXPECT_TRUE(canvas_.calls.empty()) << "missing section";
}

} // namespace
} // namespace tv::result
