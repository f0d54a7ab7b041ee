#pragma once

#include "platform/FileSystem.h"
#include "platform/Platform.h"

#include <iosfwd>
#include <string>
#include <vector>

// The article editor of the administration screen on the command line:
// listing the records of a kind, changing fields of a record and adding a
// record, through the same logic and the same save as the window. Each
// command runs start-up as the window does; what the window would show in a
// message box goes to platform.messages, argument problems to `err`.
namespace tv::app {

inline constexpr const char* kListUsage =
    "Usage: tessaro-vavuvirivado list _VHK|_CPD|_BRV|_TK|_AKT|_SPK|_CLD";
inline constexpr const char* kEditUsage = "Usage: tessaro-vavuvirivado edit KEY [FIELD=TEXT]...";
inline constexpr const char* kNewUsage = "Usage: tessaro-vavuvirivado new KEY [FIELD=TEXT]...";

// `list KIND`: writes the listing file "S" + kind + ".txt" as the data
// buttons do and prints its path, every key of the kind (one a line) and
// "Fant N records" (UTF-8). A listing file that could not be written: no
// path, the keys and the count still printed, kExitInvalid.
int RunListCommand(const std::vector<std::string>& args, platform::Platform& platform,
                   std::ostream& out, std::ostream& err);

// `edit KEY [FIELD=TEXT]...`: the record's fields as they stand, FIELD
// (1 to 12 but 4 and 5) replaced by TEXT, saved as the editor's Save does;
// prints the article file's path. The leading "¤" of KEY may be left out.
// A key not in the file gives kExitInvalid, a bad argument kExitFailure,
// both with nothing written.
int RunEditCommand(const std::vector<std::string>& args, platform::Platform& platform,
                   platform::FileSystem& disk, std::ostream& out, std::ostream& err);

// `new KEY [FIELD=TEXT]...`: a new "_TK" record as data button 5 and Save
// make it, the boxes' defaults replaced by the FIELD=TEXT given. A key the
// key box would show in red, or one that exists, gives kExitFailure.
int RunNewCommand(const std::vector<std::string>& args, platform::Platform& platform,
                  platform::FileSystem& disk, std::ostream& out, std::ostream& err);

} // namespace tv::app
