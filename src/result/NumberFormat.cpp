#include "result/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tv::result {

namespace {

// Writes the number's digits and puts the user's separator in place of
// the point; a negative zero is written as zero.
std::string WithSeparator(std::string text, std::string_view decimalSeparator) {
    if (text.starts_with('-') && text.find_first_of("123456789") == std::string::npos)
        text.erase(0, 1);
    if (const auto point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, decimalSeparator);
    return text;
}

} // namespace

std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator) {
    // Rounded by hand, halves away from zero: the library rounds an exact
    // half to even, so 632.5 would print "632". The digits beyond the ones
    // kept are exact enough to tell a true half from a value just below.
    constexpr int kGuardDigits = 25;
    const int precision = std::clamp(decimals, 0, 100);
    char text[512];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                                       precision + kGuardDigits);
    if (written.ec != std::errc())
        return {};
    std::string digits(text, written.ptr);
    const bool negative = digits.starts_with('-');
    if (negative)
        digits.erase(0, 1);
    const std::size_t point = digits.find('.');
    const bool roundUp = digits[point + 1 + static_cast<std::size_t>(precision)] >= '5';
    digits.erase(point + 1 + static_cast<std::size_t>(precision));
    if (precision == 0)
        digits.erase(point);
    for (std::size_t i = digits.size(); roundUp; --i) {
        if (i == 0) {
            digits.insert(0, 1, '1');
            break;
        }
        char& digit = digits[i - 1];
        if (digit == '.')
            continue;
        digit = digit == '9' ? '0' : static_cast<char>(digit + 1);
        if (digit != '0')
            break;
    }
    return WithSeparator((negative ? "-" : "") + digits, decimalSeparator);
}

std::string FormatShortest(double value, std::string_view decimalSeparator) {
    // A whole number of at most 15 digits, as most lengths and weights are,
    // is its digits (negative zero as zero).
    if (value == std::trunc(value) && std::abs(value) < 1e15) {
        char digits[24];
        const auto written =
            std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value));
        return std::string(digits, written.ptr);
    }
    // At most 15 significant digits, as a general number format shows a
    // number: 0.1 + 1.1 is 1.2, not the 1.2000000000000002 that would read
    // back as the same double. Never an exponent.
    char text[64];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14);
    if (written.ec != std::errc())
        return {};
    const std::string scientific(text, written.ptr);
    const std::size_t exponentAt = scientific.find('e');
    if (exponentAt == std::string::npos)
        return scientific; // not a finite number
    const bool negative = scientific.starts_with('-');
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < exponentAt; ++i) {
        if (scientific[i] != '.')
            digits += scientific[i];
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const long whole = std::strtol(scientific.c_str() + exponentAt + 1, nullptr, 10) + 1;
    std::string number;
    if (whole <= 0)
        number = "0." + std::string(static_cast<std::size_t>(-whole), '0') + digits;
    else if (static_cast<std::size_t>(whole) >= digits.size())
        number = digits + std::string(static_cast<std::size_t>(whole) - digits.size(), '0');
    else
        number = digits.substr(0, static_cast<std::size_t>(whole)) + "." +
                 digits.substr(static_cast<std::size_t>(whole));
    return WithSeparator((negative ? "-" : "") + number, decimalSeparator);
}

} // namespace tv::result
