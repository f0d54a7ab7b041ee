#pragma once

#include "gui/window/Session.h"
#include "gui/wizard/WindowControls.h"
#include "wizard/Configuration.h"
#include "wizard/ValvePageLayout.h"

#include <QObject>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

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

// The connection page: a frame and an image per slot, and the two pickers
// (connection, connection dimension) that open at a slot. Its choices
// change the configuration; the wizard hears of each and decides the step.
class ConnectionPage : public QObject {
    Q_OBJECT
public:
    ConnectionPage(const WindowControls& controls, window::Session& session,
                   Configuration& configuration);

    void place(const ValvePageLayout& layout, const ValvePageCaptions& captions);
    void hideAll();
    // The slots the valve type has.
    void show();
    // Every slot's picture before anything is chosen.
    void showStartPictures(const std::filesystem::path& picture);
    // No slot is being chosen.
    void clearSlot();
    // The connection chosen at the slot being chosen, for help texts that
    // name it.
    std::string connectionText() const;

    // Escape: closes an open picker; false when none was open.
    bool closePicker();
    // Exit closes the connection picker first; false when it was closed.
    bool closeConnectionPicker();
    // The keyboard goes to the first slot still without its dimension, or
    // to Next once every slot has one.
    void focusNextSlot();

    // Its controls in the order Tab meets them.
    std::vector<QWidget*> tabChain() const;

Q_SIGNALS:
    // A connection was chosen; its dimension is still to come.
    void codeChanged();
    // A slot has its connection and dimension.
    void slotCompleted();

private:
    // Both pickers move to the slot: north at the picker origin, south
    // lower by the bottom offset, east and west lower by the side offset
    // and 2800 twips to the right or left.
    void placePickers(int slot);
    void slotPressed(int slot, Qt::MouseButton button);
    void ShowSlotHelp(int slot);
    void connectionPressed(Qt::MouseButton button, int row);
    void FillConnDimList(int slot);
    void connectionDimensionPressed(Qt::MouseButton button, int row);
    void fillDebugInfo();

    WindowControls window_;
    window::Session& session_;
    Configuration& configuration_;
    PickerLayout picker_;

    std::array<window::PressFrame*, 5>
        slotFrames_{}; // [1..4]: frameTop, frameRight, frameBottom, frameLeft
    std::array<window::ClickLabel*, 5>
        slotImages_{};                        // [1..4]: imgTop, imgRight, imgBottom, imgLeft
    QFrame* connectionPicker_;                // frmConnections
    QLabel* connectionLabel_;                 // lblConnSelection
    window::PressList* connections_;          // lstConnections
    QPushButton* connectionClose_;            // cmdConnExit
    QFrame* dimensionPicker_;                 // frmConnectionDim
    QLabel* dimensionLabel_;                  // lblConnDim
    window::PressList* connectionDimensions_; // lstConnDim
    QPushButton* dimensionClose_;             // cmdConnDimExit
    QLabel* slideName_;                       // lblSlideName (debug mode)

    int currentSlot_ = 0;
    std::vector<ChoiceLine> connectionLines_;
    std::vector<ChoiceLine> connectionDimensionLines_;
};

} // namespace tv::wizard
