#pragma once

#include "data/DataFiles.h"
#include "platform/MessageBoxes.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The menu coverage check: for every valve dimension of the single valve
// ("¤DIM_ENKELVENTIL") and of the valve cross ("¤DIM_VENTILKRYSS"), and for
// each of its two flange menus ("¤" + dimension + "_FLENS", then
// "_FLENSSERVICE"), every connection the wizard can offer gets the code
// fragment (dimension letter, flange letter, connection letter) and the
// article key the configuration would use. The findings go to
// "MenuCheck.txt" in the data directory, Windows-1252 with CR LF:
//
//   ¤DIM_ENKELVENTIL  80mm   DN080            a dimension (key in 18, mm in 7)
//   *** Kode er lik #2    ¤0080_FLENS_DN080_TK  the fragment of the next
//                                         connection was first met, under
//                                         another key, as connection 2
//     #003 AFA  DN100 ... ---> summary   a connection and its article record
//       Vantordata ikke funnet for¤...   a connection without article record
//     - ¤DN080_FLENSSERVICE not found    a dimension without that menu
//
// Limits: at most 40 dimension entries in both lists together and 200
// connections in all. Past either limit the check stops reading (the rest is
// reported once, naming the file and section, through DataFiles::report)
// and the file holds what was checked up to there.
//
// Bad input is read as far as it goes, never past a line's end:
// - a dimension entry shorter than 20 characters has a blank code letter,
//   one without millimetres in columns 22 to 25 reads as 0 (key "¤0000_...");
// - a connection line shorter than 30 characters has a blank code letter,
//   so its fragment keeps three characters, and two such lines of one menu
//   are reported as equal codes when their keys differ;
// - names are columns 1 to 19 without trailing blanks, however short the line;
// - a list or menu without "EOL" ends at the end of the file;
// - a parameter file that cannot be opened counts as a missing first list.
namespace tv::admin {

// What the check found: the lines of "MenuCheck.txt" (without line ends),
// or, when a dimension list is missing, the message that stops the check
// ("FATAL SYSTEM ERROR - dimensions ¤DIM_... not found"; lines is empty then).
// The second list counts as missing also when it stands before the first,
// since it is searched from where the first one ended.
struct MenuCheckResult {
    std::vector<std::string> lines;
    std::string missingList;
};

// Runs the check over the parameter and article files as they are on disk.
// Writes nothing.
MenuCheckResult CheckMenus(data::DataFiles& files);

// What the menu check button and the "menucheck" command run: the check,
// then "MenuCheck.txt" written in the data directory through the safe write,
// replacing a file of that name in any letter case. Returns the path written.
//
// Failures are shown in `messages` and return nothing:
// - a missing dimension list: its "FATAL SYSTEM ERROR ..." message, and no
//   file is written (an existing one stays as it was);
// - the file could not be written (read-only file or directory, a directory
//   in its place): "The menu check could not be written:" + CR LF + path +
//   CR LF + the reason.
std::optional<std::filesystem::path> WriteMenuCheck(data::DataFiles& files,
                                                    platform::MessageBoxes& messages);

} // namespace tv::admin
