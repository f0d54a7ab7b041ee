#pragma once

#include "data/StartupValues.h"
#include "data/DataFiles.h"
#include "result/Canvas.h"
#include "result/ResultState.h"
#include "wizard/Configuration.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tv::result {

// A length or weight as text: in debug mode unrounded in the shortest
// decimal form; otherwise with 0, 1 or 2 decimals (rounded); any other count
// of decimals gives "".
std::string FormatMeasure(double value, int decimals, bool debugMode,
                          std::string_view decimalSeparator);

// Draws a filled arrowhead of 150 strokes with its tip at (x, y): stroke a
// (1 to 150) lies s × a away from the tip and is a (halved, halves to even)
// wide, so the base is 150 wide and lies 150 away on the side of the sign of
// s. alongX: the arrowhead points along x (vertical strokes).
void DrawArrowhead(Canvas& canvas, int x, int y, int s, bool alongX);

// One drawn dimension of the enlarged picture.
struct DimensionRecord {
    bool horizontal = false; // true: measures along x
    std::int16_t x1 = 0;     // first measured point
    std::int16_t y1 = 0;
    std::int16_t x2 = 0; // second measured point
    std::int16_t y2 = 0;
    std::int16_t extension = 0;    // length of the extension lines
    std::int16_t linePosition = 0; // y of a horizontal dimension line, x of a vertical one
    std::int16_t labelX = 0;       // top left corner of the label
    std::int16_t labelY = 0;
    std::int32_t lineColor = -1; // -1: keep the current colour
    std::int32_t textColor = -1; // -1: black
    std::string label;
};

inline constexpr std::int32_t kBlack = 0x000000;
inline constexpr std::int32_t kWhite = 0xFFFFFF;

// Extension lines, the dimension line (two 300-long stubs with the
// arrowheads turned outwards when the points are less than 500 apart), the
// arrowheads, a white label background 750 × 211 and the label.
void DrawDimension(Canvas& canvas, const DimensionRecord& record);

// One line picture of the result screen's vertical dimension.
struct DimensionLineBox {
    TwipRect rect;       // in picResBack, as the picture boxes
    std::string picture; // file name in the data directory
    bool visible = false;
};

struct MeasureLabel {
    TwipRect rect;
    bool visible = false;
    std::string caption;
};

// The vertical dimension beside the result screen's picture.
struct ResultDimensionLines {
    bool drawn = false;     // false: nothing of it is shown
    DimensionLineBox ver1;  // picDimVer1
    DimensionLineBox ver2;  // picDimVer2
    DimensionLineBox hor1;  // picDimHor1
    DimensionLineBox hor2;  // picDimHor2
    DimensionLineBox hor3;  // picDimHor3 (placed, then hidden)
    MeasureLabel vertMeas;  // lblVertMeas: single valves
    MeasureLabel vertMeas2; // lblVertMeas2: valves with a centre part
};

// The vertical dimension of the result screen, drawn only when the north
// and south connections and every valve house were found.
ResultDimensionLines ComputeResultDimensionLines(const ResultState& state,
                                                 const wizard::ConfigurationRecord& record,
                                                 const data::StartupValues& startup,
                                                 std::string_view decimalSeparator);

// Where the enlarged picture goes.
struct EnlargedPicture {
    TwipRect geometry; // picEnlarged
    int testTop = 0;   // top of prTest
};

// The font of the enlarged picture's texts.
inline constexpr const char* kEnlargedFontFamily = "Arial";
inline constexpr int kEnlargedFontPoints = 10;

// Paints the enlarged picture from the section "¤DEPICTURE": the blank
// background, the centre piece, the stored connection pictures and the
// texts (the closing hint only on screen, not in the report). A missing
// section gives a canvas of size 0.
EnlargedPicture ComposeEnlargedPicture(Canvas& canvas, data::DataFiles& files,
                                       const ResultState& state,
                                       const wizard::ConfigurationRecord& record,
                                       const data::StartupValues& startup, const std::string& code,
                                       bool onScreen);

// Draws the vertical and (for the T and X crosses) the horizontal build
// length onto the enlarged picture from the section "¤DIMENSIONING"; a
// missing section, or a mode of 0 or less, draws nothing.
void DrawEnlargedDimensions(Canvas& canvas, data::DataFiles& files, const ResultState& state,
                            const wizard::ConfigurationRecord& record,
                            const data::StartupValues& startup, std::string_view decimalSeparator);

// The valve-house key the enlarged dimensions look up: "¤" + DN (four
// digits) + "_" + the four option tags joined by "_" + "_VHK", without a
// valve-house type code.
std::string EnlargedValveHouseKey(const wizard::ConfigurationRecord& record);

} // namespace tv::result
