#include "platform/FakeSystem.h"
#include "platform/System.h"

#include "platform/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

using namespace tv::platform;
using tv::platform::testing::TempDir;
using tv::platform::testing::WriteBytes;

TEST(PictureWidthHimetric, ScalesPixelsByTheDisplayResolution) {
    struct Row {
        int pixels;
        double ppi;
        double himetric;
        const char* why;
    };
    const Row rows[] = {
        {1000, 96.0, 26458.333, "reference picture on a standard display"},
        {1000, 120.0, 21166.667, "reference picture on a 120 pixels-per-inch display"},
        {96, 96.0, 2540.0, "one inch"},
        {0, 96.0, 0.0, "empty picture"},
        {96, 0.0, 2540.0, "no resolution reported counts as standard"},
    };
    for (const Row& row : rows)
        EXPECT_NEAR(PictureWidthHimetric(row.pixels, row.ppi), row.himetric, 0.001) << row.why;
}

TEST(FileModifiedLocal, GivesTheLocalTimeOfTheLastWrite) {
    TempDir dir;
    const auto file = dir / "Vantordata.dat";
    WriteBytes(file, "x");
    std::tm local{};
    local.tm_year = 2024 - 1900;
    local.tm_mon = 1;
    local.tm_mday = 29;
    local.tm_hour = 23;
    local.tm_min = 58;
    local.tm_sec = 7;
    local.tm_isdst = -1;
    const auto stamp = std::chrono::system_clock::from_time_t(std::mktime(&local));
    std::filesystem::last_write_time(file, std::chrono::file_clock::from_sys(stamp));

    const std::optional<LocalDateTime> modified = FileModifiedLocal(file);
    ASSERT_TRUE(modified);
    EXPECT_EQ(modified->year, 2024);
    EXPECT_EQ(modified->month, 2);
    EXPECT_EQ(modified->day, 29);
    EXPECT_EQ(modified->hour, 23);
    EXPECT_EQ(modified->minute, 58);
    EXPECT_EQ(modified->second, 7);
    EXPECT_FALSE(FileModifiedLocal(dir / "missing.dat"));
}

TEST(FakeSystem, AnswersFromItsMapsThenFromTheFileSystem) {
    TempDir dir;
    const auto real = dir / "real.gif";
    WriteBytes(real, "GIF89a");
    FakeSystem system;
    system.pictureWidths[dir / "pic.gif"] = 1000;
    system.modified[dir / "old.dat"] = {2001, 2, 3, 4, 5, 6};

    EXPECT_EQ(system.pictureWidthPixels(dir / "pic.gif"), 1000);
    EXPECT_FALSE(system.pictureWidthPixels(real)) << "only files in the map can be loaded";
    ASSERT_TRUE(system.fileModified(dir / "old.dat"));
    EXPECT_EQ(system.fileModified(dir / "old.dat")->year, 2001);
    ASSERT_TRUE(system.fileModified(real));
    EXPECT_EQ(system.fileModified(real)->year, FileModifiedLocal(real)->year);
    EXPECT_FALSE(system.fileModified(dir / "missing.dat"));
}
