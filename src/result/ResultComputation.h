#pragma once

#include "data/StartupValues.h"
#include "platform/Platform.h"
#include "result/NumberFormat.h"
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

} // namespace tv::result
