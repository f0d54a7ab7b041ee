#pragma once

#include "gui/window/Session.h"
#include "wizard/ValvePageLayout.h"

#include <array>

class QLabel;
class QWidget;

namespace tv::window {
class ClickLabel;
class PressFrame;
class PressList;
class PressRadio;
} // namespace tv::window

namespace tv::wizard {

// The controls of the valve page: the valve-type frame with its picture
// and type buttons, the four option frames, the dimension and accessory
// lists and the code label. Placed from the valve-page layout; what they
// show is set by the wizard.
class ValvePage {
public:
    ValvePage(QWidget* window, window::Session& session);

    void place(const ValvePageLayout& layout, const ValvePageCaptions& captions);
    void hideAll();

    window::PressFrame* typeFrame;                     // CenterFrame
    std::array<window::PressRadio*, 4> typeButtons{};  // OptCenter1..4
    window::ClickLabel* picture;                       // picCenter
    std::array<window::PressFrame*, 4> optionFrames{}; // by OptionGroup
    std::array<std::array<window::PressRadio*, 2>, 4> optionButtons{};
    window::PressFrame* dimensionFrame; // frmDimensions
    QLabel* dimensionLabel;             // lblDimension
    window::PressList* dimensions;      // lstDimensions
    window::PressFrame* accessoryFrame; // frmAccesories
    QLabel* accessoryLabel;             // lblAcessories
    window::PressList* accessories;     // lstAccesories
    QLabel* codeLabel;                  // lblCode

private:
    window::Session& session_;
};

} // namespace tv::wizard
