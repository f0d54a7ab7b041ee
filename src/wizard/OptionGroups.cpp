#include "wizard/OptionGroups.h"

#include "data/StartupValues.h"

#include <algorithm>

namespace tv::wizard {

namespace {

OptionGroup GroupOf(int choice) {
    return static_cast<OptionGroup>((choice + 1) / 2 - 1);
}

} // namespace

OptionGroups::OptionGroups(Configuration& configuration, data::DataFiles& files,
                           platform::SettingsStore& settings, platform::MessageBoxes& messages,
                           const bool& debugMode)
    : configuration_(configuration), files_(files), settings_(settings), messages_(messages),
      debugMode_(debugMode) {}

// Held within a small range first: a stored text of any length must not
// overflow the conversion, and every rule compares with 0, 1 or 2.
int OptionGroups::setting(const char* key) const {
    const double value =
        data::SettingNumber(settings_.get(data::kSettingsApp, data::kSettingsSection, key));
    return static_cast<int>(std::clamp(value, -1000.0, 1000.0));
}

std::string OptionGroups::reportLine(OptionGroup group, int option) const {
    const auto& layout = configuration_.layout().groups[group];
    return layout.caption + ": " + (option == 1 ? layout.option1 : layout.option2);
}

void OptionGroups::Reset() {
    for (auto& group : buttons)
        group = OptionButtons{};
    buttons[kActuator].enabled = false;
}

bool OptionGroups::allChosen() const {
    for (const auto& option : configuration_.record.options) {
        if (!option.chosen)
            return false;
    }
    return true;
}

void OptionGroups::SetOption(int choice, const std::string& line) {
    if (choice < 1 || choice > 8)
        return;
    const auto& tags = configuration_.layout().optionTags;
    const OptionGroup group = GroupOf(choice);
    if (debugMode_)
        debugInfo = line + "\r\n" + std::to_string(group + 1) + " " + tags[choice - 1];

    auto& option = configuration_.record.options[group];
    option.chosen = true;
    option.tag = tags[choice - 1];
    option.reportLine = line;
    configuration_.positionFlags[2] = false;
    if (!allChosen())
        return;

    configuration_.positionFlags[2] = true;
    const auto& options = configuration_.record.options;
    std::string key = data::SectionKey(options[kSpindleQuality].tag);
    for (int g = kClosingDirection; g <= kActuator; ++g)
        key += "_" + options[g].tag;
    configuration_.record.optionKey = key;
    const std::string letter = files_.LookupCodeLetter(key);
    if (letter.empty())
        messages_.inform("Key '" + key + "' not found in Tessaro.dat");
    configuration_.SetCodePosition(letter, 2);
    if (debugMode_)
        debugInfo = key + " = " + letter;
}

void OptionGroups::SetClosingDirection(int option) {
    if (option != 1 && option != 2)
        return;
    // "ACcontrol" 2 locks the actuator group: the closing direction leaves it alone.
    const bool actuatorFree = setting("ACcontrol") < 2;
    auto& options = configuration_.record.options;
    options[kClosingDirection].bit = option == 2;
    if (actuatorFree) {
        options[kActuator].chosen = false;
        options[kActuator].tag.clear();
        buttons[kActuator].enabled = true;
    }
    if (option == 2 && actuatorFree) {
        // A valve closing the other way is never driven by an actuator.
        options[kActuator].bit = false;
        options[kActuator].chosen = true;
        options[kActuator].tag = configuration_.layout().optionTags[7];
        buttons[kActuator].enabled = false;
    }
    if (actuatorFree)
        buttons[kActuator].selected = 0;
    SetOption(option + 2, reportLine(kClosingDirection, option));
}

void OptionGroups::Choose(OptionGroup group, int option) {
    buttons[group].selected = option;
    auto& record = configuration_.record.options[group];
    const std::string& caption = configuration_.layout().groups[group].caption;
    switch (group) {
    case kClosingDirection:
        SetClosingDirection(option);
        return;
    case kActuator:
        record.bit = option == 1;
        SetOption(option == 1 ? 7 : 8, option == 1 ? caption : "IKKE " + caption);
        return;
    default:
        record.bit = option == 2;
        SetOption(group * 2 + option, reportLine(group, option));
        return;
    }
}

void OptionGroups::ApplyBottomDefault() {
    std::string saved = settings_.get(data::kSettingsApp, data::kSettingsSection, "BottomDefault");
    if (saved.empty())
        saved = "0000";
    saved.resize(4, '0');
    auto option = [&saved](int group) {
        return saved[group] == '0' ? 1 : 2;
    };
    Choose(kSpindleQuality, option(kSpindleQuality));
    Choose(kClosingDirection, option(kClosingDirection));
    Choose(kWedgeQuality, option(kWedgeQuality));
    // For the actuator "0" means without (its bit is set for "with").
    Choose(kActuator, saved[kActuator] == '0' ? 2 : 1);
    configuration_.record.options[kActuator].chosen = true;
    configuration_.positionFlags[2] = true;
}

void OptionGroups::ApplyOptionDefaults() {
    auto& options = configuration_.record.options;
    if (setting("A2control") >= 1) {
        buttons[kSpindleQuality].selected = 1;
        options[kSpindleQuality].bit = false;
        SetOption(1, reportLine(kSpindleQuality, 1));
    }
    const int closing = setting("LRcontrol");
    if (closing >= 1) {
        buttons[kClosingDirection].selected = 1;
        options[kClosingDirection].bit = false;
        SetOption(3, reportLine(kClosingDirection, 1)); // the actuator group is not touched
    }
    if (closing == 2)
        buttons[kClosingDirection].enabled = false;
    const int wedge = setting("SKcontrol");
    if (wedge >= 1) {
        buttons[kWedgeQuality].selected = 1;
        options[kWedgeQuality].bit = false;
        SetOption(5, reportLine(kWedgeQuality, 1));
    }
    if (wedge == 2)
        buttons[kWedgeQuality].enabled = false;
    const int actuator = setting("ACcontrol");
    if (actuator >= 1) {
        buttons[kActuator].selected = 2;
        options[kActuator].bit = false;
        SetOption(8, reportLine(kActuator, 2));
    }
    if (actuator == 2)
        buttons[kActuator].enabled = false;
}

std::string OptionGroups::BottomDefault() const {
    std::string bits;
    for (const auto& option : configuration_.record.options)
        bits += option.bit ? '1' : '0';
    return bits;
}

} // namespace tv::wizard
