#pragma once

#include "gui/window/Session.h"
#include "gui/wizard/WindowControls.h"
#include "wizard/Configuration.h"
#include "wizard/OptionGroups.h"
#include "wizard/ValvePageLayout.h"

#include <QObject>

#include <array>
#include <string>
#include <vector>

class QLabel;
class QWidget;

namespace tv::window {
class ClickLabel;
class PressFrame;
class PressList;
class PressRadio;
} // namespace tv::window

namespace tv::wizard {

// The valve page: the valve-type frame with its picture and type buttons,
// the four option frames, the dimension and accessory lists and the code
// label. Its presses change the configuration; the wizard hears of each
// change and decides the step.
class ValvePage : public QObject {
    Q_OBJECT
public:
    ValvePage(const WindowControls& window, window::Session& session, Configuration& configuration,
              OptionGroups& options);

    // Places the controls for the layout and names them in the language.
    void place(const ValvePageLayout& layout, const ValvePageCaptions& captions);
    void hideAll();
    // The type frame and the code label, as the page opens.
    void show();
    void showCode(const std::string& codeLabelText);

    void SelectValveType(int valveType);
    // No type chosen: the picture empty, no type button checked.
    void clearValveType();
    // Start new and Configure choose by button, the shortcut by picture.
    void showTypeButtons(bool shown);
    void focusFirstType();
    void focusPicture();
    // What stays of the page while the connections are chosen: the frame
    // with the picture, as high as it is wide.
    void showPictureOnly();
    void hideOptions();
    // The options as the option groups stand, e.g. after a reset.
    void renderOptions();

    // Where the keyboard goes after a choice while Next is not yet
    // possible: to what is still to be chosen.
    void focusNextChoice();

    // Its controls in the order Tab meets them.
    std::vector<QWidget*> tabChain() const;

Q_SIGNALS:
    // A position of the code changed; moveFocus when the keyboard goes on
    // to what is still to be chosen.
    void choiceMade(bool moveFocus);
    void valveTypeChosen();
    void helpRequested(const std::string& helpKey);

private:
    void connectPresses();
    void FillValveLists(int valveType);
    void FillAccessoryList();
    void dimensionPressed(Qt::MouseButton button, int row);
    void accessoryPressed(Qt::MouseButton button, int row);
    void picturePressed(Qt::MouseButton button);
    void optionPressed(OptionGroup group, int option, Qt::MouseButton button);
    void framePressed(OptionGroup group, Qt::MouseButton button);
    void afterOptions(bool moveFocus);

    WindowControls window_;
    window::Session& session_;
    Configuration& configuration_;
    OptionGroups& options_;

    window::PressFrame* typeFrame_;                     // CenterFrame
    std::array<window::PressRadio*, 4> typeButtons_{};  // OptCenter1..4
    window::ClickLabel* picture_;                       // picCenter
    std::array<window::PressFrame*, 4> optionFrames_{}; // by OptionGroup
    std::array<std::array<window::PressRadio*, 2>, 4> optionButtons_{};
    window::PressFrame* dimensionFrame_; // frmDimensions
    QLabel* dimensionLabel_;             // lblDimension
    window::PressList* dimensions_;      // lstDimensions
    window::PressFrame* accessoryFrame_; // frmAccesories
    QLabel* accessoryLabel_;             // lblAcessories
    window::PressList* accessories_;     // lstAccesories
    QLabel* codeLabel_;                  // lblCode

    std::vector<std::string> typeCaptions_;
    std::vector<ChoiceLine> dimensionLines_;
    std::vector<ChoiceLine> accessoryLines_;
};

} // namespace tv::wizard
