#include "wizard/Wizard.h"

#include "window/Widgets.h"
#include "platform/FileBytes.h"
#include "data/HelpPanelView.h"
#include "data/Pictures.h"
#include "data/StartScreen.h"
#include "platform/qt/QtText.h"
#include "result/ResultComputation.h"
#include "result/ResultScreen.h"
#include "result/ValvePicture.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

namespace tv::wizard {

namespace {

// Code positions of a slot's connection and connection dimension.
int ConnectionPosition(int slot) {
    return 2 * slot + 3;
}

QString Screen(const std::string& text) {
    return platform::ToScreenText(text);
}

// The lines of a choice list as list entries. A line without a code letter
// (shorter than 20 characters) is shown greyed out: it names nothing the
// code could hold.
void AddChoices(QListWidget* list, const std::vector<ChoiceLine>& lines) {
    for (const auto& line : lines) {
        auto* item = new QListWidgetItem(Screen(line.description), list);
        if (line.letter.empty())
            item->setFlags(Qt::NoItemFlags);
    }
}

// The line a press chose, or none for a press beside the entries or on an
// unavailable one.
const ChoiceLine* Chosen(const std::vector<ChoiceLine>& lines, int row) {
    if (row < 0 || row >= static_cast<int>(lines.size()) || lines[row].letter.empty())
        return nullptr;
    return &lines[row];
}

void ShowPicture(QLabel* label, const std::filesystem::path& path) {
    label->setPixmap(QPixmap(platform::ToQString(data::PathText(path))));
}

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
}

Wizard::~Wizard() = default;

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

bool Wizard::eventFilter(QObject* watched, QEvent* event) {
    if (watched != codeBox_ || event->type() != QEvent::MouseButtonPress)
        return QObject::eventFilter(watched, event);
    if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton)
        return QObject::eventFilter(watched, event);
    codeBox_->setText(Screen(setting("LastCode")));
    return true;
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
    shared_.window->setWindowTitle(Screen(head.windowCaption));
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
    shared_.startNew->setGeometry(px(layout.exitLeft + window::kButtonWidth + 150), top, width,
                                  height);
    shared_.back->setGeometry(px(layout.windowWidth * 3 / 4), top, width, height);
    shared_.next->setGeometry(px(layout.windowWidth * 87 / 100), top, width, height);
    reportBack_->setGeometry(shared_.back->geometry());
    codeBox_->setGeometry(px(layout.codeBoxLeft), top, px(layout.codeBoxWidth), height);
    nextShortcut_->setGeometry(px(layout.windowWidth * 87 / 100 + window::kButtonWidth / 2 - 150),
                               top - px(400), px(300), px(300));
    recall_->setGeometry(px(layout.codeBoxLeft + layout.codeBoxWidth + 100), top, px(400), height);

    typeCaptions_.clear();
    for (std::size_t i = 0; i < layout.valveTypes.size(); ++i) {
        const std::string description = i < captions_.typeDescriptions.size()
                                            ? captions_.typeDescriptions[i]
                                            : layout.valveTypes[i].description;
        typeCaptions_.push_back(session_.files->TranslateText(data::TextKey(description)));
        valvePage_.typeButtons[i]->setText(Screen(typeCaptions_.back()));
    }
    configuration_->setLayout(std::move(layout));
    configuration_->Clear();
    options_->debugMode = session_.values.debugMode;
    showCode();
    showHelp("Startinfo");
}

