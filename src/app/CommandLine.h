#pragma once

#include "app/Startup.h"
#include "data/DataFiles.h"
#include "output/Report.h"
#include "platform/Platform.h"
#include "result/Canvas.h"

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
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
inline constexpr const char* kMenuCheckUsage = "Usage: tessaro-vavuvirivado menucheck";
inline constexpr const char* kReportUsage =
    "Usage: tessaro-vavuvirivado report CODE [--debug] [--lang NO|EN|DE|FI|DK|SE] [--open]";

// The installation as a command finds it: start-up as the window runs it,
// then the data files, in `language` when one is given (for this run only).
// Nothing when start-up ends the program; its message was said.
struct CommandInstallation {
    StartupValues values;
    std::unique_ptr<data::DataFiles> files;
};
std::optional<CommandInstallation> StartInstallation(platform::Platform& platform,
                                                     const std::string& language = {});

// A command's exit status once the settings are taken into account: a
// command that computed its answer but could not save a setting (the
// hand-over for the CAD program, start-up's values) ends with
// kExitInvalid; the store has said why.
int CommandStatus(int status, const platform::SettingsStore& settings);

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

// What the report command draws on and where it finds the customer.
struct ReportTools {
    result::Canvas& canvas;        // the enlarged picture is composed here
    output::SaveBitmap saveBitmap; // and saved from here as the ".bmp"
    std::filesystem::path personalIni;
};

// `report CODE [--debug] [--lang XX] [--open]`: everything `result` does,
// then the order report as the result screen's "Rapport" writes it, with the
// customer details of personal.ini. Prints the path of the ".htm" file (UTF-8)
// and opens it with platform.shell only with --open. A report that was
// aborted or could not be written in full gives its message and kExitInvalid.
int RunReportCommand(const std::vector<std::string>& args, platform::Platform& platform,
                     const ReportTools& tools, std::ostream& out, std::ostream& err);

// `menucheck`: runs start-up as the window does, then the menu coverage
// check of the administration screen, and prints the path of the
// "MenuCheck.txt" it wrote (UTF-8). A missing dimension list or a file that
// could not be written gives its message and kExitInvalid.
int RunMenuCheckCommand(const std::vector<std::string>& args, platform::Platform& platform,
                        std::ostream& out, std::ostream& err);

} // namespace tv::app
