#pragma once

#include "admin/WebProbe.h"
#include "gui/window/Session.h"

#include <QWidget>

#include <filesystem>
#include <memory>

class QLabel;
class QScrollArea;
class QPushButton;

namespace tv::start {
class StartScreen;
}
namespace tv::wizard {
class Wizard;
}
namespace tv::result {
class ResultScreen;
}
namespace tv::admin {
class AdminScreen;
}

namespace tv::window {
class ClickLabel;
class HelpPanelView;
} // namespace tv::window

namespace tv::gui {

// The program's one window, `mainBrivo`. It owns the program-wide state and
// shows one screen at a time by placing, filling, showing and hiding its
// controls.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(platform::Platform& platform, std::filesystem::path programDirectory,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Creation: the customer-details dialog. False when the user chose to
    // quit; the window must then never appear.
    bool create();

    // Loading: the values start-up found, then the start screen.
    void load(data::StartupValues values);

    window::Session& session() { return session_; }
    // The wizard exists from the end of loading on.
    wizard::Wizard* wizard() { return wizard_; }

    // Operations other screens and later steps use.
    void HideAll();
    void LayoutStartScreen();
    void ApplyLanguageHead();
    bool ShowHelpPanel(std::string_view helpKey);
    // Clears the window and opens the administration screen (pass code,
    // "A" label or administration label).
    void OpenAdministration();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeScrollingPage();
    void createWizard();
    void connectScreens();
    // The page at the window's full size, the window as large as the
    // screen allows.
    void fitScreen();
    void chooseLanguage(const QString& code);
    void debugInfoPressed();

    window::Session session_;
    QScrollArea* scroll_;
    QWidget* page_; // the screens' controls stand on it
    QSize fitted_;  // the window's size when it was last fitted
    QPushButton* cmdExit_;
    QPushButton* cmdBack_;
    QPushButton* cmdNext_;
    QPushButton* cmdStartNy_;
    QLabel* lblTopText_;
    window::ClickLabel* lblDebugInfo_;
    window::ClickLabel* lblAdminCmd_;
    std::unique_ptr<window::HelpPanelView> help_;
    start::StartScreen* startScreen_ = nullptr;
    wizard::Wizard* wizard_ = nullptr;
    result::ResultScreen* resultScreen_ = nullptr;
    admin::AdminScreen* adminScreen_ = nullptr;
    admin::RandomBelow random_;
};

} // namespace tv::gui
