#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtSystem.h"
#include "platform/qt/QtText.h"

#include "platform/TempDir.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>

#include <functional>

using namespace tv::platform;
using tv::platform::testing::TempDir;
using tv::platform::testing::WriteBytes;

namespace {

QString QPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

TEST(QtSystem, PictureWidthComesFromTheFile) {
    TempDir dir;
    QImage picture(37, 11, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(QPath(dir / "Reference1000x1000.png"), "PNG"));
    ASSERT_TRUE(picture.save(QPath(dir / "valve.bmp"), "BMP"));
    WriteBytes(dir / "notes.gif", "this is no picture");

    const QtSystem system;
    EXPECT_EQ(system.pictureWidthPixels(dir / "Reference1000x1000.png"), 37);
    EXPECT_EQ(system.pictureWidthPixels(dir / "valve.bmp"), 37);
    EXPECT_FALSE(system.pictureWidthPixels(dir / "notes.gif")) << "text with a picture's name";
    EXPECT_FALSE(system.pictureWidthPixels(dir / "missing.png"));
}

TEST(QtSystem, FormatsDateTimeWithSecondsAndFullYear) {
    const QtSystem system;
    const QString text = QString::fromStdString(system.formatDateTime({2026, 12, 7, 14, 5, 30}));
    EXPECT_TRUE(text.contains(QStringLiteral("2026"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("05\\D30")))) << text.toStdString();
}

TEST(QtSystem, TimeFormatsGainSeconds) {
    struct Row {
        const char* format;
        const char* withSeconds;
    };
    const Row rows[] = {
        {"HH:mm", "HH:mm:ss"},
        {"h:mm AP", "h:mm:ss AP"},
        {"H.mm", "H.mm.ss"},      // the locale's own separator
        {"HH:mm:ss", "HH:mm:ss"}, // already there
        {"h:mm:ss AP t", "h:mm:ss AP t"},
        {"'kl.' HH:mm", "'kl.' HH:mm:ss"},
        {"HH'h'mm", "HH'h'mm:ss"},       // a quoted letter is no separator
        {"HH:mm 'ms'", "HH:mm:ss 'ms'"}, // quoted letters are text, not fields
        {"HH", "HH"},                    // no minutes, nothing to follow
    };
    for (const Row& row : rows)
        EXPECT_EQ(TimeFormatWithSeconds(QString::fromLatin1(row.format)),
                  QString::fromLatin1(row.withSeconds))
            << row.format;
}

TEST(QtSystem, DateFormatsGainTheFullYear) {
    struct Row {
        const char* format;
        const char* full;
    };
    const Row rows[] = {
        {"M/d/yy", "M/d/yyyy"},     {"dd.MM.yy", "dd.MM.yyyy"},   {"dd.MM.yyyy", "dd.MM.yyyy"},
        {"yy-MM-dd", "yyyy-MM-dd"}, {"d 'yy' yy", "d 'yy' yyyy"}, // quoted text stays
    };
    for (const Row& row : rows)
        EXPECT_EQ(DateFormatWithFullYear(QString::fromLatin1(row.format)),
                  QString::fromLatin1(row.full))
            << row.format;
}

TEST(QtText, ConvertsWindows1252AtTheScreen) {
    const std::string bytes = "\xA4\xF8\x80";
    const QString text = ToQString(bytes);
    EXPECT_EQ(text, QString::fromUtf8("\u00A4\u00F8\u20AC"));
    EXPECT_EQ(FromQString(text), bytes);
    EXPECT_EQ(FromQString(QString::fromUtf8("A\u4E2DB")), "A?B");
}

namespace {

// Waits for the next modal message box, hands it to `act` and lets the test
// go on once the box is closed. Gives up after two seconds so a box that
// never appears fails the test instead of hanging it.
void WhenBoxAppears(std::function<void(QMessageBox&)> act) {
    auto* poll = new QTimer;
    auto started = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, started, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box && ++*started < 200)
            return;
        poll->stop();
        poll->deleteLater();
        if (box)
            act(*box);
    });
    poll->start(10);
}

} // namespace

TEST(QtMessageBoxes, QuestionShowsTitleAndTextAndReturnsTheAnswer) {
    for (const bool yes : {true, false}) {
        QString title;
        QString text;
        WhenBoxAppears([&](QMessageBox& box) {
            title = box.windowTitle();
            text = box.text();
            box.button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        QtMessageBoxes boxes;
        EXPECT_EQ(boxes.askYesNo("Quit", "Are you sure\r\nyou want to quit? \xF8"), yes);
        EXPECT_EQ(title, QStringLiteral("Quit"));
        EXPECT_EQ(text, QString::fromUtf8("Are you sure\nyou want to quit? \u00F8"));
    }
}

TEST(QtMessageBoxes, InformationCarriesTheProgramName) {
    QString title;
    QString text;
    int buttons = 0;
    WhenBoxAppears([&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        buttons = static_cast<int>(box.buttons().size());
        box.button(QMessageBox::Ok)->click();
    });
    QtMessageBoxes().inform("Subdirectory 'Tessaro' not found in\r\nC:\\Brivo\\\rLine three");
    EXPECT_EQ(title, QStringLiteral("tessaro-vavuvirivado"));
    EXPECT_EQ(text, QStringLiteral("Subdirectory 'Tessaro' not found in\nC:\\Brivo\\\nLine three"));
    EXPECT_EQ(buttons, 1);
}
