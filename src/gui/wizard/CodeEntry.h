#pragma once

#include "gui/window/Session.h"
#include "wizard/Configuration.h"

#include <QObject>

#include <string>
#include <vector>

class QLineEdit;
class QRect;
class QWidget;

namespace tv::window {
class ClickLabel;
}

namespace tv::wizard {

// Code entry: the code box and the label that recalls the last code. A
// typed code is checked as it stands in the box; the wizard decides when
// typing counts and what follows a check.
class CodeEntry : public QObject {
    Q_OBJECT
public:
    CodeEntry(QWidget* window, window::Session& session, Configuration& configuration);

    // The box at its place in the button row, the recall label beside it.
    void place(const QRect& box, int recallLeft, int recallWidth);
    void hideAll();
    // Open for typing; the recall label only in debug mode.
    void show();
    // The configuration's code as it stands, without a check.
    void showCode(const std::string& codeBoxText);
    // Sets the box as if typed (a check follows where typing counts).
    void setText(const std::string& text);
    // On a small display the box moves up beside the help text.
    void moveTo(int top);

    enum class Check { kIncomplete, kPassCode, kFails, kPasses };
    // What the box now holds: the administration pass code, a code not yet
    // complete, or a code that passes or fails the check (said in a
    // message). A complete code stands upper-cased in the box and in the
    // configuration.
    Check check(const std::string& typed);

    std::vector<QWidget*> tabChain() const;

Q_SIGNALS:
    void edited(const std::string& typed);
    void entered(); // Enter in the box
    // The last code was recalled into the configuration; passes when it
    // passes the check (a failing one was said in a message).
    void recalled(bool passes);

protected:
    // A middle click in the code box, or Ctrl+R in it, recalls the last
    // code.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recallLastCode();
    void restoreLastCode();
    std::string lastCode() const;

    window::Session& session_;
    Configuration& configuration_;
    QLineEdit* box_;             // txtCode
    window::ClickLabel* recall_; // lblRecoRepeat
    bool settingText_ = false;
};

} // namespace tv::wizard
