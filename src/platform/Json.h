#pragma once

#include <string>
#include <string_view>

namespace tv::platform {

// A text of the program (Windows-1252) as a JSON string: UTF-8 in quotes,
// with quotes, backslashes and control characters escaped.
std::string JsonString(std::string_view cp1252);

// The same written at the end of `json`.
void AppendJsonString(std::string& json, std::string_view cp1252);

} // namespace tv::platform
