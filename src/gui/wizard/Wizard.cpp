#include "gui/wizard/Wizard.h"

#include "gui/window/Widgets.h"
#include "gui/window/HelpPanelView.h"
#include "gui/start/StartScreen.h"
#include "platform/qt/QtText.h"
#include "result/ResultComputation.h"
#include "result/ResultScreenLayout.h"
#include "gui/result/ResultScreen.h"
#include "result/ValvePicture.h"
#include "gui/wizard/WizardSupport.h"

#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace tv::wizard {

namespace {
constexpr int kStartNewWidth = 1600; // twips
} // namespace

Wizard::Wizard(window::Session& session, SharedControls shared)
    : QObject(shared.window), session_(session), shared_(shared),
      valvePage_(shared.window, session), connectionPage_(shared.window, session) {
    QWidget* window = shared.window;
    codeBox_ = new QLineEdit(window);
    codeBox_->setObjectName("txtCode");
    codeBox_->hide();
    recall_ = new window::ClickLabel(window);
    recall_->setObjectName("lblRecoRepeat");
    recall_->setText("Re");
    recall_->hide();
    nextShortcut_ = new window::ClickLabel(window);
    nextShortcut_->setObjectName("lblNextCtrl");
    nextShortcut_->setText("N");
    nextShortcut_->setAlignment(Qt::AlignCenter);
    nextShortcut_->setFrameShape(QFrame::Box);
    nextShortcut_->hide();
    reportBack_ = new QPushButton("Tilbake", window);
    reportBack_->setObjectName("cmdReportBack");
    reportBack_->hide();

    configuration_ = std::make_unique<Configuration>(*session_.files, ValvePageLayout{});
    configuration_->setMessages(&session_.platform.messages);
    options_ = std::make_unique<OptionGroups>(
        *configuration_, *session_.files, session_.platform.settings, session_.platform.messages);

    connect(shared.next, &QPushButton::clicked, this, &Wizard::Next);
    connect(nextShortcut_, &window::ClickLabel::pressed, this, &Wizard::Next);
    connect(shared.back, &QPushButton::clicked, this, &Wizard::Back);
    connect(shared.startNew, &QPushButton::clicked, this, &Wizard::StartNew);
    connect(reportBack_, &QPushButton::clicked, this, &Wizard::ReportBack);

    for (int t = 0; t < 4; ++t) {
        connect(valvePage_.typeButtons[t], &window::PressRadio::pressed, this,
                [this, t](Qt::MouseButton button) {
                    if (button == Qt::LeftButton)
                        SelectValveType(t + 1);
                });
    }
    connect(valvePage_.picture, &window::ClickLabel::pressed, this,
            [this](Qt::MouseButton button) { picturePressed(button); });
    for (int g = 0; g < 4; ++g) {
        const auto group = static_cast<OptionGroup>(g);
        for (int o = 0; o < 2; ++o) {
            connect(
                valvePage_.optionButtons[g][o], &window::PressRadio::pressed, this,
                [this, group, o](Qt::MouseButton button) { optionPressed(group, o + 1, button); });
        }
        connect(valvePage_.optionFrames[g], &window::PressFrame::pressed, this,
                [this, group](Qt::MouseButton button) { framePressed(group, button); });
    }
    connect(valvePage_.dimensions, &window::PressList::pressedRow, this, &Wizard::dimensionPressed);
    connect(valvePage_.accessories, &window::PressList::pressedRow, this,
            &Wizard::accessoryPressed);
    for (int slot = 1; slot <= 4; ++slot) {
        connect(connectionPage_.slotImages[slot], &window::ClickLabel::pressed, this,
                [this, slot](Qt::MouseButton button) { slotPressed(slot, button); });
    }
    connect(connectionPage_.connections, &window::PressList::pressedRow, this,
            &Wizard::connectionPressed);
    connect(connectionPage_.connectionDimensions, &window::PressList::pressedRow, this,
            &Wizard::connectionDimensionPressed);
    connect(codeBox_, &QLineEdit::textChanged, this, &Wizard::codeChanged);
    connect(recall_, &window::ClickLabel::pressed, this, [this] { recallLastCode(); });
    codeBox_->installEventFilter(this);
    // Enter in a code that passes the check goes on, as Next does.
    connect(codeBox_, &QLineEdit::returnPressed, this, [this] {
        if (shared_.next->isEnabled())
            Next();
    });
    setTabOrder();
}

Wizard::~Wizard() = default;

