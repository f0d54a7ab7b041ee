#pragma once

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

Q_SIGNALS:
    void pressed(Qt::MouseButton button, QPoint position);

protected:
    void mousePressEvent(QMouseEvent* event) override {
        Q_EMIT pressed(event->button(), event->position().toPoint());
        event->accept();
    }
};

} // namespace tv::window

#include <QListWidget>
#include <QRadioButton>

namespace tv::window {

// An option button whose state the program sets: a press reports its
// mouse button instead of toggling, because each button of the mouse means
// something else (left chooses, right helps, middle restores).
class PressRadio : public QRadioButton {
    Q_OBJECT
public:
    explicit PressRadio(QWidget* parent = nullptr) : QRadioButton(parent) {
        setAutoExclusive(false);
    }

Q_SIGNALS:
    void pressed(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override {
        event->accept();
        if (isEnabled())
            Q_EMIT pressed(event->button());
    }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
};

// A list that reports the mouse button of a press on an entry, after the
// entry under the pointer has become the current one.
class PressList : public QListWidget {
    Q_OBJECT
public:
    explicit PressList(QWidget* parent = nullptr) : QListWidget(parent) {}

Q_SIGNALS:
    void pressedRow(Qt::MouseButton button, int row);

protected:
    void mousePressEvent(QMouseEvent* event) override {
        QListWidget::mousePressEvent(event);
        const QModelIndex index = indexAt(event->position().toPoint());
        Q_EMIT pressedRow(event->button(), index.isValid() ? index.row() : currentRow());
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
