#pragma once

#include "gui/window/Session.h"
#include "wizard/ValvePageLayout.h"

#include <array>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace tv::window {
class ClickLabel;
class PressFrame;
class PressList;
} // namespace tv::window

namespace tv::wizard {

// Slot numbers: 1 north (12 o'clock), 2 east, 3 south, 4 west.
inline constexpr std::array<const char*, 5> kSlotLetters = {"", "N", "E", "S", "W"};

// The controls of the connection page: a frame and an image per slot, and
// the two pickers (connection, connection dimension) that open at a slot.
class ConnectionPage {
public:
    ConnectionPage(QWidget* window, window::Session& session);

    void place(const ValvePageLayout& layout, const ValvePageCaptions& captions);
    void hideAll();

    // Both pickers move to the slot: north at the picker origin, south
    // lower by the bottom offset, east and west lower by the side offset
    // and 2800 twips to the right or left.
    void placePickers(int slot);

    std::array<window::PressFrame*, 5>
        slotFrames{}; // [1..4]: frameTop, frameRight, frameBottom, frameLeft
    std::array<window::ClickLabel*, 5> slotImages{}; // [1..4]: imgTop, imgRight, imgBottom, imgLeft
    QFrame* connectionPicker;                        // frmConnections
    QLabel* connectionLabel;                         // lblConnSelection
    window::PressList* connections;                  // lstConnections
    QPushButton* connectionClose;                    // cmdConnExit
    QFrame* dimensionPicker;                         // frmConnectionDim
    QLabel* dimensionLabel;                          // lblConnDim
    window::PressList* connectionDimensions;         // lstConnDim
    QPushButton* dimensionClose;                     // cmdConnDimExit
    QLabel* slideName;                               // lblSlideName (debug mode)

private:
    window::Session& session_;
    PickerLayout picker_;
};

} // namespace tv::wizard
