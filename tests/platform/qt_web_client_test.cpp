#include "platform/qt/QtWebClient.h"

#include "app/Startup.h"
#include "admin/WebProbe.h"
#include "app/VersionCheck.h"
#include "data/DataFiles.h"
#include "platform/FakeSystem.h"
#include "platform/SettingsStore.h"

#include "platform/LocalHttpServer.h"
#include "platform/TempDir.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <chrono>
#include <optional>

using namespace tv;
using namespace std::chrono_literals;
using platform::QtWebClient;
using platform::testing::HttpAnswer;
using platform::testing::LocalHttpServer;
using platform::testing::TempDir;
using platform::testing::WriteBytes;

namespace {

std::string NewVersionMessage(const std::string& version) {
    return std::string(app::kNewVersionBefore) + version + app::kNewVersionAfter;
}

// Bounds small enough to keep the tests fast.
constexpr auto kStall = 500ms;
constexpr auto kTotal = 1500ms;

// Start-up of an installation in a temporary directory, the version page on
// the test's own server, the version check as the window runs it.
class QtVersionCheckTest : public ::testing::Test {
protected:
    QtVersionCheckTest() {
        for (const char* name : {"Tessaro.dat", "Vantordata.dat", "Lang_NO.txt"})
            WriteBytes(dir_ / "Tessaro" / name, "head\r\n");
        std::filesystem::create_directories(dir_ / "TeHtml");
        system_.cwd = dir_.path();
        system_.online = true;
        settings_.save(app::kApp, app::kSection, "BrivoMode", "2");
        settings_.save(app::kApp, app::kSection, "VersionURL", server_.url("/tessaroversion.htm"));
        platform_.web = &web_;
    }

    app::StartupOutcome start() {
        auto outcome = app::RunStartup(platform_, app::StartupVersionCheck(platform_));
        EXPECT_TRUE(outcome.ok) << outcome.failure;
        EXPECT_FALSE(std::filesystem::exists(dir_ / "tessaroversion.htm"));
        return outcome;
    }

    LocalHttpServer server_;
    TempDir dir_;
    platform::MemorySettingsStore settings_;
    platform::RecordingMessageBoxes messages_;
    platform::FakeSystem system_;
    QtWebClient web_{kStall, kTotal};
    platform::Platform platform_{settings_, messages_, system_};
};

TEST_F(QtVersionCheckTest, OnlyANewerVersionIsTold) {
    struct Case {
        const char* version;
        bool told;
    };
    for (const Case& c : {Case{"1.8.12", true}, Case{"1.9", true}, Case{"1.8.11", false},
                          Case{"1.8.10", false}, Case{"1.10.0", false}}) {
        SCOPED_TRACE(c.version);
        messages_.shown.clear();
        server_.answer(HttpAnswer::Page(std::string("<html>\r\nProgramversjon ") + c.version +
                                        "\r\n</html>\r\n"));
        const auto outcome = start();
        EXPECT_TRUE(outcome.values.online);
        EXPECT_EQ(messages_.shown,
                  c.told ? std::vector{NewVersionMessage(c.version)} : std::vector<std::string>{});
    }
    EXPECT_EQ(server_.requestCount(), 5u) << "every start asks afresh";
}

TEST_F(QtVersionCheckTest, RequestAsksForTheNewestCopy) {
    server_.answer(HttpAnswer::Page("Programversjon 1.8.11\r\n"));
    start();
    const auto requests = server_.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine, "GET /tessaroversion.htm HTTP/1.1");
    EXPECT_EQ(requests[0].header("user-agent"), "VB OpenUrl");
    EXPECT_EQ(requests[0].header("cache-control"), "no-cache");
    EXPECT_EQ(requests[0].header("pragma"), "no-cache");
}

TEST_F(QtVersionCheckTest, RedirectIsFollowed) {
    settings_.save(app::kApp, app::kSection, "VersionURL", server_.url("/old.htm"));
    server_.answer("/old.htm", HttpAnswer::Redirect(server_.url("/tessaroversion.htm")));
    server_.answer(HttpAnswer::Page("Programversjon 2.0\r\n"));
    const auto outcome = start();
    EXPECT_TRUE(outcome.values.online);
    EXPECT_EQ(messages_.shown, std::vector{NewVersionMessage("2.0")});
    EXPECT_EQ(server_.requestCount(), 2u);
}

