#pragma once

#include "gui/window/Session.h"
#include "result/ResultState.h"
#include "result/ValvePicture.h"
#include "wizard/Configuration.h"

#include <QObject>
#include <QRect>

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QWidget;

namespace tv::window {
class ClickLabel;
class WrapLabel;
class HelpPanelView;
} // namespace tv::window
namespace tv::output {
class EnlargedView;
}

namespace tv::result {

// The result screen: the result frame with the order-number heading, the
// copy button and the result text, the assembled valve picture on its
// background with the magnifier and the enlarged view, the report, DWG and
// Back buttons and the product information panel.
class ResultScreen : public QObject {
    Q_OBJECT
public:
    // Exit is the window's; the screen places it in its button row.
    ResultScreen(QWidget* window, window::Session& session, window::HelpPanelView& help,
                 QPushButton* exitButton);
    ~ResultScreen() override;

    // Computes the result of the finished configuration into the session
    // and shows it.
    void open(const std::string& accessoryCaption);
    void hideAll();

Q_SIGNALS:
    void backRequested();
    // The drawing went to the CAD program: the program's work is done.
    void closeRequested();

private:
    void makeResultFrame(QWidget* window);
    void makeValvePicture(QWidget* window);
    void makeProductInfo(QWidget* window);

    void show(const ResultState& result);
    void placeFrame(const ReportScreenLayout& screen);
    void placeButtons(const ReportScreenLayout& screen);
    void placeProductInfo(const ReportScreenLayout& screen);
    void showPictures(const ResultState& result);
    // The vertical dimension beside the picture (hidden when not drawn).
    void showDimensionLines(const ResultDimensionLines& lines);

    // The product information panel with a heading and a text, or just
    // shown again when both are null.
    void showProductInfo(const std::string* heading, const std::string* text);
    void hideProductInfo();
    // What copying or the report did, under the result text; its full
    // text also as tooltip.
    void showStatus(std::string_view cp1252);

    void copyCode();
    void writeReport();
    void handOverDrawing();
    void openEnlargedView();
    void enlargedViewClosed();
    void setButtonsEnabled(bool enabled);
    void picturePressed(int area, Qt::MouseButton button, QPoint position);
    // Of the configuration whose result is shown.
    const std::string& code() const { return session_.configuration->code; }
    const wizard::ConfigurationRecord& record() const { return session_.configuration->record; }

    window::Session& session_;
    window::HelpPanelView& help_;
    QPushButton* exit_;
    QPushButton* back_;         // cmdReportBack
    QGroupBox* frame_;          // frmReport
    QLabel* head_;              // lblReportHead1
    QPushButton* copy_;         // cmdCopy1
    QScrollArea* infoScroll_;   // scrResultText, holding:
    QLabel* info_;              // lblInfo_01_01
    window::WrapLabel* status_; // lblResultStatus: what copying or the report did
    QLabel* background_;        // picResBack
    std::array<window::ClickLabel*, 5>
        pictures_;                // picResCenter, picResNorth, picResSouth, picResEast, picResWest
    window::ClickLabel* enlarge_; // prEnlarge
    window::ClickLabel* exitPicture_;  // prExit: hides the valve picture
    std::array<QLabel*, 5> lineBoxes_; // picDimVer1, picDimVer2, picDimHor1..3
    std::array<QLabel*, 2> measures_;  // lblVertMeas, lblVertMeas2
    QPushButton* report_;              // cmdReport
    QPushButton* dwg_;                 // cmdDwg
    QGroupBox* infoPanel_;             // frmResInfo
    window::ClickLabel* infoHeading_;  // lblResInfo0
    window::ClickLabel* infoText_;     // lblResInfo1
    output::EnlargedView* enlargedView_;

    QRect infoPlace_; // of the result text, as laid out
};

} // namespace tv::result
