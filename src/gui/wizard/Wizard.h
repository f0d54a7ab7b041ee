#pragma once

#include "gui/window/Session.h"
#include "wizard/Configuration.h"
#include "gui/wizard/CodeEntry.h"
#include "gui/wizard/ConnectionPage.h"
#include "wizard/OptionGroups.h"
#include "gui/wizard/ValvePage.h"
#include "gui/wizard/WindowControls.h"

#include <QObject>

#include <memory>
#include <vector>

namespace tv::wizard {

// The configuration wizard: the valve page, the connection page and code
// entry, and the steps between them (iProgressCode).
class Wizard : public QObject {
    Q_OBJECT
public:
    Wizard(window::Session& session, WindowControls shared);
    ~Wizard() override;

    Configuration& configuration() { return *session_.configuration; }
    const OptionGroups& options() const { return *options_; }

    // The wizard's part of hiding every control of every screen.
    void hideAll();
    // Called by the window after it applied a language head.
    void ApplyLanguageHead(const data::LanguageHead& head);

    void ResetValvePage();
    void UpdateProgress();
    void ShowConnectionPage();
    void ShowCodeEntry();

    // Buttons and labels.
    void Next();
    void Back();
    // Back on the result screen, which has hidden itself.
    void ReportBack();
    void StartNew();
    bool Exit(); // false: only the open picker was closed
    // Escape: closes an open picker; false when none was open.
    bool ClosePicker();
    void Configure();
    void Reconfigure();
    void ShortcutConfigure();
    void ShortcutReconfigure();

Q_SIGNALS:
    void administrationRequested();
    void closeRequested();
    // Every screen of the window hidden (the window's HideAll).
    void hideAllRequested();
    void startScreenRequested();
    void resultRequested(const std::string& accessoryCaption);

private:
    void HideAll(); // the whole window's
    void setTabOrder();
    void showCode();
    void showHelp(const std::string& key);
    void setNextEnabled(bool enabled);

    void valvePageChanged(bool moveFocus);

    void codeEdited(const std::string& typed);
    void codeRecalled(bool passes);
    void openResult();

    std::string setting(const char* key) const;
    void save(const char* key, const std::string& value);

    window::Session& session_;
    WindowControls shared_;
    ValvePage* valvePage_ = nullptr;
    ConnectionPage* connectionPage_ = nullptr;
    CodeEntry* codeEntry_ = nullptr;
    window::ClickLabel* nextShortcut_; // lblNextCtrl
    std::unique_ptr<OptionGroups> options_;
    ValvePageCaptions captions_;
};

} // namespace tv::wizard
