#pragma once

#include "data/DataFiles.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tv::admin {

// The debug mode button and its label as the administration screen shows
// them: the button names the mode it switches to.
struct DebugModeView {
    std::string buttonCaption;
    std::string labelText;
};

DebugModeView DebugModeCaptions(bool debugMode, const data::DataFiles& files);

// Switches the program-wide flag and stores the new mode as "BrivoMode"
// ("1" normal, "2" debug) for later runs. Returns the label's new text. A
// mode that could not be stored is said (it still holds for this run).
std::string ToggleDebugMode(bool& debugMode, platform::SettingsStore& settings,
                            const data::DataFiles& files, platform::MessageBoxes& messages);

// A click on the debug information label: its text with a line break,
// "Dra til " and the probe's word line appended.
std::string DebugInfoWithProbe(const std::string& labelText, const std::string& wordLine);

// Writes the text as one line (ended by CR LF) to "Test.txt" in the data
// directory, replacing the file. A file that could not be written is said
// with its path and the reason, and gives nothing.
std::optional<std::filesystem::path> WriteTestFile(const data::DataFiles& files,
                                                   const std::string& text,
                                                   platform::MessageBoxes& messages);

} // namespace tv::admin
