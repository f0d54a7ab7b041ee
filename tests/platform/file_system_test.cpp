#include "platform/FileSystem.h"

#include "platform/TempDir.h"

#include <gtest/gtest.h>

using namespace tv::platform;
using tv::platform::testing::CountEntries;
using tv::platform::testing::ReadBytes;
using tv::platform::testing::TempDir;
using tv::platform::testing::WriteBytes;

namespace fs = std::filesystem;

// What the safe write replaces and what it refuses; either way it leaves
// no file of its own behind. Permission bits do not stop root, so read-only
// means a file without any write bit.
TEST(WriteFileSafelyTest, ReplacesOnlyWhatItMayAndLeavesNoFileOfItsOwn) {
    enum class Before { File, Link, ReadOnly, Directory };
    struct Row {
        Before before;
        int faultAt;        // a failing disk step, 0 for none
        const char* reason; // the end of the reason; "" when written
        const char* why;
    };
    const Row rows[] = {
        {Before::File, 0, "", "a file is replaced and keeps its mode"},
        {Before::Link, 0, "", "a relative link stays a link; the file it points at is replaced"},
        {Before::ReadOnly, 0, "settings.ini is read-only", "a file marked read-only is refused"},
        {Before::Directory, 0, "settings.ini is a directory", "a directory is never replaced"},
        {Before::File, 2, "No space left on device",
         "a rename that fails takes away the file written for it"},
    };
    constexpr fs::perms kMode = fs::perms::owner_read | fs::perms::owner_write;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TempDir dir;
        const auto file = dir / "settings.ini";
        fs::path written = file;
        if (row.before == Before::Directory) {
            fs::create_directories(file / "inside");
        } else {
            WriteBytes(file, "old");
            fs::permissions(file, row.before == Before::ReadOnly ? fs::perms::owner_read : kMode);
        }
        if (row.before == Before::Link) {
            written = dir / "link.ini";
            fs::create_symlink("settings.ini", written);
        }
        const int entries = CountEntries(dir.path());

        FaultyFileSystem disk;
        disk.faultAt = row.faultAt;
        const WriteResult result =
            row.faultAt ? ReplaceFile(disk, written, "new") : WriteFileSafely(written, "new");

        const bool replaced = *row.reason == '\0';
        EXPECT_EQ(static_cast<bool>(result), replaced);
        EXPECT_TRUE(result.reason.ends_with(row.reason)) << result.reason;
        EXPECT_EQ(CountEntries(dir.path()), entries);
        if (row.before == Before::Directory)
            continue;
        EXPECT_EQ(ReadBytes(file), replaced ? "new" : "old");
        EXPECT_EQ(fs::status(file).permissions(),
                  row.before == Before::ReadOnly ? fs::perms::owner_read : kMode);
        EXPECT_EQ(fs::is_symlink(written), row.before == Before::Link);
    }
}
