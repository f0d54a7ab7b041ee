#include "gui/admin/EditorScreen.h"

#include "platform/Cp1252.h"
#include "platform/qt/QtText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QShortcut>

namespace tv::admin {

namespace {

// A control inside the frame, shown whenever the frame is.
template <typename T> T* MakeChild(QWidget* frame, const std::string& objectName) {
    auto* control = new T(frame);
    control->setObjectName(QString::fromStdString(objectName));
    return control;
}

void SetTextColour(QLineEdit* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Active, QPalette::Text, colour);
    palette.setColor(QPalette::Inactive, QPalette::Text, colour);
    box->setPalette(palette);
}

} // namespace

EditorScreen::EditorScreen(QWidget* window, window::Session& session)
    : window::PressFrame(window), session_(session) {
    setObjectName("frmEditor");
    hide();

    keyCaption_ = MakeChild<window::WrapLabel>(this, "lblEditKey");
    keyBox_ = MakeChild<QLineEdit>(this, "txtEditKey");
    for (int k = 1; k <= kEditBoxes; ++k) {
        captions_[k - 1] = MakeChild<window::WrapLabel>(this, "lblEdit" + std::to_string(k));
        boxes_[k - 1] = MakeChild<QLineEdit>(this, "txtEdit" + std::to_string(k));
    }
    cancel_ = MakeChild<QPushButton>(this, "cmdEditCancel");
    save_ = MakeChild<QPushButton>(this, "cmdEditSave");

    // A caption longer than its room wraps onto the second line it has,
    // a single long word inside the word.
    for (auto* caption : captions_)
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    keyCaption_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Opaque: nothing of the administration screen behind it shows through
    // or takes a click meant for the editor.
    setAutoFillBackground(true);

    // Only what the user types counts as a change: filling the boxes when
    // the editor opens leaves the record unmodified, so a press on the
    // background still closes it. Boxes 7 to 10 count as much as 1 to 6: a
    // changed block name or valve-house code is as much worth saving as a
    // changed price.
    for (int k = 1; k <= kEditBoxes; ++k) {
        QLineEdit* box = boxes_[k - 1];
        connect(box, &QLineEdit::textEdited, this, &EditorScreen::boxEdited);
        connect(box, &QLineEdit::returnPressed, this, &EditorScreen::save);
    }
    connect(keyBox_, &QLineEdit::textEdited, this, &EditorScreen::checkKey);
    connect(keyBox_, &QLineEdit::returnPressed, this, &EditorScreen::save);
    connect(save_, &QPushButton::clicked, this, &EditorScreen::save);
    connect(cancel_, &QPushButton::clicked, this, &EditorScreen::cancel);
    connect(this, &window::PressFrame::pressed, this, &EditorScreen::backgroundPressed);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &EditorScreen::escape);

    // The form is filled in reading order, then saved; cancel comes last so
    // that a Tab too many after the last box does not throw the work away.
    QWidget* previous = keyBox_;
    for (QWidget* next : boxes_) {
        setTabOrder(previous, next);
        previous = next;
    }
    setTabOrder(previous, save_);
    setTabOrder(save_, cancel_);
}

bool EditorScreen::layOut() {
    auto layout = ReadEditScreenLayout(*session_.files);
    if (!layout) {
        session_.platform.messages.inform(
            "EDIT screen layout not found in Tessaro.dat - report aborted");
        return false;
    }
    layout_ = std::move(*layout);

    setGeometry(session_.px(layout_.frame));
    setTitle(platform::ToScreenText(layout_.frameCaption));
    keyCaption_->setGeometry(session_.px(layout_.keyCaption()));
    keyBox_->setGeometry(session_.px(layout_.keyBox()));
    for (int k = 1; k <= kEditBoxes; ++k) {
        captions_[k - 1]->setGeometry(session_.px(layout_.boxCaption(k)));
        captions_[k - 1]->setText(platform::ToScreenText(layout_.boxCaptions[k - 1]));
        boxes_[k - 1]->setGeometry(session_.px(layout_.box(k)));
    }
    cancel_->setGeometry(session_.px(layout_.cancelButton()));
    cancel_->setText(platform::ToScreenText(layout_.cancelCaption));
    save_->setGeometry(session_.px(layout_.saveButton()));
    save_->setText(platform::ToScreenText(layout_.saveCaption));
    return true;
}

void EditorScreen::OpenExisting(const std::string& key) {
    setModified(false);
    if (!layOut())
        return;
    auto record = OpenRecord(*session_.files, key);
    if (!record) {
        // The list may be older than the file: someone removed the record.
        session_.platform.messages.inform(platform::ShownInMessage(key) + " NOT FOUND");
        hide();
        return;
    }
    currentKey_ = key;
    requiredKind_.clear();
    openedText_ = std::move(record->text);
    keyCaption_->setText("Innhold i record ");
    keyBox_->setEnabled(false);
    fill(record->fields);
    boxes_[0]->setFocus();
}

