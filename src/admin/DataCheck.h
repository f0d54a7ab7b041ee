#pragma once

#include "data/DataFiles.h"
#include "platform/MessageBoxes.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The full data check: every configuration a customer can reach, through
// the wizard or through a typed code, looked up as the result and the
// report look it up, and every fault of the data that one of them meets.
//
// A code is counted once, in the form the wizard writes it: twelve
// positions with "X" where the valve type has none (3 for the single valve,
// 7, 8, 11 and 12 by type), then the code suffix. A code is accepted when
// the code check accepts it as typed (a typed code is upper-cased first, so
// a letter in lower case is never typed). The wizard reaches more than the
// codes: every line of its lists (also one whose letter another line
// shadows) and all 16 option combinations.
//
// The work is factored by what each lookup depends on, so a check costs one
// lookup per distinct key however many codes there are, and the counts are
// exact all the same: a connection record depends on the dimension and the
// slot's two choices only, a valve house on the dimension, the option tags
// and the centre record's house code.
namespace tv::admin {

inline constexpr std::string_view kDataCheckFile = "DataCheck.txt";

// One fault of the data. Texts are Windows-1252, as the data files.
struct DataFinding {
    std::string kind;        // "missing-article", "letter-collision", ...
    std::string subject;     // a key with its "¤", a picture or file name
    std::string detail;      // one line
    std::uint64_t codes = 0; // accepted codes that meet it (0: only the wizard does)
    std::string example;     // one of those codes; "" when there is none
    std::string language;    // the language code, where the finding is one language's
};

struct DataCheckResult {
    std::string identification;        // of the data files
    std::uint64_t codes = 0;           // accepted codes (held at the largest count)
    std::uint64_t lookups = 0;         // distinct lookups made
    std::vector<DataFinding> findings; // grouped by kind, most codes first
};

// The languages whose files an installation may have.
inline constexpr std::string_view kDataLanguages[] = {"NO", "EN", "SE", "DK", "DE", "FI"};

// Runs the check on the data files as they are on disk; writes nothing.
// language: the one language whose findings are made ("" for all six).
DataCheckResult CheckData(data::DataFiles& files, std::string_view language = {});

// Every accepted code, in sorted order (byte order of the Windows-1252
// text), each handed over as it is made: the catalogue may be far larger
// than memory.
void ForEachAcceptedCode(data::DataFiles& files, const std::function<void(std::string_view)>& take);

// The text of "DataCheck.txt": a head (identification, codes, lookups,
// findings per kind), then one finding a line; Windows-1252 with CR LF.
std::string DataCheckText(const DataCheckResult& result);

// The one-line summary the command and the window show.
std::string DataCheckSummary(const DataCheckResult& result);

// Writes "DataCheck.txt" in the data directory through the safe write
// (replacing a file of that name in any letter case) and returns its path;
// a failed write is shown in messages and returns nothing.
std::optional<std::filesystem::path> WriteDataCheck(data::DataFiles& files,
                                                    const DataCheckResult& result,
                                                    platform::MessageBoxes& messages);

} // namespace tv::admin
