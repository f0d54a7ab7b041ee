#include "platform/Cp1252.h"

#include <array>
#include <optional>

namespace tv::platform {
namespace {

// Code points of the bytes 0x80 to 0x9F. The five bytes Windows-1252 leaves
// undefined keep their own number, so they survive a round trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

// Every code point of the table lies below U+10000, so three bytes suffice.
void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
        return;
    }
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
}

// The byte for a code point; nothing when Windows-1252 has none.
std::optional<char> ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

struct LeadByte {
    int length = 0;              // bytes in the sequence; 0 for an invalid lead
    char32_t bits = 0;           // payload bits of the lead byte
    unsigned char secondMin = 0; // allowed range of the second byte, which
    unsigned char secondMax = 0; // rules out overlong forms and surrogates
};

LeadByte ClassifyLead(unsigned char b) {
    if (b >= 0xC2 && b <= 0xDF)
        return {2, char32_t(b & 0x1F), 0x80, 0xBF};
    if (b == 0xE0)
        return {3, char32_t(b & 0x0F), 0xA0, 0xBF};
    if (b == 0xED)
        return {3, char32_t(b & 0x0F), 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF)
        return {3, char32_t(b & 0x0F), 0x80, 0xBF};
    if (b == 0xF0)
        return {4, char32_t(b & 0x07), 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3)
        return {4, char32_t(b & 0x07), 0x80, 0xBF};
    if (b == 0xF4)
        return {4, char32_t(b & 0x07), 0x80, 0x8F};
    return {};
}

// Decodes the multi-byte sequence starting at pos and moves pos past it.
// A broken sequence moves pos past its longest valid beginning (at least one
// byte) and gives nothing, so each broken piece becomes a single "?".
std::optional<char32_t> DecodeSequence(std::string_view in, std::size_t& pos) {
    const LeadByte lead = ClassifyLead(static_cast<unsigned char>(in[pos]));
    ++pos;
    if (lead.length == 0)
        return std::nullopt;
    char32_t cp = lead.bits;
    for (int i = 1; i < lead.length; ++i) {
        if (pos >= in.size())
            return std::nullopt;
        const auto b = static_cast<unsigned char>(in[pos]);
        const unsigned char lo = i == 1 ? lead.secondMin : 0x80;
        const unsigned char hi = i == 1 ? lead.secondMax : 0xBF;
        if (b < lo || b > hi)
            return std::nullopt;
        cp = (cp << 6) | (b & 0x3F);
        ++pos;
    }
    return cp;
}

// Converts character by character; a broken sequence or a character without
// a byte becomes `unheld`, or ends the conversion with nothing when there is
// no stand-in.
std::optional<std::string> ConvertUtf8(std::string_view utf8, std::optional<char> unheld) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            out += utf8[pos++];
            continue;
        }
        const std::optional<char32_t> cp = DecodeSequence(utf8, pos);
        std::optional<char> byte = cp ? ByteOf(*cp) : std::nullopt;
        if (!byte)
            byte = unheld;
        if (!byte)
            return std::nullopt;
        out += *byte;
    }
    return out;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    // ASCII is the same in both: the bytes between two others are taken as
    // one run.
    std::size_t run = 0;
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        const auto byte = static_cast<unsigned char>(cp1252[i]);
        if (byte < 0x80)
            continue;
        out.append(cp1252, run, i - run);
        AppendUtf8(out, CodePointOf(byte));
        run = i + 1;
    }
    out.append(cp1252, run);
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    return *ConvertUtf8(utf8, '?');
}

std::optional<std::string> Utf8ToCp1252Strict(std::string_view utf8) {
    return ConvertUtf8(utf8, std::nullopt);
}

std::string ShownInMessage(std::string_view cp1252, std::size_t limit) {
    static const char digits[] = "0123456789abcdef";
    std::string shown;
    std::size_t characters = 0;
    for (const char c : cp1252) {
        if (characters == limit) {
            shown += '\x85';
            break;
        }
        ++characters;
        const auto byte = static_cast<unsigned char>(c);
        const bool control = byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D ||
                             byte == 0x8F || byte == 0x90 || byte == 0x9D;
        if (!control) {
            shown += c;
            continue;
        }
        shown += "\\x";
        shown += digits[byte >> 4];
        shown += digits[byte & 0xF];
    }
    return shown;
}

} // namespace tv::platform
