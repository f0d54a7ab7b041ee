#pragma once

#include "app/Startup.h"
#include "gui/MainWindow.h"
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

#include <fstream>
#include <functional>
#include <memory>

namespace tv::app {

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

// The real main window on a copy of the sample installation, with the
// machine, the settings store and the message boxes replaced by doubles.
class SampleWindowTest : public ::testing::Test {
protected:
    SampleWindowTest() {
        std::filesystem::copy(TV_SAMPLE_DIR, install_.path(),
                              std::filesystem::copy_options::recursive);
        std::filesystem::copy_file(std::filesystem::path(TV_SAMPLE_DIR) / "personal.ini",
                                   program_ / "personal.ini");
        system_.cwd = install_.path();
        system_.pictureWidths[dataDir() / "Reference1000x1000.gif"] = 1000;
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

    // Creation with OK on the pre-filled dialog, then loading.
    void start() {
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

    TempDir install_;
    TempDir program_;
    platform::MemorySettingsStore settings_;
    platform::RecordingMessageBoxes messages_;
    platform::FakeSystem system_;
    platform::RecordingShell shell_;
    platform::FakeWindowSearch windows_;
    platform::FakeWebClient web_;
    platform::Platform platform_{settings_, messages_, system_, &shell_, &windows_, &web_};
    std::unique_ptr<MainWindow> window_;
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
