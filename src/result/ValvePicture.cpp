#include "result/ValvePicture.h"

#include "data/Pictures.h"
#include "result/ArticleFile.h"
#include "result/ResultComputation.h"
#include "wizard/ChoiceLine.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <optional>
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

// One dimension of "¤DIMENSIONING": five numbers and a label text. Each
// number is added to a base value of the drawing (see DimensionFrame).
struct SectionDimension {
    int points = 0;       // where the measured points stand across the dimension
    int extension = 0;    // the length of the extension lines
    int linePosition = 0; // where the dimension line stands
    int labelX = 0;
    int labelY = 0;
    std::string label; // drawn instead of the length in mode 2
};

SectionDimension ReadSectionDimension(TextFile& file) {
    SectionDimension dimension;
    dimension.points = ReadNumberLine(file);
    dimension.extension = ReadNumberLine(file);
    dimension.linePosition = ReadNumberLine(file);
    dimension.labelX = ReadNumberLine(file);
    dimension.labelY = ReadNumberLine(file);
    dimension.label = ReadTextLine(file);
    return dimension;
}

// "¤DEPICTURE": the texts of the enlarged picture and where they stand.
struct PictureTexts {
    int codeTop = 0; // the configuration code, and the note on the line below it
    int codeLeft = 0;
    std::string note;
    int hintTop = 0; // the hint that a click closes the view
    int hintLeft = 0;
    std::string hint;
};

PictureTexts ReadPictureTexts(TextFile& file, bool standardResolution) {
    PictureTexts texts;
    texts.codeTop = ReadNumberLine(file);
    texts.codeLeft = ReadNumberLine(file);
    texts.note = ReadTextLine(file);
    texts.hintTop = ReadNumberLine(file);
    texts.hintLeft = ReadNumberLine(file);
    texts.hint = ReadTextLine(file);
    if (standardResolution)
        texts.hintLeft -= 250;
    return texts;
}

// "¤DEPICTURE": the eight offset lines that move the pieces from their
// places, in the order of the lines.
struct PieceShifts {
    int centreUp = 0;
    // Every piece: the centre and north pieces up, the south piece down and
    // the side pieces outwards.
    int allPieces = 0;
    int sidesInwards = 0;
    int centreLeft = 0;
    int northUp = 0;
    int southDown = 0;
    int eastRight = 0;
    int westLeft = 0;
};

PieceShifts ReadPieceShifts(TextFile& file, bool standardResolution, int valveType) {
    std::array<int, 8> lines{};
    for (int& line : lines)
        line = ReadNumberLine(file);
    // The offsets fit the pieces made for standard resolution only; the
    // single valve has no centre part for the first six to move.
    if (!standardResolution)
        return {};
    if (valveType == 1)
        std::fill_n(lines.begin(), 6, 0);
    return {lines[0], lines[1], lines[2], lines[3], lines[4], lines[5], lines[6], lines[7]};
}

// "¤DEPICTURE": an x and a y offset for each valve type 1 to 4, in turn;
// [0], for an unknown type, stays 0.
struct TypeOffsets {
    std::array<int, 5> x{};
    std::array<int, 5> y{};
};

TypeOffsets ReadTypeOffsets(TextFile& file) {
    TypeOffsets offsets;
    for (int type = 1; type <= 4; ++type) {
        offsets.x[type] = ReadNumberLine(file);
        offsets.y[type] = ReadNumberLine(file);
    }
    return offsets;
}

// The lines of "¤DEPICTURE", in their order, after its heading.
struct DepictureSection {
    TwipRect geometry; // of the canvas
    int testTop = 0;
    PictureTexts texts;
    PieceShifts shifts;
    TypeOffsets centreOffsets; // how far the centre piece's corner lies from the reference point
    int pieceWidth = 0;        // the connection pieces' painted size
    int pieceHeight = 0;
    int sidesAbove = 0;       // how far above the reference point the side pieces' top lies
    TypeOffsets northOffsets; // how far the north piece's corner lies from the reference point
};

