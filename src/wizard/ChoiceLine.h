#pragma once

#include <string>
#include <string_view>

namespace tv::wizard {

// One line of a choice list of the parameter file, in its fixed columns:
// the key up to the first blank, the code letter in column 20, a number of
// millimetres in columns 22 to 25 and the description from column 26 (from
// column 22 in connection lists).
struct ChoiceLine {
    std::string key;
    std::string letter; // one character; empty when the line is shorter than 20
    int millimetres = 0;
    std::string description;
    bool millimetresHeld = false; // columns 22 to 25 held a number beyond -9999..9999
};

inline constexpr std::size_t kDescriptionColumn = 26;
inline constexpr std::size_t kConnectionDescriptionColumn = 22;

ChoiceLine ParseChoiceLine(std::string_view line,
                           std::size_t descriptionColumn = kDescriptionColumn);

// The dimension as four digits with leading zeros: 80 gives "0080".
std::string FourDigits(int number);

// How a connection dimension compares with the valve dimension: "L" when
// smaller, "G" when more than 10 mm larger, "E" otherwise.
std::string CompareDimensions(int valveMillimetres, int connectionMillimetres);

// The pictures of a connection in a slot (letter "N", "E", "S" or "W"): the
// one made for the connection's dimension, and the one for how that
// compares with the valve's, which stands in when the first is missing.
struct ConnectionPictureNames {
    std::string own;
    std::string fallback;
    auto operator<=>(const ConnectionPictureNames&) const = default;
};
ConnectionPictureNames ConnectionPictures(std::string_view connectionKey, int valveMillimetres,
                                          int connectionMillimetres, std::string_view slotLetter);

} // namespace tv::wizard
