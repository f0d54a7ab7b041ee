#pragma once

#include "data/DataFiles.h"
#include "data/TwipRect.h"

#include <array>
#include <optional>
#include <string>

namespace tv::data {

struct FlagPlace {
    std::string language;   // "NO", "EN", ...
    std::string objectName; // "No_flag", ...
    std::string pictureName;
    std::string tooltip;
    TwipRect rect;
};

// The start screen as the section "¤STARTSCREEN" lays it out.
struct StartScreenLayout {
    std::array<FlagPlace, 6> flags; // in the order NO, EN, DE, FI, DK, SE
    TwipRect picture1;
    std::string pictureName1;
    TwipRect picture2;
    std::string pictureName2;
    TwipRect head;                // already moved 200 left and made 200 wider
    std::string versionCaption;   // A
    std::string parameterCaption; // B
    std::string articleCaption;   // C
    std::string closingLine;      // D
    std::string headAddress;      // opened by a click on the head text
    TwipRect info1;
    std::string infoName1;
    TwipRect info2;
    std::string infoName2;
    int buttonTop = 0;
    int exitLeft = 0;
    int start1Left = 0;
    int start1Width = 0;
    std::string start1Caption;
    int start2Left = 0;
    int start2Width = 0;
    std::string start2Caption;
};

// Reads the parameter file's head and the section "¤STARTSCREEN"; nothing
// when the file or the section is missing.
std::optional<StartScreenLayout> ReadStartScreenLayout(DataFiles& files);

// The head text: version line, the two file dates (first 16 characters of
// each date text), the display line and the closing line, joined by CR LF.
std::string ComposeHeadText(const StartScreenLayout& layout, std::string_view parameterTime,
                            std::string_view articleTime, std::string_view displaySize,
                            int referenceWidth);

// The caption of an information label: the first line of the info file
// name + "_" + language + ".txt", or the text saying it is missing.
std::string InfoText(const DataFiles& files, std::string_view name);

} // namespace tv::data