DepictureSection ReadDepicture(data::DataFiles& files, bool standardResolution, int valveType) {
    TextFile file = OpenSection(files, "DEPICTURE");
    ReadTextLine(file); // heading
    DepictureSection section;
    section.geometry = data::ReadTwipRect(file);
    section.testTop = ReadNumberLine(file);
    section.texts = ReadPictureTexts(file, standardResolution);
    section.shifts = ReadPieceShifts(file, standardResolution, valveType);
    section.centreOffsets = ReadTypeOffsets(file);
    section.pieceWidth = ReadNumberLine(file);
    section.pieceHeight = ReadNumberLine(file);
    section.sidesAbove = ReadNumberLine(file);
    section.northOffsets = ReadTypeOffsets(file);
    return section;
}

// Everything of the enlarged picture is placed around one reference point
// of the canvas.
constexpr int kReference = 3000;
// The part of a north or south piece's picture that is painted.
constexpr int kSourceHeightLimit = 1195;

void PaintPiece(Canvas& canvas, const PictureBox& box, int x, int y, int width, int height,
                int sourceHeightLimit) {
    if (!box.path.empty())
        canvas.drawImage(x, y, box.path, width, height, sourceHeightLimit);
}

void PaintCentrePiece(Canvas& canvas, data::DataFiles& files, const DepictureSection& section,
                      const wizard::ConfigurationRecord& record, const data::StartupValues& startup,
                      int valveType) {
    const PieceShifts& shifts = section.shifts;
    // A centre part stands 10 higher than the single valve's house.
    const int lift = valveType >= 2 ? 10 : 0;
    canvas.drawImage(kReference - (section.centreOffsets.x[valveType] + shifts.centreLeft),
                     kReference - (section.centreOffsets.y[valveType] + lift + shifts.centreUp +
                                   shifts.allPieces),
                     data::FindPicture(files, record.typeKey + "_EC", startup.pictureSuffix).path);
}

// The stored connection pictures: north and south above and below the
// centre, east and west (of the T and X crosses) beside it.
void PaintConnectionPieces(Canvas& canvas, const DepictureSection& section,
                           const ResultState& state, int valveType) {
    const PieceShifts& shifts = section.shifts;
    // North and south stand one above the other.
    const int northSouthLeft = kReference - section.northOffsets.x[valveType];
    const int northY = section.northOffsets.y[valveType];
    const int width = section.pieceWidth;
    const int height = section.pieceHeight;
    const int northHeight = valveType >= 2 ? height - 10 : height;
    PaintPiece(canvas, state.pictures[kNorth], northSouthLeft,
               kReference - (shifts.northUp + northY + shifts.allPieces), width, northHeight,
               kSourceHeightLimit);
    const int southHeight = valveType == 1 ? height - 20 : height;
    PaintPiece(canvas, state.pictures[kSouth], northSouthLeft,
               kReference + (northY - southHeight + shifts.southDown + shifts.allPieces), width,
               southHeight, kSourceHeightLimit);
    const int sidesTop = kReference - section.sidesAbove;
    const int sideOutwards = shifts.allPieces - shifts.sidesInwards;
    if (valveType == 2 || valveType == 3)
        PaintPiece(canvas, state.pictures[kEast],
                   kReference + (shifts.eastRight + 1930 + sideOutwards), sidesTop, width + 120,
                   height, 0);
    if (valveType == 3)
        PaintPiece(canvas, state.pictures[kWest],
                   kReference - (shifts.westLeft + 4310 + sideOutwards), sidesTop, width + 120,
                   height, 0);
}

