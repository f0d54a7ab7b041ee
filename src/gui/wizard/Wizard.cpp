#include "gui/wizard/Wizard.h"

#include "gui/window/Widgets.h"
#include "gui/window/HelpPanelView.h"
#include "platform/qt/QtText.h"
#include "gui/wizard/WizardSupport.h"

#include <QPushButton>

namespace tv::wizard {

namespace {
constexpr int kStartNewWidth = 1600; // twips
} // namespace

Wizard::Wizard(window::Session& session, WindowControls shared)
    : QObject(shared.window), session_(session), shared_(shared) {
    options_ =
        std::make_unique<OptionGroups>(configuration(), *session_.files, session_.platform.settings,
                                       session_.platform.messages, session_.values.debugMode);
    valvePage_ = new ValvePage(shared_, session_, configuration(), *options_);
    connectionPage_ = new ConnectionPage(shared_, session_, configuration());
    QWidget* window = shared.window;
    codeEntry_ = new CodeEntry(window, session_, configuration());
    nextShortcut_ = window::MakeControl<window::ClickLabel>(window, "lblNextCtrl");
    nextShortcut_->setText("N");
    nextShortcut_->setAlignment(Qt::AlignCenter);
    nextShortcut_->setFrameShape(QFrame::Box);

    connect(shared.next, &QPushButton::clicked, this, &Wizard::Next);
    connect(nextShortcut_, &window::ClickLabel::pressed, this, &Wizard::Next);
    connect(shared.back, &QPushButton::clicked, this, &Wizard::Back);
    connect(shared.startNew, &QPushButton::clicked, this, &Wizard::StartNew);

    connect(valvePage_, &ValvePage::choiceMade, this, &Wizard::valvePageChanged);
    connect(valvePage_, &ValvePage::valveTypeChosen, this, [this] {
        session_.steps.chooseValveType();
        valvePageChanged(true);
    });
    connect(valvePage_, &ValvePage::helpRequested, this, &Wizard::showHelp);
    connect(connectionPage_, &ConnectionPage::codeChanged, this, &Wizard::showCode);
    connect(connectionPage_, &ConnectionPage::slotCompleted, this, [this] {
        showCode();
        UpdateProgress();
        connectionPage_->focusNextSlot();
    });
    connect(codeEntry_, &CodeEntry::edited, this, &Wizard::codeEdited);
    connect(codeEntry_, &CodeEntry::recalled, this, &Wizard::codeRecalled);
    // Enter in a code that passes goes on, as Next does.
    connect(codeEntry_, &CodeEntry::entered, this, [this] {
        if (shared_.next->isEnabled())
            Next();
    });
    setTabOrder();
}

Wizard::~Wizard() = default;

// Tab follows the screen: the choices from the top down, then Back, Next
// and Start new, and Exit last (hidden controls are passed over).
void Wizard::setTabOrder() {
    std::vector<QWidget*> chain = valvePage_->tabChain();
    for (QWidget* control : connectionPage_->tabChain())
        chain.push_back(control);
    for (QWidget* control : codeEntry_->tabChain())
        chain.push_back(control);
    for (QWidget* control :
         {static_cast<QWidget*>(shared_.back), static_cast<QWidget*>(shared_.next),
          static_cast<QWidget*>(shared_.startNew), static_cast<QWidget*>(shared_.exit)})
        chain.push_back(control);
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

bool Wizard::ClosePicker() {
    return connectionPage_->closePicker();
}

std::string Wizard::setting(const char* key) const {
    return session_.platform.settings.get(data::kSettingsApp, data::kSettingsSection, key);
}

void Wizard::save(const char* key, const std::string& value) {
    session_.platform.settings.save(data::kSettingsApp, data::kSettingsSection, key, value);
}

void Wizard::showHelp(const std::string& key) {
    shared_.help->ShowHelpPanel(key, connectionPage_->connectionText());
}

void Wizard::HideAll() {
    Q_EMIT hideAllRequested();
}

void Wizard::hideAll() {
    valvePage_->hideAll();
    connectionPage_->hideAll();
    for (QWidget* control : std::initializer_list<QWidget*>{
             nextShortcut_, shared_.back, shared_.next, shared_.startNew, shared_.topText})
        control->hide();
    shared_.back->setEnabled(false);
    shared_.next->setEnabled(false);
    codeEntry_->hideAll();
    options_->Reset();
    valvePage_->renderOptions();
}

void Wizard::ApplyLanguageHead(const data::LanguageHead& head) {
    shared_.window->window()->setWindowTitle(Screen(head.windowCaption));
    shared_.topText->setVisible(head.showTopText);
    if (head.showTopText)
        shared_.topText->setText(Screen(head.topText));
    shared_.exit->setText(Screen(head.exitCaption));
    shared_.back->setText(Screen(head.backCaption));
    shared_.next->setText(Screen(head.nextCaption));
}

void Wizard::setNextEnabled(bool enabled) {
    shared_.next->setEnabled(enabled);
    nextShortcut_->setVisible(enabled && session_.values.compactScreen);
}

void Wizard::showCode() {
    codeEntry_->showCode(configuration().codeBoxText());
    valvePage_->showCode(configuration().codeLabelText());
}

void Wizard::ShowCodeEntry() {
    session_.steps.showCodeEntry();
    shared_.topText->show();
    codeEntry_->show();
    shared_.startNew->show();
    shared_.next->show();
    setNextEnabled(false);
    showHelp("Reconfig1");
}

// Typing counts once code entry is open; a code that passes enables Next.
void Wizard::codeEdited(const std::string& typed) {
    if (!session_.steps.typeCode())
        return;
    setNextEnabled(false);
    shared_.help->hide();
    const CodeEntry::Check check = codeEntry_->check(typed);
    if (check == CodeEntry::Check::kPassCode)
        Q_EMIT administrationRequested();
    if (check == CodeEntry::Check::kPasses)
        setNextEnabled(true);
}

void Wizard::codeRecalled(bool passes) {
    nextShortcut_->setVisible(session_.values.compactScreen);
    if (!passes)
        return;
    session_.steps.recallCode();
    Next();
}

void Wizard::ShowConnectionPage() {
    shared_.back->setEnabled(true);
    setNextEnabled(false);
    valvePage_->showPictureOnly();
    connectionPage_->show();
    connectionPage_->focusNextSlot();
}

// Every change on the valve page: the code as it now stands, and whether
// the page is complete.
void Wizard::valvePageChanged(bool moveFocus) {
    showCode();
    UpdateProgress();
    if (moveFocus)
        valvePage_->focusNextChoice();
}

void Wizard::ResetValvePage() {
    session_.steps.resetValvePage();
    valvePage_->show();
    codeEntry_->hideAll();
    for (QWidget* button : {shared_.back, shared_.next, shared_.startNew})
        button->show();
    connectionPage_->clearSlot();

    ValvePageLayout layout = ReadValvePageLayout(*session_.files);
    captions_ = ReadValvePageCaptions(*session_.files);
    ApplyLanguageHead(captions_.head);
    valvePage_->place(layout, captions_);
    connectionPage_->place(layout, captions_);

    auto px = [this](int twips) {
        return session_.px(twips);
    };
    const int top = px(layout.buttonTop);
    const int width = px(window::kButtonWidth);
    const int height = px(window::kButtonHeight);
    shared_.exit->setGeometry(px(layout.exitLeft), top, width, height);
    // "Start new" is the longest of the buttons' captions in some languages
    // ("Neu beginnen"); the room up to the code box lets it be wider.
    shared_.startNew->setGeometry(px(layout.exitLeft + window::kButtonWidth + 150), top,
                                  px(kStartNewWidth), height);
    shared_.back->setGeometry(px(layout.windowWidth * 3 / 4), top, width, height);
    shared_.next->setGeometry(px(layout.windowWidth * 87 / 100), top, width, height);
    codeEntry_->place(QRect(px(layout.codeBoxLeft), top, px(layout.codeBoxWidth), height),
                      px(layout.codeBoxLeft + layout.codeBoxWidth + 100), px(400));
    nextShortcut_->setGeometry(px(layout.windowWidth * 87 / 100 + window::kButtonWidth / 2 - 150),
                               top - px(400), px(300), px(300));

    configuration().setLayout(std::move(layout));
    configuration().Clear();
    showCode();
    showHelp("Startinfo");
}

void Wizard::UpdateProgress() {
    const Steps::Progress progress = session_.steps.update(configuration().positionFlags);
    if (progress.unexpected) {
        session_.platform.messages.inform("iProgressCode " +
                                          std::to_string(session_.steps.iProgressCode()));
        return;
    }
    if (progress.next != Steps::Progress::Next::kAsItWas)
        setNextEnabled(progress.next == Steps::Progress::Next::kEnabled);
    if (progress.focusNext)
        shared_.next->setFocus();
}

void Wizard::Next() {
    save("BottomDefault", options_->BottomDefault());
    const Steps::NextAction action = session_.steps.next();
    if (action == Steps::NextAction::kOpenResultFromCode) {
        HideAll();
        setNextEnabled(false);
        openResult();
        return;
    }
    valvePage_->hideOptions();
    shared_.help->hide();
    if (action == Steps::NextAction::kOpenConnectionPage) {
        ShowConnectionPage();
        connectionPage_->showStartPictures(
            session_.FindPicture("ConnectionStart_" + session_.language()).path);
        return;
    }
    if (action == Steps::NextAction::kOpenResult) {
        HideAll();
        setNextEnabled(false);
        save("LastCode", configuration().code);
        openResult();
        return;
    }
    session_.platform.messages.inform("Next action: " +
                                      std::to_string(session_.steps.iProgressCode()));
}

void Wizard::openResult() {
    shared_.topText->show();
    Q_EMIT resultRequested(captions_.accessoryFrame);
}

void Wizard::Back() {
    const int type = configuration().record.valveType;
    valvePage_->showTypeButtons(true);
    HideAll();
    ResetValvePage();
    valvePage_->SelectValveType(type);
    shared_.help->hide();
    shared_.startNew->show();
}

void Wizard::ReportBack() {
    if (session_.steps.backFromResult() == Steps::BackAction::kToCodeEntry) {
        const std::string code = configuration().code;
        ResetValvePage();
        HideAll();
        configuration().code = code;
        codeEntry_->setText(code); // the step is 0 here: no check runs
        ShowCodeEntry();
        return;
    }
    ShowConnectionPage();
    shared_.back->show();
    shared_.next->show();
    valvePage_->show();
    setNextEnabled(true);
    shared_.help->hide();
    shared_.startNew->show();
}

void Wizard::StartNew() {
    HideAll();
    session_.steps.startNew();
    configuration().positionFlags[1] = false;
    valvePage_->clearValveType();
    Q_EMIT startScreenRequested();
}

bool Wizard::Exit() {
    if (connectionPage_->closeConnectionPicker())
        return false;
    Q_EMIT closeRequested();
    return true;
}

void Wizard::Configure() {
    session_.values.compactScreen = false;
    shared_.adminLabel->hide();
    HideAll();
    ResetValvePage();
    valvePage_->showTypeButtons(true);
    valvePage_->focusFirstType();
}

void Wizard::Reconfigure() {
    shared_.adminLabel->hide();
    session_.values.compactScreen = false;
    ResetValvePage();
    HideAll();
    codeEntry_->setText({});
    ShowCodeEntry();
}

void Wizard::ShortcutConfigure() {
    shared_.adminLabel->hide();
    HideAll();
    ResetValvePage();
    // The valve type is then chosen by clicking the valve picture.
    valvePage_->showTypeButtons(false);
    valvePage_->focusPicture();
}

void Wizard::ShortcutReconfigure() {
    shared_.adminLabel->hide();
    ResetValvePage();
    HideAll();
    codeEntry_->setText({});
    ShowCodeEntry();
    // On a small display the code box moves up beside the help text.
    shared_.help->moveTo(session_.px(1000));
    codeEntry_->moveTo(session_.px(4000));
    nextShortcut_->move(nextShortcut_->x(), session_.px(4000));
}

} // namespace tv::wizard
