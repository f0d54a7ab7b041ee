#include "wizard/ValvePageLayout.h"

namespace tv::wizard {

namespace {

using data::ReadNumberLine;
using data::ReadTextLine;
using data::TextFile;

} // namespace

ValvePageLayout ReadValvePageLayout(data::DataFiles& files) {
    ValvePageLayout layout;
    auto file = files.openParameterFile();
    if (!file)
        return layout;
    files.ReadParamHead(*file);

    layout.windowWidth = ReadNumberLine(*file);
    layout.windowHeight = ReadNumberLine(*file);
    layout.pictureSize = ReadNumberLine(*file);
    layout.typeFrame = data::ReadTwipRect(*file);
    for (auto& group : layout.groups) {
        group.frame = data::ReadTwipRect(*file);
        group.caption = ReadTextLine(*file);
        group.option1 = ReadTextLine(*file);
        group.option2 = ReadTextLine(*file);
    }
    layout.dimensionFrame = data::ReadTwipRect(*file);
    layout.accessoryFrame = data::ReadTwipRect(*file);
    layout.buttonTop = ReadNumberLine(*file);
    layout.exitLeft = ReadNumberLine(*file);
    layout.codeBoxLeft = ReadNumberLine(*file);
    layout.codeBoxWidth = ReadNumberLine(*file);
    for (auto& slot : layout.slotFrames)
        slot = data::ReadTwipRect(*file);
    auto& picker = layout.picker;
    picker.top = ReadNumberLine(*file);
    picker.left = ReadNumberLine(*file);
    picker.width = ReadNumberLine(*file);
    picker.height = ReadNumberLine(*file);
    picker.margin = ReadNumberLine(*file);
    picker.sideOffset = ReadNumberLine(*file);
    picker.bottomOffset = ReadNumberLine(*file);
    for (auto& tag : layout.optionTags)
        tag = ReadTextLine(*file);
    ReadTextLine(*file); // not used

    const int count = ReadNumberLine(*file);
    if (count > kMaxValveTypes) {
        files.report(file->name() + ": " + std::to_string(count) + " valve types; only the first " +
                     std::to_string(kMaxValveTypes) + " are used.");
    }
    for (int i = 0; i < std::min(count, kMaxValveTypes); ++i)
        layout.valveTypes.push_back(ParseChoiceLine(ReadTextLine(*file)));

    // What the valve types are called in the current language: the language
    // head's lines replace the descriptions of types 1 to N, each shown as a
    // text of that language. The buttons, the configuration record, the
    // result and the report all take the name from here.
    const std::vector<std::string> names = ReadValvePageCaptions(files).typeDescriptions;
    for (std::size_t i = 0; i < layout.valveTypes.size(); ++i) {
        std::string& description = layout.valveTypes[i].description;
        if (i < names.size())
            description = names[i];
        description = files.TranslateText(data::TextKey(description));
    }
    return layout;
}

ValvePageCaptions ReadValvePageCaptions(const data::DataFiles& files) {
    ValvePageCaptions captions;
    auto file = files.openLanguageFile();
    if (!file)
        return captions;
    captions.head = files.ReadLanguageHead(*file);
    captions.typeFrame = ReadTextLine(*file);
    captions.pictureTooltip = ReadTextLine(*file);
    ReadTextLine(*file); // not used
    ReadTextLine(*file); // not used
    captions.accessoryFrame = ReadTextLine(*file);
    captions.accessoryLabel = ReadTextLine(*file);
    captions.dimensionFrame = ReadTextLine(*file);
    captions.dimensionLabel = ReadTextLine(*file);
    for (auto& slot : captions.slotFrames)
        slot = ReadTextLine(*file);
    captions.connectionLabel = ReadTextLine(*file);
    captions.connectionDimensionLabel = ReadTextLine(*file);
    ReadTextLine(*file); // not used
    captions.typeButtonLeft = ReadNumberLine(*file);
    const int count = ReadNumberLine(*file);
    for (int i = 0; i < std::min(count, kMaxValveTypes); ++i)
        captions.typeDescriptions.push_back(ReadTextLine(*file));
    return captions;
}

} // namespace tv::wizard
