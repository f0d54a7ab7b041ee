#include "admin/AdminScreenLayout.h"

namespace tv::admin {

TwipRect AdminScreenLayout::dataButton(int k) const {
    TwipRect rect = firstDataButton;
    rect.top += (k - 1) * dataButtonStep;
    return rect;
}

TwipRect AdminScreenLayout::recordStatus() const {
    return dataButton(kVisibleDataButtons + 1);
}

std::optional<AdminScreenLayout> ReadAdminScreenLayout(const data::DataFiles& files) {
    auto file = files.openParameterFile();
    if (!file || !data::FindSection(data::SectionKey("ADMINSCREEN"), *file))
        return std::nullopt;

    AdminScreenLayout layout;
    data::ReadTextLine(*file); // the section's title, for the reader of the file
    layout.settingsFrame = data::ReadTwipRect(*file);
    layout.settingsCaption = data::ReadTextLine(*file);
    layout.dataFrame = data::ReadTwipRect(*file);
    layout.dataCaption = data::ReadTextLine(*file);
    layout.debugButton = data::ReadTwipRect(*file);
    layout.debugLabel.top = data::ReadNumberLine(*file);
    layout.debugLabel.height = data::ReadNumberLine(*file);
    layout.debugLabel.left = layout.debugButton.left + layout.debugButton.width + 200;
    layout.debugLabel.width = layout.settingsFrame.width - layout.debugButton.width - 500;
    for (auto& row : layout.optionRows) {
        row.buttonTop = data::ReadNumberLine(*file);
        row.firstLeft = data::ReadNumberLine(*file);
        row.firstWidth = data::ReadNumberLine(*file);
        row.buttonHeight = data::ReadNumberLine(*file);
        row.labelTop = data::ReadNumberLine(*file);
        row.labelLeft = data::ReadNumberLine(*file);
        row.labelHeight = data::ReadNumberLine(*file);
    }
    layout.firstDataButton = data::ReadTwipRect(*file);
    layout.dataButtonStep = data::ReadNumberLine(*file);
    for (auto& caption : layout.dataCaptions)
        caption = data::ReadTextLine(*file);
    layout.recordList = data::ReadTwipRect(*file);
    return layout;
}

} // namespace tv::admin
