#include "admin/ArticleEditor.h"
#include "app/Startup.h"
#include "platform/FakeSystem.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <iostream>
#include <unistd.h>

namespace tv::admin {
namespace {

using test::Cp;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// The save interrupted at each of its steps, by a failure the program sees
// and by a crash it does not survive, each on a copy of the sample
// installation without the pictures that start-up does not look at.
class SaveFaultsTest : public ::testing::Test {
protected:
    struct Install {
        TempDir dir;
        std::filesystem::path data() const { return dir / "Tessaro"; }
    };

    std::unique_ptr<Install> fresh() {
        auto install = std::make_unique<Install>();
        const std::filesystem::path sample = TV_SAMPLE_DIR;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(sample)) {
            const std::filesystem::path to =
                install->dir.path() / entry.path().lexically_relative(sample);
            const std::string name = entry.path().filename().string();
            if (entry.is_directory())
                std::filesystem::create_directories(to);
            else if (entry.path().extension() != ".gif" || name.starts_with("Reference"))
                std::filesystem::copy_file(entry.path(), to);
        }
        WriteBytes(install->data() / "VantorData.bak", "the backup before\r\n");
        return install;
    }

    SaveOutcome save(const Install& install, platform::FileSystem& disk) {
        data::DataFiles files(install.data(), "NO", messages_);
        const std::string key = Cp("¤0150_FLENS_DN150_TK");
        SaveRequest request{false, key, ReadRecordFields(files, key).value()};
        request.fields[9] = "1 999,-";
        return SaveRecord(files, request, system_, messages_, disk);
    }

    bool starts(const Install& install) {
        platform::MemorySettingsStore settings;
        platform::RecordingMessageBoxes messages;
        platform::FakeSystem system;
        system.cwd = install.dir.path();
        platform::Platform platform{settings, messages, system};
        return app::RunStartup(platform).ok;
    }

    platform::RecordingMessageBoxes messages_;
    platform::FakeSystem system_;
};

TEST_F(SaveFaultsTest, NoStepOfTheSaveLosesAnything) {
    int tried = 0;
    int lost = 0;
    for (bool noLinks : {false, true}) {
        const auto before = fresh();
        const std::string oldArticle = ReadBytes(before->data() / "Vantordata.dat");
        const std::string oldBackup = ReadBytes(before->data() / "VantorData.bak");
        platform::FaultyFileSystem counter;
        counter.noLinks = noLinks;
        ASSERT_EQ(save(*before, counter).result, SaveResult::Saved);
        const std::string newArticle = ReadBytes(before->data() / "Vantordata.dat");
        const int steps = counter.steps;
        ASSERT_GE(steps, 5);
        for (bool crash : {false, true}) {
            for (int step = 1; step <= steps; ++step) {
                SCOPED_TRACE((crash ? "crash at step " : "failure at step ") +
                             std::to_string(step) + (noLinks ? " without links" : ""));
                const auto install = fresh();
                platform::FaultyFileSystem disk;
                disk.noLinks = noLinks;
                disk.faultAt = step;
                disk.crash = crash;
                messages_.shown.clear();
                std::optional<SaveOutcome> outcome;
                try {
                    outcome = save(*install, disk);
                } catch (const platform::FaultyFileSystem::SimulatedCrash&) {
                }
                ++tried;
                const std::string article = ReadBytes(install->data() / "Vantordata.dat");
                const std::string backup = ReadBytes(install->data() / "VantorData.bak");
                // A new article file only ever stands beside the one it replaced.
                const bool whole =
                    (article == oldArticle && (backup == oldBackup || backup == oldArticle)) ||
                    (article == newArticle && backup == oldArticle);
                const bool ok = whole && starts(*install);
                lost += ok ? 0 : 1;
                EXPECT_TRUE(ok);
                if (crash) {
                    // The next save cleans up what the killed one left and rotates
                    // from the file as it stands.
                    platform::PosixFileSystem real;
                    ASSERT_EQ(save(*install, real).result, SaveResult::Saved);
                    EXPECT_EQ(ReadBytes(install->data() / "VantorData.bak"), article);
                    EXPECT_EQ(test::FileNames(install->data(), "VantorData."),
                              (std::vector<std::string>{"VantorData.bak", "VantorData.lock"}));
                    continue;
                }
                // A failure the program sees is undone and said, unless the save
                // could go round it (a copy for a link) or the new file already
                // stands with its backup (a flush).
                ASSERT_TRUE(outcome);
                EXPECT_EQ(test::FileNames(install->data(), "VantorData."),
                          (std::vector<std::string>{"VantorData.bak", "VantorData.lock"}));
                if (outcome->result == SaveResult::Saved) {
                    EXPECT_EQ(article, newArticle);
                    EXPECT_LE(messages_.shown.size(), 1u);
                    continue;
                }
                ASSERT_EQ(messages_.shown.size(), 1u);
                EXPECT_EQ(outcome->result, SaveResult::Failed);
                EXPECT_NE(messages_.shown[0].find("No space left on device"), std::string::npos)
                    << messages_.shown[0];
                EXPECT_EQ(article, oldArticle);
            }
        }
    }
    std::cout << "fault points tried: " << tried << ", with a loss: " << lost << '\n';
    EXPECT_EQ(lost, 0);
}

TEST_F(SaveFaultsTest, AReadOnlyDataDirectoryIsSaidAndChangesNothing) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only directories";
    const auto install = fresh();
    const std::string oldArticle = ReadBytes(install->data() / "Vantordata.dat");
    std::filesystem::permissions(install->data(), std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::owner_exec);
    platform::PosixFileSystem disk;
    EXPECT_EQ(save(*install, disk).result, SaveResult::Failed);
    std::filesystem::permissions(install->data(), std::filesystem::perms::owner_all);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find("VantorData.lock: Permission denied"), std::string::npos)
        << messages_.shown[0];
    EXPECT_EQ(ReadBytes(install->data() / "Vantordata.dat"), oldArticle);
}

// A disk that fills up while the new file is written: said, and the
// article file stands as it was, with no work file left behind.
TEST_F(SaveFaultsTest, AFullDiskIsSaidAndChangesNothing) {
    test::SmallFileSystem disk;
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a small file system needs root";
    const std::string article =
        Cp("Artikler\r\n01.12.2026\r\n¤0150_A_TK \r\nA\r\nKT-A\r\nEOL\r\nEOF\r\n");
    WriteBytes(disk / "Vantordata.dat", article);
    // The rest of the room taken, so that the new file no longer fits.
    std::string filler(1024, 'x');
    for (int k = 0; k < 80; ++k)
        WriteBytes(disk / ("filler" + std::to_string(k)), filler);
    data::DataFiles files(disk / "", "NO", messages_);
    SaveRequest request{false, Cp("¤0150_A_TK"), ReadRecordFields(files, Cp("¤0150_A_TK")).value()};
    request.fields[2] = std::string(2048, 'y');
    platform::PosixFileSystem real;
    EXPECT_EQ(SaveRecord(files, request, system_, messages_, real).result, SaveResult::Failed);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find("No space left on device"), std::string::npos)
        << messages_.shown[0];
    EXPECT_EQ(ReadBytes(disk / "Vantordata.dat"), article);
    EXPECT_EQ(test::FileNames(disk / "", "VantorData.n"), std::vector<std::string>{});
}

} // namespace
} // namespace tv::admin
