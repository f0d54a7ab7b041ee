#include "app/Startup.h"
#include "data/DataFiles.h"
#include "platform/FakeSystem.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tv::app {
namespace {

using test::TempDir;
using test::WriteLines;

class StartupTest : public ::testing::Test {
protected:
    StartupTest() { system_.cwd = dir_.path(); }

    void installFiles(bool parameter = true, bool article = true, bool norwegian = true) {
        std::filesystem::create_directories(dir_ / "Tessaro");
        if (parameter)
            WriteLines(dir_ / "Tessaro" / "Tessaro.dat", {"head"});
        if (article)
            WriteLines(dir_ / "Tessaro" / "Vantordata.dat", {"head"});
        if (norwegian)
            WriteLines(dir_ / "Tessaro" / "Lang_NO.txt", {"head"});
    }

    std::string setting(const char* key) const { return settings_.get(kApp, kSection, key); }

    StartupOutcome run() {
        return RunStartup(platform_, [this](StartupValues&) { ++versionChecks_; });
    }

    TempDir dir_;
    platform::MemorySettingsStore settings_;
    platform::RecordingMessageBoxes messages_;
    platform::FakeSystem system_;
    platform::Platform platform_{settings_, messages_, system_};
    int versionChecks_ = 0;
};

TEST_F(StartupTest, FirstStartSeedsTheSettings) {
    installFiles();
    system_.clock = {2026, 12, 7, 14, 5, 30};
    const auto outcome = run();
    ASSERT_TRUE(outcome.ok) << outcome.failure;
    const std::string install = data::PathText(dir_.path()) + "/";
    EXPECT_EQ(setting("BrivoDir"), data::PathText(dir_.path()))
        << "saved before the separator is added";
    EXPECT_EQ(setting("BrivoDone"), "0");
    EXPECT_EQ(setting("VersionURL"), kDefaultVersionUrl);
    EXPECT_EQ(setting("A2control"), "2");
    EXPECT_EQ(setting("LRcontrol"), "1");
    EXPECT_EQ(setting("SKcontrol"), "2");
    EXPECT_EQ(setting("ACcontrol"), "2");
    EXPECT_EQ(setting("FirstUsed"), std::to_string(outcome.values.dayNumber));
    EXPECT_EQ(setting("LastUsed"), std::to_string(outcome.values.dayNumber));
    EXPECT_EQ(setting("Language"), "") << "start-up only reads the language";

    const auto& v = outcome.values;
    EXPECT_EQ(v.installDirectory, install);
    EXPECT_EQ(v.dataDirectory, install + "Tessaro/");
    EXPECT_EQ(v.reportDirectory, install + "TeHtml/");
    EXPECT_EQ(v.language, "NO");
    EXPECT_FALSE(v.debugMode);
    EXPECT_EQ(v.missingText, "Mangler");
    EXPECT_EQ(v.versionFile, install + "tessaroversion.htm");
    EXPECT_EQ(v.displaySize, "1920x1080");
    EXPECT_FALSE(v.compactScreen);
    EXPECT_EQ(v.referenceWidth, 33333);
    EXPECT_EQ(v.pictureSuffix, "_33");
    EXPECT_TRUE(v.standardResolution);
    EXPECT_EQ(v.userName, "tester");
    EXPECT_EQ(v.dayNumber, 2461382) << "Julian Day Number of 7 December 2026";
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Tessaro" / "Test.tmp")) << "deleted again";
    EXPECT_TRUE(std::filesystem::exists(dir_ / "TeHtml")) << "report directory made";
}

TEST_F(StartupTest, LaterStartsDoNotRewriteWhatIsSet) {
    installFiles();
    for (const auto& [key, value] :
         {std::pair{"A2control", "0"}, std::pair{"LRcontrol", "2"}, std::pair{"SKcontrol", "1"},
          std::pair{"ACcontrol", "0"}, std::pair{"VersionURL", "http://127.0.0.1/v.htm"},
          std::pair{"FirstUsed", "2460000"}, std::pair{"LastUsed", "2461382"},
          std::pair{"Language", "DE"}, std::pair{"BrivoDone", "1"}})
        settings_.save(kApp, kSection, key, value);
    system_.clock = {2026, 12, 7, 9, 0, 0};
    const auto outcome = run();
    ASSERT_TRUE(outcome.ok);
    for (const char* key : {"A2control", "LRcontrol", "SKcontrol", "ACcontrol", "VersionURL",
                            "FirstUsed", "LastUsed"})
        EXPECT_EQ(settings_.saveCount(kApp, kSection, key), 1) << key << " written again";
    EXPECT_EQ(setting("BrivoDone"), "0") << "reset at every start";
    EXPECT_EQ(outcome.values.language, "DE");
    EXPECT_EQ(outcome.values.versionUrl, "http://127.0.0.1/v.htm");
}

TEST_F(StartupTest, LastUsedMovesOnFirstUsedNever) {
    installFiles();
    settings_.save(kApp, kSection, "FirstUsed", "2460000");
    settings_.save(kApp, kSection, "LastUsed", "2461000");
    system_.clock = {2026, 12, 7, 9, 0, 0};
    ASSERT_TRUE(run().ok);
    EXPECT_EQ(setting("FirstUsed"), "2460000");
    EXPECT_EQ(setting("LastUsed"), "2461382");
}

TEST_F(StartupTest, TarnelPathWithoutSeparatorGetsExactlyOne) {
    installFiles();
    system_.cwd = "/nonexistent-working-directory";
    settings_.save("Tarnel", kSection, "TarnelPath", data::PathText(dir_.path()));
    const auto outcome = run();
    ASSERT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(outcome.values.dataDirectory, data::PathText(dir_.path()) + "/Tessaro/");
    EXPECT_EQ(setting("BrivoDir"), data::PathText(dir_.path()));
}

TEST_F(StartupTest, TarnelPathWithSeparatorKeepsIt) {
    installFiles();
    settings_.save("Tarnel", kSection, "TarnelPath", data::PathText(dir_.path()) + "/");
    const auto outcome = run();
    ASSERT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(outcome.values.dataDirectory, data::PathText(dir_.path()) + "/Tessaro/");
}

TEST_F(StartupTest, MissingDataDirectoryEndsWithTheSubdirectoryMessage) {
    const auto outcome = run();
    EXPECT_FALSE(outcome.ok);
    const std::string message = "Subdirectory 'Tessaro' not found in\r\n" +
                                data::PathText(dir_.path()) +
                                "/\r\nUnable to run program. Please check your installation\r\n" +
                                (dir_ / "Tessaro").string() + "/";
    EXPECT_TRUE(outcome.failure.starts_with(message)) << outcome.failure;
    EXPECT_TRUE(outcome.failure.ends_with(": No such file or directory")) << outcome.failure;
    EXPECT_EQ(setting("BrivoDone"), "0") << "written before the check";
    EXPECT_EQ(setting("FirstUsed"), "") << "nothing after the failed step runs";
    EXPECT_FALSE(std::filesystem::exists(dir_ / "TeHtml"));
}

TEST_F(StartupTest, RequiredFilesAreCheckedInOrderAndOnlyTheFirstMissingIsNamed) {
    struct Case {
        bool parameter, article, norwegian;
        const char* named;
    };
    const Case cases[] = {{false, false, false, "Tessaro.dat"},
                          {true, false, false, "Vantordata.dat"},
                          {true, true, false, "Lang_NO.txt"},
                          {false, true, true, "Tessaro.dat"}};
    for (const auto& c : cases) {
        std::filesystem::remove_all(dir_ / "Tessaro");
        installFiles(c.parameter, c.article, c.norwegian);
        const auto outcome = run();
        EXPECT_FALSE(outcome.ok);
        const std::string dataDirectory = data::PathText(dir_.path()) + "/Tessaro/";
        EXPECT_EQ(outcome.failure,
                  std::string("Parameterfile ") + c.named + "\r\nikke funnet i " + dataDirectory +
                      "\r\nBrivo kan ikke eksekveres. Vennligst sjekk installasjonen.");
        EXPECT_FALSE(std::filesystem::exists(dir_ / "TeHtml")) << "the report check comes later";
    }
}

// A named pipe is refused, never opened and waited on: in place of a data
// file it counts as missing.
TEST_F(StartupTest, NamedPipesNeverBlock) {
    for (const char* name : {"Tessaro.dat", "Vantordata.dat", "Lang_NO.txt"}) {
        SCOPED_TRACE(name);
        std::filesystem::remove_all(dir_ / "Tessaro");
        installFiles();
        std::filesystem::remove(dir_ / "Tessaro" / name);
        ASSERT_EQ(::mkfifo((dir_ / "Tessaro" / name).c_str(), 0600), 0);
        const auto outcome = run();
        EXPECT_FALSE(outcome.ok);
        EXPECT_NE(outcome.failure.find(name), std::string::npos) << outcome.failure;
    }
}

// The probes show that a file can be made in their own directory: what
// stands under their name is the program's scratch file and is replaced,
// and a link there does not send them into another directory.
TEST_F(StartupTest, TheProbesReplaceWhateverStandsUnderTheirNames) {
    enum class Leftover { Pipe, ReadOnlyFile, Link };
    const std::pair<Leftover, const char*> rows[] = {
        {Leftover::Pipe, "a pipe, never opened and waited on"},
        {Leftover::ReadOnlyFile, "a read-only file an earlier run left"},
        {Leftover::Link, "a link to a file elsewhere, which stays as it was"},
    };
    const auto elsewhere = dir_ / "elsewhere.txt";
    for (const auto& [leftover, why] : rows) {
        SCOPED_TRACE(why);
        std::filesystem::remove_all(dir_ / "Tessaro");
        std::filesystem::remove_all(dir_ / "TeHtml");
        installFiles();
        test::WriteBytes(elsewhere, "kept");
        for (const auto& probe : {dir_ / "Tessaro" / "Test.tmp", dir_ / "TeHtml" / "Test.tmp"}) {
            std::filesystem::create_directories(probe.parent_path());
            if (leftover == Leftover::Pipe) {
                ASSERT_EQ(::mkfifo(probe.c_str(), 0600), 0);
            }
            if (leftover == Leftover::ReadOnlyFile) {
                test::WriteBytes(probe, "old");
                std::filesystem::permissions(probe, std::filesystem::perms::owner_read);
            }
            if (leftover == Leftover::Link)
                std::filesystem::create_symlink(elsewhere, probe);
        }
        const auto outcome = run();
        EXPECT_TRUE(outcome.ok) << outcome.failure;
        EXPECT_FALSE(std::filesystem::exists(
            std::filesystem::symlink_status(dir_ / "Tessaro" / "Test.tmp")));
        EXPECT_TRUE(std::filesystem::is_regular_file(
            std::filesystem::symlink_status(dir_ / "TeHtml" / "Test.tmp")));
        EXPECT_EQ(test::ReadBytes(elsewhere), "kept");
    }
}

TEST_F(StartupTest, AnEmptyRequiredFileIsNamedAsEmpty) {
    installFiles();
    test::WriteBytes(dir_ / "Tessaro" / "Lang_NO.txt", "");
    const auto outcome = run();
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.failure.starts_with("Lang_NO.txt in ")) << outcome.failure;
    EXPECT_NE(outcome.failure.find(" is empty."), std::string::npos) << outcome.failure;
}

