#pragma once

#include "result/ResultState.h"

#include <string>

namespace tv::app {

// One JSON line of `result`: the code, its valve type and the result as the
// result screen has it (parts, connections, sums, looked-up keys and the
// hand-over), each member written straight into the object.
std::string ResultJson(const std::string& code, int valveType, const result::ResultState& state);

// A line that is no valid code: the position the check found (for a line
// too short to be checked, the first position it lacks) and what the code
// entry screen would say.
std::string InvalidCodeJson(const std::string& code, const std::string& error, int position);

} // namespace tv::app
