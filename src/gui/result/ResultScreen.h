#pragma once

#include "gui/window/Session.h"
#include "result/ResultState.h"
#include "result/ValvePicture.h"

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
} // namespace tv::window

namespace tv::result {

// The result screen: the result frame with the order-number heading, the
// copy button and the result text, the assembled valve picture on its
// background, the report and DWG buttons and the product information panel.
class ResultScreen : public QObject {
    Q_OBJECT
public:
    ResultScreen(QWidget* window, window::Session& session, QPushButton* exitButton,
                 QPushButton* reportBack);

    // Lays the screen out from the computed result and shows it.
    void show(const ResultState& result, const std::string& code);
    void hideAll();

    // The vertical dimension beside the picture (hidden when not drawn).
    void showDimensionLines(const ResultDimensionLines& lines);

    // The product information panel with a heading and a text, or just
    // shown again when both are null.
    void showProductInfo(const std::string* heading, const std::string* text);
    void hideProductInfo();
    // What copying or the report did, under the result text; its full
    // text also as tooltip.
    void showStatus(std::string_view cp1252);

    QGroupBox* frame;          // frmReport
    QLabel* head;              // lblReportHead1
    QPushButton* copy;         // cmdCopy1
    QScrollArea* infoScroll;   // scrResultText, holding:
    QLabel* info;              // lblInfo_01_01
    window::WrapLabel* status; // lblResultStatus: what copying or the report did
    QLabel* background;        // picResBack
    std::array<window::ClickLabel*, 5>
        pictures;                // picResCenter, picResNorth, picResSouth, picResEast, picResWest
    window::ClickLabel* enlarge; // prEnlarge
    window::ClickLabel* exitPicture;  // prExit: hides the valve picture
    std::array<QLabel*, 5> lineBoxes; // picDimVer1, picDimVer2, picDimHor1..3
    std::array<QLabel*, 2> measures;  // lblVertMeas, lblVertMeas2
    QPushButton* report;              // cmdReport
    QPushButton* dwg;                 // cmdDwg
    QGroupBox* infoPanel;             // frmResInfo
    window::ClickLabel* infoHeading;  // lblResInfo0
    window::ClickLabel* infoText;     // lblResInfo1

Q_SIGNALS:
    // A press on a picture area (PictureArea), at a point in twips.
    void picturePressed(int area, Qt::MouseButton button, int x, int y);

private:
    window::Session& session_;
    QPushButton* exit_;
    QPushButton* reportBack_;
    QRect infoPlace_; // of the result text, as laid out
    std::string code_;
};

} // namespace tv::result
