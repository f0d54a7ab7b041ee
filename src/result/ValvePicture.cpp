#include "result/ValvePicture.h"

#include "data/Pictures.h"
#include "result/ArticleFile.h"
#include "result/ResultComputation.h"
#include "wizard/ChoiceLine.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <utility>

namespace tv::result {

namespace {

using data::ReadNumberLine;
using data::ReadTextLine;
using data::TextFile;

// The picture's values are 16-bit integers: a result is rounded (halves to
// even) and, where it would not fit, held at the nearest limit as a number
// line is.
std::int16_t Int16(double value) {
    return static_cast<std::int16_t>(data::HeldNumber(value, -32768, 32767));
}

// The dimensioning offset of an article record: field 4, or field 5 with
// standard resolution. A record that was not found counts 0.
int DimensioningOffset(const ArticleRecord& article, bool standardResolution) {
    if (article.count <= 0)
        return 0;
    return Int16(data::LeadingNumber(article.fields[standardResolution ? 5 : 4]));
}

// The parameter file positioned after the section key line of name; at its
// end (so that every number reads 0 and every text "") when the section or
// the file is missing.
TextFile OpenSection(data::DataFiles& files, std::string_view name) {
    auto file = files.openParameterFile();
    if (!file)
        return TextFile(std::make_shared<const data::FileIndex>(std::string(), data::kMaxLineBytes),
                        "Tessaro.dat", &files);
    data::FindSection(data::SectionKey(name), *file);
    return std::move(*file);
}

bool IsValveType(int valveType) {
    return valveType >= 1 && valveType <= 4;
}

// Five numbers and a label text: one dimension of "¤DIMENSIONING".
struct SectionDimension {
    std::array<int, 6> values{}; // [1..5]
    std::string label;
};

SectionDimension ReadSectionDimension(TextFile& file) {
    SectionDimension dimension;
    for (int i = 1; i <= 5; ++i)
        dimension.values[i] = ReadNumberLine(file);
    dimension.label = ReadTextLine(file);
    return dimension;
}

} // namespace

std::string FormatMeasure(double value, int decimals, bool debugMode,
                          std::string_view decimalSeparator) {
    if (debugMode)
        return FormatShortest(value, decimalSeparator);
    if (decimals < 0 || decimals > 2)
        return {};
    return FormatFixed(value, decimals, decimalSeparator);
}

void DrawArrowhead(Canvas& canvas, int x, int y, int s, bool alongX) {
    for (int a = 1; a <= 150; ++a) {
        const int w = Int16(a / 2.0);
        if (alongX)
            canvas.drawLine(x + s * a, y - w, x + s * a, y + w);
        else
            canvas.drawLine(x - w, y + s * a, x + w, y + s * a);
    }
}

void DrawDimension(Canvas& canvas, const DimensionRecord& r) {
    if (r.lineColor != -1)
        canvas.setColor(r.lineColor);
    const int position = r.linePosition;
    if (r.horizontal) {
        // Points too close for arrowheads inside get two stubs with the
        // arrowheads turned to point at the extension lines from outside.
        const int d = std::abs(r.x2 - r.x1) < 500 ? -1 : 1;
        canvas.drawLine(r.x1, r.y1, r.x1, r.y1 + r.extension);
        canvas.drawLine(r.x2, r.y2, r.x2, r.y2 + r.extension);
        if (d == -1) {
            canvas.drawLine(r.x1, position, r.x1 + 300, position);
            canvas.drawLine(r.x2, position, r.x2 - 300, position);
        } else {
            canvas.drawLine(r.x1, position, r.x2, position);
        }
        DrawArrowhead(canvas, r.x1, position, -d, true);
        DrawArrowhead(canvas, r.x2, position, d, true);
    } else {
        const int d = std::abs(r.y2 - r.y1) < 500 ? -1 : 1;
        canvas.drawLine(r.x1, r.y1, r.x1 + r.extension, r.y1);
        canvas.drawLine(r.x2, r.y2, r.x2 + r.extension, r.y2);
        if (d == -1) {
            canvas.drawLine(position, r.y1, position, r.y1 - 300);
            canvas.drawLine(position, r.y2, position, r.y2 + 300);
        } else {
            canvas.drawLine(position, r.y1, position, r.y2);
        }
        DrawArrowhead(canvas, position, r.y1, d, false);
        DrawArrowhead(canvas, position, r.y2, -d, false);
    }

    // The label stands on a white patch so that lines under it do not show.
    canvas.setColor(kWhite);
    for (int i = 0; i <= 210; ++i)
        canvas.drawLine(r.labelX, r.labelY + i, r.labelX + 750, r.labelY + i);
    canvas.setColor(r.textColor == -1 ? kBlack : r.textColor);
    canvas.drawText(r.labelX, r.labelY, r.label);
}

ResultDimensionLines ComputeResultDimensionLines(const ResultState& state,
                                                 const wizard::ConfigurationRecord& record,
                                                 const data::StartupValues& startup,
                                                 std::string_view decimalSeparator) {
    ResultDimensionLines lines;
    if (!state.flagN || !state.flagS || !state.flagV)
        return lines;
    lines.drawn = true;

    const bool standard = startup.standardResolution;
    const bool single = record.valveType == 1;
    const TwipRect& back = state.screen.background;
    const int cx = Int16(back.width / 2.0);
    int cy = Int16(back.height / 2.0 + (single ? 100 : 10));
    const int h = single ? 250 : 970; // half the drawn length
    const int o = single ? 900 : 1450;
    if (standard)
        cy -= 400;
    const int dN = DimensioningOffset(state.connectionRecords[1], standard);
    const int dS = DimensioningOffset(state.connectionRecords[3], standard);

    // The two ticks sit at the ends of the connections; the vertical line
    // runs from the north tick to the label and on from below it to the south
    // tick.
    lines.hor1 = {{Int16((cy - h) - dN / 2.0), cx + o, 500, 100}, "HorisontalLine1.gif", true};
    // Its picture carries the line in its bottom row; its height is that of
    // the north tick.
    lines.hor2 = {
        {Int16((cy + h) + dS / 2.0 - 100), cx + o, 500, 100}, "HorisontalLine2.gif", true};
    lines.hor3 = {{cy, cx - 550, 500, 18}, "HorisontalLine1.gif", false};
    const int k = standard ? 100 : 0;
    const int lineLeft = cx + o + k + 350;
    lines.ver1 = {{(cy - h) - dN, lineLeft, 18, h + dN - 120}, "VerticalLine.gif", true};
    lines.ver2 = {{cy + 100, lineLeft, 18, h + dS - 100}, "VerticalLine.gif", true};

    lines.vertMeas.rect.top = cy - 100;
    if (single) {
        lines.vertMeas.visible = true;
        lines.vertMeas.rect.left = cx + o + 100;
        lines.vertMeas.rect.width = 1000;
    } else {
        lines.vertMeas2 = {{1100, o + 250, 1000, 180}, true, {}};
    }
    lines.vertMeas.rect.height = 200;
    lines.vertMeas2.rect.height = 200;

    const std::string caption = state.vertical < 10
                                    ? FormatFixed(state.vertical, 3, decimalSeparator) + "m"
                                    : FormatShortest(state.vertical, decimalSeparator) + "mm";
    lines.vertMeas.caption = caption;
    lines.vertMeas2.caption = caption;
    return lines;
}

EnlargedPicture ComposeEnlargedPicture(Canvas& canvas, data::DataFiles& files,
                                       const ResultState& state,
                                       const wizard::ConfigurationRecord& record,
                                       const data::StartupValues& startup, const std::string& code,
                                       bool onScreen) {
    canvas.clear();
    TextFile file = OpenSection(files, "DEPICTURE");
    ReadTextLine(file); // heading

    EnlargedPicture picture;
    picture.geometry.top = ReadNumberLine(file);
    picture.geometry.left = ReadNumberLine(file);
    picture.geometry.width = ReadNumberLine(file);
    picture.geometry.height = ReadNumberLine(file);
    canvas.setSize(picture.geometry.width, picture.geometry.height);
    canvas.clear();
    canvas.drawImage(0, 0, files.locate("ClearText.gif"));
    picture.testTop = ReadNumberLine(file);

    const bool standard = startup.standardResolution;
    const int t = IsValveType(record.valveType) ? record.valveType : 0;
    const bool hasCentre = t >= 2;

    const int p1 = ReadNumberLine(file);
    const int p2 = ReadNumberLine(file);
    const std::string text1 = ReadTextLine(file);
    const int p3 = ReadNumberLine(file);
    int p4 = ReadNumberLine(file);
    const std::string text2 = ReadTextLine(file);
    if (standard)
        p4 -= 250;

    std::array<int, 9> o{}; // [1..8]
    for (int i = 1; i <= 8; ++i)
        o[i] = ReadNumberLine(file);
    // The offsets fit the pieces made for standard resolution only; the
    // single valve has no centre part for o1 to o6 to move.
    for (int i = 1; i <= 8; ++i)
        if (!standard || (t == 1 && i <= 6))
            o[i] = 0;

    std::array<int, 5> centreX{}; // by valve type; [0] for an unknown type
    std::array<int, 5> centreY{};
    for (int type = 1; type <= 4; ++type) {
        centreX[type] = ReadNumberLine(file);
        centreY[type] = ReadNumberLine(file);
    }

    // Everything is placed around one reference point of the canvas.
    constexpr int reference = 3000;
    const int c = hasCentre ? 10 : 0;
    canvas.drawImage(reference - (centreX[t] + o[4]), reference - (centreY[t] + c + o[1] + o[2]),
                     data::FindPicture(files, record.typeKey + "_EC", startup.pictureSuffix).path);

    const int p5 = ReadNumberLine(file);
    const int p6 = ReadNumberLine(file);
    const int p7 = ReadNumberLine(file);
    std::array<int, 5> northX{};
    std::array<int, 5> northY{};
    for (int type = 1; type <= 4; ++type) {
        northX[type] = ReadNumberLine(file);
        northY[type] = ReadNumberLine(file);
    }

    constexpr int sourceLimit = 1195;
    const auto paint = [&canvas](const PictureBox& box, int x, int y, int width, int height,
                                 int limit) {
        if (!box.path.empty())
            canvas.drawImage(x, y, box.path, width, height, limit);
    };
    paint(state.pictures[kNorth], reference - northX[t], reference - (o[5] + northY[t] + o[2]), p5,
          hasCentre ? p6 - 10 : p6, sourceLimit);
    const int s = t == 1 ? p6 - 20 : p6;
    paint(state.pictures[kSouth], reference - northX[t], reference + (northY[t] - s + o[6] + o[2]),
          p5, s, sourceLimit);
    if (t == 2 || t == 3)
        paint(state.pictures[kEast], reference + (o[7] + 1930 + o[2] - o[3]), reference - p7,
              p5 + 120, p6, 0);
    if (t == 3)
        paint(state.pictures[kWest], reference - (o[8] + 4310 + o[2] - o[3]), reference - p7,
              p5 + 120, p6, 0);

    // The dimensions of an earlier picture may have left another colour and
    // font size behind.
    canvas.setColor(kBlack);
    canvas.setFont(kEnlargedFontFamily, kEnlargedFontPoints);
    canvas.drawText(p2, p1, code);
    canvas.drawText(p2, p1 + canvas.lineHeight(), text1);
    // The hint tells how to close the view; the report has nothing to close.
    if (onScreen)
        canvas.drawText(p4, p3, text2);
    return picture;
}

std::string EnlargedValveHouseKey(const wizard::ConfigurationRecord& record) {
    std::string key = data::SectionKey(wizard::FourDigits(record.dimensionMillimetres));
    for (const auto& option : record.options)
        key += "_" + option.tag;
    return key + "_VHK";
}

void DrawEnlargedDimensions(Canvas& canvas, data::DataFiles& files, const ResultState& state,
                            const wizard::ConfigurationRecord& record,
                            const data::StartupValues& startup, std::string_view decimalSeparator) {
    TextFile file = OpenSection(files, "DIMENSIONING");
    ReadTextLine(file); // heading
    const int mode = ReadNumberLine(file);
    if (mode < 1)
        return;
    const bool labelsFromSection = mode == 2;
    const std::int32_t lineColor = ReadNumberLine(file);
    const std::int32_t textColor = ReadNumberLine(file);
    const int q = ReadNumberLine(file);
    const SectionDimension vertical = ReadSectionDimension(file);
    const auto& d = vertical.values;

    const bool standard = startup.standardResolution;
    const bool debug = startup.debugMode;
    const int t = record.valveType;
    const bool hasCentre = t >= 2 && t <= 4;

    int x0 = 4700;
    int w0 = 4200;
    if (standard) {
        x0 = 4220;
        w0 = t == 1 ? 2995 : 4085;
    }

    // Placeholders of records that are not found read as no number, so a
    // missing record counts 0 here.
    int k = 0;
    if (hasCentre) {
        ArticleRecord centre;
        LookupArticle(files, CenterPartKey(record), centre, Placeholder::kAsTranslated);
        k = DimensioningOffset(centre, standard);
    }
    // The valve house is looked up without its type code: in an article
    // file of coded valve-house keys it is not found and counts 0.
    ArticleRecord house;
    LookupArticle(files, EnlargedValveHouseKey(record), house, Placeholder::kAsTranslated);
    const int v = DimensioningOffset(house, standard);

    int hN = 0;
    int hS = 0;
    if (t == 1) {
        hN = standard ? -480 : Int16(v / 2.0);
        hS = standard ? -480 : Int16(v / 2.0 + 10);
    } else {
        hN = Int16(k + v);
        hS = Int16(k + v + 40);
        if (standard) {
            hN = Int16(hN * 8 / 10.0);
            hS = Int16(hS * 8 / 10.0);
        }
    }

    const auto field = [&state](int slot, bool fifth) {
        return DimensioningOffset(state.connectionRecords[static_cast<std::size_t>(slot)], fifth);
    };
    const int north = field(1, standard);
    const int east = field(2, standard);
    const int south = field(3, standard);
    const int west = field(4, standard);
    // The ends of the connections; only the pictures made for other
    // resolutions need the constants.
    const int alongY = standard ? 0 : 1200;
    const int alongX = standard ? 0 : 1700;
    const int endNorth = Int16(2 * north + hN + alongY);
    const int endSouth = Int16(2 * south + hS - alongY);
    const int endEast = (t == 2 || t == 3) ? Int16(2 * east + hN - alongX) : 0;
    const int endWest = t == 3 ? Int16(2 * west + hN + alongX) : 0;

    DimensionRecord r;
    r.horizontal = false;
    r.lineColor = lineColor;
    r.textColor = textColor;
    if (!standard) {
        r.x1 = r.x2 = Int16(w0 + d[1]);
        r.y1 = Int16(w0 - hN - endNorth);
        r.y2 = Int16(w0 + hS + endSouth);
        r.extension = Int16(d[2]);
        r.linePosition = Int16(w0 + d[3]);
        r.labelX = Int16(w0 + d[4]);
        r.labelY = Int16(x0 + d[5]);
        if (hasCentre) {
            r.extension = 1400;
            r.x1 = r.x2 = Int16(x0 - 100);
        }
    } else {
        r.x1 = r.x2 = Int16(x0 + 800);
        r.y1 = Int16(w0 - hN - north);
        r.y2 = Int16(w0 + hS + south);
        r.extension = Int16(d[2]);
        r.labelY = Int16(w0 - 100);
        r.linePosition = Int16(x0 + 2050);
        r.labelX = Int16(x0 + 1800);
        if (hasCentre) {
            r.extension = 2700;
            r.linePosition = Int16(x0 + 3300);
            r.labelX = Int16(x0 + 3100);
            canvas.setFontSize(8);
        }
    }
    if (!debug)
        r.labelX = Int16(r.labelX + 50);
    r.label = labelsFromSection ? vertical.label
                                : FormatMeasure(state.vertical, 0, debug, decimalSeparator);
    DrawDimension(canvas, r);

    ReadSectionDimension(file); // a north part dimension, not drawn
    ReadSectionDimension(file); // a south part dimension, not drawn
    const SectionDimension horizontalLine = ReadSectionDimension(file);
    const auto& h = horizontalLine.values;

    if (!standard) {
        hN = Int16(hN - 130);
        x0 = 2990;
    }
    DimensionRecord across;
    across.horizontal = true;
    across.lineColor = lineColor;
    across.textColor = textColor;
    across.y1 = Int16(x0 + hN + h[1]);
    across.extension = Int16(h[2]);
    across.linePosition = Int16(w0 + h[3]);
    across.labelX = Int16(w0 - h[4]);
    if (t == 2)
        across.labelX = Int16(endEast / 2.0 + across.labelX);
    across.labelY = Int16(w0 - q + h[5] + 500);
    across.x1 = Int16(x0 + hN + field(2, true));
    across.x2 = Int16(x0 - hN - field(4, true));
    if (standard) {
        across.y1 = across.y2 = Int16(w0 + 900);
        across.extension = 2300;
        across.linePosition = Int16(x0 + 2950);
        across.labelX = Int16(w0 - 200);
        across.labelY = Int16(x0 + 3000);
        if (t == 2) {
            across.x2 = Int16(x0);
            across.labelX = Int16(w0 + 1300);
        }
    }
    if (!debug)
        across.labelX = Int16(across.labelX + 50);
    across.label = labelsFromSection ? horizontalLine.label
                                     : FormatMeasure(state.horizontal, 0, debug, decimalSeparator);

    // Only the crosses have a horizontal build length.
    if (t != 2 && t != 3)
        return;
    if (!standard && t == 2) {
        across.extension = 1300;
        across.x2 = Int16(x0 - endWest);
        across.labelX = Int16(w0 - 100);
        across.y1 = Int16(w0 + 500);
    }
    across.y2 = across.y1;
    DrawDimension(canvas, across);
}

} // namespace tv::result
