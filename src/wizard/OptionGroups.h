#pragma once

#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "wizard/Configuration.h"

#include <array>
#include <string>

namespace tv::wizard {

// How the two option buttons of a group stand on screen.
struct OptionButtons {
    int selected = 0; // 0: neither, 1 or 2
    bool enabled = true;
};

// The four option groups of the valve page (spindle quality, closing
// direction, wedge quality, actuator). Together they choose the bottom
// letter of code position 2. The window shows `buttons`; every operation
// here leaves them as the user must see them.
class OptionGroups {
public:
    // debugMode is the program's own flag, read at every choice: the
    // administration screen may switch it.
    OptionGroups(Configuration& configuration, data::DataFiles& files,
                 platform::SettingsStore& settings, platform::MessageBoxes& messages,
                 const bool& debugMode);

    // Unselects every option and disables both actuator options, as a fresh
    // valve page has them.
    void Reset();

    // Choice k (1 to 8: spindle 1, 2, closing 1, 2, wedge 1, 2, actuator
    // with, without) with its report line. When all four groups are chosen
    // the bottom letter is looked up and written to code position 2.
    void SetOption(int choice, const std::string& reportLine);

    // Closing direction 1 or 2 chosen with the left button; option 2 forces
    // "without actuator" unless the actuator default locks that group.
    void SetClosingDirection(int option);

    // A left click on an option button of a group (1 or 2).
    void Choose(OptionGroup group, int option);

    // Restores the combination saved as "BottomDefault" ("0000" when none).
    void ApplyBottomDefault();

    // The saved option defaults, applied when a dimension has been chosen.
    void ApplyOptionDefaults();

    // "BottomDefault" as Next saves it: one character per group, "1" when
    // the group's bit is set.
    std::string BottomDefault() const;

    bool allChosen() const;

    std::array<OptionButtons, 4> buttons;
    std::string debugInfo; // what the debug information label shows after a choice

private:
    int setting(const char* key) const;
    std::string reportLine(OptionGroup group, int option) const;

    Configuration& configuration_;
    data::DataFiles& files_;
    platform::SettingsStore& settings_;
    platform::MessageBoxes& messages_;
    const bool& debugMode_;
};

} // namespace tv::wizard
