#include "app/CommandLine.h"
#include "app/Startup.h"
#include "data/DataFiles.h"
#include "platform/FakeSystem.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tv::app {
namespace {

using test::Cp;

// The check command on a copy of the sample installation, so that the
// start-up probes never write into the source tree.
class CheckCommandTest : public ::testing::Test {
protected:
    CheckCommandTest() {
        std::filesystem::copy(TV_SAMPLE_DIR, install_.path(),
                              std::filesystem::copy_options::recursive);
        system_.cwd = install_.path();
    }

    int run(std::vector<std::string> args) { return RunCheckCommand(args, platform_, out_, err_); }

    test::TempDir install_;
    platform::MemorySettingsStore settings_;
    platform::RecordingMessageBoxes messages_;
    platform::FakeSystem system_;
    platform::Platform platform_{settings_, messages_, system_};
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CheckCommandTest, ValidCodePrintsZero) {
    EXPECT_EQ(run({"check", "TBGCFCSPFCXX-V18"}), 0);
    EXPECT_EQ(out_.str(), "0\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(settings_.get(kApp, kSection, "BrivoDone"), "0") << "start-up ran";
}

TEST_F(CheckCommandTest, LowerCaseCodeIsCheckedInUpperCase) {
    EXPECT_EQ(run({"check", "kbbdfdfdfdfd-v18"}), 0);
    EXPECT_EQ(out_.str(), "0\n");
}

TEST_F(CheckCommandTest, InvalidCodePrintsItsPositionAndTheMessageOfTheWindow) {
    EXPECT_EQ(run({"check", "tbgcfcqpfcxx-v18"}), 1);
    EXPECT_EQ(out_.str(), "7\n");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0],
              Cp("Feil i kodens posisjon 7\r\nDenne posisjonen kan ikke være 'Q'"));
}

TEST_F(CheckCommandTest, MessageQuotesTheCodeAsTyped) {
    // A single valve: the check puts X at position 3 of its stored code.
    EXPECT_EQ(run({"check", "EBUCFCXXFCXX-V18"}), 1);
    EXPECT_EQ(out_.str(), "3\n");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find("'U'"), std::string::npos) << messages_.shown[0];
}

TEST_F(CheckCommandTest, WrongUsageTouchesNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"check"},
        {"check", "TBGCFCSPFCXX-V18", "extra"},
        {"check", "TBGCFCSPFCXX"},
        {"check", ""},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.size() > 1 ? args[1] : "(no code)");
        out_.str("");
        err_.str("");
        EXPECT_EQ(run(args), 2);
        EXPECT_EQ(out_.str(), "");
        EXPECT_FALSE(err_.str().empty());
    }
    EXPECT_EQ(settings_.saveCount(kApp, kSection, "BrivoDir"), 0) << "start-up never ran";
}

TEST_F(CheckCommandTest, TwelvePositionsWithoutSuffixAreTooShort) {
    EXPECT_EQ(run({"check", "TBGCFCSPFCXX"}), 2);
    EXPECT_NE(err_.str().find("at least 13 characters"), std::string::npos) << err_.str();
    EXPECT_EQ(run({"check", "TBGCFCSPFCXX-"}), 0) << "one character of suffix is enough";
}

TEST_F(CheckCommandTest, InstallationWithoutDataDirectoryEndsAtStartUp) {
    test::TempDir empty;
    system_.cwd = empty.path();
    EXPECT_EQ(run({"check", "TBGCFCSPFCXX-V18"}), 2);
    EXPECT_EQ(out_.str(), "");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].starts_with("Subdirectory 'Tessaro' not found in\r\n" +
                                               data::PathText(empty.path())))
        << messages_.shown[0];
}

TEST_F(CheckCommandTest, TarnelPathNamesTheInstallation) {
    test::TempDir elsewhere;
    system_.cwd = elsewhere.path();
    settings_.save("Tarnel", kSection, "TarnelPath", data::PathText(install_.path()));
    EXPECT_EQ(run({"check", "DPBDMCXXBDXX-V18"}), 0);
    EXPECT_EQ(out_.str(), "0\n");
}

TEST_F(CheckCommandTest, DataProblemsOfTheCheckAreShown) {
    // The valve range of the sample without the socket list of DN 150.
    const auto parameterFile = install_ / "Tessaro" / "Tessaro.dat";
    std::string bytes = test::ReadBytes(parameterFile);
    const std::string key = "\xA4"
                            "DN150_MUFFE";
    const auto at = bytes.find(key + "\r\n");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, key.size(),
                  "\xA4"
                  "GONE");
    test::WriteBytes(parameterFile, bytes);

    EXPECT_EQ(run({"check", "KAGCFBGCSPMC-V18"}), 1);
    EXPECT_EQ(out_.str(), "12\n");
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[0], Cp("¤DN150_MUFFE key not found"));
    EXPECT_EQ(messages_.shown[1],
              Cp("Feil i kodens posisjon 12\r\nDenne posisjonen kan ikke være 'C'"));
}

} // namespace
} // namespace tv::app
