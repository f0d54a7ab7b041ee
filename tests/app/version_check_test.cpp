#include "app/VersionCheck.h"
#include "admin/WebProbe.h"
#include "data/DataFiles.h"
#include "platform/FakeSystem.h"
#include "platform/SettingsStore.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <deque>
#include <set>

namespace tv::app {
namespace {

using admin::GetHTMLFromURL;
using admin::kMaxWebTextBytes;
using admin::kProbeMarker;
using admin::kProbeWebAddress;
using admin::kWebTextChunkBytes;
using admin::kWebTextFile;
using admin::MakeRandomBelow;
using admin::ProbeWebText;
using admin::RandomBelow;
using admin::RandomWord;
using admin::WebTextProbe;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using test::WriteLines;
using namespace std::string_literals;

const std::string kUrl = "http://versions.example/tessaroversion.htm";

std::string NewVersionMessage(const std::string& version) {
    return std::string(kNewVersionBefore) + version + kNewVersionAfter;
}

TEST(ShowVersionMessage, TellsOnlyOfANewerVersion) {
    struct Case {
        const char* name;
        std::string page;
        std::string found;
        bool told;
    };
    const Case cases[] = {
        {"newer patch", "Programversjon 1.8.12\r\n", "1.8.12", true},
        {"the same", "Programversjon 1.8.11\r\n", "1.8.11", false},
        {"newer minor", "Programversjon 1.9\r\n", "1.9", true},
        {"compared by characters", "Programversjon 1.10.0\r\n", "1.10.0", false},
        {"older", "Programversjon 1.8.1\r\n", "1.8.1", false},
        {"longer with the same start", "Programversjon 1.8.11a\r\n", "1.8.11a", true},
        {"byte above ASCII", "Programversjon \xE9\r\n", "\xE9", true},
        {"lower case start ignored", "programversjon 2.0\r\n", "", false},
        {"no blank after the word", "Programversjon2.0\r\n", "", false},
        {"indented line ignored", " Programversjon 2.0\r\n", "", false},
        {"second blank is part of it", "Programversjon  2.0\r\n", " 2.0", false},
        {"no version line", "<html><body>Tessaro</body></html>\r\n", "", false},
        {"empty page", "", "", false},
        {"last line wins, older", "Programversjon 2.0\r\nProgramversjon 1.8.10\r\n", "1.8.10",
         false},
        {"last line wins, newer", "Programversjon 1.8.10\r\nx\r\nProgramversjon 2.0\r\n", "2.0",
         true},
        {"last line wins, empty", "Programversjon 2.0\r\nProgramversjon \r\n", "", false},
        {"no line end at the end", "<p>\r\nProgramversjon 1.9", "1.9", true},
        {"LF line ends", "<p>\nProgramversjon 1.9\n</p>\n", "1.9", true},
        {"CR line ends", "<p>\rProgramversjon 1.8.11\r</p>", "1.8.11", false},
        {"among binary bytes", "\0\xFF\x01\r\nProgramversjon 1.9\r\n\0\0"s, "1.9", true},
        {"binary without a line", "\0\xFF\x01\x80\r\n\0"s, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto file = dir / "tessaroversion.htm";
        WriteBytes(file, c.page);
        platform::RecordingMessageBoxes messages;
        EXPECT_EQ(ShowVersionMessage(file, messages), c.found);
        const std::vector<std::string> expected =
            c.told ? std::vector<std::string>{NewVersionMessage(c.found)}
                   : std::vector<std::string>{};
        EXPECT_EQ(messages.shown, expected);
        EXPECT_FALSE(std::filesystem::exists(file)) << "deleted after reading";
    }
}

TEST(ShowVersionMessage, MissingFileIsReported) {
    TempDir dir;
    platform::RecordingMessageBoxes messages;
    EXPECT_EQ(ShowVersionMessage(dir / "tessaroversion.htm", messages), "");
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Versjonsinfo ikke funnet"});
}

class CheckVersionTest : public ::testing::Test {
protected:
    CheckVersionTest() {
        values_.debugMode = true;
        values_.online = true;
        values_.installDirectory = data::PathText(dir_.path()) + "/";
        values_.versionUrl = kUrl;
        values_.versionFile = values_.installDirectory + "tessaroversion.htm";
    }

    std::filesystem::path versionFile() const { return dir_ / "tessaroversion.htm"; }

    void check() { CheckVersion(values_, web_, messages_); }

    TempDir dir_;
    StartupValues values_;
    platform::FakeWebClient web_;
    platform::RecordingMessageBoxes messages_;
};

TEST_F(CheckVersionTest, NewerVersionIsToldAndTheFileRemoved) {
    web_.pages[kUrl] = "<html>\r\nProgramversjon 1.8.12\r\n</html>\r\n";
    check();
    EXPECT_EQ(web_.requested, std::vector<std::string>{kUrl});
    EXPECT_EQ(messages_.shown, std::vector<std::string>{NewVersionMessage("1.8.12")});
    EXPECT_TRUE(values_.online);
    EXPECT_FALSE(std::filesystem::exists(versionFile()));
    // Events run before the download and again before the message.
    EXPECT_EQ(web_.trace, "EORRE");
}

TEST_F(CheckVersionTest, OldCopyOfThePageIsNotRead) {
    WriteBytes(versionFile(), "Programversjon 9.9\r\n");
    web_.pages[kUrl] = "Programversjon 1.8.11\r\n";
    check();
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(versionFile()));
}

TEST_F(CheckVersionTest, EmptyPageIsNoFailure) {
    web_.pages[kUrl] = "";
    check();
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_TRUE(values_.online);
    EXPECT_FALSE(std::filesystem::exists(versionFile()));
}

TEST_F(CheckVersionTest, FailedDownloadClearsOnlineAndTellsNothing) {
    struct Case {
        const char* name;
        bool reachable;
        std::optional<std::size_t> failAfter;
    };
    const Case cases[] = {
        {"cannot be opened", false, std::nullopt},
        {"fails at once", true, 0},
        {"fails part-way", true, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::FakeWebClient web;
        if (c.reachable)
            web.pages[kUrl] = "Programversjon 1.9\r\n";
        if (c.failAfter)
            web.failAfter[kUrl] = *c.failAfter;
        StartupValues values = values_;
        platform::RecordingMessageBoxes messages;
        CheckVersion(values, web, messages);
        EXPECT_EQ(web.requested, std::vector<std::string>{kUrl});
        EXPECT_FALSE(values.online);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_FALSE(std::filesystem::exists(versionFile()));
        EXPECT_EQ(std::count(web.trace.begin(), web.trace.end(), 'E'), 1)
            << "no events run after a failure: " << web.trace;
    }
}

// A page that came but cannot be kept is said with the reason: the version
// check then counts as failed, the probe goes on.
TEST_F(CheckVersionTest, APageThatCannotBeWrittenIsSaid) {
    values_.versionFile = values_.installDirectory + "missing-directory/tessaroversion.htm";
    std::filesystem::create_directory(dir_ / "WebText.txt");
    web_.pages[kUrl] = "Programversjon 1.9\r\n";
    web_.pages[kProbeWebAddress] = "<p>hello</p>";
    check();
    EXPECT_FALSE(values_.online);
    const auto probe = ProbeWebText(values_, web_, messages_, MakeRandomBelow());
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->pageText, "<p>hello</p>");
    ASSERT_EQ(messages_.shown.size(), 2u);
    const std::string missing = "tessaroversion.htm could not be written:\r\n" +
                                (dir_ / "missing-directory").string() + "/";
    EXPECT_TRUE(messages_.shown[0].starts_with(missing)) << messages_.shown[0];
    EXPECT_TRUE(messages_.shown[0].ends_with(": No such file or directory")) << messages_.shown[0];
    EXPECT_EQ(messages_.shown[1], "WebText.txt could not be written:\r\n" +
                                      (dir_ / "WebText.txt").string() + " is a directory");
}

TEST_F(CheckVersionTest, PageLargerThanTheBoundIsAFailure) {
    const std::string line = "Programversjon 1.9\r\n";
    const std::string atBound = line + std::string(kMaxVersionPageBytes - line.size(), 'x');
    for (const auto& [page, fits] : {std::pair{atBound, true}, std::pair{atBound + "x", false}}) {
        SCOPED_TRACE(page.size());
        platform::FakeWebClient web;
        web.pages[kUrl] = page;
        StartupValues values = values_;
        platform::RecordingMessageBoxes messages;
        CheckVersion(values, web, messages);
        EXPECT_EQ(values.online, fits);
        EXPECT_EQ(messages.shown.size(), fits ? 1u : 0u);
        std::size_t asked = 0;
        for (const std::size_t size : web.readSizes)
            asked += size;
        EXPECT_LE(asked, kMaxVersionPageBytes + 1) << "reading stops right after the bound";
    }
}

TEST_F(CheckVersionTest, OnlyDebugModeWithAConnectionChecks) {
    for (const auto& [debug, online] :
         {std::pair{false, true}, std::pair{true, false}, std::pair{false, false}}) {
        SCOPED_TRACE(testing::Message() << "debug " << debug << " online " << online);
        platform::FakeWebClient web;
        web.pages[kUrl] = "Programversjon 2.0\r\n";
        StartupValues values = values_;
        values.debugMode = debug;
        values.online = online;
        platform::RecordingMessageBoxes messages;
        CheckVersion(values, web, messages);
        EXPECT_EQ(web.trace, "") << "no network access at all";
        EXPECT_EQ(values.online, online);
        EXPECT_TRUE(messages.shown.empty());
    }
}

// Through start-up, as the window runs it.
TEST(StartupVersionCheck, RunsFromStartUpInDebugModeWithAConnectionOnly) {
    struct Case {
        const char* mode;
        bool online;
        bool withWeb;
        bool checked;
    };
    const Case cases[] = {
        {"2", true, true, true}, {"3", true, true, true},   {"1", true, true, false},
        {"", true, true, false}, {"2", false, true, false}, {"2", true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "mode '" << c.mode << "' online " << c.online << " web " << c.withWeb);
        TempDir dir;
        for (const char* name : {"Tessaro.dat", "Vantordata.dat", "Lang_NO.txt"})
            WriteLines(dir / "Tessaro" / name, {"head"});
        platform::MemorySettingsStore settings;
        settings.save(kApp, kSection, "BrivoMode", c.mode);
        settings.save(kApp, kSection, "VersionURL", kUrl);
        platform::RecordingMessageBoxes messages;
        platform::FakeSystem system;
        system.cwd = dir.path();
        system.online = c.online;
        platform::FakeWebClient web;
        web.pages[kUrl] = "Programversjon 1.9\r\n";
        platform::Platform platform{settings, messages, system};
        if (c.withWeb)
            platform.web = &web;

        const auto outcome = RunStartup(platform, StartupVersionCheck(platform));
        ASSERT_TRUE(outcome.ok) << outcome.failure;
        EXPECT_EQ(web.requested.size(), c.checked ? 1u : 0u);
        EXPECT_EQ(messages.shown, c.checked ? std::vector<std::string>{NewVersionMessage("1.9")}
                                            : std::vector<std::string>{});
        EXPECT_FALSE(std::filesystem::exists(dir / "tessaroversion.htm"));
    }
}

TEST(GetHTMLFromURL, ReadsTheRawBytesInChunksWithEventsBeforeEach) {
    std::string page;
    for (int i = 0; i < 5000; ++i)
        page += static_cast<char>(i * 7 % 256); // NUL and bytes above 127 included
    platform::FakeWebClient web;
    web.pages[kUrl] = page;
    EXPECT_EQ(GetHTMLFromURL(web, kUrl), page);
    EXPECT_EQ(web.requested, std::vector<std::string>{kUrl});
    EXPECT_EQ(web.readSizes, std::vector<std::size_t>(4, 2048));
    EXPECT_EQ(web.trace, "OERERERER");
}

TEST(GetHTMLFromURL, NothingWhenThePageCannotBeHad) {
    platform::FakeWebClient web;
    web.pages["http://empty.example/"] = "";
    for (const char* address : {"http://nowhere.example/", "http://empty.example/"}) {
        SCOPED_TRACE(address);
        EXPECT_EQ(GetHTMLFromURL(web, address), "");
    }
}

TEST(GetHTMLFromURL, AReadThatFailsPartWayKeepsWhatCameBefore) {
    platform::FakeWebClient web;
    web.pages["http://partly.example/"] = std::string(5000, 'x');
    web.failAfter["http://partly.example/"] = 3000;
    EXPECT_EQ(GetHTMLFromURL(web, "http://partly.example/"), std::string(3000, 'x'));
}

TEST(GetHTMLFromURL, KeepsTheFirstPartOfAHugePage) {
    std::string page(kMaxWebTextBytes + 5000, 'a');
    page[kMaxWebTextBytes - 1] = 'z';
    platform::FakeWebClient web;
    web.pages[kUrl] = page;
    const std::string text = GetHTMLFromURL(web, kUrl);
    EXPECT_EQ(text.size(), kMaxWebTextBytes);
    EXPECT_EQ(text.back(), 'z');
    for (const std::size_t size : web.readSizes)
        EXPECT_LE(size, kWebTextChunkBytes);
}

// Answers scripted numbers first, then 0; records every n asked for.
struct ScriptedRandom {
    std::deque<int> answers;
    std::vector<int> asked;

