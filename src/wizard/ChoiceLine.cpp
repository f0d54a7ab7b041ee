#include "wizard/ChoiceLine.h"

#include "data/TextFile.h"

#include <cmath>
#include <cstdio>

namespace tv::wizard {

ChoiceLine ParseChoiceLine(std::string_view line, std::size_t descriptionColumn) {
    ChoiceLine choice;
    choice.key = std::string(line.substr(0, line.find(' ')));
    if (line.size() >= 20)
        choice.letter = std::string(1, line[19]);
    // Four columns hold at most four digits, but "9e99" is a number too.
    if (line.size() >= 22)
        choice.millimetres = data::HeldNumber(data::LeadingNumber(line.substr(21, 4)), -9999, 9999,
                                              &choice.millimetresHeld);
    if (line.size() >= descriptionColumn)
        choice.description = std::string(line.substr(descriptionColumn - 1));
    return choice;
}

std::string FourDigits(int number) {
    // Every dimension of a key: written without the formatter, which costs
    // more than the rest of a key.
    if (number >= 0 && number <= 9999) {
        std::string text = "0000";
        for (std::size_t at = 4; number != 0; number /= 10)
            text[--at] = static_cast<char>('0' + number % 10);
        return text;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%04d", number);
    return text;
}

std::string CompareDimensions(int valveMillimetres, int connectionMillimetres) {
    if (connectionMillimetres < valveMillimetres)
        return "L";
    if (connectionMillimetres > valveMillimetres + 10)
        return "G";
    return "E";
}

ConnectionPictureNames ConnectionPictures(std::string_view connectionKey, int valveMillimetres,
                                          int connectionMillimetres, std::string_view slotLetter) {
    const std::string key(connectionKey);
    const std::string letter(slotLetter);
    return {key + "_" + FourDigits(connectionMillimetres) + "_" + letter,
            key + "_" + CompareDimensions(valveMillimetres, connectionMillimetres) + "_" + letter};
}

} // namespace tv::wizard
