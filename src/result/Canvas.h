#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace tv::result {

// A drawing surface for the enlarged valve picture and the report's bitmap.
//
// Units: every position and size is in twips, the units of the parameter
// file's sections; a surface on a display converts them at 15 twips a pixel
// (96 dots per inch), so 1500 twips are 100 pixels. The origin is the top
// left corner, y grows downwards.
//
// Colours: a colour number as the data files write it, 0x00BBGGRR (red in
// the lowest byte): 0 black, 255 red, 128 dark red, 0xFFFFFF white.
//
// Texts are Windows-1252 bytes.
class Canvas {
public:
    virtual ~Canvas() = default;

    // Makes the surface width × height twips and clears it.
    virtual void setSize(int width, int height) = 0;

    // Fills the whole surface with its white background.
    virtual void clear() = 0;

    // Paints a picture file with its top left corner at (x, y).
    // width, height: the painted size (the picture is scaled to it); 0 paints
    // the picture at its own size (its pixels × 15 twips).
    // sourceHeightLimit: the part of the picture taken, counted from its top
    // in twips of the picture (pixels × 15); a picture no taller than that is
    // taken whole, and 0 takes every picture whole.
    // A file that cannot be read paints nothing.
    virtual void drawImage(int x, int y, const std::filesystem::path& path, int width = 0,
                           int height = 0, int sourceHeightLimit = 0) = 0;

    // The colour of the lines and texts drawn from now on.
    virtual void setColor(std::int32_t color) = 0;

    // A line one pixel wide from (x1, y1) to (x2, y2), both ends included.
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;

    // The font of the texts drawn from now on: a family name and a size in
    // points.
    virtual void setFont(const std::string& family, int points) = 0;
    virtual void setFontSize(int points) = 0;

    // Writes a text with the top left corner of its line at (x, y).
    virtual void drawText(int x, int y, const std::string& text) = 0;

    // The height of one line of text in the current font, in twips: where
    // the next line of text starts below the last.
    virtual int lineHeight() const = 0;
};

// One call made on a RecordingCanvas.
struct CanvasCall {
    enum Kind { kSize, kClear, kImage, kColor, kLine, kFont, kFontSize, kText };

    Kind kind = kClear;
    // kSize: a = width, b = height; kImage: (a, b) the corner, c × d the
    // size, limit the source height limit; kLine: (a, b) to (c, d);
    // kText: (a, b); kColor: a = the colour; kFont, kFontSize: a = points.
    int a = 0;
    int b = 0;
    int c = 0;
    int d = 0;
    int limit = 0;
    std::string text; // kImage: the path; kText: the text; kFont: the family

    bool operator==(const CanvasCall&) const = default;

    static CanvasCall Make(Kind kind, int a = 0, int b = 0, int c = 0, int d = 0, int limit = 0,
                           std::string text = {}) {
        return {kind, a, b, c, d, limit, std::move(text)};
    }
    static CanvasCall Size(int width, int height) { return Make(kSize, width, height); }
    static CanvasCall Clear() { return Make(kClear); }
    static CanvasCall Image(int x, int y, std::string path, int width = 0, int height = 0,
                            int limit = 0) {
        return Make(kImage, x, y, width, height, limit, std::move(path));
    }
    static CanvasCall Color(std::int32_t color) { return Make(kColor, color); }
    static CanvasCall Line(int x1, int y1, int x2, int y2) { return Make(kLine, x1, y1, x2, y2); }
    static CanvasCall Font(std::string family, int points) {
        return Make(kFont, points, 0, 0, 0, 0, std::move(family));
    }
    static CanvasCall FontSize(int points) { return Make(kFontSize, points); }
    static CanvasCall Text(int x, int y, std::string text) {
        return Make(kText, x, y, 0, 0, 0, std::move(text));
    }
};

inline std::ostream& operator<<(std::ostream& out, const CanvasCall& call) {
    static constexpr const char* names[] = {"Size", "Clear", "Image",    "Color",
                                            "Line", "Font",  "FontSize", "Text"};
    return out << names[call.kind] << "(" << call.a << ", " << call.b << ", " << call.c << ", "
               << call.d << ", " << call.limit << ", \"" << call.text << "\")";
}

// A canvas that draws nothing and keeps every call, so that the geometry of
// a picture can be compared without a display.
class RecordingCanvas final : public Canvas {
public:
    void setSize(int width, int height) override {
        calls.push_back(CanvasCall::Size(width, height));
    }
    void clear() override { calls.push_back(CanvasCall::Clear()); }
    void drawImage(int x, int y, const std::filesystem::path& path, int width, int height,
                   int sourceHeightLimit) override {
        calls.push_back(CanvasCall::Image(x, y, path.string(), width, height, sourceHeightLimit));
    }
    void setColor(std::int32_t color) override { calls.push_back(CanvasCall::Color(color)); }
    void drawLine(int x1, int y1, int x2, int y2) override {
        calls.push_back(CanvasCall::Line(x1, y1, x2, y2));
    }
    void setFont(const std::string& family, int points) override {
        calls.push_back(CanvasCall::Font(family, points));
    }
    void setFontSize(int points) override { calls.push_back(CanvasCall::FontSize(points)); }
    void drawText(int x, int y, const std::string& text) override {
        calls.push_back(CanvasCall::Text(x, y, text));
    }
    int lineHeight() const override { return textLineHeight; }

    // The calls of one kind, in the order they were made.
    std::vector<CanvasCall> only(CanvasCall::Kind kind) const {
        std::vector<CanvasCall> found;
        for (const auto& call : calls)
            if (call.kind == kind)
                found.push_back(call);
        return found;
    }

    std::vector<CanvasCall> calls;
    int textLineHeight = 240; // what lineHeight answers
};

} // namespace tv::result
