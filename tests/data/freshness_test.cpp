// Every read sees a data file as it is on disk at that moment, however the
// file was changed: the ways of changing a file that keep its size and put
// its modification time back, and file systems that keep whole seconds.

#include "data/DataFiles.h"
#include "platform/FileBytes.h"
#include "platform/MessageBoxes.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

namespace tv::data {
namespace {

namespace fs = std::filesystem;

// A file system that keeps its times in whole seconds: an ext4 image with
// the small inodes of old, which have no room for parts of a second,
// mounted through a loop device. Only root may mount one, so a test that
// needs it skips with that reason.
class WholeSecondDisk {
public:
    WholeSecondDisk() {
        fs::create_directory(path());
        const fs::path image = dir_ / "image";
        std::ofstream(image).close();
        fs::resize_file(image, 4 << 20); // sparse
        const std::string command =
            "PATH=\"$PATH:/usr/sbin:/sbin\" mke2fs -q -F -t ext4 -I 128 -O ^has_journal '" +
            image.string() + "' >/dev/null 2>&1 && mount -o loop '" + image.string() + "' '" +
            path().string() + "' 2>/dev/null";
        mounted_ = std::system(command.c_str()) == 0;
    }
    ~WholeSecondDisk() {
        if (mounted_)
            std::system(("umount '" + path().string() + "'").c_str());
    }
    WholeSecondDisk(const WholeSecondDisk&) = delete;
    WholeSecondDisk& operator=(const WholeSecondDisk&) = delete;

