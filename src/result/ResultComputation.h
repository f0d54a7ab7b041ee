#pragma once

#include "data/StartupValues.h"
#include "platform/Platform.h"
#include "result/NumberFormat.h"
#include "result/ResultState.h"
#include "wizard/Configuration.h"

namespace tv::result {

// What a computation reads besides the data files.
struct ResultInputs {
    const wizard::Configuration& configuration; // code and record, filled by either road
    const data::StartupValues& startup;         // debug mode, resolution, start time, directories
    std::string accessoryCaption;               // the caption of frmAccesories (for "(MISSING) ")
};

// The whole computation: parts, valve houses, accessory, connections, sums,
// completeness, result text and hand-over settings (written to the settings
// store). The result screen's layout and pictures are LayOutResultScreen's.
ResultState ComputeResult(data::DataFiles& files, platform::Platform& platform,
                          const ResultInputs& inputs);

} // namespace tv::result
