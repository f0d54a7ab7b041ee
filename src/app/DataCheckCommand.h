#pragma once

#include "platform/Platform.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tv::app {

inline constexpr const char* kDataCheckUsage =
    "Usage: tessaro-vavuvirivado datacheck [--json] [--codes] [--lang NO|EN|DE|FI|DK|SE]";

// `datacheck [--json] [--codes] [--lang XX]`: runs start-up as the window
// does, then the full data check.
// - Without options it writes "DataCheck.txt" in the data directory and
//   prints a one-line summary and the file's path (UTF-8).
// - --json prints the check as one JSON object and writes nothing.
// - --codes prints every accepted code, one a line, sorted, and nothing else.
// --lang XX makes only that language's findings. Exit status 0 without
// findings, 1 with findings (or when the file could not be written), 2 for
// wrong usage or an installation that cannot be used.
int RunDataCheckCommand(const std::vector<std::string>& args, platform::Platform& platform,
                        std::ostream& out, std::ostream& err);

} // namespace tv::app
