#pragma once

#include <string>
#include <string_view>

namespace tv::result {

// A number as the result text writes it: "0.000" style with the given
// decimals and the user's decimal separator.
std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator);

// The shortest decimal form ("0.25", "12", "1250.5") with the user's
// decimal separator.
std::string FormatShortest(double value, std::string_view decimalSeparator);

} // namespace tv::result