    RandomBelow source() {
        return [this](int n) {
            asked.push_back(n);
            if (answers.empty())
                return 0;
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        };
    }
};

bool IsVowel(char letter) {
    return std::string_view("aeiouy").find(static_cast<char>(std::tolower(letter))) !=
           std::string_view::npos;
}

// Checks the shape of a word: its length, upper-case first letter,
// lower-case rest, and vowels at every other position.
void ExpectWordShape(const std::string& word, std::size_t length, bool vowelsFirst) {
    ASSERT_EQ(word.size(), length) << word;
    EXPECT_TRUE(std::isupper(static_cast<unsigned char>(word[0]))) << word;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (i > 0) {
            EXPECT_TRUE(std::islower(static_cast<unsigned char>(word[i]))) << word;
        }
        EXPECT_EQ(IsVowel(word[i]), (i % 2 == 0) == vowelsFirst) << word << " at " << i;
    }
}

TEST(RandomWord, LengthAndVowelPlacesComeFromTheRandomSource) {
    for (int lengthPick = 0; lengthPick < 3; ++lengthPick) {
        for (int parityPick = 0; parityPick < 2; ++parityPick) {
            for (const bool lastLetters : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << lengthPick << " " << parityPick << " " << lastLetters);
                ScriptedRandom random;
                random.answers = {lengthPick, parityPick};
                const std::size_t length = 5 + lengthPick;
                const bool vowelsFirst = parityPick == 0;
                for (std::size_t i = 0; i < length; ++i) {
                    const bool vowel = (i % 2 == 0) == vowelsFirst;
                    random.answers.push_back(lastLetters ? (vowel ? 10 : 29) : 0);
                }
                const std::string word = RandomWord(random.source());
                ExpectWordShape(word, length, vowelsFirst);
                // One pick of the length, one of the vowel places, then one
                // from the pool of 11 vowels or 30 consonants per letter.
                ASSERT_EQ(random.asked.size(), 2 + length);
                EXPECT_EQ(random.asked[0], 3);
                EXPECT_EQ(random.asked[1], 2);
                for (std::size_t i = 0; i < length; ++i)
                    EXPECT_EQ(random.asked[2 + i], ((i % 2 == 0) == vowelsFirst) ? 11 : 30);
            }
        }
    }
}

