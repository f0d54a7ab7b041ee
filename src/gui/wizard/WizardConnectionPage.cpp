#include "gui/wizard/Wizard.h"

#include "gui/window/Widgets.h"
#include "gui/window/HelpPanelView.h"
#include "data/Pictures.h"
#include "result/ValvePicture.h"
#include "gui/wizard/WizardSupport.h"

#include <QPushButton>

// The connection page: a connection and its dimension at every slot of the
// valve type, with the pickers and the debug information.

namespace tv::wizard {

namespace {

// Code positions of a slot's connection and connection dimension.
int ConnectionPosition(int slot) {
    return 2 * slot + 3;
}

} // namespace

void Wizard::ShowConnectionPage() {
    shared_.back->setEnabled(true);
    setNextEnabled(false);
    valvePage_->showPictureOnly();
    const int type = configuration_->record.valveType;
    connectionPage_->slotFrames[1]->show();
    connectionPage_->slotFrames[3]->show();
    connectionPage_->slotFrames[2]->setVisible(type == 2 || type == 3);
    connectionPage_->slotFrames[4]->setVisible(type == 3);
    focusNextSlot();
}

// The keyboard goes to the first slot still without its dimension, or to
// Next once every slot has one.
void Wizard::focusNextSlot() {
    if (shared_.next->isEnabled()) {
        shared_.next->setFocus();
        return;
    }
    for (int slot = 1; slot <= 4; ++slot) {
        if (connectionPage_->slotFrames[slot]->isVisible() &&
            configuration_->record.slots[slot].dimensionLine == 0) {
            connectionPage_->slotImages[slot]->setFocus();
            return;
        }
    }
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
    connectionPage_->placePickers(slot);
    connectionPage_->connectionPicker->show();
    connectionPage_->connectionPicker->raise();
    connectionPage_->connections->clear();
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
    AddChoices(connectionPage_->connections, connectionLines_);
    connectionPage_->connections->setFocus();
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
    connectionPage_->connectionPicker->hide();
    shared_.help->hide();

    const auto picture = data::FirstFileMatching(*session_.files, line.key + "_" + letter)
                             .value_or(session_.files->locate("DUMMY_" + letter + ".gif"));
    ShowPicture(connectionPage_->slotImages[slot], picture);
    connectionPage_->slotImages[slot]->setToolTip(Screen(line.description));

    auto& choice = configuration_->record.slots[slot];
    choice.connectionLine = row + 1;
    choice.connectionKey = line.key;
    choice.connectionDescription = line.description;
    const int position = ConnectionPosition(slot);
    configuration_->positionFlags[position] = true;
    configuration_->SetCodePosition(line.letter, position);
    showCode();

    connectionPage_->dimensionPicker->show();
    connectionPage_->dimensionPicker->raise();
    connectionPage_->connectionDimensions->clear();
    FillConnDimList(slot);
    AddChoices(connectionPage_->connectionDimensions, connectionDimensionLines_);
    connectionPage_->connectionDimensions->setFocus();
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
    connectionPage_->dimensionPicker->hide();
    shared_.help->hide();
    const ChoiceLine& line = *chosen;
    auto& record = configuration_->record;
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
        connectionPage_->slideName->setText(Screen(name));
        connectionPage_->slideName->show();
    }
    ShowPicture(connectionPage_->slotImages[slot], picture.path);
    connectionPage_->slotImages[slot]->setToolTip(
        Screen(choice.connectionDescription + " " + std::to_string(line.millimetres) + "mm"));

    const int position = ConnectionPosition(slot) + 1;
    configuration_->positionFlags[position] = true;
    choice.dimensionLine = row + 1;
    choice.dimensionMillimetres = line.millimetres;
    choice.dimensionKey = line.key;
    configuration_->SetCodePosition(line.letter, position);
    showCode();
    UpdateProgress();
    focusNextSlot();
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

} // namespace tv::wizard
