#pragma once

#include "data/DataFiles.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"

#include <array>
#include <string>
#include <string_view>

namespace tv::admin {

// One of the four option groups the wizard can preset: its setting and the
// language-file keys of the label texts of its three states.
struct OptionDefaultRow {
    const char* name;          // "A2", "LR", "SK", "AC"
    const char* settingKey;    // "A2control", ...
    const char* firstCaption;  // the buttons' captions before the first refresh
    const char* secondCaption; // (a stored value outside 0 to 2 keeps them)
    std::array<const char*, 3> labelKeys;
};

inline constexpr std::array<OptionDefaultRow, 4> kOptionDefaultRows{{
    {"A2",
     "A2control",
     "A2",
     "a2",
     {"\xA4SetA2default0", "\xA4SetA2default1", "\xA4SetA2default2"}},
    {"LR",
     "LRcontrol",
     "LR1",
     "LR2",
     {"\xA4SetLRdefault0", "\xA4SetLRdefault1", "\xA4SetLRdefault2"}},
    {"SK",
     "SKcontrol",
     "Sk1",
     "Sk2",
     {"\xA4SetSKdefault0", "\xA4SetSKdefault1", "\xA4SetSKdefault2"}},
    {"AC",
     "ACcontrol",
     "Ac1",
     "Ac2",
     {"\xA4SetACdefault0", "\xA4SetACdefault1", "\xA4SetACdefault2"}},
}};

// How a row stands on screen.
struct OptionRowView {
    std::string firstCaption;
    std::string secondCaption;
    std::string labelText;
    bool firstEnabled = true;
};

// A stored option default as a number: the text's leading number, 0 for an
// empty or non-numeric text. 0 is no preset, 1 a preset, 2 a locked preset;
// anything else is kept as it is, so the row can say it is none of them.
double OptionDefaultValue(std::string_view stored);

// The value a click stores: the first button switches the preset on (from
// 0 or 2) or off (from 1); the second locks it (from 0 or 1) or frees it
// (from 2). Any other value gives 0 for either button.
int FirstButtonValue(double value);
int SecondButtonValue(double value);

// The four rows of the administration screen over the settings store.
// Every refresh reads the setting afresh, so what the screen shows is what
// the wizard will apply.
class OptionDefaults {
public:
    OptionDefaults(platform::SettingsStore& settings, const data::DataFiles& files,
                   platform::MessageBoxes& messages);

    // Sets every row to its design-time captions, then refreshes it.
    void RefreshAll();
    void Refresh(int row);
    void PressFirst(int row);
    void PressSecond(int row);

    std::array<OptionRowView, 4> rows;

private:
    double stored(int row) const;
    void store(int row, int value);

    platform::SettingsStore& settings_;
    const data::DataFiles& files_;
    platform::MessageBoxes& messages_;
};

} // namespace tv::admin
