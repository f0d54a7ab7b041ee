#pragma once

#include "platform/Platform.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tv::app {

// Exit statuses of the commands.
inline constexpr int kExitValid = 0;
inline constexpr int kExitInvalid = 1; // the code has a fault
inline constexpr int kExitFailure = 2; // wrong usage, or the installation cannot be used

inline constexpr const char* kCheckUsage = "Usage: tessaro-vavuvirivado check CODE";
inline constexpr const char* kResultUsage =
    "Usage: tessaro-vavuvirivado result CODE [--debug] [--lang NO|EN|DE|FI|DK|SE]";

// `check CODE` (args: "check" and the code, UTF-8 as the terminal gives
// it). Runs start-up as the window does, then checks the code as the code
// entry screen does and writes the first invalid position (0 when the code
// is valid) as one line to `out`. What the window would show in a message
// box goes to platform.messages; usage problems go to `err`.
int RunCheckCommand(const std::vector<std::string>& args, platform::Platform& platform,
                    std::ostream& out, std::ostream& err);

// `result CODE [--debug] [--lang XX]`: runs start-up as the window does,
// checks the code as the code entry screen does and, when it is valid, runs
// the result computation of the result screen, hand-over settings included,
// and writes the result as one JSON object (UTF-8) to `out`. --debug and
// --lang hold for this run only and are never stored. An invalid code gives
// the position message of the window and kExitInvalid.
int RunResultCommand(const std::vector<std::string>& args, platform::Platform& platform,
                     std::ostream& out, std::ostream& err);

} // namespace tv::app
