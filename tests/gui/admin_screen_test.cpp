#include "gui/SampleWindow.h"
#include "admin/WebProbe.h"
#include "gui/wizard/Wizard.h"

#include <QGroupBox>

namespace tv::app {
namespace {

// The administration screen on the sample installation, reached the ways a
// member of the maker's staff reaches it.
class AdminScreenTest : public SampleWindowTest {
protected:
    // Code entry, then the pass code typed key by key: every change is
    // checked, and only the ninth key gives the pass code.
    void openByPassCode() {
        start();
        typePassCode();
    }

    void typePassCode() {
        press("cmdStartscreen2");
        QTest::keyClicks(control<QLineEdit>("txtCode"), "KelmorAdm");
    }

    bool adminShown() { return control<QWidget>("cmdDebugMode")->isVisible(); }

    QString lang(const char* file, const char* key) {
        return Q(Translation(dataDir() / file, Cp(key)));
    }
    std::string setting(const char* key) { return settings_.get("Brivo", "Startup", key); }

    // A new run of the program on the same settings store.
    void restart() {
        window_.reset();
        startNewRun();
    }

    QRect px(data::TwipRect rect) { return window_->session().px(rect); }
};

TEST_F(AdminScreenTest, PassCodeOpensTheScreenLaidOutAsTheSectionSays) {
    openByPassCode();
    ASSERT_TRUE(adminShown());
    EXPECT_FALSE(control<QWidget>("txtCode")->isVisible()) << "the window was cleared";
    EXPECT_FALSE(control<QWidget>("lblAdminCmd")->isVisible());
    EXPECT_TRUE(control<QWidget>("lblTopText")->isVisible());
    EXPECT_TRUE(messages_.shown.empty());

    // The sample's "¤ADMINSCREEN": frames, debug button and label, the
    // A2 row, the data buttons and the record list, in twips.
    auto* settingsFrame = control<QGroupBox>("frmProgramSettings");
    EXPECT_EQ(settingsFrame->geometry(), px({500, 200, 9350, 3700}));
    EXPECT_EQ(settingsFrame->title(), "Programinnstillinger");
    EXPECT_EQ(control<QGroupBox>("frmDataAdmin")->title(), "Dataadministrasjon");
    EXPECT_EQ(control<QWidget>("cmdDebugMode")->geometry(), px({900, 400, 1500, 375}));
    EXPECT_EQ(control<QWidget>("lblDebugMode")->geometry(),
              px({850, 400 + 1500 + 200, 9350 - 1500 - 500, 600}));
    EXPECT_EQ(control<QWidget>("cmdA2Default1")->geometry(), px({1600, 400, 1100, 375}));
    EXPECT_EQ(control<QWidget>("cmdA2Default2")->geometry(), px({1600, 1700, 800, 375}));
    // A label whose text wraps grows around the middle of its place.
    const QRect acPlace = px({3300, 2700, 6700, 375});
    const QRect acLabel = control<QWidget>("lblACDefault")->geometry();
    EXPECT_EQ(acLabel.left(), acPlace.left());
    EXPECT_EQ(acLabel.width(), acPlace.width());
    EXPECT_GE(acLabel.height(), acPlace.height());
    EXPECT_LE(std::abs(acLabel.center().y() - acPlace.center().y()), 1);
    for (int k = 1; k <= 8; ++k) {
        auto* button = control<QPushButton>(("cmdData" + std::to_string(k)).c_str());
        EXPECT_EQ(button->geometry(), px({4850 + (k - 1) * 450, 400, 2600, 375})) << k;
        EXPECT_EQ(button->isVisible(), k <= 5) << k;
        EXPECT_FALSE(button->text().isEmpty()) << k;
    }
    EXPECT_EQ(control<QPushButton>("cmdData1")->text(), "Vis ventilhus (_VHK)");
    EXPECT_EQ(control<QLabel>("lblRecordStatus")->text(), "Ingen data valgt");
    EXPECT_TRUE(control<QWidget>("lblRecordStatus")->isVisible());
    EXPECT_EQ(control<QWidget>("lstRecords")->geometry(), px({4850, 3200, 6200, 3650}));

    auto* menuCheck = control<QPushButton>("cmdMenuCheck");
    auto* exit = control<QPushButton>("cmdExit");
    EXPECT_EQ(menuCheck->text(), "Menykontroll");
    EXPECT_EQ(menuCheck->y(), exit->y());
    EXPECT_EQ(menuCheck->x(), window_->session().px(2000));
    EXPECT_TRUE(exit->isVisible());
    EXPECT_EQ(exit->text(), Q(Cp("Avslutt")));
    press("cmdExit");
    EXPECT_FALSE(window_->isVisible()) << "exit ends the program";
}

TEST_F(AdminScreenTest, OnlyTheExactPassCodeInCodeEntryOpensIt) {
    start();
    press("cmdStartscreen1");
    control<QLineEdit>("txtCode")->setText("KelmorAdm");
    EXPECT_FALSE(adminShown()) << "the valve page does not look at the code box";
    press("cmdStartNy");
    press("cmdStartscreen2");
    for (const char* text : {"kelmoradm", "KELMORADM", "KelmorAdn", "KelmorAdm "}) {
        control<QLineEdit>("txtCode")->setText(text);
        EXPECT_FALSE(adminShown()) << text;
    }
    EXPECT_TRUE(messages_.shown.empty()) << "a wrong pass code says nothing";
}

TEST_F(AdminScreenTest, EveryLanguageTranslatesTheScreen) {
    for (const char* code : {"NO", "EN", "DE", "FI", "DK", "SE"}) {
        SCOPED_TRACE(code);
        settings_.save("Brivo", "Startup", "Language", code);
        window_.reset();
        startNewRun();
        typePassCode();
        ASSERT_TRUE(adminShown());
        const std::string file = std::string("Lang_") + code + ".txt";
        EXPECT_EQ(control<QGroupBox>("frmProgramSettings")->title(),
                  lang(file.c_str(), "¤¤Programinnstillinger"));
        EXPECT_EQ(control<QPushButton>("cmdData4")->text(),
                  lang(file.c_str(), "¤¤Vis tilkoblinger (_TK)"));
        EXPECT_EQ(control<QLabel>("lblDebugMode")->text(),
                  lang(file.c_str(), "¤SetNormalModeInfo"));
        EXPECT_EQ(control<QLabel>("lblSKDefault")->text(), lang(file.c_str(), "¤SetSKdefault2"));
    }
}

TEST_F(AdminScreenTest, TheALabelOpensItOnACompactScreenOnly) {
    start();
    EXPECT_FALSE(control<QWidget>("lblAadmCtrl")->isVisible()) << "1920 pixels are not compact";
    system_.screen = {1024, 768};
    restart();
    press("lblAadmCtrl");
    EXPECT_TRUE(adminShown());
    EXPECT_FALSE(control<QWidget>("lblAdminCmd")->isVisible());
    EXPECT_FALSE(control<QWidget>("cmdStartscreen1")->isVisible());
}

TEST_F(AdminScreenTest, TheAdministrationLabelSaysAdmInDebugModeAndOpensIt) {
    start();
    EXPECT_EQ(control<QLabel>("lblAdminCmd")->text(), "");
    settings_.save("Brivo", "Startup", "BrivoMode", "2");
    restart();
    EXPECT_EQ(control<QLabel>("lblAdminCmd")->text(), "\n ADM");
    press("lblAdminCmd");
    EXPECT_TRUE(adminShown());
    EXPECT_FALSE(control<QWidget>("lblAdminCmd")->isVisible());
    EXPECT_EQ(control<QPushButton>("cmdDebugMode")->text(), "Normal");
    EXPECT_EQ(control<QLabel>("lblDebugMode")->text(), lang("Lang_NO.txt", "¤SetDebugModeInfo"));
}

TEST_F(AdminScreenTest, OneToggleSwitchesDebugModeAtOnceAndForTheNextRun) {
    openByPassCode();
    auto* button = control<QPushButton>("cmdDebugMode");
    EXPECT_EQ(button->text(), "Debug mode");
    EXPECT_EQ(control<QLabel>("lblDebugMode")->text(), lang("Lang_NO.txt", "¤SetNormalModeInfo"));
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space); // by keyboard
    EXPECT_FALSE(button->isEnabled()) << "one toggle per visit";
    EXPECT_TRUE(window_->session().values.debugMode) << "at once";
    EXPECT_EQ(setting("BrivoMode"), "2");
    EXPECT_EQ(control<QLabel>("lblDebugMode")->text(), lang("Lang_NO.txt", "¤DebugModeInfo"));

