#include "gui/SampleWindow.h"
#include "gui/wizard/Wizard.h"

#include <QClipboard>
#include <QGroupBox>
#include <QImage>

namespace tv::app {
namespace {

// From a complete configuration to the result screen and back, by object
// name, on the sample installation.
class ResultScreenTest : public SampleWindowTest {
protected:
    void pickSlot(const char* image, const QString& connection, const QString& dimension) {
        press(image);
        pressEntry("lstConnections", connection);
        pressEntry("lstConnDim", dimension);
    }

    // T-cross DN 150 with street cap, flanges north and south, a blind
    // flange east: TBKCFCBCFCXX-V18.
    void configureTCross() {
        start();
        chooseTCross();
    }

    void chooseTCross() {
        press("cmdStartscreen1");
        press("OptCenter2");
        pressEntry("lstDimensions", "DN 150");
        pressEntry("lstAccesories", "Med gatekappe");
        press("cmdNext");
        pickSlot("imgTop", "Flens", "Alt C");
        pickSlot("imgRight", "Blindflens", "Alt C");
        pickSlot("imgBottom", "Flens", "Alt C");
        ASSERT_TRUE(nextEnabled());
        press("cmdNext");
        ASSERT_EQ(window_->session().steps.iProgressCode(), 6);
    }

    // A left press at a point (twips) of a picture area.
    void pressAt(const char* name, int xTwips, int yTwips) {
        auto* widget = control<QWidget>(name);
        ASSERT_TRUE(widget->isVisible()) << name;
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier,
                          QPoint(window_->session().px(xTwips), window_->session().px(yTwips)));
    }
};

TEST_F(ResultScreenTest, WizardRoadShowsTheResultAndComesBackWithEveryChoice) {
    configureTCross();
    EXPECT_EQ(settings_.get("Brivo", "Startup", "LastCode"), "TBKCFCBCFCXX-V18");
    EXPECT_TRUE(control<QWidget>("frmReport")->isVisible());
    EXPECT_EQ(control<QLabel>("lblReportHead1")->text(), "Bestillingsnummer: TBKCFCBCFCXX-V18");
    EXPECT_EQ(control<QLabel>("lblInfo_01_01")->text(), Q(window_->session().result.resultText));
    EXPECT_TRUE(control<QLabel>("lblInfo_01_01")->text().contains("stk"));
    for (const char* picture : {"picResCenter", "picResNorth", "picResSouth", "picResEast"}) {
        EXPECT_TRUE(control<QLabel>(picture)->isVisible()) << picture;
        EXPECT_FALSE(control<QLabel>(picture)->pixmap().isNull()) << picture;
    }
    EXPECT_FALSE(control<QLabel>("picResWest")->isVisible()) << "a T-cross has no west piece";
    EXPECT_TRUE(control<QPushButton>("cmdReport")->isVisible());
    EXPECT_EQ(control<QPushButton>("cmdDwg")->toolTip(),
              "Innsetting av tegning i Tarnel er ikke implentert");
    EXPECT_TRUE(messages_.shown.empty()) << messages_.shown.front();

    press("cmdReportBack");
    EXPECT_EQ(window_->session().steps.iProgressCode(), 5);
    EXPECT_FALSE(control<QWidget>("frmReport")->isVisible());
    EXPECT_TRUE(control<QWidget>("frameRight")->isVisible());
    EXPECT_TRUE(nextEnabled());
    EXPECT_EQ(window_->wizard()->configuration().code, "TBKCFCBCFCXX-V18");
}

TEST_F(ResultScreenTest, PictureZonesOpenTheProductInformation) {
    configureTCross();
    auto* panel = control<QGroupBox>("frmResInfo");
    auto* heading = control<QLabel>("lblResInfo0");
    EXPECT_FALSE(panel->isVisible());

    pressAt("picResCenter", 900, 900);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->title(), "Produktinformasjon");
    EXPECT_EQ(heading->text(), "Senterdel (150mm):");
    EXPECT_TRUE(control<QLabel>("lblResInfo1")->text().startsWith(Q(Cp("¤0150_TKRYSS_CPD"))));