void Wizard::SelectValveType(int valveType) {
    const auto& types = configuration_->layout().valveTypes;
    if (valveType < 1 || valveType > static_cast<int>(types.size()))
        return;
    session_.iProgressCode = 1;
    shared_.help->hide();
    shared_.debugInfo->setText(QString());

    configuration_->MarkValveType(valveType);
    for (int t = 0; t < 4; ++t)
        valvePage_.typeButtons[t]->setChecked(t + 1 == valveType);

    configuration_->positionFlags[1] = true;
    const ChoiceLine& type = types[valveType - 1];
    // A type line without a letter still leaves twelve positions ("?" is
    // rejected by the code check).
    configuration_->code = (type.letter.empty() ? std::string("?") : type.letter) +
                           std::string(kCodePositions - 1, 'X') + session_.files->head.codeSuffix;
    showCode();
    shared_.startScreen->hideFlags();

    ShowPicture(valvePage_.picture, session_.FindPicture(type.key));
    const std::string& language = session_.values.language;
    const char* chosen = language == "EN"   ? " selected"
                         : language == "DE" ? " gew\xE4hlt"
                         : language == "FI" ? " valittu"
                                            : " valgt";
    valvePage_.picture->setToolTip(Screen(typeCaptions_[valveType - 1] + chosen));

    FillValveLists(valveType);
    valvePage_.dimensionFrame->show();
    valvePage_.accessoryFrame->show();
    UpdateProgress();
}

void Wizard::FillValveLists(int valveType) {
    valvePage_.dimensions->clear();
    valvePage_.accessories->clear();
    dimensionLines_ =
        ReadChoiceList(*session_.files, data::SectionKey("DIM_" + configuration_->record.typeKey))
            .lines;
    AddChoices(valvePage_.dimensions, dimensionLines_);
    valvePage_.accessories->setEnabled(false);
    valvePage_.accessoryLabel->setEnabled(false);
    if (valveType != 1 && configuration_->record.dimensionLine > 0)
        FillAccessoryList(valveType);
}

void Wizard::FillAccessoryList(int valveType) {
    (void)valveType; // the configuration knows its type
    valvePage_.accessories->clear();
    valvePage_.accessories->setEnabled(false);
    valvePage_.accessoryLabel->setEnabled(false);

    auto& files = *session_.files;
    const std::string prefix = data::SectionKey("CPD_" + configuration_->record.typeKey + "_");
    ChoiceList list =
        ReadChoiceList(files, prefix + FourDigits(configuration_->record.dimensionMillimetres),
                       kDescriptionColumn, kMaxAccessoryLines);
    if (list.lines.empty())
        list = ReadChoiceList(files, prefix + "+", kDescriptionColumn, kMaxAccessoryLines);
    TranslateDescriptions(files, list.title, list.lines);
    accessoryLines_ = std::move(list.lines);

    AddChoices(valvePage_.accessories, accessoryLines_);
    valvePage_.accessories->setEnabled(true);
    valvePage_.accessoryLabel->setEnabled(true);
}

void Wizard::dimensionPressed(Qt::MouseButton button, int row) {
    if (button != Qt::LeftButton) {
        showHelp("Dimensions");
        return;
    }
    const ChoiceLine* chosen = Chosen(dimensionLines_, row);
    if (!chosen)
        return;
    const ChoiceLine& line = *chosen;
    shared_.help->hide();
    valvePage_.optionFrames[kSpindleQuality]->show();
    valvePage_.optionFrames[kClosingDirection]->show();

    auto& record = configuration_->record;
    configuration_->positionFlags[4] = true;
    record.dimensionLine = row + 1;
    record.dimensionKey = line.key;
    record.dimensionMillimetres = line.millimetres;
    configuration_->SetCodePosition(line.letter, 4);
    showCode();
    UpdateProgress();

    valvePage_.picture->setToolTip(Screen(typeCaptions_[record.valveType - 1] + " \xD8" +
                                          std::to_string(line.millimetres) + "mm"));
    FillAccessoryList(record.valveType);
    options_->ApplyOptionDefaults();
    afterOptions();
}

