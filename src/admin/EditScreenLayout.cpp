#include "admin/EditScreenLayout.h"

#include <algorithm>

namespace tv::admin {

EditBoxCell CellOfBox(int box) {
    // Box number -> row and column, with the field each box shows.
    static constexpr std::array<EditBoxCell, kEditBoxes + 1> kCells = {{
        {0, 0}, // no box 0
        {1, 1}, // article number
        {2, 1}, // additional text
        {3, 1}, // length
        {1, 2}, // description
        {4, 1}, // weight
        {5, 1}, // price
        {2, 2}, // CAD block name
        {3, 2}, // valve-house codes
        {4, 2}, // field 11
        {5, 2}, // field 12
    }};
    if (box < 1 || box > kEditBoxes)
        return {};
    return kCells[box];
}

int EditScreenLayout::captionHeight() const {
    // The rows, the key row included, keep a pixel or so between captions.
    const int room = std::min(rowStep, firstRowTop - keyRowTop) - 20;
    return std::max(kEditBoxHeight, room);
}

TwipRect EditScreenLayout::caption(int left, int boxLeft, int top) const {
    // A section whose box stands left of its caption gives the caption no
    // room rather than a negative width.
    const int height = captionHeight();
    return {top - (height - kEditBoxHeight) / 2, left,
            std::max(0, boxLeft - left - kEditCaptionGap), height};
}

TwipRect EditScreenLayout::box(int k) const {
    const EditBoxCell cell = CellOfBox(k);
    return {rowTop(cell.row), cell.column == 2 ? boxLeft2 : boxLeft1, boxWidth, kEditBoxHeight};
}

TwipRect EditScreenLayout::boxCaption(int k) const {
    const EditBoxCell cell = CellOfBox(k);
    if (cell.column == 2)
        return caption(captionLeft2, boxLeft2, rowTop(cell.row));
    return caption(captionLeft1, boxLeft1, rowTop(cell.row));
}

TwipRect EditScreenLayout::keyCaption() const {
    return caption(captionLeft1, boxLeft1, keyRowTop);
}

TwipRect EditScreenLayout::keyBox() const {
    return {keyRowTop, boxLeft1, std::max(boxWidth, boxLeft2 + boxWidth - boxLeft1),
            kEditBoxHeight};
}

TwipRect EditScreenLayout::saveButton() const {
    return {rowTop(6), boxLeft2 + boxWidth - kEditButtonWidth, kEditButtonWidth, kEditButtonHeight};
}

TwipRect EditScreenLayout::cancelButton() const {
    TwipRect rect = saveButton();
    rect.left -= kEditButtonWidth + kEditButtonGap;
    return rect;
}

std::optional<EditScreenLayout> ReadEditScreenLayout(const data::DataFiles& files) {
    auto file = files.openParameterFile();
    if (!file || !data::FindSection(data::SectionKey("EDITSCREEN"), *file))
        return std::nullopt;

    EditScreenLayout layout;
    data::ReadTextLine(*file); // the section's title, for the reader of the file
    layout.frame = data::ReadTwipRect(*file);
    layout.frameCaption = data::ReadTextLine(*file);
    for (int* number :
         {&layout.keyRowTop, &layout.captionLeft1, &layout.boxLeft1, &layout.boxWidth,
          &layout.captionLeft2, &layout.boxLeft2, &layout.firstRowTop, &layout.rowStep})
        *number = data::ReadNumberLine(*file);
    for (auto& caption : layout.boxCaptions)
        caption = data::ReadTextLine(*file);
    layout.cancelCaption = data::ReadTextLine(*file);
    layout.saveCaption = data::ReadTextLine(*file);
    return layout;
}

} // namespace tv::admin
