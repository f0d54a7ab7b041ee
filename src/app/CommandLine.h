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
#include <string_view>
#include <vector>

namespace tv::app {

// Exit statuses of the commands.
inline constexpr int kExitValid = 0;
inline constexpr int kExitInvalid = 1; // the code has a fault
inline constexpr int kExitFailure = 2; // wrong usage, or the installation cannot be used

inline constexpr const char* kCheckUsage = "Usage: tessaro-vavuvirivado check CODE";
inline constexpr const char* kResultUsage =
    "Usage: tessaro-vavuvirivado result CODE|- [--debug] [--lang NO|EN|DE|FI|DK|SE]";
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
//
// `result - [--debug] [--lang XX]` does the same for every line of `in`
// (UTF-8, a CR before the LF ignored) after one start-up, each code one
// operation, and writes one JSON line per input line in order: the result's
// object for a valid code, {"code", "error", "position"} for any other line.
// Only the last valid code's hand-over is stored, once the input has ended.
// kExitInvalid when a line was no valid code.
int RunResultCommand(const std::vector<std::string>& args, platform::Platform& platform,
                     std::istream& in, std::ostream& out, std::ostream& err);

// Whether the arguments ask `result` to read its codes from standard input:
// that command makes an operation of each code, and must not run inside
// one.
bool ReadsCodesFromInput(const std::vector<std::string>& args);

struct ValvePage;

// What `result -` prints for one line of its input.
struct CodeAnswer {
    std::string json; // one JSON object, without a line end
    bool valid = false;
};

// The lines of `result -` once start-up has run: each a code checked and
// computed as `result CODE` does, in an operation of its own, so that a
// data file changed meanwhile is seen by the next code. The valve page is
// read again only when the parameter file or the language file is another
// version than the one it was read from. Each valid code's hand-over takes
// the place of the one before in memory; storeHandover() stores the last.
class CodeLines {
public:
    CodeLines(const CommandInstallation& installation, platform::Platform& platform);
    ~CodeLines();
    CodeLines(const CodeLines&) = delete;
    CodeLines& operator=(const CodeLines&) = delete;

    // One line of input (UTF-8, without its line end): the result's object
    // for a valid code; for any other line its code, the message of the
    // code entry screen and the first invalid position (for a line too
    // short to be checked, the first position it lacks).
    CodeAnswer answer(std::string_view line);

    // False when the last valid code's hand-over could not be stored; the
    // store has said why.
    bool storeHandover();

private:
    class LastHandover;
    struct HeldPage;
    const ValvePage& valvePage();

    const CommandInstallation& installation_;
    std::unique_ptr<LastHandover> handover_;
    platform::Platform platform_; // the given one, with the hand-over held back
    std::unique_ptr<HeldPage> page_;
};

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