TEST(RandomWord, ProgramSourceStaysInRange) {
    const RandomBelow random = MakeRandomBelow();
    for (const int n : {1, 2, 3, 11, 30}) {
        std::set<int> seen;
        for (int i = 0; i < 400; ++i) {
            const int value = random(n);
            ASSERT_GE(value, 0);
            ASSERT_LT(value, n);
            seen.insert(value);
        }
        EXPECT_EQ(static_cast<int>(seen.size()), n) << "every value comes up";
    }
}

class ProbeWebTextTest : public ::testing::Test {
protected:
    ProbeWebTextTest() {
        values_.debugMode = true;
        values_.online = true;
        values_.installDirectory = data::PathText(dir_.path()) + "/";
        values_.start = {2026, 12, 7, 14, 5, 30};
        random_.answers = {1, 1}; // six letters, consonant first
    }

    std::optional<WebTextProbe> probe() {
        return ProbeWebText(values_, web_, messages_, random_.source());
    }

    std::filesystem::path webText() const { return dir_ / "WebText.txt"; }

    TempDir dir_;
    StartupValues values_;
    platform::FakeWebClient web_;
    platform::RecordingMessageBoxes messages_;
    ScriptedRandom random_;
};

TEST_F(ProbeWebTextTest, ShowsThePageFromTheMarkerOnAndKeepsIt) {
    const std::string page = "<p>Tessaro \xE6\xF8\xE5</p>\r\nProgramversion 1.9\r\n<p>end</p>";
    web_.pages[kProbeWebAddress] = page;
    const auto result = probe();
    ASSERT_TRUE(result);
    EXPECT_EQ(web_.requested, std::vector<std::string>{kProbeWebAddress});
    EXPECT_EQ(result->pageText, page);
    EXPECT_EQ(messages_.shown, std::vector<std::string>{"Programversion 1.9\r\n<p>end</p>"});
    EXPECT_EQ(ReadBytes(webText()), page);
    ASSERT_EQ(result->wordLine.size(), 6u + 4u + 4u) << result->wordLine;
    ExpectWordShape(result->wordLine.substr(0, 6), 6, false);
    EXPECT_EQ(result->wordLine.substr(6), "    2026");
}

