#pragma once

#include "data/StartupValues.h"
#include "platform/Platform.h"
#include "result/ResultState.h"
#include "wizard/Configuration.h"

namespace tv::result {

// Whether the result screen's pictures are looked for in the data
// directory. What does not show the valve (the result as JSON) leaves them
// out: they cost more than the rest of the computation.
enum class ResultPictures { kLookedFor, kLeftOut };

// What a computation reads besides the data files.
struct ResultInputs {
    const wizard::Configuration& configuration; // code and record, filled by either road
    const data::StartupValues& startup;         // debug mode, resolution, start time, directories
    std::string accessoryCaption;               // the caption of frmAccesories (for "(MISSING) ")
    ResultPictures pictures = ResultPictures::kLookedFor;
};

// The whole computation: parts, valve houses, accessory, connections, sums,
// completeness, result text, hand-over settings (written to the settings
// store) and the result screen's layout and pictures.
ResultState ComputeResult(data::DataFiles& files, platform::Platform& platform,
                          const ResultInputs& inputs);

// A number as the result text writes it: "0.000" style with the given
// decimals and the user's decimal separator.
std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator);

// The shortest decimal form ("0.25", "12", "1250.5") with the user's
// decimal separator.
std::string FormatShortest(double value, std::string_view decimalSeparator);

} // namespace tv::result