// Tab follows the screen: the choices from the top down, then Back, Next
// and Start new, and Exit last (hidden controls are passed over).
void Wizard::setTabOrder() {
    std::vector<QWidget*> chain(valvePage_.typeButtons.begin(), valvePage_.typeButtons.end());
    chain.push_back(valvePage_.picture);
    chain.push_back(valvePage_.dimensions);
    chain.push_back(valvePage_.accessories);
    for (const auto& group : valvePage_.optionButtons)
        chain.insert(chain.end(), group.begin(), group.end());
    for (int slot = 1; slot <= 4; ++slot)
        chain.push_back(connectionPage_.slotImages[slot]);
    for (QWidget* control :
         {static_cast<QWidget*>(connectionPage_.connections),
          static_cast<QWidget*>(connectionPage_.connectionDimensions),
          static_cast<QWidget*>(codeBox_), static_cast<QWidget*>(recall_),
          static_cast<QWidget*>(shared_.back), static_cast<QWidget*>(shared_.next),
          static_cast<QWidget*>(shared_.startNew), static_cast<QWidget*>(reportBack_),
          static_cast<QWidget*>(shared_.exit)})
        chain.push_back(control);
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

bool Wizard::ClosePicker() {
    for (QFrame* picker : {connectionPage_.dimensionPicker, connectionPage_.connectionPicker}) {
        if (!picker->isVisible())
            continue;
        picker->hide();
        if (currentSlot_ >= 1 && currentSlot_ <= 4)
            connectionPage_.slotImages[currentSlot_]->setFocus();
        return true;
    }
    return false;
}

std::string Wizard::setting(const char* key) const {
    return session_.platform.settings.get(data::kSettingsApp, data::kSettingsSection, key);
}

void Wizard::save(const char* key, const std::string& value) {
    session_.platform.settings.save(data::kSettingsApp, data::kSettingsSection, key, value);
}

void Wizard::showHelp(const std::string& key) {
    std::string connection;
    if (currentSlot_ >= 1 && currentSlot_ <= 4)
        connection = configuration_->record.slots[currentSlot_].connectionDescription;
    shared_.help->ShowHelpPanel(key, connection);
}

void Wizard::HideAll() {
    shared_.hideAll();
}

void Wizard::hideAll() {
    valvePage_.hideAll();
    connectionPage_.hideAll();
    for (QWidget* control : std::initializer_list<QWidget*>{codeBox_, recall_, nextShortcut_,
                                                            reportBack_, shared_.back, shared_.next,
                                                            shared_.startNew, shared_.topText})
        control->hide();
    shared_.back->setEnabled(false);
    shared_.next->setEnabled(false);
    codeBox_->setEnabled(false);
    options_->Reset();
    renderOptions();
}

void Wizard::ApplyLanguageHead(const data::LanguageHead& head) {
    shared_.window->window()->setWindowTitle(Screen(head.windowCaption));
    shared_.topText->setVisible(head.showTopText);
    if (head.showTopText) {
        shared_.topText->setText(Screen(head.topText));
        session_.topText = head.topText;
    }
    shared_.exit->setText(Screen(head.exitCaption));
    shared_.back->setText(Screen(head.backCaption));
    shared_.next->setText(Screen(head.nextCaption));
}

void Wizard::setNextEnabled(bool enabled) {
    shared_.next->setEnabled(enabled);
    nextShortcut_->setVisible(enabled && session_.values.compactScreen);
}

void Wizard::showCode() {
    codeBox_->blockSignals(true);
    codeBox_->setText(Screen(configuration_->codeBoxText()));
    codeBox_->blockSignals(false);
    valvePage_.codeLabel->setText(Screen(configuration_->codeLabelText()));
}

void Wizard::ResetValvePage() {
    session_.iProgressCode = 0;
    valvePage_.typeFrame->setTitle("Ventiltype");
    valvePage_.typeFrame->show();
    valvePage_.codeLabel->show();
    codeBox_->hide();
    for (QWidget* button : {shared_.back, shared_.next, shared_.startNew})
        button->show();
    shared_.startScreen->hidePictures();
    currentSlot_ = 0;

    ValvePageLayout layout = ReadValvePageLayout(*session_.files);
    captions_ = ReadValvePageCaptions(*session_.files);
    ApplyLanguageHead(captions_.head);
    valvePage_.place(layout, captions_);
    connectionPage_.place(layout, captions_);

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
    reportBack_->setGeometry(shared_.back->geometry());
    codeBox_->setGeometry(px(layout.codeBoxLeft), top, px(layout.codeBoxWidth), height);
    nextShortcut_->setGeometry(px(layout.windowWidth * 87 / 100 + window::kButtonWidth / 2 - 150),
                               top - px(400), px(300), px(300));
    recall_->setGeometry(px(layout.codeBoxLeft + layout.codeBoxWidth + 100), top, px(400), height);

    typeCaptions_.clear();
    for (std::size_t i = 0; i < layout.valveTypes.size(); ++i) {
        typeCaptions_.push_back(layout.valveTypes[i].description);
        valvePage_.typeButtons[i]->setText(Screen(typeCaptions_.back()));
    }
    configuration_->setLayout(std::move(layout));
    configuration_->Clear();
    options_->debugMode = session_.values.debugMode;
    showCode();
    showHelp("Startinfo");
}

void Wizard::UpdateProgress() {
    auto& step = session_.iProgressCode;
    const auto& flags = configuration_->positionFlags;
    auto chosen = [&flags](int first, int last) {
        for (int p = first; p <= last; ++p) {
            if (!flags[p])
                return false;
        }
        return true;
    };
    if (step <= 2) {
        step = 2;
        setNextEnabled(false);
        if (chosen(1, 4)) {
            setNextEnabled(true);
            shared_.next->setFocus();
        }
        return;
    }
    if (step == 3 || step == 4) {
        step = 4;
        setNextEnabled(false);
        if (chosen(5, 12)) {
            setNextEnabled(true);
            step = 5;
        }
        return;
    }
    if (step == 5)
        return;
    session_.platform.messages.inform("iProgressCode " + std::to_string(step));
}

void Wizard::Next() {
    save("BottomDefault", options_->BottomDefault());
    auto& step = session_.iProgressCode;
    if (step == 11) {
        HideAll();
        setNextEnabled(false);
        step = 6;
        reportBack_->show();
        step = 12;
        openResult();
        return;
    }
    for (auto* frame : valvePage_.optionFrames)
        frame->hide();
    shared_.help->hide();
    if (step <= 2) {
        step = 3;
        ShowConnectionPage();
        const auto start = session_.FindPicture("ConnectionStart_" + session_.values.language).path;
        for (int slot = 1; slot <= 4; ++slot)
            ShowPicture(connectionPage_.slotImages[slot], start);
        return;
    }
    if (step == 5) {
        HideAll();
        setNextEnabled(false);
        save("LastCode", configuration_->code);
        step = 6;
        reportBack_->show();
        openResult();
        return;
    }
    session_.platform.messages.inform("Next action: " + std::to_string(step));
}

void Wizard::openResult() {
    const result::ResultInputs inputs{*configuration_, session_.values, captions_.accessoryFrame};
    session_.result = result::ComputeResult(*session_.files, session_.platform, inputs);
    result::LayOutResultScreen(*session_.files, *configuration_, session_.values, session_.result);
    shared_.topText->show();
    shared_.resultScreen->show(session_.result, configuration_->code);
    shared_.resultScreen->showDimensionLines(result::ComputeResultDimensionLines(
        session_.result, configuration_->record, session_.values,
        session_.platform.system.decimalSeparator()));
}

void Wizard::Back() {
    const int type = configuration_->record.valveType;
    for (int t = 0; t < 3; ++t)
        valvePage_.typeButtons[t]->show();
    HideAll();
    ResetValvePage();
    SelectValveType(type);
    shared_.help->hide();
    shared_.startNew->show();
}

void Wizard::ReportBack() {
    shared_.resultScreen->hideProductInfo();
    if (session_.iProgressCode == 12) {
        const std::string code = configuration_->code;
        ResetValvePage();
        HideAll();
        configuration_->code = code;
        codeBox_->setText(Screen(code)); // the step is 0 here: no check runs
        ShowCodeEntry();
        return;
    }
    session_.iProgressCode = 5;
    shared_.resultScreen->hideAll();
    ShowConnectionPage();
    reportBack_->hide();
    shared_.back->show();
    shared_.next->show();
    valvePage_.typeFrame->show();
    valvePage_.codeLabel->show();
    setNextEnabled(true);
    shared_.help->hide();
    shared_.startNew->show();
}

void Wizard::StartNew() {
    HideAll();
    session_.iProgressCode = 0;
    configuration_->positionFlags[1] = false;
    valvePage_.picture->setPixmap(QPixmap());
    for (auto* button : valvePage_.typeButtons)
        button->setChecked(false);
    shared_.startScreen->LayoutStartScreen();
}

bool Wizard::Exit() {
    if (connectionPage_.connectionPicker->isVisible()) {
        connectionPage_.connectionPicker->hide();
        return false;
    }
    Q_EMIT closeRequested();
    return true;
}

void Wizard::Configure() {
    session_.values.compactScreen = false;
    shared_.adminLabel->hide();
    HideAll();
    ResetValvePage();
    for (int t = 0; t < 3; ++t)
        valvePage_.typeButtons[t]->show();
    valvePage_.typeButtons[0]->setFocus();
}

void Wizard::Reconfigure() {
    shared_.adminLabel->hide();
    session_.values.compactScreen = false;
    ResetValvePage();
    HideAll();
    codeBox_->clear();
    ShowCodeEntry();
}

void Wizard::ShortcutConfigure() {
    shared_.adminLabel->hide();
    HideAll();
    ResetValvePage();
    // The valve type is then chosen by clicking the valve picture.
    for (int t = 0; t < 3; ++t)
        valvePage_.typeButtons[t]->hide();
    valvePage_.picture->setFocus();
}

void Wizard::ShortcutReconfigure() {
    shared_.adminLabel->hide();
    ResetValvePage();
    HideAll();
    codeBox_->clear();
    ShowCodeEntry();
    // On a small display the code box moves up beside the help text.
    auto* frame = shared_.window->findChild<QWidget*>("frmHelp");
    if (frame)
        frame->move(frame->x(), session_.px(1000));
    codeBox_->move(codeBox_->x(), session_.px(4000));
    nextShortcut_->move(nextShortcut_->x(), session_.px(4000));
}

} // namespace tv::wizard
