#include "gui/wizard/Wizard.h"

#include "gui/window/Widgets.h"
#include "gui/window/HelpPanelView.h"
#include "platform/FileBytes.h"
#include "gui/wizard/WizardSupport.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

// Code entry: a typed or recalled code, checked at every change.

namespace tv::wizard {

// The middle button recalls the last code, and only that: on X11 the box
// would paste the primary selection on the release as well, so the release
// (and a double click) of that button never reaches it.
bool Wizard::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // Ctrl+R recalls it by keyboard.
    if (watched == codeBox_ && type == QEvent::KeyPress &&
        window::KeyboardButton(static_cast<QKeyEvent*>(event)) == Qt::MiddleButton) {
        restoreLastCode();
        return true;
    }
    if (watched != codeBox_ ||
        (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
         type != QEvent::MouseButtonDblClick) ||
        static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton)
        return QObject::eventFilter(watched, event);
    if (type == QEvent::MouseButtonPress)
        restoreLastCode();
    return true;
}

// As if typed: the code is checked as it stands in the box.
void Wizard::restoreLastCode() {
    const std::string last = setting("LastCode");
    if (!last.empty())
        codeBox_->setText(Screen(last));
}

void Wizard::ShowCodeEntry() {
    session_.steps.showCodeEntry();
    shared_.topText->show();
    codeBox_->show();
    codeBox_->setEnabled(true);
    codeBox_->setFocus();
    shared_.startNew->show();
    recall_->setVisible(session_.values.debugMode);
    shared_.next->show();
    setNextEnabled(false);
    showHelp("Reconfig1");
}

void Wizard::codeChanged(const QString& text) {
    if (settingCodeBox_ || !session_.steps.typeCode())
        return;
    setNextEnabled(false);
    shared_.help->hide();

    const std::string typed = platform::FromQString(text);
    if (typed.size() == 9) {
        if (typed == session_.files->head.passCode)
            Q_EMIT administrationRequested();
        return;
    }
    const std::string code = platform::UpperCase(typed);
    if (code.size() < 13)
        return;
    settingCodeBox_ = true;
    const int cursor = codeBox_->cursorPosition();
    codeBox_->setText(Screen(code));
    codeBox_->setCursorPosition(cursor);
    settingCodeBox_ = false;
    configuration_->code = code;
    setNextEnabled(true);
    const int position = configuration_->CheckCode();
    if (position == 0)
        return;
    session_.platform.messages.inform(PositionMessage(code, position));
    setNextEnabled(false);
}

void Wizard::recallLastCode() {
    const std::string last = setting("LastCode");
    if (last.empty()) {
        recall_->hide();
        return;
    }
    settingCodeBox_ = true;
    codeBox_->setText(Screen(last));
    settingCodeBox_ = false;
    configuration_->code = last;
    nextShortcut_->setVisible(session_.values.compactScreen);
    const int position = configuration_->CheckCode();
    // Only a code that still passes opens the result; the data may have
    // changed since it was saved.
    if (position != 0) {
        session_.platform.messages.inform(PositionMessage(last, position));
        return;
    }
    session_.steps.recallCode();
    Next();
}

} // namespace tv::wizard
