#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace tv::app {

// A label (or picture) that tells which mouse button pressed it and where:
// the buttons carry meaning on every screen (left chooses, right helps,
// middle restores).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr) : QLabel(parent) {}

signals:
    void pressed(Qt::MouseButton button, QPoint position);

protected:
    void mousePressEvent(QMouseEvent* event) override {
        emit pressed(event->button(), event->position().toPoint());
        event->accept();
    }
};

} // namespace tv::app
