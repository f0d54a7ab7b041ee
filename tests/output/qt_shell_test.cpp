#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace tv::platform {
namespace {

struct UrlCase {
    const char* why;
    const char* target;
    QUrl url;
};

// Names the case by its reason in the test listing.
void PrintTo(const UrlCase& c, std::ostream* out) {
    *out << c.why;
}

class ShellUrlTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(ShellUrlTest, MakesTheAddressTheDesktopOpens) {
    const UrlCase& c = GetParam();
    EXPECT_EQ(ShellUrl(c.target), c.url) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Targets, ShellUrlTest,
    ::testing::Values(
        UrlCase{"a web address", "https://www.kelmor.example/tessaro/",
                QUrl("https://www.kelmor.example/tessaro/")},
        UrlCase{"a scheme in capitals", "HTTP://www.example.org/", QUrl("http://www.example.org/")},
        UrlCase{"a mail address", "mailto:post@example.org", QUrl("mailto:post@example.org")},
        UrlCase{"a file address stays one", "file:///tmp/a.htm", QUrl("file:///tmp/a.htm")},
        UrlCase{"a local path becomes a file address", "/home/user/TeHtml/Te1.htm",
                QUrl::fromLocalFile("/home/user/TeHtml/Te1.htm")},
        UrlCase{"a relative path too", "TeHtml/Te1.htm", QUrl::fromLocalFile("TeHtml/Te1.htm")},
        UrlCase{"a drive letter is a path, not a scheme", "C:/Tarnel/TeHtml/Te1.htm",
                QUrl::fromLocalFile("C:/Tarnel/TeHtml/Te1.htm")},
        UrlCase{"Windows-1252 letters of a path", "/tmp/Tegning \xF8.htm",
                QUrl::fromLocalFile(QString::fromUtf8("/tmp/Tegning \xC3\xB8.htm"))},
        UrlCase{"blanks around the address are dropped", "  https://www.example.org/ ",
                QUrl("https://www.example.org/")},
        UrlCase{"nothing to open", "", QUrl()}));

// Stands in for the browser: takes what the desktop hands it.
class Receiver : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl& url) { urls.push_back(url); }
};

TEST(QtShellTest, HandsTheAddressToTheDesktopHandler) {
    Receiver browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    QtShell shell;
    EXPECT_TRUE(shell.open("https://www.kelmor.example/"));
    EXPECT_TRUE(shell.open("https://www.example.org/s\xF8k"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));

    ASSERT_EQ(browser.urls.size(), 2u);
    EXPECT_EQ(browser.urls[0], QUrl("https://www.kelmor.example/"));
    EXPECT_EQ(browser.urls[1].path(), QString::fromUtf8("/s\xC3\xB8k"));
}

TEST(QtShellTest, AnEmptyTargetIsRefused) {
    QtShell shell;
    EXPECT_FALSE(shell.open(""));
    EXPECT_FALSE(shell.open("   "));
}

} // namespace
} // namespace tv::platform

#include "qt_shell_test.moc"
