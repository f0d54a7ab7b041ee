#pragma once

#include "data/DataFiles.h"
#include "data/TwipRect.h"
#include "wizard/ChoiceLine.h"

#include <array>
#include <string>
#include <vector>

namespace tv::wizard {

using data::TwipRect;

// The option groups, in the order the data files list them.
enum OptionGroup { kSpindleQuality = 0, kClosingDirection = 1, kWedgeQuality = 2, kActuator = 3 };

struct OptionGroupLayout {
    TwipRect frame;
    std::string caption;
    std::string option1;
    std::string option2;
};

// Both connection pickers share this geometry.
struct PickerLayout {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
    int margin = 0;
    int sideOffset = 0;   // added to the top for the right and left slots
    int bottomOffset = 0; // added to the top for the bottom slot
};

inline constexpr int kMaxValveTypes = 4;

// The valve-page layout values that follow the head of the parameter file,
// with the valve types at their end.
struct ValvePageLayout {
    int windowWidth = 0;
    int windowHeight = 0;
    int pictureSize = 0; // valve picture and slot images, width and height
    TwipRect typeFrame;
    std::array<OptionGroupLayout, 4> groups;
    TwipRect dimensionFrame;
    TwipRect accessoryFrame;
    int buttonTop = 0;
    int exitLeft = 0;
    int codeBoxLeft = 0;
    int codeBoxWidth = 0;
    std::array<TwipRect, 4> slotFrames; // in file order: top, bottom, right, left
    PickerLayout picker;
    std::array<std::string, 8>
        optionTags; // spindle 1, 2, closing 1, 2, wedge 1, 2, actuator with, without
    std::vector<ChoiceLine> valveTypes; // types 1 to at most 4: key, letter, description
};

// Reads the parameter file from its start: the head (kept in files.head)
// and the valve-page layout values.
ValvePageLayout ReadValvePageLayout(data::DataFiles& files);

// What the language file says about the valve page: its head, then the
// valve-page captions that follow it in the same pass.
struct ValvePageCaptions {
    data::LanguageHead head;
    std::string typeFrame;
    std::string pictureTooltip;
    std::string accessoryFrame;
    std::string accessoryLabel;
    std::string dimensionFrame;
    std::string dimensionLabel;
    std::array<std::string, 4> slotFrames; // top, bottom, right, left
    std::string connectionLabel;
    std::string connectionDimensionLabel;
    int typeButtonLeft = 0;
    std::vector<std::string> typeDescriptions; // replace those of types 1 to N
};

ValvePageCaptions ReadValvePageCaptions(const data::DataFiles& files);

} // namespace tv::wizard
