#include "gui/wizard/ConnectionPage.h"

#include "gui/window/Widgets.h"
#include "platform/qt/QtText.h"
#include "data/Pictures.h"
#include "gui/window/HelpPanelView.h"
#include "gui/wizard/WizardSupport.h"
#include "result/ValvePicture.h"

#include <QPushButton>

namespace tv::wizard {

namespace {

// Code positions of a slot's connection and connection dimension.
int ConnectionPosition(int slot) {
    return 2 * slot + 3;
}

QFrame* MakePicker(QWidget* window, const char* frame, const char* label, const char* list,
                   const char* close, QLabel*& labelOut, window::PressList*& listOut,
                   QPushButton*& closeOut) {
    auto* picker = window::MakeControl<QFrame>(window, frame);
    picker->setFrameShape(QFrame::Box);
    picker->setAutoFillBackground(true);
    labelOut = window::MakeControl<QLabel>(picker, label);
    listOut = window::MakeControl<window::PressList>(picker, list);
    closeOut = window::MakeControl<QPushButton>(picker, close);
    closeOut->setText("X");
    for (QWidget* child : std::initializer_list<QWidget*>{labelOut, listOut, closeOut})
        child->show();
    return picker;
}

} // namespace

ConnectionPage::ConnectionPage(const WindowControls& controls, window::Session& session,
                               Configuration& configuration)
    : QObject(controls.window), window_(controls), session_(session),
      configuration_(configuration) {
    QWidget* window = controls.window;
    static constexpr const char* frames[] = {"", "frameTop", "frameRight", "frameBottom",
                                             "frameLeft"};
    static constexpr const char* images[] = {"", "imgTop", "imgRight", "imgBottom", "imgLeft"};
    for (int slot = 1; slot <= 4; ++slot) {
        slotFrames_[slot] = window::MakeControl<window::PressFrame>(window, frames[slot]);
        slotImages_[slot] =
            window::MakeControl<window::ClickLabel>(slotFrames_[slot], images[slot]);
        slotImages_[slot]->setScaledContents(true);
        slotImages_[slot]->takeKeyboard();
        slotImages_[slot]->show();
    }
    connectionPicker_ = MakePicker(window, "frmConnections", "lblConnSelection", "lstConnections",
                                   "cmdConnExit", connectionLabel_, connections_, connectionClose_);
    dimensionPicker_ =
        MakePicker(window, "frmConnectionDim", "lblConnDim", "lstConnDim", "cmdConnDimExit",
                   dimensionLabel_, connectionDimensions_, dimensionClose_);
    slideName_ = window::MakeControl<QLabel>(window, "lblSlideName");
    connect(connectionClose_, &QPushButton::clicked, connectionPicker_, &QWidget::hide);
    connect(dimensionClose_, &QPushButton::clicked, dimensionPicker_, &QWidget::hide);
    for (int slot = 1; slot <= 4; ++slot) {
        connect(slotImages_[slot], &window::ClickLabel::pressed, this,
                [this, slot](Qt::MouseButton button) { slotPressed(slot, button); });
    }
    connect(connections_, &window::PressList::pressedRow, this, &ConnectionPage::connectionPressed);
    connect(connectionDimensions_, &window::PressList::pressedRow, this,
            &ConnectionPage::connectionDimensionPressed);
}

void ConnectionPage::place(const ValvePageLayout& layout, const ValvePageCaptions& captions) {
    auto px = [this](int twips) {
        return session_.px(twips);
    };
    // The file lists the slot frames top, bottom, right, left.
    static constexpr int fileOrder[] = {1, 3, 2, 4};
    for (int i = 0; i < 4; ++i) {
        const int slot = fileOrder[i];
        const TwipRect& rect = layout.slotFrames[i];
        slotFrames_[slot]->setGeometry(session_.px(rect));
        slotFrames_[slot]->setTitle(platform::ToScreenText(captions.slotFrames[i]));
        const int size = layout.pictureSize;
        slotImages_[slot]->setGeometry(px((rect.width - size) / 2), px(300), px(size), px(size));
    }
    picker_ = layout.picker;
    const int m = picker_.margin;
    for (auto [picker, label, list, close, caption] :
         {std::tuple{connectionPicker_, connectionLabel_, connections_, connectionClose_,
                     captions.connectionLabel},
          std::tuple{dimensionPicker_, dimensionLabel_, connectionDimensions_, dimensionClose_,
                     captions.connectionDimensionLabel}}) {
        picker->resize(px(picker_.width), px(picker_.height));
        label->setGeometry(px(m), px(m), px(picker_.width - 600 - m), px(3 * m));
        label->setText(platform::ToScreenText(caption));
        list->setGeometry(px(m), px(4 * m), px(picker_.width - 2 * m), px(picker_.height - 5 * m));
        // Each close button sits 550 twips left of the picker's width.
        close->setGeometry(px(picker_.width - 550), px(m / 2), px(450), px(3 * m));
    }
}

void ConnectionPage::placePickers(int slot) {
    int top = picker_.top;
    int left = picker_.left;
    if (slot == 3)
        top += picker_.bottomOffset;
    if (slot == 2 || slot == 4) {
        top += picker_.sideOffset;
        left += slot == 2 ? 2800 : -2800;
    }
    for (QWidget* picker :
         {static_cast<QWidget*>(connectionPicker_), static_cast<QWidget*>(dimensionPicker_)})
        picker->move(session_.px(left), session_.px(top));
}

void ConnectionPage::hideAll() {
    for (int slot = 1; slot <= 4; ++slot)
        slotFrames_[slot]->hide();
    connectionPicker_->hide();
    dimensionPicker_->hide();
    slideName_->hide();
}

void ConnectionPage::showStartPictures(const std::filesystem::path& picture) {
    for (int slot = 1; slot <= 4; ++slot)
        ShowPicture(slotImages_[slot], picture);
}

void ConnectionPage::clearSlot() {
    currentSlot_ = 0;
}

std::string ConnectionPage::connectionText() const {
    if (currentSlot_ < 1 || currentSlot_ > 4)
        return {};
    return configuration_.record.slots[currentSlot_].connectionDescription;
}

bool ConnectionPage::closePicker() {
    for (QFrame* picker : {dimensionPicker_, connectionPicker_}) {
        if (!picker->isVisible())
            continue;
        picker->hide();
        if (currentSlot_ >= 1 && currentSlot_ <= 4)
            slotImages_[currentSlot_]->setFocus();
        return true;
    }
    return false;
}

bool ConnectionPage::closeConnectionPicker() {
    if (!connectionPicker_->isVisible())
        return false;
    connectionPicker_->hide();
    return true;
}

std::vector<QWidget*> ConnectionPage::tabChain() const {
    std::vector<QWidget*> chain(slotImages_.begin() + 1, slotImages_.end());
    chain.push_back(connections_);
    chain.push_back(connectionDimensions_);
    return chain;
}

void ConnectionPage::show() {
    const int type = configuration_.record.valveType;
    slotFrames_[1]->show();
    slotFrames_[3]->show();
    slotFrames_[2]->setVisible(type == 2 || type == 3);
    slotFrames_[4]->setVisible(type == 3);
}

// The keyboard goes to the first slot still without its dimension, or to
// Next once every slot has one.
void ConnectionPage::focusNextSlot() {
    if (window_.next->isEnabled()) {
        window_.next->setFocus();
        return;
    }
    for (int slot = 1; slot <= 4; ++slot) {
        if (slotFrames_[slot]->isVisible() &&
            configuration_.record.slots[slot].dimensionLine == 0) {
            slotImages_[slot]->setFocus();
            return;
        }
    }
}

void ConnectionPage::slotPressed(int slot, Qt::MouseButton button) {
    if (button == Qt::RightButton) {
        ShowSlotHelp(slot);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    currentSlot_ = slot;
    window_.help->hide();
    placePickers(slot);
    connectionPicker_->show();
    connectionPicker_->raise();
    connections_->clear();
    connectionLines_.clear();

    // The list shows the language's names of the connections; without a
    // language section for the list, the descriptions of the parameter file.
    ChoiceList list =
        ReadChoiceList(*session_.files, data::SectionKey("CONN_" + configuration_.record.typeKey),
                       kConnectionDescriptionColumn);
    if (list.lines.empty())
        return;
    TranslateDescriptions(*session_.files, list.title, list.lines);
    connectionLines_ = std::move(list.lines);
    AddChoices(connections_, connectionLines_);
    connections_->setFocus();
}

void ConnectionPage::ShowSlotHelp(int slot) {
    const SlotChoice& choice = configuration_.record.slots[slot];
    const std::string state = choice.connectionLine > 0 ? "ConnSel1_" : "ConnSel0_";
    window_.help->ShowHelpPanel(state + kSlotLetters[slot], choice.connectionDescription);
}

void ConnectionPage::connectionPressed(Qt::MouseButton button, int row) {
    if (button != Qt::LeftButton || currentSlot_ < 1)
        return;
    const ChoiceLine* chosen = Chosen(connectionLines_, row);
    if (!chosen)
        return;
    const ChoiceLine& line = *chosen;
    const int slot = currentSlot_;
    const std::string letter = kSlotLetters[slot];
    connectionPicker_->hide();
    window_.help->hide();

    const auto picture = data::FirstFileMatching(*session_.files, line.key + "_" + letter)
                             .value_or(session_.files->locate("DUMMY_" + letter + ".gif"));
    ShowPicture(slotImages_[slot], picture);
    slotImages_[slot]->setToolTip(Screen(line.description));

    auto& choice = configuration_.record.slots[slot];
    choice.connectionLine = row + 1;
    choice.connectionKey = line.key;
    choice.connectionDescription = line.description;
    const int position = ConnectionPosition(slot);
    configuration_.positionFlags[position] = true;
    configuration_.SetCodePosition(line.letter, position);
    Q_EMIT codeChanged();

    dimensionPicker_->show();
    dimensionPicker_->raise();
    connectionDimensions_->clear();
    FillConnDimList(slot);
    AddChoices(connectionDimensions_, connectionDimensionLines_);
    connectionDimensions_->setFocus();
}

void ConnectionPage::FillConnDimList(int slot) {
    const auto& record = configuration_.record;
    ChoiceList list =
        ReadChoiceList(*session_.files, data::SectionKey(record.dimensionKey + "_" +
                                                         record.slots[slot].connectionKey));
    if (session_.language() != "NO")
        TranslateDescriptions(*session_.files, list.title, list.lines);
    connectionDimensionLines_ = std::move(list.lines);
}

void ConnectionPage::connectionDimensionPressed(Qt::MouseButton button, int row) {
    if (button != Qt::LeftButton || currentSlot_ < 1)
        return;
    const ChoiceLine* chosen = Chosen(connectionDimensionLines_, row);
    if (!chosen)
        return;
    const int slot = currentSlot_;
    const std::string letter = kSlotLetters[slot];
    dimensionPicker_->hide();
    window_.help->hide();
    const ChoiceLine& line = *chosen;
    auto& record = configuration_.record;
    auto& choice = record.slots[slot];

    const auto names = ConnectionPictures(choice.connectionKey, record.dimensionMillimetres,
                                          line.millimetres, letter);
    std::string name = names.own;
    auto picture = session_.FindPicture(name);
    if (!picture.found) {
        name = names.fallback;
        picture = session_.FindPicture(name);
    }
    if (session_.values.debugMode) {
        slideName_->setText(Screen(name));
        slideName_->show();
    }
    ShowPicture(slotImages_[slot], picture.path);
    slotImages_[slot]->setToolTip(
        Screen(choice.connectionDescription + " " + std::to_string(line.millimetres) + "mm"));

    const int position = ConnectionPosition(slot) + 1;
    configuration_.positionFlags[position] = true;
    choice.dimensionLine = row + 1;
    choice.dimensionMillimetres = line.millimetres;
    choice.dimensionKey = line.key;
    configuration_.SetCodePosition(line.letter, position);
    Q_EMIT slotCompleted();
    if (session_.values.debugMode)
        fillDebugInfo();
}

void ConnectionPage::fillDebugInfo() {
    const auto& record = configuration_.record;
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
    window_.debugInfo->setText(Screen(text));
    window_.debugInfo->show();
}

} // namespace tv::wizard