void Wizard::accessoryPressed(Qt::MouseButton button, int row) {
    auto& record = configuration_->record;
    if (button != Qt::LeftButton) {
        showHelp(record.valveType == 1 ? "NoAccesories" : "Accesories");
        return;
    }
    if (record.valveType == 1 || record.dimensionLine == 0)
        return;
    const ChoiceLine* chosen = Chosen(accessoryLines_, row);
    if (!chosen)
        return;
    const ChoiceLine& line = *chosen;
    record.accessoryLine = row + 1;
    record.accessoryKey = line.key;
    record.accessoryDescription = line.description;
    record.accessoryNumber = line.millimetres;
    shared_.help->hide();
    configuration_->positionFlags[3] = true;
    configuration_->SetCodePosition(line.letter, 3);
    showCode();
    UpdateProgress();
}

void Wizard::renderOptions() {
    for (int g = 0; g < 4; ++g) {
        const OptionButtons& state = options_->buttons[g];
        for (int o = 0; o < 2; ++o) {
            auto* button = valvePage_.optionButtons[g][o];
            button->setChecked(state.selected == o + 1);
            button->setEnabled(state.enabled);
        }
    }
}

// Every change of an option group: show the buttons as they now stand, the
// code and the debug information, and see whether the page is complete.
void Wizard::afterOptions() {
    renderOptions();
    showCode();
    if (session_.values.debugMode)
        shared_.debugInfo->setText(Screen(options_->debugInfo));
    shared_.help->hide();
    UpdateProgress();
}