// A data file beyond the size a data file may have is never read in part:
// start-up refuses it and names its size (a sparse file costs no disk).
TEST_F(StartupTest, ADataFileLargerThanTheLimitIsNamedWithItsSize) {
    installFiles();
    std::filesystem::resize_file(dir_ / "Tessaro" / "Vantordata.dat", data::kMaxFileBytes + 1);
    const auto outcome = run();
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.failure.starts_with("Vantordata.dat in ")) << outcome.failure;
    EXPECT_NE(outcome.failure.find("is 513 MB, larger than the 512 MB"), std::string::npos)
        << outcome.failure;
}

TEST_F(StartupTest, DataFileNamesMatchWithoutRegardToCase) {
    installFiles(true, false, true);
    WriteLines(dir_ / "Tessaro" / "VantorData.dat", {"head"});
    EXPECT_TRUE(run().ok);
}

TEST_F(StartupTest, VersionCheckRunsOnlyInDebugModeWhenOnline) {
    installFiles();
    struct Case {
        const char* mode;
        bool online;
        int checks;
        bool debug;
    };
    const Case cases[] = {{"", true, 0, false},
                          {"1", true, 0, false},
                          {"2", false, 0, true},
                          {"2", true, 1, true},
                          {"3 any", true, 1, true},
                          {"2x", true, 1, true},
                          {"-1", true, 0, false},
                          {"9999999999999999999999999999999999999999", true, 1, true},
                          {"Debug mode on, please, for the whole run", true, 0, false}};
    for (const auto& c : cases) {
        versionChecks_ = 0;
        settings_.save(kApp, kSection, "BrivoMode", c.mode);
        system_.online = c.online;
        const auto outcome = run();
        EXPECT_EQ(versionChecks_, c.checks) << "mode '" << c.mode << "' online " << c.online;
        EXPECT_EQ(outcome.values.debugMode, c.debug) << c.mode;
    }
}

