#include "platform/Cp1252.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace std::string_literals;
using tv::platform::Cp1252ToUtf8;
using tv::platform::Utf8ToCp1252;
using tv::platform::Utf8ToCp1252Strict;

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string original(1, static_cast<char>(byte));
        const std::string utf8 = Cp1252ToUtf8(original);
        EXPECT_EQ(Utf8ToCp1252(utf8), original) << "byte " << byte;
        // A byte never turns into the "?" of an unknown character.
        if (byte != '?') {
            EXPECT_NE(utf8, "?") << "byte " << byte;
        }
    }
}

TEST(Cp1252, BytesMapToTheirCharacters) {
    struct Row {
        std::string cp1252;
        std::string utf8;
        const char* why;
    };
    const Row rows[] = {
        {"\x80", "\u20AC", "euro sign, the first of the 0x80 row"},
        {"\xA4", "\u00A4", "currency sign opens every section of the data files"},
        {"\xF8", "\u00F8", "Norwegian o with stroke"},
        {"\xC5", "\u00C5", "Norwegian capital A with ring"},
        {"\x89", "\u2030", "per mille"},
        {"\x93\x94", "\u201C\u201D", "curly double quotes"},
        {"\x9F", "\u0178", "last of the 0x80 row"},
        {"\x81", "\xC2\x81", "undefined byte keeps its own number"},
        {"\x9D", "\xC2\x9D", "undefined byte keeps its own number"},
        {"A\0B"s, "A\0B"s, "NUL and ASCII pass unchanged"},
        {"\xFF", "\u00FF", "last byte"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Cp1252ToUtf8(row.cp1252), row.utf8) << row.why;
        EXPECT_EQ(Utf8ToCp1252(row.utf8), row.cp1252) << row.why;
    }
}

TEST(Cp1252, UnrepresentableOrMalformedUtf8BecomesQuestionMarks) {
    struct Row {
        std::string utf8;
        std::string cp1252;
        const char* why;
    };
    const Row rows[] = {
        {"\u4E2D", "?", "CJK character has no byte"},
        {"\U0001F600", "?", "four-byte character has no byte"},
        {"\u0100", "?", "Latin Extended-A outside the table"},
        {"a\xFF"
         "b",
         "a?b", "byte that never starts UTF-8"},
        {"\x80", "?", "lone continuation byte"},
        {"\xC3", "?", "sequence cut at the end"},
        {"\xE2\x82"
         "A",
         "?A", "sequence cut before a letter keeps the letter"},
        {"\xC0\xAF", "??", "overlong form of a slash"},
        {"\xED\xA0\x80", "???", "encoded surrogate"},
        {"\xF4\x90\x80\x80", "????", "beyond U+10FFFF"},
        {"\xC3\xB8\xC3", "\xF8?", "good character kept before a cut one"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Utf8ToCp1252(row.utf8), row.cp1252) << row.why;
}

TEST(Cp1252, StrictConversionRefusesWhatTheLossyOneReplaces) {
    struct Row {
        std::string utf8;
        std::optional<std::string> cp1252;
        const char* why;
    };
    const Row rows[] = {
        {"\u00A40150_FLENS_TK",
         "\xA4"
         "0150_FLENS_TK",
         "the section sign of a key"},
        {"\u20AC 9,50 \u00F8", "\x80 9,50 \xF8", "euro sign and a Norwegian letter"},
        {"\xC2\x81", "\x81", "undefined byte comes back as itself, as in the round trip"},
        {"", "", "empty text is text"},
        {"?", "?", "a real question mark stays"},
        {"pris \u4E2D", std::nullopt, "character without a byte"},
        {"\U0001F600", std::nullopt, "four-byte character"},
        {"a\xFF", std::nullopt, "byte that never starts UTF-8"},
        {"\xC3", std::nullopt, "sequence cut at the end"},
        {"\xC0\xAF", std::nullopt, "overlong form"},
        {"\xED\xA0\x80", std::nullopt, "encoded surrogate"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Utf8ToCp1252Strict(row.utf8), row.cp1252) << row.why;
}
