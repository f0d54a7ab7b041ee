#pragma once

#include "gui/window/Session.h"
#include "wizard/Configuration.h"

#include <QObject>

class QLabel;
class QPushButton;
class QShortcut;
class QWidget;

namespace tv::window {
class ClickLabel;
}
namespace tv::result {
class ResultScreen;
}

namespace tv::output {

// The enlarged valve picture over the result screen: the same drawing the
// order report saves as its bitmap, with the drawn dimensions. While it is
// open, the report, DWG, Back and Exit buttons wait.
class EnlargedView : public QObject {
    Q_OBJECT
public:
    EnlargedView(QWidget* window, window::Session& session, result::ResultScreen& resultScreen,
                 QPushButton* exitButton, QPushButton* reportBack);

    void open(const wizard::ConfigurationRecord& record, const std::string& code);
    // Closing by a click on the view and by its exit picture alike give the
    // buttons back: a user expects the screen usable again either way.
    void close();
    void hide();
    bool isOpen() const;

private:
    void setButtonsEnabled(bool enabled);

    window::Session& session_;
    result::ResultScreen& resultScreen_;
    QPushButton* exit_;
    QPushButton* reportBack_;
    window::ClickLabel* surface_;     // picEnlarged
    window::ClickLabel* exitPicture_; // peExit
    QLabel* test_;                    // prTest
    QShortcut* escape_;
};

} // namespace tv::output
