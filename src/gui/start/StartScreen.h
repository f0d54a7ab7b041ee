#pragma once

#include "data/StartScreenLayout.h"
#include "gui/window/Session.h"

#include <QObject>

#include <array>

class QLabel;
class QPushButton;
class QWidget;

namespace tv::window {
class ClickLabel;
}

namespace tv::start {

// The start screen: six language flags, two start pictures, the head text,
// two information texts and the two start buttons, all laid out from the
// section "¤STARTSCREEN" each time the screen is shown.
class StartScreen : public QObject {
    Q_OBJECT
public:
    StartScreen(QWidget* window, window::Session& session, QPushButton* exitButton,
                QLabel* adminLabel);

    // Lays the start screen out and shows it (iProgressCode 21). Without the
    // section the screen keeps what it showed before.
    void LayoutStartScreen();

    // Hides every control of the start screen.
    void hideAll();
    // The first information text's caption (the web probe shows its page there).
    void setFirstInfoText(std::string_view cp1252);

Q_SIGNALS:
    void languageChosen(const QString& code); // a flag pressed with the left button
    void languageHelp(const QString& code);   // a flag pressed with another button
    void configure();                         // cmdStartscreen1
    void reconfigure();                       // cmdStartscreen2
    void shortcutConfigure();                 // "K"
    void shortcutReconfigure();               // "R"
    void shortcutAdmin();                     // "A"

private:
    void makeFlags(QWidget* window);
    void makePicturesAndTexts(QWidget* window);
    void makeButtons(QWidget* window);
    void placeHead(const data::StartScreenLayout& layout);
    void placeButtons(const data::StartScreenLayout& layout);
    void openLink(std::string_view control);
    void showPicture(QLabel* label, std::string_view pictureName);
    void placeInfo(QLabel* label, const data::TwipRect& rect, const std::string& infoName);

    window::Session& session_;
    QPushButton* exit_;
    QLabel* admin_;
    std::array<window::ClickLabel*, 6> flags_{}; // NO, EN, DE, FI, DK, SE
    window::ClickLabel* picture1_;
    window::ClickLabel* picture2_;
    window::ClickLabel* head_;
    QLabel* info1_;
    QLabel* info2_;
    QPushButton* start1_;
    QPushButton* start2_;
    std::array<window::ClickLabel*, 3> shortcuts_{}; // "K", "R", "A"
    std::string headAddress_;                        // of the layout shown last
};

} // namespace tv::start
