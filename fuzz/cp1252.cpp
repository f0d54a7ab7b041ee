// The Windows-1252 codec and the case rules: the input is taken both as
// Windows-1252 bytes and as UTF-8 text.

#include "FuzzSupport.h"
#include "platform/Cp1252.h"
#include "platform/FileBytes.h"

#include <string>
#include <string_view>

namespace {

using namespace tv::platform;

// Whether the text is well-formed UTF-8 (no overlong form, no surrogate,
// nothing above U+10FFFF).
bool IsUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int length = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (b < 0x80)
            length = 1;
        else if (b >= 0xC2 && b <= 0xDF)
            length = 2;
        else if (b == 0xE0)
            length = 3, lo = 0xA0;
        else if (b == 0xED)
            length = 3, hi = 0x9F;
        else if (b >= 0xE1 && b <= 0xEF)
            length = 3;
        else if (b == 0xF0)
            length = 4, lo = 0x90;
        else if (b >= 0xF1 && b <= 0xF3)
            length = 4;
        else if (b == 0xF4)
            length = 4, hi = 0x8F;
        else
            return false;
        if (i + static_cast<std::size_t>(length) > s.size())
            return false;
        for (int k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if (c < (k == 1 ? lo : 0x80) || c > (k == 1 ? hi : 0xBF))
                return false;
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}

std::size_t CountCharacters(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

void CheckBytes(std::string_view bytes) {
    // Every byte has a character, so Windows-1252 -> UTF-8 -> Windows-1252
    // gives back the bytes, the strict way too.
    const std::string utf8 = Cp1252ToUtf8(bytes);
    TV_REQUIRE(IsUtf8(utf8));
    TV_REQUIRE(CountCharacters(utf8) == bytes.size());
    TV_REQUIRE(Utf8ToCp1252(utf8) == bytes);
    const auto strict = Utf8ToCp1252Strict(utf8);
    TV_REQUIRE(strict && *strict == bytes);

    // Case: same length, idempotent, and consistent with the comparison.
    const std::string upper = UpperCase(bytes);
    const std::string folded = FoldCase(bytes);
    TV_REQUIRE(upper.size() == bytes.size() && folded.size() == bytes.size());
    TV_REQUIRE(UpperCase(upper) == upper);
    TV_REQUIRE(FoldCase(folded) == folded);
    TV_REQUIRE(FoldCase(upper) == folded);
    TV_REQUIRE(EqualsIgnoringCase(bytes, upper));
    TV_REQUIRE(EqualsIgnoringCase(upper, bytes));
    TV_REQUIRE(EqualsIgnoringCase(bytes, folded));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        // Only letters change, and ASCII stays ASCII.
        const auto b = static_cast<unsigned char>(bytes[i]);
        const auto u = static_cast<unsigned char>(upper[i]);
        TV_REQUIRE((b < 0x80) == (u < 0x80));
        if (b < 0x80)
            TV_REQUIRE(u == static_cast<unsigned char>(
                                (b >= 'a' && b <= 'z') ? b - 0x20 : b));
    }

    // The comparison is the equality of the folded texts, so it is
    // symmetric; halves compare like their folds.
    const std::string_view left = bytes.substr(0, bytes.size() / 2);
    const std::string_view right = bytes.substr(bytes.size() / 2);
    const bool same = EqualsIgnoringCase(left, right);
    TV_REQUIRE(same == EqualsIgnoringCase(right, left));
    TV_REQUIRE(same == (FoldCase(left) == FoldCase(right)));
    TV_REQUIRE(same == EqualsIgnoringCase(UpperCase(left), FoldCase(right)));
}

void CheckText(std::string_view text) {
    // Any byte string as UTF-8: the lossy conversion always gives text, one
    // byte per character or broken piece; the strict one gives the same or
    // nothing.
    const std::string lossy = Utf8ToCp1252(text);
    TV_REQUIRE(lossy.size() <= text.size());
    const auto strict = Utf8ToCp1252Strict(text);
    if (strict) {
        TV_REQUIRE(*strict == lossy);
        // What converts exactly is well-formed UTF-8 and comes back as it was.
        TV_REQUIRE(IsUtf8(text));
        TV_REQUIRE(Cp1252ToUtf8(*strict) == text);
        TV_REQUIRE(strict->size() == CountCharacters(text));
    } else {
        // Refused: somewhere a "?" stands for what could not be held.
        TV_REQUIRE(lossy.find('?') != std::string::npos);
    }
    if (IsUtf8(text))
        TV_REQUIRE(lossy.size() == CountCharacters(text));
    // The lossy result is Windows-1252 that survives a further round trip.
    TV_REQUIRE(Utf8ToCp1252(Cp1252ToUtf8(lossy)) == lossy);
    // Plain ASCII passes unchanged.
    bool ascii = true;
    for (const char c : text)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        TV_REQUIRE(strict && *strict == text && Cp1252ToUtf8(text) == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckBytes(input);
    CheckText(input);
    return 0;
}