TEST_F(StartupTest, VersionCheckRunsEvenWhenTheInstallationChecksFailAfterwards) {
    settings_.save(kApp, kSection, "BrivoMode", "2");
    system_.online = true;
    EXPECT_FALSE(run().ok);
    EXPECT_EQ(versionChecks_, 1);
}

TEST_F(StartupTest, ReferencePictureSetsTheSizeSuffix) {
    installFiles();
    const auto picture = dir_ / "Tessaro" / "Reference1000x1000.gif";
    test::WriteBytes(picture, "GIF89a");
    struct Case {
        double ppi;
        int width;
        const char* suffix;
        bool standard;
    };
    const Case cases[] = {{120, 21200, "_21", false}, {96, 26500, "_26", true}};
    for (const auto& c : cases) {
        system_.ppi = c.ppi;
        system_.pictureWidths[picture] = 1000;
        const auto outcome = run();
        ASSERT_TRUE(outcome.ok);
        EXPECT_EQ(outcome.values.referenceWidth, c.width) << c.ppi;
        EXPECT_EQ(outcome.values.pictureSuffix, c.suffix) << c.ppi;
        EXPECT_EQ(outcome.values.standardResolution, c.standard) << c.ppi;
    }
}

TEST_F(StartupTest, ReferencePictureThatCannotBeLoadedCountsAsNone) {
    installFiles();
    test::WriteBytes(dir_ / "Tessaro" / "reference1000x1000.bmp", "not a picture");
    const auto outcome = run();
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.values.referenceWidth, 33333);
    EXPECT_EQ(outcome.values.pictureSuffix, "_33");
}

