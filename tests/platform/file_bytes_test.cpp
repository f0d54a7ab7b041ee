#include "platform/FileBytes.h"

#include "platform/TempDir.h"

#include <gtest/gtest.h>

using namespace tv::platform;
using tv::platform::testing::CountEntries;
using tv::platform::testing::ReadBytes;
using tv::platform::testing::TempDir;
using tv::platform::testing::WriteBytes;

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

TEST(FileBytesTest, FailedReplaceRemovesItsTemporaryFile) {
    TempDir dir;
    // A directory with content cannot be renamed over, so the failure comes
    // after the temporary file was written.
    std::filesystem::create_directories(dir / "target" / "inside");
    EXPECT_FALSE(ReplaceFileBytes(dir / "target", "new"));
    EXPECT_EQ(CountEntries(dir.path()), 1);
}

TEST(FileBytesTest, ReplaceKeepsPermissionsAndFollowsLinks) {
    TempDir dir;
    const auto file = dir / "settings.ini";
    WriteBytes(file, "old");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write);
    std::filesystem::create_symlink(file, dir / "link.ini");

    ASSERT_TRUE(ReplaceFileBytes(dir / "link.ini", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(std::filesystem::status(file).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
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
