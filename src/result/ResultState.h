#pragma once

#include "data/TwipRect.h"
#include "result/ArticleFile.h"

#include <array>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tv::result {

using data::TwipRect;

// Part slots of the result, in the order the computation fills them.
enum PartSlot { kCentre = 0, kNorth = 1, kSouth = 2, kEast = 3, kWest = 4 };

struct Part {
    std::string key;
    std::string articleNumber; // field 1
    std::string description;   // field 2
    std::string blockName;     // field 7
    double length = 0;         // field 6
    double weight = 0;         // field 8
};

// One picture box of the result screen (and its stored picture path, which
// the enlarged picture paints).
struct PictureBox {
    TwipRect rect; // inside picResBack, adjusted for the resolution
    std::filesystem::path path;
    std::string tooltip;
    bool visible = false;
};

// The result screen as the section "¤REPORTSCREEN" lays it out.
struct ReportScreenLayout {
    TwipRect frame; // frmReport
    std::string frameCaption;
    TwipRect head;           // lblReportHead1
    std::string headCaption; // translated "¤¤Bestillingsnummer" + ": " + code
    TwipRect copy;           // cmdCopy1
    std::string copyCaption;
    TwipRect info;       // lblInfo_01_01
    TwipRect background; // picResBack
    int buttonTop = 0;
    std::array<int, 4> buttonLefts{}; // cmdExit, cmdReportBack, cmdReport, cmdDwg
    std::array<std::string, 4> buttonCaptions;
    TwipRect infoPanel; // frmResInfo
    int infoMargin = 0;
    TwipRect infoLabel; // lblResInfo1 inside frmResInfo, from its size and margin
    TwipRect enlarge;   // prEnlarge inside picResBack, by the resolution
};

// The outcome of one result computation, read by the result screen, the
// picture, the product information, the report and the CAD hand-over.
struct ResultState {
    std::array<Part, 5> parts;             // by PartSlot
    std::array<std::string, 4> houseCodes; // north, south, east, west (four characters each)
    char marker = '=';                     // '!' when the houses differ
    int houseCount = 1;

    // Connection slots 1 north, 2 east, 3 south, 4 west.
    std::array<std::string, 5> connectionKeys;
    std::array<ArticleRecord, 5> connectionRecords;
    std::array<bool, 5> connectionFound{};
    std::array<int, 5> offsetA{-1, -1, -1, -1, -1}; // field 4 of the connection record
    std::array<int, 5> offsetB{-1, -1, -1, -1, -1}; // field 5

    // Completeness flags: C centre, N E S W connections, V valve houses.
    bool flagC = false;
    bool flagN = false;
    bool flagE = false;
    bool flagS = false;
    bool flagW = false;
    bool flagV = false;

    double vertical = 0; // build lengths
    double horizontal = 0;
    double weight = 0;
    bool verticalComplete = false;
    bool horizontalComplete = false;

    std::string accessoryKey;
    std::string resultText; // lines joined by CR LF
    std::string reportBaseName;
    std::vector<std::pair<std::string, std::string>> handover; // settings written, in order

    // The article keys looked up (with their "¤", without the blank behind
    // them), each once in the order of the lookups: those no record has, and
    // those whose record is withdrawn ("UNUSED").
    std::vector<std::string> missingKeys;
    std::vector<std::string> unusedKeys;

    // The result screen's layout, by LayOutResultScreen: laidOut is false
    // until it has run and when the section "¤REPORTSCREEN" is missing.
    bool laidOut = false;
    ReportScreenLayout screen;
    std::array<PictureBox, 5> pictures; // by PartSlot
};

} // namespace tv::result