TEST_F(ProbeWebTextTest, PageWithoutTheMarkerIsOnlyKept) {
    for (const char* page : {"<p>Programversjon 1.9</p>", "programversion 1.9", "Programversion"}) {
        SCOPED_TRACE(page);
        platform::FakeWebClient web;
        web.pages[kProbeWebAddress] = page;
        platform::RecordingMessageBoxes messages;
        const auto result = ProbeWebText(values_, web, messages, MakeRandomBelow());
        ASSERT_TRUE(result);
        EXPECT_EQ(result->pageText, page);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(ReadBytes(webText()), page) << "an older file is replaced";
    }
}

TEST_F(ProbeWebTextTest, NothingCameBackLeavesTheFileAlone) {
    WriteBytes(webText(), "earlier");
    struct Case {
        const char* name;
        bool online;
        std::optional<std::string> page; // nothing: cannot be fetched
        bool fetched;
    };
    const Case cases[] = {
        {"cannot be fetched", true, std::nullopt, true},
        {"empty page", true, "", true},
        {"cannot be fetched, and the online flag is off", false, std::nullopt, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::FakeWebClient web;
        if (c.page)
            web.pages[kProbeWebAddress] = *c.page;
        StartupValues values = values_;
        values.online = c.online;
        platform::RecordingMessageBoxes messages;
        const auto result = ProbeWebText(values, web, messages, MakeRandomBelow());
        ASSERT_TRUE(result);
        EXPECT_EQ(result->pageText, "");
        EXPECT_TRUE(result->wordLine.ends_with("    2026")) << result->wordLine;
        EXPECT_EQ(web.requested.size(), c.fetched ? 1u : 0u);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(ReadBytes(webText()), "earlier");
    }
}

TEST_F(ProbeWebTextTest, AFailedVersionDownloadDoesNotStopTheProbe) {
    values_.online = false;
    web_.pages[kProbeWebAddress] = "<p>hello</p>";
    const auto result = probe();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->pageText, "<p>hello</p>");
    EXPECT_EQ(web_.requested, std::vector<std::string>{kProbeWebAddress});
}

TEST_F(ProbeWebTextTest, NormalModeDoesNothing) {
    values_.debugMode = false;
    web_.pages[kProbeWebAddress] = "Programversion 1.9";
    EXPECT_FALSE(probe());
    EXPECT_EQ(web_.trace, "");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(webText()));
}

} // namespace
} // namespace tv::app
