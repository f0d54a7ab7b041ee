#pragma once

#include "data/CustomerDetails.h"
#include "data/StartupValues.h"
#include "data/DataFiles.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "result/Canvas.h"
#include "result/ResultState.h"
#include "wizard/Configuration.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tv::output {

// What the order report reads; all of it exists once the result has been
// computed for the current code.
struct ReportInputs {
    const std::string& code; // the configuration code with its suffix
    const wizard::ConfigurationRecord& record;
    const result::ResultState& state;   // parts, lengths, report base name
    const data::StartupValues& startup; // debug mode, and data for the picture
    const data::CustomerDetails& customer;
    std::string parameterFileTime; // full date texts of the two data files
    std::string articleFileTime;
};

// Where the report went. written is false after an abort or a failed write,
// so the caller knows there is nothing new to open.
struct ReportOutcome {
    std::filesystem::path path; // base name + ".htm", also when not written
    bool written = false;
};

// Saves the composed canvas as a Windows bitmap; the reason when it could
// not.
using SaveBitmap = std::function<platform::WriteResult(const std::filesystem::path&)>;

// The message shown when the parameter file has no layout for the report.
inline constexpr const char* kNoLayoutMessage =
    "HTML parameter not found in Tessaro.dat - report aborted";

// Composes the enlarged picture on the canvas, has it saved as base name +
// ".bmp", and writes base name + ".htm" (Windows-1252, CR LF, replacing an
// older file) from the section "¤HTML-LAYOUT". A missing layout, or the
// files that cannot be written with their reasons, are shown in one
// message box.
ReportOutcome WriteReport(const ReportInputs& inputs, data::DataFiles& files,
                          platform::Platform& platform, result::Canvas& canvas,
                          const SaveBitmap& saveBitmap);

// One cell of the parts table: "<td width=" + width + ">", the font line
// when fontSize is not 0 (never closed, as the layout has always had it),
// then text + "</td>".
void WriteCell(std::vector<std::string>& lines, const std::string& text, int width, int fontSize);

// Text made safe to stand between HTML tags: & < > " ' as entities.
std::string EscapeHtml(std::string_view text);

} // namespace tv::output