void Wizard::optionPressed(OptionGroup group, int option, Qt::MouseButton button) {
    static constexpr const char* helpKeys[] = {"optSpinQual", "optCloseDir", "optWedgeQuality",
                                               "optActuator"};
    if (button == Qt::MiddleButton) {
        options_->ApplyBottomDefault();
        afterOptions();
        return;
    }
    if (button == Qt::RightButton) {
        if (group == kClosingDirection) {
            options_->buttons[group].selected = option;
            renderOptions();
        }
        showHelp(helpKeys[group]);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    options_->Choose(group, option);
    afterOptions();
}

void Wizard::framePressed(OptionGroup group, Qt::MouseButton button) {
    static constexpr const char* helpKeys[] = {"Spindlekvalitet", "optCloseDir", "optWedgeQuality",
                                               "optActuator"};
    if (button == Qt::MiddleButton) {
        options_->ApplyBottomDefault();
        afterOptions();
        return;
    }
    if (button == Qt::RightButton)
        showHelp(helpKeys[group]);
}

void Wizard::picturePressed(Qt::MouseButton button) {
    const int type = configuration_->record.valveType;
    const std::string help = "CenterHelp" + std::to_string(type);
    if (button == Qt::LeftButton) {
        for (auto* frame : valvePage_.optionFrames)
            frame->hide();
        options_->Reset();
        renderOptions();
        if (session_.iProgressCode > 2) {
            showHelp(help);
            return;
        }
        SelectValveType(type % 3 + 1);
        return;
    }
    if (button == Qt::RightButton) {
        showHelp(session_.iProgressCode >= 3 ? help : "Startinfo");
        return;
    }
    if (button == Qt::MiddleButton) {
        session_.platform.messages.inform("Wheel click = button 4");
        return;
    }
    session_.platform.messages.inform("Button " + std::to_string(static_cast<int>(button)));
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

void Wizard::ShowConnectionPage() {
    shared_.back->setEnabled(true);
    setNextEnabled(false);
    valvePage_.dimensionFrame->hide();
    valvePage_.accessoryFrame->hide();
    for (int t = 0; t < 3; ++t)
        valvePage_.typeButtons[t]->hide();
    const TwipRect& frame = configuration_->layout().typeFrame;
    valvePage_.typeFrame->resize(session_.px(frame.width), session_.px(frame.width + 150));
    const int type = configuration_->record.valveType;
    connectionPage_.slotFrames[1]->show();
    connectionPage_.slotFrames[3]->show();
    connectionPage_.slotFrames[2]->setVisible(type == 2 || type == 3);
    connectionPage_.slotFrames[4]->setVisible(type == 3);
}

void Wizard::ShowCodeEntry() {
    session_.iProgressCode = 10;
    shared_.topText->show();
    codeBox_->show();
    codeBox_->setEnabled(true);
    codeBox_->setFocus();
    shared_.startNew->show();
    recall_->setVisible(session_.values.debugMode);
    shared_.next->show();
    setNextEnabled(false);
    showHelp("Reconfig1");
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
        const auto start = session_.FindPicture("ConnectionStart_" + session_.values.language);
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
        session_.iProgressCode = 11;
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

void Wizard::slotPressed(int slot, Qt::MouseButton button) {
    if (button == Qt::RightButton) {
        ShowSlotHelp(slot);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    currentSlot_ = slot;
    shared_.help->hide();
    connectionPage_.placePickers(slot);
    connectionPage_.connectionPicker->show();
    connectionPage_.connectionPicker->raise();
    connectionPage_.connections->clear();
    connectionLines_.clear();

    // The list shows the language's names of the connections; without a
    // language section for the list, the descriptions of the parameter file.
    ChoiceList list =
        ReadChoiceList(*session_.files, data::SectionKey("CONN_" + configuration_->record.typeKey),
                       kConnectionDescriptionColumn);
    if (list.lines.empty())
        return;
    TranslateDescriptions(*session_.files, list.title, list.lines);
    connectionLines_ = std::move(list.lines);
    AddChoices(connectionPage_.connections, connectionLines_);
}

void Wizard::ShowSlotHelp(int slot) {
    const std::string state =
        configuration_->record.slots[slot].connectionLine > 0 ? "ConnSel1_" : "ConnSel0_";
    const int previous = currentSlot_;
    currentSlot_ = slot;
    showHelp(state + kSlotLetters[slot]);
    currentSlot_ = previous;
}

void Wizard::connectionPressed(Qt::MouseButton button, int row) {
    if (button != Qt::LeftButton || currentSlot_ < 1)
        return;
    const ChoiceLine* chosen = Chosen(connectionLines_, row);
    if (!chosen)
        return;
    const ChoiceLine& line = *chosen;
    const int slot = currentSlot_;
    const std::string letter = kSlotLetters[slot];
    connectionPage_.connectionPicker->hide();
    shared_.help->hide();

    const auto& directory = session_.files->dataDirectory();
    const auto picture = data::FirstFileMatching(directory, line.key + "_" + letter)
                             .value_or(session_.files->locate("DUMMY_" + letter + ".gif"));
    ShowPicture(connectionPage_.slotImages[slot], picture);
    connectionPage_.slotImages[slot]->setToolTip(Screen(line.description));

    auto& choice = configuration_->record.slots[slot];
    choice.connectionLine = row + 1;
    choice.connectionKey = line.key;
    choice.connectionDescription = line.description;
    const int position = ConnectionPosition(slot);
    configuration_->positionFlags[position] = true;
    configuration_->SetCodePosition(line.letter, position);
    showCode();

    connectionPage_.dimensionPicker->show();
    connectionPage_.dimensionPicker->raise();
    connectionPage_.connectionDimensions->clear();
    FillConnDimList(slot);
    AddChoices(connectionPage_.connectionDimensions, connectionDimensionLines_);
}

void Wizard::FillConnDimList(int slot) {
    const auto& record = configuration_->record;
    ChoiceList list =
        ReadChoiceList(*session_.files, data::SectionKey(record.dimensionKey + "_" +
                                                         record.slots[slot].connectionKey));
    if (session_.values.language != "NO")
        TranslateDescriptions(*session_.files, list.title, list.lines);
    connectionDimensionLines_ = std::move(list.lines);
}

void Wizard::connectionDimensionPressed(Qt::MouseButton button, int row) {
    if (button != Qt::LeftButton || currentSlot_ < 1)
        return;
    const ChoiceLine* chosen = Chosen(connectionDimensionLines_, row);
    if (!chosen)
        return;
    const int slot = currentSlot_;
    const std::string letter = kSlotLetters[slot];
    connectionPage_.dimensionPicker->hide();
    shared_.help->hide();
    const ChoiceLine& line = *chosen;
    auto& record = configuration_->record;
    auto& choice = record.slots[slot];

    std::string name = choice.connectionKey + "_" + FourDigits(line.millimetres) + "_" + letter;
    auto picture = session_.FindPicture(name);
    if (!session_.pictureFound) {
        name = choice.connectionKey + "_" +
               CompareDimensions(record.dimensionMillimetres, line.millimetres) + "_" + letter;
        picture = session_.FindPicture(name);
    }
    if (session_.values.debugMode) {
        connectionPage_.slideName->setText(Screen(name));
        connectionPage_.slideName->show();
    }
    ShowPicture(connectionPage_.slotImages[slot], picture);
    connectionPage_.slotImages[slot]->setToolTip(
        Screen(choice.connectionDescription + " " + std::to_string(line.millimetres) + "mm"));

    const int position = ConnectionPosition(slot) + 1;
    configuration_->positionFlags[position] = true;
    choice.dimensionLine = row + 1;
    choice.dimensionMillimetres = line.millimetres;
    choice.dimensionKey = line.key;
    configuration_->SetCodePosition(line.letter, position);
    showCode();
    UpdateProgress();
    if (session_.values.debugMode)
        fillDebugInfo();
}

void Wizard::fillDebugInfo() {
    const auto& record = configuration_->record;
    static constexpr const char* heads[] = {"", "s\xD8", "T\xD8", "X\xD8", ""};
    std::string text =
        (record.valveType >= 1 && record.valveType <= 4 ? heads[record.valveType] : "") +
        FourDigits(record.dimensionMillimetres) + "  ";
    static constexpr const char* names[] = {"", "N\xD8", "E\xD8", "S\xD8", "W\xD8"};
    for (int slot = 1; slot <= 4; ++slot) {
        const auto& choice = record.slots[slot];
        if (choice.connectionLine == 0)
            continue;
        text += "\r\n" + std::string(names[slot]) + FourDigits(choice.dimensionMillimetres) +
                CompareDimensions(record.dimensionMillimetres, choice.dimensionMillimetres) +
                "  _" + "   *" + choice.dimensionKey + "*";
    }
    shared_.debugInfo->setText(Screen(text));
    shared_.debugInfo->show();
}

void Wizard::codeChanged(const QString& text) {
    if (settingCodeBox_ || session_.iProgressCode < 9)
        return;
    session_.iProgressCode = 11;
    setNextEnabled(false);
    shared_.help->hide();

    const std::string typed = platform::FromQString(text);
    if (typed.size() == 9) {
        if (typed == session_.files->head.passCode) {
            HideAll();
            Q_EMIT administrationRequested();
        }
        return;
    }
    const std::string code = platform::UpperCase(typed);
    if (code.size() < 13)
        return;
    settingCodeBox_ = true;
    const int cursor = codeBox_->cursorPosition();
    codeBox_->setText(Screen(code));
    codeBox_->setCursorPosition(cursor);
    settingCodeBox_ = false;
    configuration_->code = code;
    setNextEnabled(true);
    const int position = configuration_->CheckCode();
    if (position == 0)
        return;
    session_.platform.messages.inform(PositionMessage(code, position));
    setNextEnabled(false);
}

void Wizard::recallLastCode() {
    const std::string last = setting("LastCode");
    if (last.empty()) {
        recall_->hide();
        return;
    }
    settingCodeBox_ = true;
    codeBox_->setText(Screen(last));
    settingCodeBox_ = false;
    configuration_->code = last;
    nextShortcut_->setVisible(session_.values.compactScreen);
    const int position = configuration_->CheckCode();
    // Only a code that still passes opens the result; the data may have
    // changed since it was saved.
    if (position != 0) {
        session_.platform.messages.inform(PositionMessage(last, position));
        return;
    }
    session_.iProgressCode = 11;
    Next();
}

} // namespace tv::wizard
