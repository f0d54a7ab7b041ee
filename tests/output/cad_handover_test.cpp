#include "output/CadHandover.h"

#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "platform/WindowSearch.h"

#include <gtest/gtest.h>

#include <ostream>
#include <optional>
#include <string>
#include <vector>

namespace tv::output {
namespace {

struct FindCase {
    const char* why;
    std::vector<std::string> titles; // topmost first
    std::optional<std::string> found;
};

// Names the case by its reason in the test listing.
void PrintTo(const FindCase& c, std::ostream* out) {
    *out << c.why;
}

class FindCadWindowTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindCadWindowTest, FindsTheTopmostMainWindow) {
    const FindCase& c = GetParam();
    EXPECT_EQ(FindCadWindow(c.titles), c.found) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Titles, FindCadWindowTest,
    ::testing::Values(
        FindCase{"the name in upper case", {"AUTOCAD 2024"}, "AUTOCAD 2024"},
        FindCase{"a document caption in mixed case is found by its upper-cased form",
                 {"Drawing1.dwg - AutoCad"},
                 "Drawing1.dwg - AutoCad"},
        FindCase{"lower case", {"autocad"}, "autocad"},
        FindCase{"the name inside a word still counts", {"xAutoCADx"}, "xAutoCADx"},
        FindCase{"the start-up dialog is passed over and the search goes on below",
                 {"AutoCAD STARTUP", "Mail", "Drawing2 - AutoCAD"},
                 "Drawing2 - AutoCAD"},
        FindCase{"the start page in mixed case is passed over",
                 {"AutoCAD - Today", "Drawing3 - AutoCAD"},
                 "Drawing3 - AutoCAD"},
        FindCase{
            "the help window in lower case is passed over", {"autocad help", "AUTOCAD"}, "AUTOCAD"},
        FindCase{"a passed-over word anywhere in the title counts",
                 {"Startup of AutoCAD", "HelpDesk AutoCAD", "AutoCAD todays"},
                 std::nullopt},
        FindCase{"the topmost match wins", {"A - AutoCAD", "B - AutoCAD"}, "A - AutoCAD"},
        FindCase{"a match far down the list",
                 {"Mail", "Browser", "", "Term", "C - AUTOCAD"},
                 "C - AUTOCAD"},
        FindCase{"no window at all", {}, std::nullopt},
        FindCase{"no window of the CAD program", {"Mail", "Auto CAD", "AUTO-CAD"}, std::nullopt},
        FindCase{"empty titles are passed over", {"", ""}, std::nullopt},
        FindCase{"Windows-1252 letters are upper-cased too: the title stays as it was",
                 {"Tegning \xF8 - AutoCAD \xE6"},
                 "Tegning \xF8 - AutoCAD \xE6"},
        FindCase{"an upper-cased accented letter does not make a passed-over word",
                 {"AutoCAD h\xE9lp"},
                 "AutoCAD h\xE9lp"}));

TEST(HandOverTest, AFoundWindowMarksTheHandOverAsDone) {
    platform::FakeWindowSearch windows({"Mail", "Drawing1 - AutoCAD"});
    platform::MemorySettingsStore settings;
    settings.save("Brivo", "Startup", "BrivoDone", "0");
    platform::RecordingMessageBoxes messages;

    EXPECT_TRUE(HandOver(windows, settings, messages));

    EXPECT_EQ(settings.get("Brivo", "Startup", "BrivoDone"), "1");
    EXPECT_EQ(settings.saveCount("Brivo", "Startup", "BrivoDone"), 2);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(windows.searches, 1);
}

TEST(HandOverTest, NoWindowShowsTheMessageAndWritesNothing) {
    platform::FakeWindowSearch windows({"Mail", "AutoCAD - Startup", "AutoCAD Help"});
    platform::MemorySettingsStore settings;
    settings.save("Brivo", "Startup", "BrivoDone", "0");
    platform::RecordingMessageBoxes messages;

    EXPECT_FALSE(HandOver(windows, settings, messages));

    EXPECT_EQ(settings.get("Brivo", "Startup", "BrivoDone"), "0");
    EXPECT_EQ(settings.saveCount("Brivo", "Startup", "BrivoDone"), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Autocad kj\xF8rer ikke");
}

TEST(HandOverTest, AnEmptyDesktopShowsTheMessage) {
    platform::FakeWindowSearch windows;
    platform::MemorySettingsStore settings;
    platform::RecordingMessageBoxes messages;

    EXPECT_FALSE(HandOver(windows, settings, messages));

    EXPECT_EQ(settings.saveCount("Brivo", "Startup", "BrivoDone"), 0);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Autocad kj\xF8rer ikke"});
}

TEST(HandOverTest, EverySearchAsksTheDesktopAfresh) {
    platform::FakeWindowSearch windows;
    platform::MemorySettingsStore settings;
    platform::RecordingMessageBoxes messages;
    EXPECT_FALSE(HandOver(windows, settings, messages));

    // The user starts the CAD program and presses the button again.
    windows.titles = {"AutoCAD 2024 - Drawing1.dwg"};
    EXPECT_TRUE(HandOver(windows, settings, messages));

    EXPECT_EQ(windows.searches, 2);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(settings.get("Brivo", "Startup", "BrivoDone"), "1");
}

} // namespace
} // namespace tv::output
