#pragma once

#include "platform/qt/QtText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace tv::window {

// A data-file text (Windows-1252) as a control shows it.
inline QString Screen(std::string_view cp1252) {
    return platform::ToScreenText(cp1252);
}

// A control of a screen: created hidden, with the object name the program
// and its tests find it by. Each screen shows its controls when laid out.
template <typename T> T* MakeControl(QWidget* parent, const char* objectName) {
    auto* control = new T(parent);
    control->setObjectName(QString::fromLatin1(objectName));
    control->hide();
    return control;
}

// The mouse button a key stands for on the wizard's choices: Enter the
// left (choose), Ctrl+R the middle (restore what was saved), F1 the right
// (help). NoButton for any other key.
inline Qt::MouseButton KeyboardButton(const QKeyEvent* event) {
    const int key = event->key();
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier)
        return Qt::LeftButton;
    if (key == Qt::Key_R && modifiers == Qt::ControlModifier)
        return Qt::MiddleButton;
    if (key == Qt::Key_F1 && modifiers == Qt::NoModifier)
        return Qt::RightButton;
    return Qt::NoButton;
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
        const Qt::MouseButton button =
            event->key() == Qt::Key_Space ? Qt::LeftButton : KeyboardButton(event);
        if (keyboard_ && button != Qt::NoButton) {
            event->accept();
            Q_EMIT pressed(button, rect().center());
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
    // The mouse buttons by keyboard: Enter chooses as Space does, Ctrl+R
    // restores as the middle button does, F1 helps as the right one does.
    void keyPressEvent(QKeyEvent* event) override {
        const Qt::MouseButton button = KeyboardButton(event);
        if (button == Qt::NoButton || !isEnabled()) {
            QRadioButton::keyPressEvent(event);
            return;
        }
        event->accept();
        Q_EMIT pressed(button);
    }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
};

// A list that reports the mouse button of a press on an entry. Only the
// left button makes the entry under the pointer the current one: another
// button shows help and changes nothing on screen, and a press beside the
// entries chooses none. Enter and Space choose the current entry, F1 and
// Ctrl+R press it as the right and middle buttons do.
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
        const Qt::MouseButton button =
            event->key() == Qt::Key_Space ? Qt::LeftButton : KeyboardButton(event);
        if (button != Qt::NoButton && currentRow() >= 0) {
            event->accept();
            Q_EMIT pressedRow(button, currentRow());
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

#include <QLabel>

namespace tv::window {

// Places a label at `place`, made larger around its middle where its text
// needs more room than the place has (a wrapped label more lines, another
// more width or height), so that no line of it is cut.
inline void PlaceFitting(QLabel* label, const QRect& place) {
    QRect rect = place;
    const QSize hint = label->sizeHint();
    const int height = label->wordWrap() ? label->heightForWidth(place.width()) : hint.height();
    if (height > rect.height())
        rect.adjust(0, -(height - rect.height()) / 2, 0, (height - rect.height() + 1) / 2);
    if (!label->wordWrap() && hint.width() > rect.width())
        rect.adjust(-(hint.width() - rect.width()) / 2, 0, (hint.width() - rect.width() + 1) / 2,
                    0);
    label->setGeometry(rect);
}

} // namespace tv::window

#include <QPainter>
#include <QTextLayout>

namespace tv::window {

// A label whose plain text wraps between words and, where a word (a path)
// is longer than a line, inside the word: nothing of it is cut.
class WrapLabel : public QLabel {
public:
    explicit WrapLabel(QWidget* parent = nullptr) : QLabel(parent) {
        setTextFormat(Qt::PlainText);
        setWordWrap(true);
    }

    int heightForWidth(int width) const override {
        const QMargins margins = contentsMargins();
        return lines(width - margins.left() - margins.right()).height() + margins.top() +
               margins.bottom();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect room = contentsRect();
        const QRectF drawn = lines(room.width());
        // Centred in the room the way the label's alignment says.
        const qreal top = alignment() & Qt::AlignVCenter
                              ? room.top() + (room.height() - drawn.height()) / 2
                              : room.top();
        layout_.draw(&painter, QPointF(room.left(), std::max<qreal>(room.top(), top)));
    }

private:
    // Lays the text out in lines of `width` and gives the space they take.
    QRectF lines(int width) const {
        layout_.setText(text());
        layout_.setFont(font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout_.setTextOption(option);
        const QFontMetrics metrics(font());
        qreal height = 0;
        layout_.beginLayout();
        for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
            line.setLineWidth(std::max(1, width));
            line.setPosition(QPointF(0, height));
            height += metrics.lineSpacing();
        }
        layout_.endLayout();
        return QRectF(0, 0, width, height);
    }

    mutable QTextLayout layout_;
};

} // namespace tv::window