    bool mounted() const { return mounted_; }
    fs::path path() const { return dir_ / "disk"; }
    fs::path operator/(std::string_view name) const { return path() / name; }

private:
    test::TempDir dir_;
    bool mounted_ = false;
};

// A data directory on the disk `Disk` and the reader of its files.
template <class Disk> class FreshnessOn : public ::testing::Test {
public:
    FreshnessOn() { test::WriteBytes(file(), "AAAA\r\n"); }

    fs::path file() const { return dir_ / "Tessaro.dat"; }

    // What a reader gets from the file now.
    std::string firstLine() {
        auto opened = files_.openParameterFile();
        return opened ? opened->readLine() : "(not opened)";
    }

    // The picture with the stem that an operation finds now.
    std::string picture(const char* stem) {
        const Operation operation;
        const auto found = files_.firstFileWithStem(stem);
        return found ? found->filename().string() : "(none)";
    }

    struct timespec modified() const {
        struct stat status {};
        ::stat(file().c_str(), &status);
        return status.st_mtim;
    }

    static void setModified(const fs::path& path, struct timespec when) {
        const struct timespec times[2] = {when, when};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }

    Disk dir_;
    platform::RecordingMessageBoxes messages_;
    DataFiles files_{dir_.path(), "NO", messages_};
};

using FreshnessTest = FreshnessOn<test::TempDir>;
using WholeSecondFreshnessTest = FreshnessOn<WholeSecondDisk>;

// The changes that keep size and modification time: each must be seen.
TEST_F(FreshnessTest, ChangesThatKeepSizeAndTimeAreSeen) {
    struct Change {
        const char* name;
        std::function<void(FreshnessTest&, const std::string& bytes)> apply;
    };
    const Change changes[] = {
        {"edited in place, time put back (touch -r, tar)",
         [](FreshnessTest& t, const std::string& bytes) {
             const struct timespec before = t.modified();
             test::WriteBytes(t.file(), bytes);
             setModified(t.file(), before);
         }},
        {"a new file with the old times renamed over it (cp -p, rsync -t)",
         [](FreshnessTest& t, const std::string& bytes) {
             const fs::path fresh = t.dir_ / "Tessaro.dat.new";
             test::WriteBytes(fresh, bytes);
             setModified(fresh, t.modified());
             fs::rename(fresh, t.file());
         }},
        {"edited right after the read",
         [](FreshnessTest& t, const std::string& bytes) {
             test::WriteBytes(t.file(), bytes);
         }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        test::WriteBytes(file(), "AAAA\r\n");
        ASSERT_EQ(firstLine(), "AAAA");
        change.apply(*this, "BBBB\r\n");
        EXPECT_EQ(firstLine(), "BBBB");
        change.apply(*this, "CCCC\r\n");
        EXPECT_EQ(firstLine(), "CCCC");
    }
}

// A write through a shared mapping gives the file new times only when it
// first touches the page; later writes leave every time as it was, and only
// the content tells.
TEST_F(FreshnessTest, WritesThroughASharedMappingAreSeen) {
    const int fd = ::open(file().c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    void* mapping = ::mmap(nullptr, 6, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    ASSERT_NE(mapping, MAP_FAILED);
    char* bytes = static_cast<char*>(mapping);
    bool timesKept = false;
    for (int attempt = 0; attempt < 5 && !timesKept; ++attempt) {
        std::memcpy(bytes, "AAAA", 4);
        ASSERT_EQ(firstLine(), "AAAA");
        const auto before = platform::RegularFileVersion(file());
        std::memcpy(bytes, "BBBB", 4);
        timesKept = platform::RegularFileVersion(file()) == before;
        EXPECT_EQ(firstLine(), "BBBB");
    }
    ::munmap(mapping, 6);
    EXPECT_TRUE(timesKept) << "every write gave the file new times";
}

// Where times are whole seconds, a same-size edit within the second leaves
// every time as it was; the content decides.
TEST_F(WholeSecondFreshnessTest, SameSecondEditsAreSeen) {
    if (!dir_.mounted())
        GTEST_SKIP() << "mounting a file system needs root";
    int sameVersion = 0;
    for (int attempt = 0; attempt < 20 && sameVersion < 3; ++attempt) {
        test::WriteBytes(file(), "AAAA\r\n");
        ASSERT_EQ(firstLine(), "AAAA");
        const auto before = platform::RegularFileVersion(file());
        test::WriteBytes(file(), "BBBB\r\n");
        ASSERT_TRUE(before);
        // Only an edit within the same second puts the rule to the test.
        sameVersion += platform::RegularFileVersion(file()) == before;
        EXPECT_EQ(firstLine(), "BBBB");
    }
    EXPECT_GE(sameVersion, 3) << "the edits never fell within one second";
}

// A file that can no longer be read is never answered from memory.
TEST_F(FreshnessTest, AFileReplacedByWhatCannotBeReadIsNotAnsweredFromMemory) {
    ASSERT_EQ(firstLine(), "AAAA");
    fs::remove(file());
    ASSERT_EQ(::mkfifo(file().c_str(), 0600), 0);
    EXPECT_EQ(firstLine(), "(not opened)") << "a named pipe in its place";
    fs::remove(file());
    fs::create_directory(file());
    EXPECT_EQ(firstLine(), "(not opened)") << "a directory in its place";
}

TEST_F(FreshnessTest, AFileWithoutReadPermissionIsNotAnsweredFromMemory) {
    ASSERT_EQ(firstLine(), "AAAA");
    fs::permissions(file(), fs::perms::none);
    if (::access(file().c_str(), R_OK) == 0)
        GTEST_SKIP() << "this user reads files without read permission (root)";
    EXPECT_EQ(firstLine(), "") << "a file without read permission";
    EXPECT_TRUE(files_.readFailed());
}

// One operation reads one version of a file, however it changes meanwhile;
// the next operation sees the change. A write of the program's own is seen
// at once.
TEST_F(FreshnessTest, AnOperationReadsOneVersionThroughout) {
    {
        const Operation operation;
        ASSERT_EQ(firstLine(), "AAAA");
        test::WriteBytes(file(), "BBBB, longer\r\n");
        EXPECT_EQ(firstLine(), "AAAA") << "the version the operation began with";
        files_.filesWritten();
        EXPECT_EQ(firstLine(), "BBBB, longer") << "after a write of the program's own";
        test::WriteBytes(file(), "CCCC\r\n");
        EXPECT_EQ(firstLine(), "BBBB, longer");
    }
    EXPECT_EQ(firstLine(), "CCCC");
    const Operation next;
    EXPECT_EQ(firstLine(), "CCCC");
}

// The data directory is listed again only when its times change, or may
// change unseen: a picture added, renamed or removed within the same
// second is found, or no longer found, by the next operation.
TEST_F(WholeSecondFreshnessTest, TheListingFollowsTheDirectoryWithinTheSecond) {
    if (!dir_.mounted())
        GTEST_SKIP() << "mounting a file system needs root";
    bool withinOneSecond = false;
    for (int attempt = 0; attempt < 5 && !withinOneSecond; ++attempt) {
        const auto before = platform::DirectoryVersion(dir_.path());
        EXPECT_EQ(picture("pic"), "(none)");
        test::WriteBytes(dir_ / "pic.gif", "GIF89a");
        EXPECT_EQ(picture("pic"), "pic.gif") << "added";
        fs::rename(dir_ / "pic.gif", dir_ / "pic.bmp");
        EXPECT_EQ(picture("pic"), "pic.bmp") << "renamed";
        fs::remove(dir_ / "pic.bmp");
        EXPECT_EQ(picture("pic"), "(none)") << "removed";
        // The directory kept its version throughout only when all of it
        // fell within the second of its last change before.
        withinOneSecond = platform::DirectoryVersion(dir_.path()) == before;
    }
    EXPECT_TRUE(withinOneSecond) << "the changes never fell within one second";
}

// Waits until the directory's last change lies further back than the time
// within which a later change may leave its times as they were.
void WaitUntilSettled(const fs::path& directory) {
    const auto version = platform::DirectoryVersion(directory);
    ASSERT_TRUE(version);
    constexpr std::int64_t kSettled = 2'200'000'000; // nanoseconds
    const std::int64_t until = std::max(version->modified, version->changed) + kSettled;
    const std::int64_t now = platform::WallClockNanoseconds();
    if (now < until)
        std::this_thread::sleep_for(std::chrono::nanoseconds(until - now));
}

// A link may come to lead to a file while the directory stays as it was:
// a directory with a link in it is listed at every operation, however long
// ago it changed.
TEST_F(FreshnessTest, ALinkIsFollowedAtEveryOperation) {
    test::TempDir outside;
    fs::create_directory(outside / "picture");
    fs::create_symlink(outside / "picture", dir_ / "link.gif");
    WaitUntilSettled(dir_.path());
    EXPECT_EQ(picture("link"), "(none)") << "a link to a directory";
    fs::remove(outside / "picture");
    test::WriteBytes(outside / "picture", "GIF89a");
    EXPECT_EQ(picture("link"), "link.gif") << "the same link, now to a file";
}

// A data file beyond the limit is said with its size at every read and
// never read in part.
TEST_F(FreshnessTest, AFileLargerThanTheLimitIsSaidNotCut) {
    ASSERT_EQ(firstLine(), "AAAA");
    fs::resize_file(file(), kMaxFileBytes + 1); // sparse: no disk is used
    EXPECT_EQ(firstLine(), "");
    EXPECT_TRUE(files_.readFailed());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(
        messages_.shown[0],
        "Tessaro.dat: is 513 MB, larger than the 512 MB a data file may have; it is not read.");
}

// A file that shrinks or changes while it is read gives one whole version.
TEST(ReadRegularFileTest, GivesExactlyTheSizeItFoundAndItsVersion) {
    test::TempDir dir;
    test::WriteBytes(dir / "f", std::string(100000, 'x'));
    const platform::FileRead read = platform::ReadRegularFile(dir / "f", 1 << 20);
    ASSERT_TRUE(read.readable);
    EXPECT_EQ(read.bytes.size(), 100000u);
    EXPECT_EQ(read.version, platform::RegularFileVersion(dir / "f"));
}

} // namespace
} // namespace tv::data
