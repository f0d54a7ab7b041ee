#include "data/TextFile.h"

#include "data/DataFiles.h"
#include "platform/FileBytes.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>

#include <locale.h>
#include <stdlib.h>

namespace tv::data {

const std::unordered_map<std::string, std::string>& FileLines::translations() const {
    if (translations_)
        return *translations_;
    // Every line is a candidate key line, the translation lines too, and the
    // first occurrence wins: the same answers a scan from the top gives.
    auto map = std::make_unique<std::unordered_map<std::string, std::string>>();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!IsTextKey(lines[i]))
            continue;
        std::string next = i + 1 < lines.size() ? lines[i + 1] : std::string();
        map->emplace(lines[i], std::move(next));
    }
    translations_ = std::move(map);
    return *translations_;
}

std::shared_ptr<const FileLines> LoadFileLines(const std::filesystem::path& path) {
    platform::FileRead read = platform::ReadRegularFile(path, kMaxFileBytes);
    if (read.missing)
        return nullptr;
    auto result = std::make_shared<FileLines>();
    // A file that opens but cannot be read is said as such, not taken for
    // an empty one.
    if (!read.readable) {
        result->problem = "cannot be read (" + read.reason + ")";
        return result;
    }
    const std::string& bytes = read.bytes;
    if (read.truncated)
        result->problem = "is larger than " + std::to_string(kMaxFileBytes / (1024 * 1024)) +
                          " MB; only its beginning is read";

    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool lastLine = end == std::string::npos;
        if (lastLine)
            end = bytes.size();
        std::size_t stop = end;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        if (stop - start > kMaxLineBytes) {
            if (result->problem.empty())
                result->problem = "line " + std::to_string(result->lines.size() + 1) +
                                  " is longer than " + std::to_string(kMaxLineBytes) +
                                  " characters; the rest of that line is ignored";
            stop = start + kMaxLineBytes;
        }
        result->lines.emplace_back(bytes, start, stop - start);
        start = end + 1;
    }
    return result;
}

TextFile::TextFile(std::shared_ptr<const FileLines> lines, std::string name, const DataFiles* owner)
    : lines_(std::move(lines)), name_(std::move(name)), owner_(owner) {}

std::string TextFile::readLine() {
    if (atEnd())
        return {};
    return lines_->lines[next_++];
}

std::string_view KeyText(std::string_view textKey) {
    return textKey.size() >= 2 ? textKey.substr(2) : std::string_view();
}

std::string ReadTextLine(TextFile& file) {
    while (!file.atEnd()) {
        std::string line = file.readLine();
        if (line.empty() || line[0] == ' ' || line[0] == '*')
            continue;
        if (!IsTextKey(line))
            return line;
        if (file.owner())
            return file.owner()->TranslateText(line);
        return std::string(KeyText(line));
    }
    return {};
}

double LeadingNumber(std::string_view text) {
    // Collect the characters that can form a number, passing over blanks
    // and tabs wherever they stand, then read them with from_chars, which
    // never depends on the locale (a Norwegian locale would take "2.5" for 2).
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
        return 0.0;
    if (char c = next(); c == 'e' || c == 'E' || c == 'd' || c == 'D') {
        const std::size_t mark = number.size();
        const std::size_t markPos = i;
        number += 'e';
        ++i;
        if (char s = next(); s == '+' || s == '-') {
            number += s;
            ++i;
        }
        if (!digits()) { // "12e" is 12
            number.resize(mark);
            i = markPos;
        }
    }
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
        const std::string line = file.readLine();
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
                                     ": the number \"" + line.substr(0, 40) +
                                     "\" is outside -32768..32767; the nearest limit is used.");
            }
            value = value < lowest ? lowest : highest;
        }
        return static_cast<std::int16_t>(value);
    }
    return 0;
}

bool FindSection(std::string_view key, TextFile& file) {
    std::size_t keyLength = key.size();
    while (keyLength > 0 && key[keyLength - 1] == ' ')
        --keyLength;
    while (!file.atEnd()) {
        const std::string line = ReadTextLine(file);
        if (line.empty() || line[0] != kSection)
            continue;
        const std::size_t at = line.find(key);
        if (at == std::string::npos)
            continue;
        // The key must be followed by a blank or by the end of the line.
        const std::size_t after = at + keyLength;
        if (after == line.size() || (after < line.size() && line[after] == ' ')) {
            file.setSection(std::string(key.substr(0, keyLength)));
            return true;
        }
    }
    return false;
}

} // namespace tv::data
