#pragma once

class QLabel;
class QPushButton;
class QWidget;

namespace tv::window {
class ClickLabel;
class HelpPanelView;
} // namespace tv::window

namespace tv::wizard {

// The window's own controls that the wizard's pages use as well: the button
// row, the top and debug texts, the administration label and the help
// panel.
struct WindowControls {
    QWidget* window = nullptr;
    QPushButton* exit = nullptr;
    QPushButton* back = nullptr;
    QPushButton* next = nullptr;
    QPushButton* startNew = nullptr;
    QLabel* topText = nullptr;
    window::ClickLabel* debugInfo = nullptr;
    QLabel* adminLabel = nullptr;
    window::HelpPanelView* help = nullptr;
};

} // namespace tv::wizard
