#pragma once

#include "data/DataFiles.h"
#include "data/TwipRect.h"

#include <array>
#include <optional>
#include <string>

namespace tv::admin {

using data::TwipRect;

inline constexpr int kEditBoxes = 10;

// Sizes the section leaves open, in twips: a box and its caption are one
// line high; the two buttons are the window's usual buttons, and stand this
// far apart.
inline constexpr int kEditBoxHeight = 375;
inline constexpr int kEditButtonWidth = 1150;
inline constexpr int kEditButtonHeight = 375;
inline constexpr int kEditButtonGap = 200;
// Between the right end of a caption and its box.
inline constexpr int kEditCaptionGap = 100;

// Where an edit box stands: the boxes are laid out in five rows of two,
// the pairs 1 and 4, 2 and 7, 3 and 8, 5 and 9, 6 and 10, so that the
// article number and the description head the form and the fields nobody
// uses much (8 to 10) end it on the right.
struct EditBoxCell {
    int row = 0;    // 1 to 5
    int column = 0; // 1 or 2
};
EditBoxCell CellOfBox(int box);

// The record editor as the section "¤EDITSCREEN" lays it out. The frame is
// placed in the window; every other control is placed inside the frame, in
// twips from the frame's top left corner.
struct EditScreenLayout {
    TwipRect frame;
    std::string frameCaption;

    // The section's eight numbers, in the order they are read.
    int keyRowTop = 0;
    int captionLeft1 = 0; // column 1: captions, then boxes
    int boxLeft1 = 0;
    int boxWidth = 0; // of every box of both columns
    int captionLeft2 = 0;
    int boxLeft2 = 0;
    int firstRowTop = 0;
    int rowStep = 0;

    std::array<std::string, kEditBoxes> boxCaptions; // boxes 1 to 10
    std::string cancelCaption;
    std::string saveCaption;

    // Box k (1 to 10) and its caption: the caption at its column's caption
    // left, as wide as the room up to its box; the box at its column's box
    // left, at the top of the box's row. A caption is as tall as a row
    // leaves room for, centred on its box, so that a long one wraps onto a
    // second line instead of being cut.
    TwipRect box(int k) const;
    TwipRect boxCaption(int k) const;
    // The key row: the caption in caption column 1, the box from box column
    // 1 to the right end of box column 2, since a key is up to 40
    // characters long.
    TwipRect keyCaption() const;
    TwipRect keyBox() const;
    // The buttons in the row after the last box row, right-aligned with the
    // boxes of column 2: save at the right end, cancel to its left.
    TwipRect saveButton() const;
    TwipRect cancelButton() const;

private:
    TwipRect caption(int left, int boxLeft, int top) const;
    int rowTop(int row) const { return firstRowTop + (row - 1) * rowStep; }
    int captionHeight() const;
};

// Reads "¤EDITSCREEN" from the parameter file; nothing when the file or the
// section is missing. A section that stops early reads its missing numbers
// as 0 and its missing texts as "", as every reader does.
std::optional<EditScreenLayout> ReadEditScreenLayout(const data::DataFiles& files);

} // namespace tv::admin