void WritePictureTexts(Canvas& canvas, const PictureTexts& texts, const std::string& code,
                       bool onScreen) {
    // The dimensions of an earlier picture may have left another colour and
    // font size behind.
    canvas.setColor(kBlack);
    canvas.setFont(kEnlargedFontFamily, kEnlargedFontPoints);
    canvas.drawText(texts.codeLeft, texts.codeTop, code);
    canvas.drawText(texts.codeLeft, texts.codeTop + canvas.lineHeight(), texts.note);
    // The hint tells how to close the view; the report has nothing to close.
    if (onScreen)
        canvas.drawText(texts.hintLeft, texts.hintTop, texts.hint);
}

// The head of "¤DIMENSIONING" and the vertical dimension after it.
struct DimensioningHead {
    int mode = 0; // 0 or less: nothing is drawn; 2: the labels are the section's
    std::int32_t lineColor = -1;
    std::int32_t textColor = -1;
    int horizontalLabelRise = 0; // lifts the horizontal dimension's label
    SectionDimension vertical;
};

// How far the valve body (the centre part and the valve house) reaches
// north and south of the valve's centre.
struct BodyReach {
    int north = 0;
    int south = 0;
};

// From the dimensioning offsets of the centre part and the valve house.
// Placeholders of records that are not found read as no number, so a
// missing record counts 0 here.
BodyReach ReachOfBody(data::DataFiles& files, const wizard::ConfigurationRecord& record,
                      bool standardResolution) {
    int centreOffset = 0;
    if (record.valveType >= 2 && record.valveType <= 4) {
        ArticleRecord centre;
        LookupArticle(files, CenterPartKey(record), centre, Placeholder::kAsTranslated);
        centreOffset = DimensioningOffset(centre, standardResolution);
    }
    // The valve house is looked up without its type code: in an article
    // file of coded valve-house keys it is not found and counts 0.
    ArticleRecord house;
    LookupArticle(files, EnlargedValveHouseKey(record), house, Placeholder::kAsTranslated);
    const int houseOffset = DimensioningOffset(house, standardResolution);

    if (record.valveType == 1) {
        if (standardResolution)
            return {-480, -480};
        return {Int16(houseOffset / 2.0), Int16(houseOffset / 2.0 + 10)};
    }
    BodyReach reach{Int16(centreOffset + houseOffset), Int16(centreOffset + houseOffset + 40)};
    if (standardResolution) {
        reach.north = Int16(reach.north * 8 / 10.0);
        reach.south = Int16(reach.south * 8 / 10.0);
    }
    return reach;
}

// What both dimensions of the enlarged picture are placed from.
struct DimensionFrame {
    bool standard = false; // standard resolution
    bool debug = false;
    int valveType = 0;
    bool hasCentre = false; // a centre part between the valve houses
    // Where the valve's centre stands on the canvas: the vertical dimension
    // measures up and down from centreY, the horizontal one left and right
    // from centreX; some lines and labels of the other axis are counted
    // from them as well.
    int centreX = 0;
    int centreY = 0;
    BodyReach body;
    std::array<int, 5> connectionOffsets{}; // by connection slot, of the resolution
    // The far ends of the connections, seen from the body.
    int endNorth = 0;
    int endSouth = 0;
    int endEast = 0;
    int endWest = 0;
};