    // The next run starts in debug mode: the result text shows each part's
    // length, weight and block name.
    restart();
    press("cmdStartscreen2");
    control<QLineEdit>("txtCode")->setText("TBGCFCSPFCXX-V18");
    press("cmdNext");
    EXPECT_NE(window_->session().result.resultText.find("  (L="), std::string::npos)
        << window_->session().result.resultText;

    // And back: "1" is stored, and the result text is plain again.
    restart();
    press("cmdStartscreen2");
    QTest::keyClicks(control<QLineEdit>("txtCode"), "KelmorAdm");
    press("cmdDebugMode");
    EXPECT_EQ(setting("BrivoMode"), "1");
    EXPECT_FALSE(window_->session().values.debugMode);
    EXPECT_EQ(control<QLabel>("lblDebugMode")->text(), lang("Lang_NO.txt", "¤NormalModeInfo"));
    restart();
    press("cmdStartscreen2");
    control<QLineEdit>("txtCode")->setText("TBGCFCSPFCXX-V18");
    press("cmdNext");
    EXPECT_EQ(window_->session().result.resultText.find("  (L="), std::string::npos);
}

TEST_F(AdminScreenTest, AnOptionDefaultSetHereChangesTheNextConfiguration) {
    openByPassCode();
    // A fresh installation presets the spindle quality (2): locked on this
    // screen, so only "Enable" is offered.
    auto* first = control<QPushButton>("cmdA2Default1");
    auto* second = control<QPushButton>("cmdA2Default2");
    EXPECT_EQ(first->text(), "Default av");
    EXPECT_FALSE(first->isEnabled());
    EXPECT_EQ(second->text(), "Enable");
    EXPECT_EQ(control<QLabel>("lblA2Default")->text(), lang("Lang_NO.txt", "¤SetA2default2"));
    press("cmdA2Default2");
    EXPECT_EQ(setting("A2control"), "0");
    EXPECT_EQ(first->text(), Q(Cp("Default på")));
    EXPECT_TRUE(first->isEnabled());
    EXPECT_EQ(second->text(), "Disable");
    EXPECT_EQ(control<QLabel>("lblA2Default")->text(), lang("Lang_NO.txt", "¤SetA2default0"));

    restart();
    press("cmdStartscreen1");
    press("OptCenter2");
    pressEntry("lstDimensions", "DN 100");
    EXPECT_FALSE(control<QAbstractButton>("optSpinQual1")->isChecked()) << "no preset any more";
    EXPECT_TRUE(control<QAbstractButton>("optCloseDir1")->isChecked()) << "the others stay";
    EXPECT_EQ(window_->wizard()->configuration().code[1], 'X') << "the option step is open";
}

TEST_F(AdminScreenTest, DebugInformationLabelProbesTheWebAndWritesTestTxt) {
    openByPassCode();
    press("lblDebugInfo");
    EXPECT_FALSE(std::filesystem::exists(dataDir() / "Test.txt")) << "normal mode: nothing";

    settings_.save("Brivo", "Startup", "BrivoMode", "2");
    web_.pages[admin::kProbeWebAddress] = "<p>Hei</p>";
    restart();
    auto* label = control<QLabel>("lblDebugInfo");
    label->setText("T\xC3\x98"
                   "0150");
    press("lblDebugInfo");
    const QStringList lines = label->text().split('\n');
    ASSERT_EQ(lines.size(), 2) << label->text().toStdString();
    EXPECT_EQ(lines[0], "T\xC3\x98"
                        "0150");
    EXPECT_TRUE(lines[1].startsWith("Dra til ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith("    2026")) << "the word, four blanks and the start year";
    EXPECT_EQ(test::ReadBytes(dataDir() / "Test.txt"),
              Cp("TØ0150\r\n") + platform::FromQString(lines[1]) + "\r\n");
    EXPECT_EQ(control<QLabel>("lblStartscreen1")->text(), "<p>Hei</p>") << "the probe's page";
}

TEST_F(AdminScreenTest, MenuCheckWritesItsFileOnceAndSaysWhenItCannot) {
    std::filesystem::create_directory(dataDir() / "MenuCheck.txt");
    openByPassCode();
    press("cmdMenuCheck");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find("MenuCheck.txt"), std::string::npos) << messages_.shown[0];
    auto* button = control<QPushButton>("cmdMenuCheck");
    EXPECT_TRUE(button->isVisible() && button->isEnabled()) << "to try again";

    std::filesystem::remove(dataDir() / "MenuCheck.txt");
    press("cmdMenuCheck");
    EXPECT_FALSE(button->isVisible()) << "once per visit";
    EXPECT_EQ(test::ReadBytes(dataDir() / "MenuCheck.txt").substr(0, 18), Cp("¤DIM_ENKELVENTIL  "));
}

TEST_F(AdminScreenTest, DataCheckWritesItsFileAndShowsItsSummary) {
    openByPassCode();
    auto* button = control<QPushButton>("cmdDataCheck");
    EXPECT_EQ(button->text(), "Datakontroll");
    EXPECT_EQ(button->y(), control<QPushButton>("cmdExit")->y());
    EXPECT_GT(button->x(), control<QPushButton>("cmdMenuCheck")->geometry().right());
    press("cmdDataCheck");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_TRUE(test::ReadBytes(dataDir() / "DataCheck.txt").starts_with("DataCheck - "));
    const QString status = control<QLabel>("lblAdminStatus")->text();
    EXPECT_TRUE(status.contains(" findings: ") && status.endsWith("DataCheck.txt"))
        << status.toStdString();
    EXPECT_TRUE(button->isVisible() && button->isEnabled()) << "to run it again";
}

} // namespace
} // namespace tv::app
