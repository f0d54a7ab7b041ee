#include "platform/FileBytes.h"

#include <gtest/gtest.h>

using namespace tv::platform;

TEST(FileBytesTest, LinesJoinBackByteForByte) {
    const char* files[] = {
        "", "a\r\nb\r\n", "a\nb", "a\r\r\nb\n\n", "\r\n\r\n", "lone\rcr\r", "\x80\xFF\r\nx",
    };
    for (const char* bytes : files)
        EXPECT_EQ(JoinLines(SplitLines(bytes)), bytes) << bytes;

    const std::vector<TextLine> lines = SplitLines("a\r\nb\nc");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "a");
    EXPECT_EQ(lines[0].eol, "\r\n");
    EXPECT_EQ(lines[1].eol, "\n");
    EXPECT_EQ(lines[2].eol, "");
}

TEST(FileBytesTest, CaseFoldingCoversWindows1252Letters) {
    struct Row {
        const char* a;
        const char* b;
        bool equal;
    };
    const Row rows[] = {
        {"Personal", "pERSONAL", true},
        {"\xC6\xD8\xC5", "\xE6\xF8\xE5", true}, // Norwegian letters
        {"\xC0\xDE", "\xE0\xFE", true},         // ends of the accented range
        {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", true},
        {"\xD7", "\xF7", false}, // multiplication and division signs are no letters
        {"\xDF", "\xFF", false}, // sharp s has no capital here
        {"[", "{", false},       // 0x20 apart, but no letters
        {"Key", "Keys", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(EqualsIgnoringCase(row.a, row.b), row.equal) << row.a << " / " << row.b;
        EXPECT_EQ(FoldCase(row.a) == FoldCase(row.b), row.equal) << row.a << " / " << row.b;
    }
}