DimensionFrame FrameDimensions(data::DataFiles& files, const ResultState& state,
                               const wizard::ConfigurationRecord& record,
                               const data::StartupValues& startup) {
    DimensionFrame frame;
    frame.standard = startup.standardResolution;
    frame.debug = startup.debugMode;
    frame.valveType = record.valveType;
    frame.hasCentre = record.valveType >= 2 && record.valveType <= 4;
    frame.centreX = frame.standard ? 4220 : 4700;
    frame.centreY = !frame.standard ? 4200 : record.valveType == 1 ? 2995 : 4085;
    frame.body = ReachOfBody(files, record, frame.standard);
    for (std::size_t slot = 1; slot <= 4; ++slot)
        frame.connectionOffsets[slot] =
            DimensioningOffset(state.connectionRecords[slot], frame.standard);

    // A connection reaches twice its offset beyond the body; only the
    // pictures made for other resolutions need the constants.
    const int alongY = frame.standard ? 0 : 1200;
    const int alongX = frame.standard ? 0 : 1700;
    const auto& offsets = frame.connectionOffsets;
    const int t = frame.valveType;
    frame.endNorth = Int16(2 * offsets[1] + frame.body.north + alongY);
    frame.endSouth = Int16(2 * offsets[3] + frame.body.south - alongY);
    frame.endEast = (t == 2 || t == 3) ? Int16(2 * offsets[2] + frame.body.north - alongX) : 0;
    frame.endWest = t == 3 ? Int16(2 * offsets[4] + frame.body.north + alongX) : 0;
    return frame;
}

DimensionRecord VerticalDimension(const DimensionFrame& frame, const DimensioningHead& head) {
    const SectionDimension& section = head.vertical;
    DimensionRecord vertical;
    vertical.horizontal = false;
    vertical.lineColor = head.lineColor;
    vertical.textColor = head.textColor;
    vertical.extension = Int16(section.extension);
    if (!frame.standard) {
        vertical.x1 = vertical.x2 = Int16(frame.centreY + section.points);
        vertical.y1 = Int16(frame.centreY - frame.body.north - frame.endNorth);
        vertical.y2 = Int16(frame.centreY + frame.body.south + frame.endSouth);
        vertical.linePosition = Int16(frame.centreY + section.linePosition);
        vertical.labelX = Int16(frame.centreY + section.labelX);
        vertical.labelY = Int16(frame.centreX + section.labelY);
        if (frame.hasCentre) {
            vertical.extension = 1400;
            vertical.x1 = vertical.x2 = Int16(frame.centreX - 100);
        }
    } else {
        vertical.x1 = vertical.x2 = Int16(frame.centreX + 800);
        vertical.y1 = Int16(frame.centreY - frame.body.north - frame.connectionOffsets[1]);
        vertical.y2 = Int16(frame.centreY + frame.body.south + frame.connectionOffsets[3]);
        vertical.labelY = Int16(frame.centreY - 100);
        vertical.linePosition = Int16(frame.centreX + 2050);
        vertical.labelX = Int16(frame.centreX + 1800);
        if (frame.hasCentre) {
            vertical.extension = 2700;
            vertical.linePosition = Int16(frame.centreX + 3300);
            vertical.labelX = Int16(frame.centreX + 3100);
        }
    }
    if (!frame.debug)
        vertical.labelX = Int16(vertical.labelX + 50);
    return vertical;
}

// Drawn for the T and X crosses only.
DimensionRecord HorizontalDimension(const DimensionFrame& frame, const DimensioningHead& head,
                                    const SectionDimension& section, const ResultState& state) {
    // The pictures for other resolutions have their own centre and reach
    // for it.
    const int centreX = frame.standard ? frame.centreX : 2990;
    const int reach = frame.standard ? frame.body.north : Int16(frame.body.north - 130);
    // The sides are measured by the standard-resolution offset in either
    // resolution.
    const int east = DimensioningOffset(state.connectionRecords[2], true);
    const int west = DimensioningOffset(state.connectionRecords[4], true);
    const int t = frame.valveType;

    DimensionRecord horizontal;
    horizontal.horizontal = true;
    horizontal.lineColor = head.lineColor;
    horizontal.textColor = head.textColor;
    horizontal.y1 = Int16(centreX + reach + section.points);
    horizontal.extension = Int16(section.extension);
    horizontal.linePosition = Int16(frame.centreY + section.linePosition);
    horizontal.labelX = Int16(frame.centreY - section.labelX);
    if (t == 2)
        horizontal.labelX = Int16(frame.endEast / 2.0 + horizontal.labelX);
    horizontal.labelY = Int16(frame.centreY - head.horizontalLabelRise + section.labelY + 500);
    horizontal.x1 = Int16(centreX + reach + east);
    horizontal.x2 = Int16(centreX - reach - west);
    if (frame.standard) {
        horizontal.y1 = Int16(frame.centreY + 900);
        horizontal.extension = 2300;
        horizontal.linePosition = Int16(centreX + 2950);
        horizontal.labelX = Int16(frame.centreY - 200);
        horizontal.labelY = Int16(centreX + 3000);
        if (t == 2) {
            horizontal.x2 = Int16(centreX);
            horizontal.labelX = Int16(frame.centreY + 1300);
        }
    }
    if (!frame.debug)
        horizontal.labelX = Int16(horizontal.labelX + 50);
    if (!frame.standard && t == 2) {
        horizontal.extension = 1300;
        horizontal.x2 = Int16(centreX - frame.endWest);
        horizontal.labelX = Int16(frame.centreY - 100);
        horizontal.y1 = Int16(frame.centreY + 500);
    }
    horizontal.y2 = horizontal.y1;
    return horizontal;
}

