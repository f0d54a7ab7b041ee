#include "data/TextFile.h"

#include "data/DataFiles.h"
#include "data/TwipRect.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>

#include <locale.h>
#include <stdlib.h>

namespace tv::data {

TextFile::TextFile(std::shared_ptr<const FileIndex> index, std::string name, const DataFiles* owner)
    : index_(std::move(index)), name_(std::move(name)), owner_(owner) {}

std::string TextFile::readLine() {
    return std::string(readLineView());
}

std::string_view TextFile::readLineView() {
    if (atEnd())
        return {};
    const std::string_view line = index_->lineAt(next_);
    next_ = index_->nextLine(next_);
    return line;
}

std::string_view KeyText(std::string_view textKey) {
    return textKey.size() >= 2 ? textKey.substr(2) : std::string_view();
}

std::optional<std::string> DeliveredLine(std::string_view line, const DataFiles* owner) {
    if (line.empty() || line[0] == ' ' || line[0] == '*')
        return std::nullopt;
    if (!IsTextKey(line))
        return std::string(line);
    if (owner)
        return owner->TranslateText(line);
    return std::string(KeyText(line));
}

std::string ReadTextLine(TextFile& file) {
    while (!file.atEnd()) {
        if (std::optional<std::string> delivered = DeliveredLine(file.readLineView(), file.owner()))
            return std::move(*delivered);
    }
    return {};
}

std::optional<std::string> ReadListLine(TextFile& file) {
    if (file.atEnd())
        return std::nullopt;
    std::string line = ReadTextLine(file);
    // ReadTextLine gives "" only at the end of the file.
    if (EndsList(line) || (line.empty() && file.atEnd()))
        return std::nullopt;
    return line;
}

namespace {

// The usual number line, a whole number of at most 15 digits and then
// nothing more of a number ("400    * frame top"), read without the copy
// of the general rule below: a double holds such a number exactly.
std::optional<double> LeadingWholeNumber(std::string_view text) {
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
    };
    skipBlanks();
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
        skipBlanks();
    }
    const std::size_t first = i;
    std::int64_t value = 0;
    while (i < text.size() && i - first < 15 && text[i] >= '0' && text[i] <= '9')
        value = value * 10 + (text[i++] - '0');
    if (i == first)
        return std::nullopt;
    skipBlanks();
    if (i < text.size() &&
        std::string_view("0123456789.eEdD").find(text[i]) != std::string_view::npos)
        return std::nullopt;
    const auto number = static_cast<double>(value);
    return negative ? -number : number;
}

// The characters that form the number at the start of a text, blanks and
// tabs passed over wherever they stand: a sign, digits, a point and
// digits, and an exponent when digits follow it ("12e" is 12). Nothing
// when neither side of the point has a digit.
std::optional<std::string> NumberCharacters(std::string_view text) {
    std::string number;
    std::size_t i = 0;
    auto next = [&]() -> char {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        return i < text.size() ? text[i] : '\0';
    };
    auto digits = [&]() {
        bool any = false;
        for (char c = next(); c >= '0' && c <= '9'; c = next()) {
            number += c;
            ++i;
            any = true;
        }
        return any;
    };

    if (char c = next(); c == '+' || c == '-') {
        number += c;
        ++i;
    }
    bool mantissa = digits();
    if (next() == '.') {
        number += '.';
        ++i;
        mantissa = digits() || mantissa;
    }
    if (!mantissa)
        return std::nullopt;
    if (char c = next(); c == 'e' || c == 'E' || c == 'd' || c == 'D') {
        const std::size_t mark = number.size();
        const std::size_t markPos = i;
        number += 'e';
        ++i;
        if (char s = next(); s == '+' || s == '-') {
            number += s;
            ++i;
        }
        if (!digits()) {
            number.resize(mark);
            i = markPos;
        }
    }
    return number;
}

