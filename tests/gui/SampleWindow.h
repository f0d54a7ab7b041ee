#pragma once

#include "app/Startup.h"
#include "gui/MainWindow.h"
#include "gui/wizard/Wizard.h"
#include "platform/FakeSystem.h"
#include "platform/WebClient.h"
#include "platform/qt/QtText.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

namespace tv::app {

using gui::MainWindow;

using test::Cp;
using test::TempDir;

inline QString Q(std::string_view cp1252) {
    return platform::ToScreenText(cp1252);
}

// The line after a text key line in a language file, found the plain way.
inline std::string Translation(const std::filesystem::path& languageFile, const std::string& key) {
    std::ifstream in(languageFile, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == key && std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return line;
        }
    }
    return key.substr(2);
}

inline std::string FirstLine(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// A directory tree as a test found it, so that what a test changed in it
// can be put back: the files added go, and the files changed or removed
// come back from the tree they were copied from.
class RecordedTree {
public:
    RecordedTree(std::filesystem::path root, std::filesystem::path source)
        : root_(std::move(root)), source_(std::move(source)) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root_))
            record(std::filesystem::relative(entry.path(), root_));
    }

    void restore() {
        removeAdded();
        for (auto& [name, stamp] : stamps_) {
            if (stampOf(root_ / name) == stamp)
                continue;
            std::filesystem::remove_all(root_ / name);
            if (stamp.directory)
                std::filesystem::create_directory(root_ / name, source_ / name);
            else
                std::filesystem::copy_file(source_ / name, root_ / name);
            stamp = stampOf(root_ / name);
        }
    }

private:
    // A file changed in place gets a new change time, which no program can
    // set back; one replaced gets a new inode. A directory counts by its
    // mode alone: its times follow its entries, which count themselves.
    struct Stamp {
        bool exists = false;
        bool directory = false;
        mode_t mode = 0;
        ino_t inode = 0;
        off_t size = 0;
        std::int64_t modified = 0;
        std::int64_t changed = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };

    static Stamp stampOf(const std::filesystem::path& path) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0)
            return {};
        Stamp stamp{true, S_ISDIR(status.st_mode), status.st_mode};
        if (stamp.directory)
            return stamp;
        stamp.inode = status.st_ino;
        stamp.size = status.st_size;
        stamp.modified = status.st_mtim.tv_sec * 1'000'000'000LL + status.st_mtim.tv_nsec;
        stamp.changed = status.st_ctim.tv_sec * 1'000'000'000LL + status.st_ctim.tv_nsec;
        return stamp;
    }

    void record(const std::filesystem::path& name) { stamps_[name] = stampOf(root_ / name); }

    void removeAdded() {
        std::vector<std::filesystem::path> added;
        auto entries = std::filesystem::recursive_directory_iterator(root_);
        for (auto entry = begin(entries); entry != end(entries); ++entry) {
            if (stamps_.contains(std::filesystem::relative(entry->path(), root_)))
                continue;
            added.push_back(entry->path());
            entry.disable_recursion_pending();
        }
        for (const auto& path : added)
            std::filesystem::remove_all(path);
    }

    std::filesystem::path root_;
    std::filesystem::path source_;
    std::map<std::filesystem::path, Stamp> stamps_; // in name order: a directory before its files
};

// What the window tests of one test program share: one copy of the sample
// installation, the doubles of the machine, and the window started on them,
// which the next test that starts the same way takes over.
class WindowBench {
public:
    // The bench of this test program, made at its first use.
    static WindowBench& get() {
        if (!held())
            held() = std::make_unique<WindowBench>();
        return *held();
    }
    // The window goes before the application object does.
    static void close() { held().reset(); }

    TempDir install;
    TempDir program;
    RecordedTree installed{CopySample(install), TV_SAMPLE_DIR};
    RecordedTree programFiles{CopyPersonalIni(program), TV_SAMPLE_DIR};
    platform::MemorySettingsStore settings;
    platform::RecordingMessageBoxes messages;
    platform::FakeSystem system;
    platform::RecordingShell shell;
    platform::FakeWindowSearch windows;
    platform::FakeWebClient web;
    platform::Platform platform{settings, messages, system, &shell, &windows, &web};
    std::unique_ptr<MainWindow> window;
    // The window start() gave, while it may be given again, with the
    // settings its start-up left and the values it started with.
    MainWindow* shared = nullptr;
    platform::MemorySettingsStore settingsAfterStart;
    data::StartupValues valuesAtStart;

private:
    static std::filesystem::path CopySample(const TempDir& install) {
        std::filesystem::copy(TV_SAMPLE_DIR, install.path(),
                              std::filesystem::copy_options::recursive);
        return install.path();
    }
    // The customer details the dialog is pre-filled with.
    static std::filesystem::path CopyPersonalIni(const TempDir& program) {
        std::filesystem::copy_file(std::filesystem::path(TV_SAMPLE_DIR) / "personal.ini",
                                   program / "personal.ini");
        return program.path();
    }

    static std::unique_ptr<WindowBench>& held() {
        static std::unique_ptr<WindowBench> bench;
        return bench;
    }
};

// The real main window on a copy of the sample installation, with the
// machine, the settings store and the message boxes replaced by doubles.
// Each test finds the installation as it was copied and the doubles fresh;
// start() gives the window the tests share, startNewRun() one of the
// test's own.
class SampleWindowTest : public ::testing::Test {
protected:
    SampleWindowTest() {
        bench_.installed.restore();
        bench_.programFiles.restore();
        resetDoubles();
    }