TEST_F(StartupTest, CompactScreenUpTo1200PixelsWide) {
    installFiles();
    for (const auto& [width, compact] : {std::pair{1024, true}, std::pair{1200, true},
                                         std::pair{1201, false}, std::pair{1280, false}}) {
        system_.screen = {width, 800};
        EXPECT_EQ(run().values.compactScreen, compact) << width;
    }
}

TEST(DayNumberTest, ChangesAtTwoInTheMorning) {
    struct Case {
        platform::LocalDateTime when;
        std::int32_t day;
        const char* why;
    };
    // 1 January 2000 has Julian Day Number 2451545 (odd), 2 January 2451546.
    const Case cases[] = {
        {{2000, 1, 1, 1, 30, 0}, 2451544, "before 02:00 the previous date"},
        {{2000, 1, 1, 1, 59, 59}, 2451544, "a minute before"},
        {{2000, 1, 1, 2, 0, 0}, 2451545, "02:00 on an odd day"},
        {{2000, 1, 2, 2, 0, 0}, 2451546, "02:00 on an even day"},
        {{2000, 1, 1, 2, 30, 0}, 2451545, "after 02:00 the date itself"},
        {{2000, 1, 1, 23, 59, 0}, 2451545, "late evening"},
        {{2000, 3, 1, 12, 0, 0}, 2451605, "after a leap day"},
        {{2026, 12, 7, 14, 5, 0}, 2461382, "a recent date"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DayNumber(c.when), c.day) << c.why;
}

TEST(CalcJdDateTest, IsTheJulianDateLessTwoHours) {
    EXPECT_DOUBLE_EQ(CalcJdDate({2000, 1, 1, 12, 0, 0}), 2451545.0 - 2.0 / 24);
    EXPECT_NEAR(CalcJdDate({2026, 12, 7, 0, 0, 0}), 2461381.5 - 2.0 / 24, 1e-9);
}

} // namespace
} // namespace tv::app
