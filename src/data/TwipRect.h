#pragma once

namespace tv::data {

class TextFile;

// A control's place in twips (1440 per inch), measured from the window's
// client area.
struct TwipRect {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;

    bool operator==(const TwipRect&) const = default;
};

// Four number lines: top, left, width and height.
TwipRect ReadTwipRect(TextFile& file);

} // namespace tv::data