    // A window that a test left as it found it (nothing said, nothing
    // failed, the run's values unchanged) serves the next one; any other
    // goes.
    void TearDown() override {
        if (window_ && window_.get() == bench_.shared && !HasFailure() && messages_.shown.empty() &&
            window_->isVisible() && sameRun(window_->session(), bench_.valuesAtStart))
            return;
        window_.reset();
        bench_.shared = nullptr;
    }

    std::filesystem::path dataDir() const { return install_.path() / "Tessaro"; }

    // Runs `answer` on the customer dialog once it is open.
    void whenDialogOpens(std::function<void(QDialog*)> answer) {
        QTimer::singleShot(0, [this, answer] {
            auto* form = window_->findChild<QDialog*>("contactsForm");
            ASSERT_NE(form, nullptr);
            ASSERT_TRUE(form->isVisible());
            answer(form);
        });
    }

    static void fill(QDialog* form, const char* field, const QString& text) {
        auto* edit = form->findChild<QLineEdit*>(field);
        ASSERT_NE(edit, nullptr) << field;
        edit->setText(text);
    }

    static void click(QDialog* form, const char* button) {
        auto* b = form->findChild<QPushButton*>(button);
        ASSERT_NE(b, nullptr) << button;
        b->click();
    }

    // The window on the start screen as a first run on the sample shows it,
    // on fresh doubles: what the test prepared before is not looked at. The
    // window the tests share, back from where the last test left it as
    // "Start new" brings it back.
    void start() {
        resetDoubles();
        if (window_ && window_.get() == bench_.shared) {
            settings_ = bench_.settingsAfterStart;
            window_->wizard()->StartNew();
            ASSERT_EQ(window_->session().steps.iProgressCode(), 21);
            window_->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
            return;
        }
        startNewRun();
        if (HasFailure())
            return;
        bench_.shared = window_.get();
        bench_.settingsAfterStart = settings_;
        bench_.valuesAtStart = window_->session().values;
    }

    // A new run of the program, on what the test prepared (settings, the
    // machine, data files): creation with OK on the pre-filled dialog, then
    // loading.
    void startNewRun() {
        window_ = std::make_unique<MainWindow>(platform_, program_.path());
        whenDialogOpens([](QDialog* form) { click(form, "cmdOK"); });
        ASSERT_TRUE(window_->create());
        auto values = StartWindowRun(platform_);
        ASSERT_TRUE(values);
        window_->load(std::move(*values));
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    // A left (or other) press on a control, as the user gives it.
    void press(const char* name, Qt::MouseButton button = Qt::LeftButton) {
        auto* widget = control<QWidget>(name);
        ASSERT_NE(widget, nullptr) << name;
        ASSERT_TRUE(widget->isVisible()) << name << " is not visible";
        QTest::mouseClick(widget, button, Qt::NoModifier, QPoint(5, 5));
    }

    // A press on row `row` of a list.
    void pressRow(const char* name, int row, Qt::MouseButton button = Qt::LeftButton);

    // Presses the list entry whose text starts with `text`.
    void pressEntry(const char* name, const QString& text);

    QString codeLabel() { return control<QLabel>("lblCode")->text(); }
    bool nextEnabled() { return control<QPushButton>("cmdNext")->isEnabled(); }

    template <typename T> T* control(const char* name) {
        auto* found = window_->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    WindowBench& bench_ = WindowBench::get();
    TempDir& install_ = bench_.install;
    TempDir& program_ = bench_.program;
    platform::MemorySettingsStore& settings_ = bench_.settings;
    platform::RecordingMessageBoxes& messages_ = bench_.messages;
    platform::FakeSystem& system_ = bench_.system;
    platform::RecordingShell& shell_ = bench_.shell;
    platform::FakeWindowSearch& windows_ = bench_.windows;
    platform::FakeWebClient& web_ = bench_.web;
    platform::Platform& platform_ = bench_.platform;
    std::unique_ptr<MainWindow>& window_ = bench_.window;

private:
    void resetDoubles() {
        settings_ = {};
        messages_ = {};
        system_ = {};
        system_.cwd = install_.path();
        system_.pictureWidths[dataDir() / "Reference1000x1000.gif"] = 1000;
        shell_ = {};
        windows_ = {};
        web_ = {};
    }

    // What a window takes from its start-up and may change on the way: the
    // language it shows and the values of the run.
    static bool sameRun(const window::Session& session, const data::StartupValues& atStart) {
        auto run = [](const data::StartupValues& v) {
            return std::tie(v.programMode, v.debugMode, v.online, v.compactScreen, v.referenceWidth,
                            v.pictureSuffix, v.displaySize);
        };
        return session.language() == atStart.language && run(session.values) == run(atStart);
    }
};

inline void SampleWindowTest::pressRow(const char* name, int row, Qt::MouseButton button) {
    auto* list = control<QListWidget>(name);
    ASSERT_NE(list, nullptr) << name;
    ASSERT_TRUE(list->isVisible()) << name << " is not visible";
    ASSERT_LT(row, list->count()) << name;
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), button, Qt::NoModifier, rect.center());
}

inline void SampleWindowTest::pressEntry(const char* name, const QString& text) {
    auto* list = control<QListWidget>(name);
    ASSERT_NE(list, nullptr) << name;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text().startsWith(text)) {
            pressRow(name, row);
            return;
        }
    }
    FAIL() << name << " has no entry " << text.toStdString();
}

} // namespace tv::app
