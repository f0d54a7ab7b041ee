#pragma once

#include "gui/window/Session.h"
#include "wizard/Configuration.h"

#include <QObject>

class QLabel;
class QShortcut;
class QWidget;

namespace tv::window {
class ClickLabel;
}
namespace tv::output {

// The enlarged valve picture over the result screen: the same drawing the
// order report saves as its bitmap, with the drawn dimensions. The result
// screen opens it and hears when it closes.
class EnlargedView : public QObject {
    Q_OBJECT
public:
    EnlargedView(QWidget* window, window::Session& session);

    void open(const wizard::ConfigurationRecord& record, const std::string& code);
    // Closing by a click on the view and by its exit picture alike give the
    // buttons back: a user expects the screen usable again either way.
    void close();
    void hide();
    bool isOpen() const;

Q_SIGNALS:
    void closed();

private:
    window::Session& session_;
    window::ClickLabel* surface_;     // picEnlarged
    window::ClickLabel* exitPicture_; // peExit
    QLabel* test_;                    // prTest
    QShortcut* escape_;
};

} // namespace tv::output
