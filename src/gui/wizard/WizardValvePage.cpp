#include "gui/wizard/Wizard.h"

#include "gui/window/Widgets.h"
#include "gui/window/HelpPanelView.h"
#include "result/ValvePicture.h"
#include "gui/wizard/WizardSupport.h"

#include <QPixmap>
#include <QPushButton>

// The valve page: valve type, dimension, accessory and the four option
// groups.

namespace tv::wizard {

void Wizard::SelectValveType(int valveType) {
    const auto& types = configuration_->layout().valveTypes;
    if (valveType < 1 || valveType > static_cast<int>(types.size()))
        return;
    session_.steps.chooseValveType();
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

    ShowPicture(valvePage_.picture, session_.FindPicture(type.key).path);
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
    focusNextChoice();
}

// Where the keyboard goes after a choice on the valve page: to what is
// still to be chosen, or to Next once the page is complete.
void Wizard::focusNextChoice() {
    if (shared_.next->isEnabled()) {
        shared_.next->setFocus();
        return;
    }
    const auto& flags = configuration_->positionFlags;
    if (!flags[4]) {
        valvePage_.dimensions->setFocus();
        return;
    }
    if (!flags[3] && valvePage_.accessories->isEnabled()) {
        valvePage_.accessories->setFocus();
        return;
    }
    for (int g = 0; g < 4; ++g) {
        QWidget* first = valvePage_.optionButtons[g][0];
        if (!configuration_->record.options[g].chosen && first->isVisible() && first->isEnabled()) {
            first->setFocus();
            return;
        }
    }
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
    focusNextChoice();
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
    focusNextChoice();
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
        showHelp(helpKeys[group]);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    options_->Choose(group, option);
    afterOptions();
    focusNextChoice();
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
        if (session_.steps.pastValvePage()) {
            showHelp(help);
            return;
        }
        SelectValveType(type % 3 + 1);
        return;
    }
    if (button == Qt::RightButton) {
        showHelp(session_.steps.pastValvePage() ? help : "Startinfo");
        return;
    }
    if (button == Qt::MiddleButton) {
        session_.platform.messages.inform("Wheel click = button 4");
        return;
    }
    session_.platform.messages.inform("Button " + std::to_string(static_cast<int>(button)));
}

} // namespace tv::wizard
