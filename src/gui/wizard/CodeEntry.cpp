#include "gui/wizard/CodeEntry.h"

#include "gui/window/Widgets.h"
#include "gui/wizard/WizardSupport.h"
#include "platform/FileBytes.h"

#include <QLineEdit>
#include <QMouseEvent>

namespace tv::wizard {

CodeEntry::CodeEntry(QWidget* window, window::Session& session, Configuration& configuration)
    : QObject(window), session_(session), configuration_(configuration) {
    box_ = window::MakeControl<QLineEdit>(window, "txtCode");
    recall_ = window::MakeControl<window::ClickLabel>(window, "lblRecoRepeat");
    recall_->setText("Re");
    connect(box_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!settingText_)
            Q_EMIT edited(platform::FromQString(text));
    });
    connect(box_, &QLineEdit::returnPressed, this, &CodeEntry::entered);
    connect(recall_, &window::ClickLabel::pressed, this, [this] { recallLastCode(); });
    box_->installEventFilter(this);
}

void CodeEntry::place(const QRect& box, int recallLeft, int recallWidth) {
    box_->setGeometry(box);
    recall_->setGeometry(recallLeft, box.top(), recallWidth, box.height());
}

void CodeEntry::hideAll() {
    box_->hide();
    recall_->hide();
    box_->setEnabled(false);
}

void CodeEntry::show() {
    box_->show();
    box_->setEnabled(true);
    box_->setFocus();
    recall_->setVisible(session_.values.debugMode);
}

void CodeEntry::showCode(const std::string& codeBoxText) {
    box_->blockSignals(true);
    box_->setText(Screen(codeBoxText));
    box_->blockSignals(false);
}

void CodeEntry::setText(const std::string& text) {
    box_->setText(Screen(text));
}

void CodeEntry::moveTo(int top) {
    box_->move(box_->x(), top);
}

std::vector<QWidget*> CodeEntry::tabChain() const {
    return {box_, recall_};
}

CodeEntry::Check CodeEntry::check(const std::string& typed) {
    if (typed.size() == 9)
        return typed == session_.files->head.passCode ? Check::kPassCode : Check::kIncomplete;
    const std::string code = platform::UpperCase(typed);
    if (code.size() < 13)
        return Check::kIncomplete;
    settingText_ = true;
    const int cursor = box_->cursorPosition();
    box_->setText(Screen(code));
    box_->setCursorPosition(cursor);
    settingText_ = false;
    configuration_.code = code;
    const int position = configuration_.CheckCode();
    if (position == 0)
        return Check::kPasses;
    session_.platform.messages.inform(PositionMessage(code, position));
    return Check::kFails;
}

// The middle button recalls the last code, and only that: on X11 the box
// would paste the primary selection on the release as well, so the release
// (and a double click) of that button never reaches it.
bool CodeEntry::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // Ctrl+R recalls it by keyboard.
    if (watched == box_ && type == QEvent::KeyPress &&
        window::KeyboardButton(static_cast<QKeyEvent*>(event)) == Qt::MiddleButton) {
        restoreLastCode();
        return true;
    }
    if (watched != box_ ||
        (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
         type != QEvent::MouseButtonDblClick) ||
        static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton)
        return QObject::eventFilter(watched, event);
    if (type == QEvent::MouseButtonPress)
        restoreLastCode();
    return true;
}

std::string CodeEntry::lastCode() const {
    return session_.platform.settings.get(data::kSettingsApp, data::kSettingsSection, "LastCode");
}

// As if typed: the code is checked as it stands in the box.
void CodeEntry::restoreLastCode() {
    const std::string last = lastCode();
    if (!last.empty())
        box_->setText(Screen(last));
}

// Only a code that still passes opens the result; the data may have changed
// since it was saved.
void CodeEntry::recallLastCode() {
    const std::string last = lastCode();
    if (last.empty()) {
        recall_->hide();
        return;
    }
    settingText_ = true;
    box_->setText(Screen(last));
    settingText_ = false;
    configuration_.code = last;
    const int position = configuration_.CheckCode();
    if (position != 0)
        session_.platform.messages.inform(PositionMessage(last, position));
    Q_EMIT recalled(position == 0);
}

} // namespace tv::wizard
