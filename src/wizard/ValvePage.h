#pragma once

#include "app/Session.h"
#include "wizard/ValvePageLayout.h"

#include <array>

class QLabel;
class QWidget;

namespace tv::app {
class ClickLabel;
class PressFrame;
class PressList;
class PressRadio;
} // namespace tv::app

namespace tv::wizard {

// The controls of the valve page: the valve-type frame with its picture
// and type buttons, the four option frames, the dimension and accessory
// lists and the code label. Placed from the valve-page layout; what they
// show is set by the wizard.
class ValvePage {
public:
    ValvePage(QWidget* window, app::Session& session);

    void place(const ValvePageLayout& layout, const ValvePageCaptions& captions);
    void hideAll();

    app::PressFrame* typeFrame;                     // CenterFrame
    std::array<app::PressRadio*, 4> typeButtons{};  // OptCenter1..4
    app::ClickLabel* picture;                       // picCenter
    std::array<app::PressFrame*, 4> optionFrames{}; // by OptionGroup
    std::array<std::array<app::PressRadio*, 2>, 4> optionButtons{};
    app::PressFrame* dimensionFrame; // frmDimensions
    QLabel* dimensionLabel;          // lblDimension
    app::PressList* dimensions;      // lstDimensions
    app::PressFrame* accessoryFrame; // frmAccesories
    QLabel* accessoryLabel;          // lblAcessories
    app::PressList* accessories;     // lstAccesories
    QLabel* codeLabel;               // lblCode

private:
    app::Session& session_;
};

} // namespace tv::wizard