    pressAt("picResCenter", 900, 100);
    EXPECT_EQ(heading->text(), "Ventilhus kl.12 (150mm):");
    pressAt("picResCenter", 100, 900); // 9 o'clock: a T-cross has no house there
    EXPECT_EQ(heading->text(), "Ventilhus kl.12 (150mm):") << "the panel keeps its texts";

    pressAt("picResNorth", 100, 100);
    EXPECT_EQ(heading->text(), "Tilkobling kl 12:");

    QTest::mouseClick(control<QLabel>("lblResInfo1"), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(ResultScreenTest, DwgHandsOverOnlyToARunningCadProgram) {
    configureTCross();
    windows_.titles = {"Start Page - AutoCAD StartUp", "Terminal"};
    press("cmdDwg");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0], Cp("Autocad kjører ikke"));
    EXPECT_EQ(settings_.get("Brivo", "Startup", "BrivoDone"), "0");
    EXPECT_TRUE(window_->isVisible());

    windows_.titles = {"Terminal", "Drawing1.dwg - AutoCAD 2027"};
    press("cmdDwg");
    EXPECT_EQ(settings_.get("Brivo", "Startup", "BrivoDone"), "1");
    EXPECT_FALSE(window_->isVisible()) << "the hand-over ends the program";
    EXPECT_EQ(settings_.get("Brivo", "Startup", "CenterPartName"), "KEL_CPD_T150")
        << "the hand-over record of the result is in place";
}

TEST_F(ResultScreenTest, ReportWritesTheHtmlAndTheBitmapAndOpensTheHtml) {
    configureTCross();
    press("cmdReport");
    const std::string base = window_->session().result.reportBaseName;
    const auto html = data::ToPath(base + ".htm");
    ASSERT_TRUE(std::filesystem::exists(html));
    EXPECT_TRUE(std::filesystem::exists(data::ToPath(base + ".bmp")));
    ASSERT_EQ(shell_.opened.size(), 1u);
    EXPECT_EQ(shell_.opened[0], data::PathText(html));
    const std::string report = test::ReadBytes(html);
    EXPECT_NE(report.find("TBKCFCBCFCXX-V18"), std::string::npos);
    EXPECT_NE(report.find("Ingrid Solheim"), std::string::npos) << "the customer from personal.ini";
    EXPECT_TRUE(messages_.shown.empty()) << messages_.shown.front();
    auto* status = control<QLabel>("lblResultStatus");
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(status->text(), "Rapporten er skrevet: " + Q(data::PathText(html)));

    // A desktop that cannot open it: the user is told where the report is.
    shell_.result = false;
    press("cmdReport");
    EXPECT_EQ(status->text(),
              Q(Cp("Rapporten kunne ikke åpnes, den ligger i ")) + Q(data::PathText(html)));
}

TEST_F(ResultScreenTest, AbortedReportOpensNothing) {
    configureTCross();
    // A parameter file without the report layout.
    const auto parameterFile = dataDir() / "Tessaro.dat";
    std::string bytes = test::ReadBytes(parameterFile);
    const auto at = bytes.find(Cp("¤HTML-LAYOUT"));
    ASSERT_NE(at, std::string::npos);
    bytes[at + 1] = 'X';
    test::WriteBytes(parameterFile, bytes);
    press("cmdReport");
    EXPECT_TRUE(shell_.opened.empty());
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_EQ(messages_.shown.back(), "HTML parameter not found in Tessaro.dat - report aborted");
}

TEST_F(ResultScreenTest, CopyPutsTheCodeOnTheClipboard) {
    configureTCross();
    QApplication::clipboard()->setText("something else");
    press("cmdCopy1");
    EXPECT_EQ(QApplication::clipboard()->text(), "TBKCFCBCFCXX-V18");
    EXPECT_EQ(control<QLabel>("lblResultStatus")->text(), "Koden er kopiert: TBKCFCBCFCXX-V18");
    press("cmdReportBack");
    EXPECT_FALSE(control<QLabel>("lblResultStatus")->isVisible()) << "it belongs to its result";
}

