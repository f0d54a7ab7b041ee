#pragma once

#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "platform/WindowSearch.h"

#include <optional>
#include <string>
#include <vector>

namespace tv::output {

// The message when no CAD window is found.
inline constexpr const char* kCadNotRunning = "Autocad kj\xF8rer ikke";

// The CAD program's main window among window titles given topmost first: the
// first whose upper-cased title holds "AUTOCAD" and none of "TODAY",
// "STARTUP" and "HELP", so its start page, start-up dialog and help window
// are passed over. Titles are Windows-1252.
std::optional<std::string> FindCadWindow(const std::vector<std::string>& titlesTopmostFirst);

// The DWG command. With a CAD window running, marks the hand-over record as
// taken ("BrivoDone" = "1") and returns true: the caller then closes the main
// window, which ends the program, and the CAD side reads the record. Without
// one, shows "Autocad kjører ikke", writes nothing and returns false.
bool HandOver(const platform::WindowSearch& windows, platform::SettingsStore& settings,
              platform::MessageBoxes& messages);

} // namespace tv::output