void EditorScreen::OpenNew(std::string_view kind) {
    setModified(false);
    if (!layOut())
        return;
    currentKey_ = std::string(kind);
    requiredKind_ = std::string(kind);
    openedText_.reset();
    keyCaption_->setText("Ny record ");
    keyBox_->setEnabled(true);
    fill(NewRecordFields());
    keyBox_->setFocus();
    keyBox_->end(false);
}

void EditorScreen::fill(const RecordFields& fields) {
    for (int k = 1; k <= kEditBoxes; ++k)
        boxes_[k - 1]->setText(platform::ToQString(fields[FieldOfBox(k)]));
    keyBox_->setText(platform::ToQString(currentKey_));
    // The kind alone is no key yet: a new record opens in red.
    const bool keyValid = requiredKind_.empty() || IsValidNewKey(currentKey_, requiredKind_);
    SetTextColour(keyBox_, keyValid ? Qt::black : Qt::red);
    setModified(false);
    // Over the data frame's list and buttons, which it covers.
    raise();
    QWidget::show();
}

void EditorScreen::Close() {
    hide();
    setModified(false);
}

void EditorScreen::setModified(bool modified) {
    modified_ = modified;
    save_->setEnabled(modified);
}

void EditorScreen::checkKey() {
    if (requiredKind_.empty()) {
        SetTextColour(keyBox_, Qt::black);
        return;
    }
    const bool valid = IsValidNewKey(platform::FromQString(keyBox_->text()), requiredKind_);
    SetTextColour(keyBox_, valid ? Qt::black : Qt::red);
    setModified(valid);
}

// A change in a box marks the record modified, but a new record can only
// be saved under a valid key: while the key is red, saving stays off.
void EditorScreen::boxEdited() {
    const bool keyValid = requiredKind_.empty() ||
                          IsValidNewKey(platform::FromQString(keyBox_->text()), requiredKind_);
    modified_ = true;
    save_->setEnabled(keyValid);
}

void EditorScreen::save() {
    // Enter in a box saves only what could be saved by the button.
    if (!isVisible() || !save_->isEnabled())
        return;

    // A value that cannot stand as one field line would break the record
    // (or the records after it) for every later reader: refuse the whole
    // save and show which box holds it.
    RecordFields fields = NewRecordFields();
    for (int k = 1; k <= kEditBoxes; ++k) {
        const QString typed = boxes_[k - 1]->text();
        const std::string value = platform::FromQString(typed);
        // The file keeps Windows-1252: a letter it has no byte for would
        // be stored as "?", not as typed.
        const std::string problem = platform::ToQString(value) != typed
                                        ? "it holds a character the article file cannot hold"
                                        : FieldValueProblem(value);
        if (!problem.empty()) {
            session_.platform.messages.inform(layout_.boxCaptions[k - 1] + ": " + problem);
            boxes_[k - 1]->setFocus();
            return;
        }
        fields[FieldOfBox(k)] = value;
    }

    SaveRequest request;
    request.isNew = keyBox_->isEnabled();
    request.key = request.isNew ? platform::FromQString(keyBox_->text()) : currentKey_;
    request.fields = std::move(fields);
    request.opened = openedText_;
    const SaveOutcome outcome = SaveRecord(*session_.files, request, session_.platform.system,
                                           session_.platform.messages, disk_);
    switch (outcome.result) {
    case SaveResult::Saved:
        Close();
        Q_EMIT closed();
        Q_EMIT saved(request.key);
        return;
    case SaveResult::NotFound: // said; the file is as it was, and the key is gone from it
        Close();
        Q_EMIT closed();
        return;
    case SaveResult::Refused:
    case SaveResult::Changed:
    case SaveResult::Failed:
        // Said as well. The editor stays open with everything typed in it,
        // so the user can put it right (or free the disk) and save again.
        return;
    }
}

void EditorScreen::cancel() {
    Close();
    Q_EMIT closed();
}

void EditorScreen::escape() {
    if (modified_ && !session_.platform.messages.askYesNo(
                         "Tessaro", "Discard the changes made to " + currentKey_ + "?"))
        return;
    cancel();
}

void EditorScreen::backgroundPressed(Qt::MouseButton button) {
    // The left button, as every choice of the window; a record with
    // changes is closed by cancel only, never by a stray press.
    if (button != Qt::LeftButton || modified_)
        return;
    Close();
    Q_EMIT closed();
}

void EditorScreen::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click on a list entry opens the editor with its first click;
    // its second lands on the frame now standing over the list and must
    // not close it again.
    event->accept();
}

} // namespace tv::admin