// Read with from_chars, which never depends on the locale (a Norwegian
// locale would take "2.5" for 2).
double ReadNumberCharacters(const std::string& number) {
    const char* first = number.data();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
    // Out of range is too large (infinity) or too small (zero): strtod in
    // the C locale tells them apart.
    if (error == std::errc::result_out_of_range) {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
        return strtod_l(number.c_str(), nullptr, c);
    }
    return value;
}

} // namespace

double LeadingNumber(std::string_view text) {
    if (const auto whole = LeadingWholeNumber(text))
        return *whole;
    const std::optional<std::string> number = NumberCharacters(text);
    return number ? ReadNumberCharacters(*number) : 0.0;
}

double RoundHalfEven(double value) {
    return std::nearbyint(value); // the default rounding mode rounds halves to even
}

int HeldNumber(double value, int lowest, int highest, bool* held) {
    const double rounded = RoundHalfEven(value);
    const bool outside = !(rounded >= lowest && rounded <= highest); // NaN too
    if (held)
        *held = outside;
    if (!outside)
        return static_cast<int>(rounded);
    return rounded > highest ? highest : lowest;
}

std::int16_t ReadNumberLine(TextFile& file) {
    constexpr double lowest = std::numeric_limits<std::int16_t>::min();
    constexpr double highest = std::numeric_limits<std::int16_t>::max();
    while (!file.atEnd()) {
        const std::string_view line = file.readLineView();
        if (line.starts_with("0 "))
            return 0;
        double value = RoundHalfEven(LeadingNumber(line));
        if (value == 0.0)
            continue;
        if (value < lowest || value > highest) {
            if (file.owner()) {
                std::string where = file.name();
                if (!file.section().empty())
                    where += ", section " + file.section();
                // Quote only the start of the line: it may be a long run of junk.
                file.owner()->report(where + ", line " + std::to_string(file.lineNumber()) +
                                     ": the number \"" + std::string(line.substr(0, 40)) +
                                     "\" is outside -32768..32767; the nearest limit is used.");
            }
            value = value < lowest ? lowest : highest;
        }
        return static_cast<std::int16_t>(value);
    }
    return 0;
}

TwipRect ReadTwipRect(TextFile& file) {
    TwipRect rect;
    rect.top = ReadNumberLine(file);
    rect.left = ReadNumberLine(file);
    rect.width = ReadNumberLine(file);
    rect.height = ReadNumberLine(file);
    return rect;
}

bool ScanForKeyLine(KeyRule rule, std::string_view key, TextFile& file) {
    while (!file.atEnd()) {
        if (KeyLineHolds(rule, ReadTextLine(file), key))
            return true;
    }
    return false;
}

bool FindKeyLine(KeyRule rule, std::string_view key, TextFile& file) {
    const FileIndex& index = file.contents();
    const std::size_t from = file.position();
    if (!FileIndex::Indexes(key))
        return ScanForKeyLine(rule, key, file);
    std::optional<std::size_t> found = index.findKeyLine(rule, key, from);
    // Text key lines are read as their translation, which may make one of
    // them a key line too.
    if (!index.textKeyLines().empty()) {
        DataFiles::Translation translation;
        if (file.owner())
            translation = file.owner()->translation();
        else
            translation.translate = [](std::string_view line) {
                return std::string(KeyText(line));
            };
        const auto& translated =
            index.translatedKeyLines(translation.serial, translation.translate);
        auto at = std::lower_bound(
            translated.begin(), translated.end(), from,
            [](const auto& entry, std::size_t line) { return entry.first < line; });
        for (; at != translated.end() && (!found || at->first < *found); ++at) {
            if (KeyLineHolds(rule, at->second, key)) {
                found = at->first;
                break;
            }
        }
    }
    file.seek(found ? index.nextLine(*found) : index.end());
    return found.has_value();
}

bool FindSection(std::string_view key, TextFile& file) {
    if (!FindKeyLine(KeyRule::Section, key, file))
        return false;
    std::size_t keyLength = key.size();
    while (keyLength > 0 && key[keyLength - 1] == ' ')
        --keyLength;
    file.setSection(std::string(key.substr(0, keyLength)));
    return true;
}

} // namespace tv::data
