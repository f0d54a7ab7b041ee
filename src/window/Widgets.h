#pragma once

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace tv::window {

// A control of a screen: created hidden, with the object name the program
// and its tests find it by. Each screen shows its controls when laid out.
template <typename T> T* MakeControl(QWidget* parent, const char* objectName) {
    auto* control = new T(parent);
    control->setObjectName(QString::fromLatin1(objectName));
    control->hide();
    return control;
}

// A label (or picture) that tells which mouse button pressed it and where:
// the buttons carry meaning on every screen (left chooses, right helps,
// middle restores).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr) : QLabel(parent) {}

    // Makes a picture that works as a button reachable by keyboard: Tab
    // stops at it, a frame shows the focus, and Enter or Space press it as
    // the left button does (at its middle).
    void takeKeyboard() {
        keyboard_ = true;
        setFocusPolicy(Qt::StrongFocus);
    }

Q_SIGNALS:
    void pressed(Qt::MouseButton button, QPoint position);

protected:
    void mousePressEvent(QMouseEvent* event) override {
        Q_EMIT pressed(event->button(), event->position().toPoint());
        event->accept();
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (keyboard_ && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
            event->accept();
            Q_EMIT pressed(Qt::LeftButton, rect().center());
            return;
        }
        QLabel::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override {
        if (keyboard_)
            setFrameShape(QFrame::Box);
        QLabel::focusInEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        if (keyboard_)
            setFrameShape(QFrame::NoFrame);
        QLabel::focusOutEvent(event);
    }

private:
    bool keyboard_ = false;
};

} // namespace tv::window

#include <QKeyEvent>
#include <QListWidget>
#include <QRadioButton>

namespace tv::window {

// An option button whose state the program sets: a press reports its
// mouse button instead of toggling, because each button of the mouse means
// something else (left chooses, right helps, middle restores). Space
// chooses like the left button; the button never checks itself, so what it
// shows is always what the program chose.
class PressRadio : public QRadioButton {
    Q_OBJECT
public:
    explicit PressRadio(QWidget* parent = nullptr) : QRadioButton(parent) {
        setAutoExclusive(false);
        // Mouse presses never reach the click: only the keyboard clicks.
        connect(this, &QAbstractButton::clicked, this, [this] {
            if (isEnabled())
                Q_EMIT pressed(Qt::LeftButton);
        });
    }

Q_SIGNALS:
    void pressed(Qt::MouseButton button);

protected:
    void nextCheckState() override {}
    void mousePressEvent(QMouseEvent* event) override {
        event->accept();
        if (isEnabled())
            Q_EMIT pressed(event->button());
    }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
};

// A list that reports the mouse button of a press on an entry. Only the
// left button makes the entry under the pointer the current one: another
// button shows help and changes nothing on screen, and a press beside the
// entries chooses none. Enter and Space choose the current entry.
class PressList : public QListWidget {
    Q_OBJECT
public:
    explicit PressList(QWidget* parent = nullptr) : QListWidget(parent) {
        // A long entry wraps onto a second line rather than run out of
        // sight: the lists are as narrow as the data make them.
        setWordWrap(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setResizeMode(QListView::Adjust);
    }

Q_SIGNALS:
    void pressedRow(Qt::MouseButton button, int row);

protected:
    void mousePressEvent(QMouseEvent* event) override {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton)
            QListWidget::mousePressEvent(event);
        else
            event->accept();
        Q_EMIT pressedRow(event->button(), index.isValid() ? index.row() : -1);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
            currentRow() >= 0) {
            event->accept();
            Q_EMIT pressedRow(Qt::LeftButton, currentRow());
            return;
        }
        QListWidget::keyPressEvent(event);
    }
};

} // namespace tv::window

#include <QGroupBox>

namespace tv::window {

// A frame that reports presses on itself (not on its children).
class PressFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit PressFrame(QWidget* parent = nullptr) : QGroupBox(parent) {}

Q_SIGNALS:
    void pressed(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override {
        event->accept();
        Q_EMIT pressed(event->button());
    }
};

} // namespace tv::window
