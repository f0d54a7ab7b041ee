#pragma once

#include "data/DataFiles.h"
#include "data/StartupValues.h"
#include "result/ResultState.h"
#include "wizard/Configuration.h"

namespace tv::result {

// Lays out the result screen of a computed result from the section
// "¤REPORTSCREEN" of the parameter file: the screen's frames, captions and
// buttons (state.screen) and a picture box for each part, with the picture
// found for it in the data directory (state.pictures), which the enlarged
// picture and the report paint as well. Whatever shows the valve calls it
// after ComputeResult; the result itself does not depend on it. Returns
// state.laidOut: false, with nothing laid out, when the section is missing.
bool LayOutResultScreen(data::DataFiles& files, const wizard::Configuration& configuration,
                        const data::StartupValues& startup, ResultState& state);

} // namespace tv::result
