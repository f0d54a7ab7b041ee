#pragma once

#include "gui/window/Session.h"

class QFrame;
class QWidget;

namespace tv::window {

class ClickLabel;

// The help frame `frmHelp` with its label `lblHelp`, placed and filled from
// a help panel of the language file. A click on the text closes it.
class HelpPanelView {
public:
    HelpPanelView(QWidget* window, Session& session);

    // Shows the help panel of the key; nothing changes when the language
    // file has none. connectionText replaces "$ConnSelectedText".
    bool ShowHelpPanel(std::string_view helpKey, std::string_view connectionText = {});
    void hide();
    bool isVisible() const;
    // To another height in its column (code entry on a small display).
    void moveTo(int top);

private:
    Session& session_;
    QFrame* frame_;
    ClickLabel* label_;
};

} // namespace tv::window
