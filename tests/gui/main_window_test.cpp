#include "gui/SampleWindow.h"
#include "app/Startup.h"
#include "data/StartScreenLayout.h"
#include "platform/FakeSystem.h"
#include "platform/qt/QtText.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

namespace tv::app {
namespace {

using test::Cp;
using test::TempDir;

TEST_F(SampleWindowTest, StartsOnTheSampleAndShowsTheStartScreen) {
    start();
    EXPECT_EQ(window_->objectName(), "mainBrivo");
    EXPECT_TRUE(messages_.shown.empty()) << messages_.shown.front();
    EXPECT_EQ(window_->session().steps.iProgressCode(), 21);
    EXPECT_EQ(window_->session().values.pictureSuffix, "_26");

    const auto layout = data::ReadStartScreenLayout(*window_->session().files);
    ASSERT_TRUE(layout);
    const char* tooltips[] = {"Vis norske tekster",  "Show english texts",
                              "Zeige Deutche texte", "Nayta suomalaisia teksteja",
                              "Vis danske tekst",    "Visa svenska texter"};
    for (std::size_t i = 0; i < 6; ++i) {
        const auto& place = layout->flags[i];
        auto* flag = control<QLabel>(place.objectName.c_str());
        ASSERT_NE(flag, nullptr);
        EXPECT_TRUE(flag->isVisible()) << place.objectName;
        EXPECT_EQ(flag->geometry(), window_->session().px(place.rect)) << place.objectName;
        EXPECT_FALSE(flag->pixmap().isNull()) << place.objectName << " has no picture";
        EXPECT_EQ(flag->toolTip(), QString::fromLatin1(tooltips[i]));
    }
    // Two rows of three: NO EN DK above DE FI SE, the second row at three
    // times the first row's top.
    auto* no = control<QLabel>("No_flag");
    auto* en = control<QLabel>("En_flag");
    auto* dk = control<QLabel>("Dk_flag");
    auto* de = control<QLabel>("De_flag");
    EXPECT_EQ(no->y(), en->y());
    EXPECT_EQ(en->y(), dk->y());
    EXPECT_EQ(de->x(), no->x());
    EXPECT_EQ(de->y(), window_->session().px(3 * layout->flags[0].rect.top));
    EXPECT_LT(no->x(), en->x());
    EXPECT_LT(en->x(), dk->x());

    for (const char* name : {"imgStartScreen1", "imgStartScreen2"}) {
        auto* picture = control<QLabel>(name);
        EXPECT_TRUE(picture->isVisible()) << name;
        EXPECT_FALSE(picture->pixmap().isNull()) << name;
    }

    const QString head = control<QLabel>("lblStartscreenHead")->text();
    EXPECT_TRUE(head.contains("1.8.11")) << head.toStdString();
    EXPECT_TRUE(head.contains("Display 1920x1080   (96PPT)")) << head.toStdString();
    EXPECT_EQ(head.split('\n').size(), 5);
    EXPECT_EQ(control<QLabel>("lblStartscreenHead")->font().pointSize(), 10);

    EXPECT_EQ(control<QLabel>("lblStartscreen1")->text(),
              Q(FirstLine(dataDir() / (layout->infoName1 + "_NO.txt"))));
    EXPECT_EQ(control<QLabel>("lblStartscreen2")->text(),
              Q(FirstLine(dataDir() / (layout->infoName2 + "_NO.txt"))));
    EXPECT_EQ(control<QPushButton>("cmdExit")->text(), "Avbryt");
    EXPECT_EQ(control<QPushButton>("cmdStartscreen1")->text(), Q(layout->start1Caption));
    EXPECT_TRUE(control<QPushButton>("cmdStartscreen1")->isVisible());
    EXPECT_TRUE(control<QPushButton>("cmdStartscreen2")->isVisible());
    EXPECT_TRUE(control<QPushButton>("cmdStartscreen1")->hasFocus());
    for (const char* shortcut : {"lblKonf2", "lbRekonf2", "lblAadmCtrl"})
        EXPECT_FALSE(control<QLabel>(shortcut)->isVisible()) << shortcut << " on a wide display";
    EXPECT_TRUE(control<QLabel>("lblDebugInfo")->isVisible());
    EXPECT_EQ(control<QLabel>("lblDebugInfo")->text(), "");
}

TEST_F(SampleWindowTest, LeftClickOnAFlagSwitchesEveryTextAndStoresTheLanguage) {
    start();
    QTest::mouseClick(control<QLabel>("En_flag"), Qt::LeftButton);
    EXPECT_EQ(settings_.get("Brivo", "Startup", "Language"), "EN");
    EXPECT_EQ(window_->session().language(), "EN");
    EXPECT_EQ(window_->session().steps.iProgressCode(), 21);
    const auto english = dataDir() / "Lang_EN.txt";
    const QString exit = Q(Translation(english, Cp("¤¤Avbryt")));
    EXPECT_NE(exit, "Avbryt") << "the sample translates the exit caption";
    EXPECT_EQ(control<QPushButton>("cmdExit")->text(), exit);

    const auto layout = data::ReadStartScreenLayout(*window_->session().files);
    ASSERT_TRUE(layout);
    EXPECT_EQ(control<QLabel>("lblStartscreen1")->text(),
              Q(FirstLine(dataDir() / (layout->infoName1 + "_EN.txt"))));
    EXPECT_EQ(control<QPushButton>("cmdStartscreen1")->text(), Q(layout->start1Caption));
    EXPECT_TRUE(messages_.shown.empty());

    QTest::mouseClick(control<QLabel>("Se_flag"), Qt::LeftButton);
    EXPECT_EQ(settings_.get("Brivo", "Startup", "Language"), "SE");
    EXPECT_EQ(control<QPushButton>("cmdExit")->text(),
              Q(Translation(dataDir() / "Lang_SE.txt", Cp("¤¤Avbryt"))));
}

TEST_F(SampleWindowTest, OtherButtonsOnAFlagShowItsHelpAndKeepTheLanguage) {
    start();
    auto* frame = control<QWidget>("frmHelp");
    auto* help = control<QLabel>("lblHelp");
    EXPECT_FALSE(frame->isVisible());
    QTest::mouseClick(control<QLabel>("De_flag"), Qt::RightButton);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(help->text().isEmpty());
    EXPECT_EQ(window_->session().language(), "NO");
    EXPECT_EQ(settings_.get("Brivo", "Startup", "Language"), "");

    QTest::mouseClick(help, Qt::LeftButton);
    EXPECT_FALSE(frame->isVisible()) << "a click on the text closes the help";
}

TEST_F(SampleWindowTest, HeadTextAndStartPicturesOpenTheMakersPages) {
    start();
    press("lblStartscreenHead");
    press("imgStartScreen1");
    press("imgStartScreen2");
    const std::vector<std::string> expected = {"https://www.kelmor.example/tessaro/",
                                               "https://www.kelmor.example/",
                                               "https://www.kelmor.example/tessaro/"};
    EXPECT_EQ(shell_.opened, expected) << "the head address comes from the start screen's data";
    EXPECT_EQ(window_->session().steps.iProgressCode(), 21) << "the start screen stays";
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(SampleWindowTest, CompactScreenShowsTheShortcutLabels) {
    system_.screen = {1024, 768};
    startNewRun();
    for (const char* shortcut : {"lblKonf2", "lbRekonf2", "lblAadmCtrl"})
        EXPECT_TRUE(control<QLabel>(shortcut)->isVisible()) << shortcut;
}

TEST_F(SampleWindowTest, DialogIsPrefilledAndOkStoresTheDetails) {
    window_ = std::make_unique<MainWindow>(platform_, program_.path());
    QString shown;
    whenDialogOpens([&](QDialog* form) {
        EXPECT_EQ(form->windowTitle(), "Personal Information");
        shown = form->findChild<QLineEdit*>("txtCustomer")->text();
        fill(form, "txtCompany", QString::fromUtf8("Bygg & Rør <AS>"));
        click(form, "cmdOK");
    });
    ASSERT_TRUE(window_->create());
    EXPECT_FALSE(shown.isEmpty()) << "pre-filled from personal.ini";
    EXPECT_EQ(data::ReadIni(program_ / "personal.ini", "Personal", "Company"),
              Cp("Bygg & Rør <AS>"));
    EXPECT_EQ(window_->session().customer.company, Cp("Bygg & Rør <AS>"));
}

TEST_F(SampleWindowTest, OkWithAnEmptyFieldKeepsTheDialogOpen) {
    std::filesystem::remove(program_ / "personal.ini");
    window_ = std::make_unique<MainWindow>(platform_, program_.path());
    whenDialogOpens([&](QDialog* form) {
        EXPECT_EQ(form->findChild<QLineEdit*>("txtCustomer")->text(), "")
            << "no personal.ini: empty fields";
        fill(form, "txtCustomer", "Kari");
        fill(form, "txtCompany", "Vann AS");
        fill(form, "txtInvoiceAddr", "Postboks 1");
        click(form, "cmdOK");
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(messages_.shown.back(), "All fields are required!");
        fill(form, "txtDeliveryAddr", " ");
        click(form, "cmdOK");
    });
    ASSERT_TRUE(window_->create());
    EXPECT_EQ(data::ReadIni(program_ / "personal.ini", "Personal", "DeliveryAddress"), "")
        << "a value of blanks reads back empty, as ini values are trimmed";
    EXPECT_EQ(data::ReadIni(program_ / "personal.ini", "Personal", "Customer"), "Kari");
}

TEST_F(SampleWindowTest, CancelAsksAndNoKeepsTheTextsYesQuitsWithoutWriting) {
    const std::string before = test::ReadBytes(program_ / "personal.ini");
    window_ = std::make_unique<MainWindow>(platform_, program_.path());
    whenDialogOpens([&](QDialog* form) {
        fill(form, "txtCustomer", "Changed name");
        messages_.setNextAnswer(false);
        click(form, "cmdCancel");
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->findChild<QLineEdit*>("txtCustomer")->text(), "Changed name");
        EXPECT_EQ(messages_.titles.back(), "Quit");
        EXPECT_EQ(messages_.shown.back(), "Are you sure you want to quit?");

        messages_.setNextAnswer(false);
        form->close(); // the window's own close control asks the same
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(messages_.titles.size(), 2u);

        messages_.setNextAnswer(true);
        click(form, "cmdCancel");
    });
    EXPECT_FALSE(window_->create());
    EXPECT_EQ(test::ReadBytes(program_ / "personal.ini"), before);
}

TEST_F(SampleWindowTest, DebugModeOnlineAnnouncesANewerVersionAtStart) {
    settings_.save(kApp, kSection, "BrivoMode", "2");
    system_.online = true;
    web_.pages[kDefaultVersionUrl] = "<html>\r\nProgramversjon 1.8.12\r\n</html>\r\n";
    startNewRun();
    EXPECT_EQ(web_.requested, std::vector<std::string>{kDefaultVersionUrl});
    EXPECT_EQ(messages_.shown,
              std::vector<std::string>{"Nytt program versjon 1.8.12 kan lastes ned"});
    EXPECT_FALSE(std::filesystem::exists(install_ / "tessaroversion.htm"));
    EXPECT_TRUE(window_->session().values.online);
}

TEST_F(SampleWindowTest, TheVersionCheckAsksTheWebOnlyInDebugModeOnline) {
    const struct {
        const char* mode;
        bool online;
    } cases[] = {{"", true}, {"1", true}, {"2", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("mode '") + c.mode + "' online " + (c.online ? "yes" : "no"));
        settings_.save(kApp, kSection, "BrivoMode", c.mode);
        system_.online = c.online;
        web_.pages[kDefaultVersionUrl] = "Programversjon 9.0\r\n";
        startNewRun();
        EXPECT_TRUE(web_.requested.empty());
        EXPECT_TRUE(messages_.shown.empty()) << messages_.shown.front();
        window_.reset();
    }
}

TEST_F(SampleWindowTest, StartingInAnEmptyDirectoryEndsWithTheMessage) {
    TempDir empty;
    system_.cwd = empty.path();
    window_ = std::make_unique<MainWindow>(platform_, program_.path());
    whenDialogOpens([](QDialog* form) { click(form, "cmdOK"); });
    ASSERT_TRUE(window_->create());
    EXPECT_FALSE(StartWindowRun(platform_));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].starts_with("Subdirectory 'Tessaro' not found in\r\n"));
}

TEST_F(SampleWindowTest, MissingLanguageFileShowsNorwegianAfterOneMessage) {
    std::filesystem::remove(dataDir() / "Lang_FI.txt");
    startNewRun();
    QTest::mouseClick(control<QLabel>("Fi_flag"), Qt::LeftButton);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find("Lang_FI.txt"), std::string::npos);
    EXPECT_EQ(control<QPushButton>("cmdExit")->text(), "Avbryt");
    EXPECT_TRUE(control<QLabel>("No_flag")->isVisible()) << "the program keeps running";
}

} // namespace
} // namespace tv::app
