#include "platform/X11WindowSearch.h"

#include "output/CadHandover.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <random>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

// Last: the X headers define None, True and the like as macros.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

extern char** environ;

namespace tv::platform {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> XvfbPath() {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const fs::path candidate = fs::path(dirs.substr(start, end - start)) / "Xvfb";
        if (!candidate.parent_path().empty() && access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
        start = end + 1;
    }
    return std::nullopt;
}

// An X server of the test's own on a display number nobody else uses, so the
// windows on it are exactly the ones the test makes.
class XServer {
public:
    bool start(const std::string& binary) {
        std::mt19937 random(std::random_device{}());
        for (int attempt = 0; attempt < 20; ++attempt) {
            const int number = 90 + static_cast<int>(random() % 400);
            const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
            const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
            if (fs::exists(socket) || fs::exists(lock))
                continue;
            name_ = ":" + std::to_string(number);
            if (launch(binary, socket))
                return true;
        }
        return false;
    }

    ~XServer() { stop(); }

    void stop() {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }

    const std::string& name() const { return name_; }

private:
    bool launch(const std::string& binary, const std::string& socket) {
        // Without -noreset the server resets when its last client leaves,
        // and a connection made in that moment is refused.
        std::vector<std::string> args = {binary,       name_,       "-screen", "0",
                                         "800x600x24", "-nolisten", "tcp",     "-noreset"};
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int failed =
            posix_spawn(&pid_, binary.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (failed) {
            pid_ = 0;
            return false;
        }
        for (int wait = 0; wait < 200; ++wait) {
            // Another run may have taken the same number a moment earlier.
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = 0;
                return false;
            }
            if (fs::exists(socket)) {
                if (Display* probe = XOpenDisplay(name_.c_str())) {
                    XCloseDisplay(probe);
                    return true;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        stop();
        return false;
    }

    pid_t pid_ = 0;
    std::string name_;
};

class X11WindowSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::optional<std::string> binary = XvfbPath();
        if (!binary)
            GTEST_SKIP() << "Xvfb is not installed, so there is no X server to search";
        ASSERT_TRUE(server_.start(*binary)) << "Xvfb did not start";
        display_ = XOpenDisplay(server_.name().c_str());
        ASSERT_NE(display_, nullptr);
    }

    void TearDown() override {
        if (display_)
            XCloseDisplay(display_);
        server_.stop();
    }

    Window makeWindow(const char* title, bool mapped = true, Window parent = 0) {
        const Window window = XCreateSimpleWindow(
            display_, parent ? parent : DefaultRootWindow(display_), 0, 0, 100, 100, 0, 0, 0);
        if (title)
            XStoreName(display_, window, title);
        if (mapped)
            XMapWindow(display_, window);
        XSync(display_, False);
        return window;
    }

    void setUtf8Name(Window window, const std::string& utf8) {
        XChangeProperty(display_, window, XInternAtom(display_, "_NET_WM_NAME", False),
                        XInternAtom(display_, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(utf8.data()),
                        static_cast<int>(utf8.size()));
        XSync(display_, False);
    }

    std::vector<std::string> titles() const {
        return X11WindowSearch(server_.name()).topLevelTitles();
    }

    XServer server_;
    Display* display_ = nullptr;
};

using Titles = std::vector<std::string>;

TEST_F(X11WindowSearchTest, TitlesComeTopmostFirst) {
    const Window mail = makeWindow("Mail");
    makeWindow("Drawing1.dwg - AutoCAD");
    makeWindow("Terminal");
    EXPECT_EQ(titles(), (Titles{"Terminal", "Drawing1.dwg - AutoCAD", "Mail"}));

    XRaiseWindow(display_, mail);
    XSync(display_, False);
    EXPECT_EQ(titles(), (Titles{"Mail", "Terminal", "Drawing1.dwg - AutoCAD"}));
}

TEST_F(X11WindowSearchTest, HiddenWindowsCountAndUntitledOnesDoNot) {
    makeWindow("Shown");
    makeWindow(nullptr);
    makeWindow("Hidden", false);
    EXPECT_EQ(titles(), (Titles{"Hidden", "Shown"}));
}

TEST_F(X11WindowSearchTest, TheUtf8NameWinsAndComesAsWindows1252) {
    const Window window = makeWindow("Tegning - AutoCAD");
    // "Tegning ø – AutoCAD" in UTF-8: ø and the en dash both exist in
    // Windows-1252.
    setUtf8Name(window, "Tegning \xC3\xB8 \xE2\x80\x93 AutoCAD");
    EXPECT_EQ(titles(), (Titles{"Tegning \xF8 \x96 AutoCAD"}));
}

TEST_F(X11WindowSearchTest, ALatin1NameComesThroughByteForByte) {
    makeWindow("Tegning \xF8 - AutoCAD");
    EXPECT_EQ(titles(), (Titles{"Tegning \xF8 - AutoCAD"}));
}

TEST_F(X11WindowSearchTest, AFrameStandsForTheTitledWindowInsideIt) {
    const Window frame = makeWindow(nullptr);
    makeWindow("Drawing2 - AutoCAD", true, frame);
    makeWindow("Top");
    EXPECT_EQ(titles(), (Titles{"Top", "Drawing2 - AutoCAD"}));
}

TEST_F(X11WindowSearchTest, TheWindowManagersStackingListWinsOverTheTree) {
    const Window a = makeWindow("A");
    const Window b = makeWindow("B");
    const Window c = makeWindow("C");
    // Bottom first, as a window manager keeps it; the tree has C on top.
    const unsigned long stacking[] = {c, a, b};
    XChangeProperty(display_, DefaultRootWindow(display_),
                    XInternAtom(display_, "_NET_CLIENT_LIST_STACKING", False), XA_WINDOW, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(stacking), 3);
    XSync(display_, False);
    EXPECT_EQ(titles(), (Titles{"B", "A", "C"}));
}

TEST_F(X11WindowSearchTest, AWindowGoneFromTheStackingListIsPassedOver) {
    const Window a = makeWindow("A");
    const Window b = makeWindow("B");
    const unsigned long stacking[] = {a, b};
    XChangeProperty(display_, DefaultRootWindow(display_),
                    XInternAtom(display_, "_NET_CLIENT_LIST_STACKING", False), XA_WINDOW, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(stacking), 2);
    XDestroyWindow(display_, b);
    XSync(display_, False);
    EXPECT_EQ(titles(), (Titles{"A"}));
}

TEST_F(X11WindowSearchTest, ALongTitleIsCutAt255) {
    const std::string longTitle(300, 'x');
    makeWindow(longTitle.c_str());
    EXPECT_EQ(titles(), (Titles{std::string(255, 'x')}));
}

TEST_F(X11WindowSearchTest, TheDisplayComesFromTheEnvironment) {
    makeWindow("Mail");
    const char* before = std::getenv("DISPLAY");
    const std::optional<std::string> saved =
        before ? std::optional<std::string>(before) : std::nullopt;
    setenv("DISPLAY", server_.name().c_str(), 1);
    const Titles named = X11WindowSearch().topLevelTitles();
    unsetenv("DISPLAY");
    const Titles none = X11WindowSearch().topLevelTitles();
    if (saved)
        setenv("DISPLAY", saved->c_str(), 1);
    EXPECT_EQ(named, Titles{"Mail"});
    EXPECT_TRUE(none.empty());
}

TEST_F(X11WindowSearchTest, AVanishedDisplayGivesNoWindows) {
    makeWindow("Drawing1 - AutoCAD");
    XCloseDisplay(display_);
    display_ = nullptr;
    server_.stop();
    EXPECT_TRUE(titles().empty());
    EXPECT_TRUE(X11WindowSearch(":4999").topLevelTitles().empty());
}

TEST_F(X11WindowSearchTest, TheHandOverFindsTheCadWindowBelowItsStartPage) {
    makeWindow("Drawing1.dwg - autocad 2024");
    makeWindow("Mail");
    makeWindow("AutoCAD - STARTUP");
    const X11WindowSearch windows(server_.name());
    EXPECT_EQ(output::FindCadWindow(windows.topLevelTitles()),
              std::optional<std::string>("Drawing1.dwg - autocad 2024"));

    MemorySettingsStore settings;
    RecordingMessageBoxes messages;
    EXPECT_TRUE(output::HandOver(windows, settings, messages));
    EXPECT_EQ(settings.get("Brivo", "Startup", "BrivoDone"), "1");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(X11WindowSearchTest, TheHandOverPassesOverHelpAndStartPage) {
    makeWindow("AutoCAD Help");
    makeWindow("AutoCAD - Today");
    MemorySettingsStore settings;
    RecordingMessageBoxes messages;
    EXPECT_FALSE(output::HandOver(X11WindowSearch(server_.name()), settings, messages));
    EXPECT_EQ(settings.saveCount("Brivo", "Startup", "BrivoDone"), 0);
    EXPECT_EQ(messages.shown, Titles{"Autocad kj\xF8rer ikke"});
}

} // namespace
} // namespace tv::platform
