#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tv::admin {

// A text padded with blanks, or cut, to exactly `width` bytes: the fixed
// columns of the administration's text files.
std::string PadOrCut(std::string_view text, std::size_t width);

// One article record as the administration's text files show it, in the
// columns of the record listing's title line: the key in 40 characters,
// then article number (field 1) in 15, length (6), weight (8) and price (9)
// in 8 each, block name (7) in 28, each followed by a blank, and the
// description (field 2) in full. `fields` is indexed by field number, as
// an article lookup fills it; field 0 is not shown.
std::string RecordSummary(std::string_view key, const std::array<std::string, 31>& fields);

} // namespace tv::admin