// The head of "¤DIMENSIONING" and its vertical dimension; nothing when
// the mode draws nothing.
std::optional<DimensioningHead> ReadDimensioningHead(TextFile& file) {
    ReadTextLine(file); // heading
    DimensioningHead head;
    head.mode = ReadNumberLine(file);
    if (head.mode < 1)
        return std::nullopt;
    head.lineColor = ReadNumberLine(file);
    head.textColor = ReadNumberLine(file);
    head.horizontalLabelRise = ReadNumberLine(file);
    head.vertical = ReadSectionDimension(file);
    return head;
}

} // namespace

void DrawArrowhead(Canvas& canvas, int x, int y, int s, bool alongX) {
    for (int a = 1; a <= 150; ++a) {
        const int w = Int16(a / 2.0);
        if (alongX)
            canvas.drawLine(x + s * a, y - w, x + s * a, y + w);
        else
            canvas.drawLine(x - w, y + s * a, x + w, y + s * a);
    }
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
    const int valveType = IsValveType(record.valveType) ? record.valveType : 0;
    const DepictureSection section = ReadDepicture(files, startup.standardResolution, valveType);
    canvas.setSize(section.geometry.width, section.geometry.height);
    canvas.clear();
    canvas.drawImage(0, 0, files.locate("ClearText.gif"));
    PaintCentrePiece(canvas, files, section, record, startup, valveType);
    PaintConnectionPieces(canvas, section, state, valveType);
    WritePictureTexts(canvas, section.texts, code, onScreen);
    return {section.geometry, section.testTop};
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
    const std::optional<DimensioningHead> head = ReadDimensioningHead(file);
    if (!head)
        return;
    const bool labelsFromSection = head->mode == 2;
    const DimensionFrame frame = FrameDimensions(files, state, record, startup);

    DimensionRecord vertical = VerticalDimension(frame, *head);
    vertical.label = labelsFromSection
                         ? head->vertical.label
                         : FormatMeasure(state.vertical, 0, frame.debug, decimalSeparator);
    if (frame.standard && frame.hasCentre)
        canvas.setFontSize(8);
    DrawDimension(canvas, vertical);

    ReadSectionDimension(file); // a north part dimension, not drawn
    ReadSectionDimension(file); // a south part dimension, not drawn
    const SectionDimension horizontalSection = ReadSectionDimension(file);
    // Only the crosses have a horizontal build length.
    if (record.valveType != 2 && record.valveType != 3)
        return;
    DimensionRecord horizontal = HorizontalDimension(frame, *head, horizontalSection, state);
    horizontal.label = labelsFromSection
                           ? horizontalSection.label
                           : FormatMeasure(state.horizontal, 0, frame.debug, decimalSeparator);
    DrawDimension(canvas, horizontal);
}

} // namespace tv::result