TEST_F(QtVersionCheckTest, FailuresClearOnlineAndTellNothing) {
    // A failure that has to be waited out takes its bound and then gives
    // up: the upper limit is loose, it only tells a bound from a hang on a
    // busy test machine.
    struct Case {
        const char* name;
        HttpAnswer answer;
        std::chrono::milliseconds waited; // 0 for a failure that is seen at once
    };
    const Case cases[] = {
        {"not found", HttpAnswer::Page("Programversjon 9.9\r\n", 404), 0ms},
        {"server error", HttpAnswer::Page("Programversjon 9.9\r\n", 500), 0ms},
        {"huge page",
         HttpAnswer::Page("Programversjon 9.9\r\n" + std::string(app::kMaxVersionPageBytes, 'x')),
         0ms},
        {"never answers", HttpAnswer::Silent(), kStall},
        {"never ends", HttpAnswer::Trickle("Programversjon 9.9\r\n"), kTotal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages_.shown.clear();
        server_.answer(c.answer);
        const auto began = std::chrono::steady_clock::now();
        const auto outcome = start();
        const auto took = std::chrono::steady_clock::now() - began;
        EXPECT_FALSE(outcome.values.online);
        EXPECT_TRUE(messages_.shown.empty());
        EXPECT_GE(took, c.waited);
        EXPECT_LT(took, c.waited + 10s) << "gives up instead of hanging";
    }
}

TEST_F(QtVersionCheckTest, RefusedConnectionClearsOnline) {
    int closedPort = 0;
    {
        LocalHttpServer gone;
        closedPort = gone.port();
    }
    settings_.save(app::kApp, app::kSection, "VersionURL",
                   "http://127.0.0.1:" + std::to_string(closedPort) + "/tessaroversion.htm");
    const auto outcome = start();
    EXPECT_FALSE(outcome.values.online);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(QtVersionCheckTest, NormalModeAndNoConnectionSendNothing) {
    server_.answer(HttpAnswer::Page("Programversjon 9.9\r\n"));
    struct Case {
        const char* mode;
        bool online;
    };
    for (const Case& c : {Case{"1", true}, Case{"", true}, Case{"2", false}}) {
        SCOPED_TRACE(testing::Message() << "mode '" << c.mode << "' online " << c.online);
        settings_.save(app::kApp, app::kSection, "BrivoMode", c.mode);
        system_.online = c.online;
        const auto outcome = start();
        EXPECT_EQ(outcome.values.online, c.online);
        EXPECT_TRUE(messages_.shown.empty());
    }
    EXPECT_EQ(server_.requestCount(), 0u);
}

TEST(QtWebClient, PageBytesArriveUnchanged) {
    LocalHttpServer server;
    std::string page;
    for (int i = 0; i < 6000; ++i)
        page += static_cast<char>(i * 7 % 256);
    server.answer(HttpAnswer::Page(page));
    QtWebClient web(kStall, kTotal);
    EXPECT_EQ(admin::GetHTMLFromURL(web, server.url("/webtest.htm")), page);

    server.answer(HttpAnswer::Page("Programversion 1.9", 404));
    EXPECT_EQ(admin::GetHTMLFromURL(web, server.url("/webtest.htm")), "");
    EXPECT_EQ(admin::GetHTMLFromURL(web, "no address at all"), "");
    EXPECT_EQ(server.requestCount(), 2u);
}

TEST(QtWebClient, EventsRunWhileWaiting) {
    LocalHttpServer server;
    server.answer(HttpAnswer::Late("late", 300ms));
    QtWebClient web(kStall, kTotal);
    bool ranBetween = false;
    QTimer::singleShot(0, [&ranBetween] { ranBetween = true; });
    web.letEventsRun();
    EXPECT_TRUE(ranBetween) << "letEventsRun handles what is pending";

    bool ranWhileWaiting = false;
    QTimer::singleShot(50, [&ranWhileWaiting] { ranWhileWaiting = true; });
    const auto transfer = web.open(server.url("/late.htm"));
    ASSERT_TRUE(transfer);
    EXPECT_EQ(transfer->read(100), "late");
    EXPECT_TRUE(ranWhileWaiting) << "the wait for the page runs the user interface's events";
    EXPECT_EQ(transfer->read(100), "");
}

} // namespace