TEST_F(ResultScreenTest, TypedRoadShowsTheResultAndReturnsToCodeEntry) {
    start();
    press("cmdStartscreen2");
    control<QLineEdit>("txtCode")->setText("KBBDFDFDFDFD-V18");
    ASSERT_TRUE(nextEnabled());
    press("cmdNext");
    EXPECT_EQ(window_->session().steps.iProgressCode(), 12);
    EXPECT_EQ(control<QLabel>("lblReportHead1")->text(), "Bestillingsnummer: KBBDFDFDFDFD-V18");
    EXPECT_TRUE(control<QLabel>("picResWest")->isVisible()) << "an X-cross has four pieces";
    EXPECT_EQ(settings_.get("Brivo", "Startup", "LastCode"), "");
    press("cmdReportBack");
    EXPECT_EQ(window_->session().steps.iProgressCode(), 10);
    EXPECT_EQ(control<QLineEdit>("txtCode")->text(), "KBBDFDFDFDFD-V18");
}

TEST_F(ResultScreenTest, EnlargedViewOpensOverTheResultAndClosesByAClick) {
    configureTCross();
    const auto bitmap = data::ToPath(window_->session().result.reportBaseName + ".bmp");
    press("prEnlarge");
    auto* view = control<QLabel>("picEnlarged");
    EXPECT_TRUE(view->isVisible());
    EXPECT_FALSE(view->pixmap().isNull());
    EXPECT_FALSE(control<QWidget>("picResBack")->isVisible());
    for (const char* button : {"cmdReport", "cmdDwg", "cmdReportBack", "cmdExit"})
        EXPECT_FALSE(control<QPushButton>(button)->isEnabled()) << button;
    EXPECT_FALSE(std::filesystem::exists(bitmap)) << "normal mode writes no file";

    QTest::mouseClick(view, Qt::LeftButton);
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(control<QWidget>("picResBack")->isVisible());
    EXPECT_TRUE(control<QWidget>("prEnlarge")->isVisible());
    for (const char* button : {"cmdReport", "cmdDwg", "cmdReportBack", "cmdExit"})
        EXPECT_TRUE(control<QPushButton>(button)->isEnabled()) << button;
}

TEST_F(ResultScreenTest, TheExitPicturesCloseTheViewAndHideThePicture) {
    configureTCross();
    press("prEnlarge");
    auto* view = control<QLabel>("picEnlarged");
    auto* exit = control<QLabel>("peExit");
    ASSERT_TRUE(exit->isVisible()) << "the view's own exit";
    EXPECT_FALSE(exit->pixmap().isNull());
    EXPECT_GT(exit->x(), view->width() / 2) << "in the top right corner";
    press("peExit");
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(control<QWidget>("picResBack")->isVisible());
    EXPECT_TRUE(control<QPushButton>("cmdReport")->isEnabled());

    // Escape closes it too, by keyboard.
    press("prEnlarge");
    QTest::keyClick(window_.get(), Qt::Key_Escape);
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(control<QPushButton>("cmdExit")->isEnabled());

    // The result screen's exit picture puts the valve picture away.
    press("prExit");
    EXPECT_FALSE(control<QWidget>("picResBack")->isVisible());
    EXPECT_TRUE(control<QWidget>("cmdReport")->isVisible()) << "the rest of the screen stays";
}

TEST_F(ResultScreenTest, DebugModeSavesTheEnlargedPictureAsTheReportsBitmap) {
    settings_.save("Brivo", "Startup", "BrivoMode", "2");
    startNewRun();
    chooseTCross();
    const auto bitmap = data::ToPath(window_->session().result.reportBaseName + ".bmp");
    EXPECT_EQ(bitmap.parent_path(), install_.path() / "TeHtml");
    press("prEnlarge");
    ASSERT_TRUE(std::filesystem::exists(bitmap));
    QImage saved(QString::fromStdString(bitmap.string()));
    EXPECT_FALSE(saved.isNull());
    EXPECT_EQ(test::ReadBytes(bitmap).substr(0, 2), "BM") << "a Windows bitmap";

    // A picture that cannot be written is said, with the reason.
    QTest::mouseClick(control<QLabel>("picEnlarged"), Qt::LeftButton);
    std::filesystem::permissions(bitmap, std::filesystem::perms::owner_read);
    messages_.shown.clear();
    press("prEnlarge");
    EXPECT_EQ(messages_.shown,
              std::vector<std::string>{"The valve picture could not be written:\r\n" +
                                       data::PathText(bitmap) + "\r\n" + bitmap.string() +
                                       " is read-only"});
}

} // namespace
} // namespace tv::app
