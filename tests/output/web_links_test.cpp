#include "output/WebLinks.h"

#include "platform/Shell.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace tv::output {
namespace {

struct LinkCase {
    const char* why;
    const char* control;
    const char* headAddress;
    std::string address;
};

// Names the case by its reason in the test listing.
void PrintTo(const LinkCase& c, std::ostream* out) {
    *out << c.why;
}

class StartScreenLinkTest : public ::testing::TestWithParam<LinkCase> {};

TEST_P(StartScreenLinkTest, GivesTheAddressOfTheControl) {
    const LinkCase& c = GetParam();
    EXPECT_EQ(StartScreenLink(c.control, c.headAddress), c.address) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Controls, StartScreenLinkTest,
    ::testing::Values(
        LinkCase{"the head text opens the address laid out last", "lblStartscreenHead",
                 "https://www.example.org/a", "https://www.example.org/a"},
        LinkCase{"a head address that is a local path is passed on as it is", "lblStartscreenHead",
                 "/opt/tessaro/Tessaro/info.htm", "/opt/tessaro/Tessaro/info.htm"},
        LinkCase{"an empty head address stays empty", "lblStartscreenHead", "", ""},
        LinkCase{"the first picture opens the maker's home page", "imgStartScreen1",
                 "https://www.example.org/a", "https://www.kelmor.example/"},
        LinkCase{"the second picture opens the configurator's page", "imgStartScreen2",
                 "https://www.example.org/a", "https://www.kelmor.example/tessaro/"},
        LinkCase{"any other control is no link", "cmdNext", "https://www.example.org/a", ""},
        LinkCase{"control names match exactly", "imgStartScreen3", "x", ""}));

TEST(LaunchUrlTest, HandsTheAddressToTheShellUnchanged) {
    platform::RecordingShell shell;
    LaunchURL(shell, "https://www.kelmor.example/tessaro/");
    LaunchURL(shell, "/home/user/TeHtml/Te2026.htm");
    LaunchURL(shell, "https://www.example.org/s\xF8k?q=1&r=2");
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"https://www.kelmor.example/tessaro/",
                                                      "/home/user/TeHtml/Te2026.htm",
                                                      "https://www.example.org/s\xF8k?q=1&r=2"}));
}

TEST(LaunchUrlTest, ARefusingShellChangesNothing) {
    platform::RecordingShell shell;
    shell.result = false;
    LaunchURL(shell, "https://www.kelmor.example/");
    LaunchURL(shell, "https://www.kelmor.example/");
    EXPECT_EQ(shell.opened.size(), 2u);
}

TEST(LaunchUrlTest, AnEmptyAddressOpensNothing) {
    platform::RecordingShell shell;
    LaunchURL(shell, StartScreenLink("lblStartscreenHead", ""));
    EXPECT_TRUE(shell.opened.empty());
}

TEST(LaunchUrlTest, TheHeadTextFollowsTheLatestLayout) {
    // A language change lays the start screen out again with a new address.
    platform::RecordingShell shell;
    std::string head = "https://www.example.org/no";
    LaunchURL(shell, StartScreenLink("lblStartscreenHead", head));
    head = "https://www.example.org/en";
    LaunchURL(shell, StartScreenLink("lblStartscreenHead", head));
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"https://www.example.org/no",
                                                      "https://www.example.org/en"}));
}

} // namespace
} // namespace tv::output
