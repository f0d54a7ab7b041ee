#include "gui/wizard/ValvePage.h"

#include "gui/window/HelpPanelView.h"
#include "gui/window/Widgets.h"
#include "gui/wizard/Wizard.h"
#include "gui/wizard/WizardSupport.h"
#include "platform/qt/QtText.h"

#include <QPixmap>
#include <QPushButton>

namespace tv::wizard {

namespace {

constexpr int kPictureTop = 250; // twips inside the valve-type frame
constexpr int kTypeButtonHeight = 300;
constexpr int kOptionHeight = 300;

} // namespace

ValvePage::ValvePage(const WindowControls& controls, window::Session& session,
                     Configuration& configuration, OptionGroups& options)
    : QObject(controls.window), window_(controls), session_(session), configuration_(configuration),
      options_(options) {
    QWidget* window = controls.window;
    typeFrame_ = window::MakeControl<window::PressFrame>(window, "CenterFrame");
    typeFrame_->setTitle("Ventiltype");
    static constexpr const char* typeNames[] = {"OptCenter1", "OptCenter2", "OptCenter3",
                                                "OptCenter4"};
    for (std::size_t i = 0; i < typeButtons_.size(); ++i)
        typeButtons_[i] = window::MakeControl<window::PressRadio>(typeFrame_, typeNames[i]);
    picture_ = window::MakeControl<window::ClickLabel>(typeFrame_, "picCenter");
    picture_->setScaledContents(true);
    picture_->takeKeyboard();
    picture_->show(); // shown and hidden with its frame

    static constexpr const char* frameNames[] = {"frmSpinQual", "frmCloseDir", "frmWedgeQual",
                                                 "frmActuator"};
    static constexpr const char* optionNames[][2] = {{"optSpinQual1", "optSpinQual2"},
                                                     {"optCloseDir1", "optCloseDir2"},
                                                     {"optWedgeQual1", "optWedgeQual2"},
                                                     {"optActuator1", "optActuator2"}};
    for (std::size_t g = 0; g < optionFrames_.size(); ++g) {
        optionFrames_[g] = window::MakeControl<window::PressFrame>(window, frameNames[g]);
        for (std::size_t o = 0; o < 2; ++o) {
            optionButtons_[g][o] =
                window::MakeControl<window::PressRadio>(optionFrames_[g], optionNames[g][o]);
            optionButtons_[g][o]->show(); // shown and hidden with their frame
        }
    }

    dimensionFrame_ = window::MakeControl<window::PressFrame>(window, "frmDimensions");
    dimensionLabel_ = window::MakeControl<QLabel>(dimensionFrame_, "lblDimension");
    dimensions_ = window::MakeControl<window::PressList>(dimensionFrame_, "lstDimensions");
    accessoryFrame_ = window::MakeControl<window::PressFrame>(window, "frmAccesories");
    accessoryLabel_ = window::MakeControl<QLabel>(accessoryFrame_, "lblAcessories");
    accessories_ = window::MakeControl<window::PressList>(accessoryFrame_, "lstAccesories");
    for (QWidget* child : std::initializer_list<QWidget*>{dimensionLabel_, dimensions_,
                                                          accessoryLabel_, accessories_})
        child->show();

    codeLabel_ = window::MakeControl<QLabel>(window, "lblCode");
    connectPresses();
}

void ValvePage::connectPresses() {
    for (int t = 0; t < 4; ++t) {
        connect(typeButtons_[t], &window::PressRadio::pressed, this,
                [this, t](Qt::MouseButton button) {
                    if (button == Qt::LeftButton)
                        SelectValveType(t + 1);
                });
    }
    connect(picture_, &window::ClickLabel::pressed, this,
            [this](Qt::MouseButton button) { picturePressed(button); });
    for (int g = 0; g < 4; ++g) {
        const auto group = static_cast<OptionGroup>(g);
        for (int o = 0; o < 2; ++o) {
            connect(
                optionButtons_[g][o], &window::PressRadio::pressed, this,
                [this, group, o](Qt::MouseButton button) { optionPressed(group, o + 1, button); });
        }
        connect(optionFrames_[g], &window::PressFrame::pressed, this,
                [this, group](Qt::MouseButton button) { framePressed(group, button); });
    }
    connect(dimensions_, &window::PressList::pressedRow, this, &ValvePage::dimensionPressed);
    connect(accessories_, &window::PressList::pressedRow, this, &ValvePage::accessoryPressed);
}

void ValvePage::place(const ValvePageLayout& layout, const ValvePageCaptions& captions) {
    auto px = [this](int twips) {
        return session_.px(twips);
    };
    typeFrame_->setGeometry(session_.px(layout.typeFrame));
    typeFrame_->setTitle(platform::ToScreenText(captions.typeFrame));
    const int size = layout.pictureSize;
    picture_->setGeometry(px((layout.typeFrame.width - size) / 2), px(kPictureTop), px(size),
                          px(size));
    picture_->setToolTip(platform::ToScreenText(captions.pictureTooltip));
    for (std::size_t i = 0; i < typeButtons_.size(); ++i) {
        const int top = kPictureTop + size + 50 + static_cast<int>(i) * (kTypeButtonHeight + 30);
        typeButtons_[i]->setGeometry(px(captions.typeButtonLeft), px(top),
                                     px(layout.typeFrame.width - captions.typeButtonLeft - 100),
                                     px(kTypeButtonHeight));
    }

    for (std::size_t g = 0; g < optionFrames_.size(); ++g) {
        const auto& group = layout.groups[g];
        optionFrames_[g]->setGeometry(session_.px(group.frame));
        optionFrames_[g]->setTitle(platform::ToScreenText(group.caption));
        const int width = group.frame.width - 300;
        optionButtons_[g][0]->setGeometry(px(150), px(330), px(width), px(kOptionHeight));
        optionButtons_[g][1]->setGeometry(px(150), px(330 + kOptionHeight + 60), px(width),
                                          px(kOptionHeight));
        optionButtons_[g][0]->setText(platform::ToScreenText(group.option1));
        optionButtons_[g][1]->setText(platform::ToScreenText(group.option2));
    }

    // The lists are 280 narrower and 700 lower than their frames, the labels
    // 480 narrower.
    auto placeList = [&](QWidget* frame, QLabel* label, QWidget* list, const TwipRect& rect,
                         const std::string& frameCaption, const std::string& labelCaption) {
        frame->setGeometry(session_.px(rect));
        static_cast<window::PressFrame*>(frame)->setTitle(platform::ToScreenText(frameCaption));
        label->setGeometry(px(140), px(280), px(rect.width - 480), px(300));
        label->setText(platform::ToScreenText(labelCaption));
        list->setGeometry(px(140), px(600), px(rect.width - 280), px(rect.height - 700));
    };
    placeList(dimensionFrame_, dimensionLabel_, dimensions_, layout.dimensionFrame,
              captions.dimensionFrame, captions.dimensionLabel);
    placeList(accessoryFrame_, accessoryLabel_, accessories_, layout.accessoryFrame,
              captions.accessoryFrame, captions.accessoryLabel);

    // The code label starts 200 further left than the code box and is 400 wider.
    codeLabel_->setGeometry(px(layout.codeBoxLeft - 200), px(layout.buttonTop),
                            px(layout.codeBoxWidth + 400), px(375));

    typeCaptions_.clear();
    for (std::size_t i = 0; i < layout.valveTypes.size(); ++i) {
        typeCaptions_.push_back(layout.valveTypes[i].description);
        typeButtons_[i]->setText(platform::ToScreenText(typeCaptions_.back()));
    }
}

void ValvePage::hideAll() {
    for (QWidget* control :
         std::initializer_list<QWidget*>{typeFrame_, dimensionFrame_, accessoryFrame_, codeLabel_})
        control->hide();
    for (auto* frame : optionFrames_)
        frame->hide();
}

void ValvePage::show() {
    typeFrame_->show();
    codeLabel_->show();
}

void ValvePage::showCode(const std::string& codeLabelText) {
    codeLabel_->setText(platform::ToScreenText(codeLabelText));
}

void ValvePage::clearValveType() {
    picture_->setPixmap(QPixmap());
    for (auto* button : typeButtons_)
        button->setChecked(false);
}

// The fourth button stays as the layout left it.
void ValvePage::showTypeButtons(bool shown) {
    for (int t = 0; t < 3; ++t)
        typeButtons_[t]->setVisible(shown);
}

void ValvePage::focusFirstType() {
    typeButtons_[0]->setFocus();
}

void ValvePage::focusPicture() {
    picture_->setFocus();
}

void ValvePage::showPictureOnly() {
    dimensionFrame_->hide();
    accessoryFrame_->hide();
    showTypeButtons(false);
    const TwipRect& frame = configuration_.layout().typeFrame;
    typeFrame_->resize(session_.px(frame.width), session_.px(frame.width + 150));
}

void ValvePage::hideOptions() {
    for (auto* frame : optionFrames_)
        frame->hide();
}

std::vector<QWidget*> ValvePage::tabChain() const {
    std::vector<QWidget*> chain(typeButtons_.begin(), typeButtons_.end());
    chain.push_back(picture_);
    chain.push_back(dimensions_);
    chain.push_back(accessories_);
    for (const auto& group : optionButtons_)
        chain.insert(chain.end(), group.begin(), group.end());
    return chain;
}

void ValvePage::SelectValveType(int valveType) {
    const auto& types = configuration_.layout().valveTypes;
    if (valveType < 1 || valveType > static_cast<int>(types.size()))
        return;
    window_.help->hide();
    window_.debugInfo->setText(QString());

    configuration_.MarkValveType(valveType);
    for (int t = 0; t < 4; ++t)
        typeButtons_[t]->setChecked(t + 1 == valveType);

    configuration_.positionFlags[1] = true;
    const ChoiceLine& type = types[valveType - 1];
    // A type line without a letter still leaves twelve positions ("?" is
    // rejected by the code check).
    configuration_.code = (type.letter.empty() ? std::string("?") : type.letter) +
                          std::string(kCodePositions - 1, 'X') + session_.files->head.codeSuffix;

    ShowPicture(picture_, session_.FindPicture(type.key).path);
    const std::string& language = session_.language();
    const char* chosen = language == "EN"   ? " selected"
                         : language == "DE" ? " gew\xE4hlt"
                         : language == "FI" ? " valittu"
                                            : " valgt";
    picture_->setToolTip(Screen(typeCaptions_[valveType - 1] + chosen));

    FillValveLists(valveType);
    dimensionFrame_->show();
    accessoryFrame_->show();
    Q_EMIT valveTypeChosen();
}

// To what is still to be chosen, or to Next once the page is complete.
void ValvePage::focusNextChoice() {
    if (window_.next->isEnabled()) {
        window_.next->setFocus();
        return;
    }
    const auto& flags = configuration_.positionFlags;
    if (!flags[4]) {
        dimensions_->setFocus();
        return;
    }
    if (!flags[3] && accessories_->isEnabled()) {
        accessories_->setFocus();
        return;
    }
    for (int g = 0; g < 4; ++g) {
        QWidget* first = optionButtons_[g][0];
        if (!configuration_.record.options[g].chosen && first->isVisible() && first->isEnabled()) {
            first->setFocus();
            return;
        }
    }
}

void ValvePage::FillValveLists(int valveType) {
    dimensions_->clear();
    accessories_->clear();
    dimensionLines_ =
        ReadChoiceList(*session_.files, data::SectionKey("DIM_" + configuration_.record.typeKey))
            .lines;
    AddChoices(dimensions_, dimensionLines_);
    accessories_->setEnabled(false);
    accessoryLabel_->setEnabled(false);
    if (valveType != 1 && configuration_.record.dimensionLine > 0)
        FillAccessoryList();
}

void ValvePage::FillAccessoryList() {
    accessories_->clear();
    accessories_->setEnabled(false);
    accessoryLabel_->setEnabled(false);

    auto& files = *session_.files;
    const std::string prefix = data::SectionKey("CPD_" + configuration_.record.typeKey + "_");
    ChoiceList list =
        ReadChoiceList(files, prefix + FourDigits(configuration_.record.dimensionMillimetres),
                       kDescriptionColumn, kMaxAccessoryLines);
    if (list.lines.empty())
        list = ReadChoiceList(files, prefix + "+", kDescriptionColumn, kMaxAccessoryLines);
    TranslateDescriptions(files, list.title, list.lines);
    accessoryLines_ = std::move(list.lines);

    AddChoices(accessories_, accessoryLines_);
    accessories_->setEnabled(true);
    accessoryLabel_->setEnabled(true);
}

void ValvePage::dimensionPressed(Qt::MouseButton button, int row) {
    if (button != Qt::LeftButton) {
        Q_EMIT helpRequested("Dimensions");
        return;
    }
    const ChoiceLine* chosen = Chosen(dimensionLines_, row);
    if (!chosen)
        return;
    const ChoiceLine& line = *chosen;
    window_.help->hide();
    optionFrames_[kSpindleQuality]->show();
    optionFrames_[kClosingDirection]->show();

    auto& record = configuration_.record;
    configuration_.positionFlags[4] = true;
    record.dimensionLine = row + 1;
    record.dimensionKey = line.key;
    record.dimensionMillimetres = line.millimetres;
    configuration_.SetCodePosition(line.letter, 4);

    picture_->setToolTip(Screen(typeCaptions_[record.valveType - 1] + " \xD8" +
                                std::to_string(line.millimetres) + "mm"));
    FillAccessoryList();
    options_.ApplyOptionDefaults();
    afterOptions(true);
}

void ValvePage::accessoryPressed(Qt::MouseButton button, int row) {
    auto& record = configuration_.record;
    if (button != Qt::LeftButton) {
        Q_EMIT helpRequested(record.valveType == 1 ? "NoAccesories" : "Accesories");
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
    window_.help->hide();
    configuration_.positionFlags[3] = true;
    configuration_.SetCodePosition(line.letter, 3);
    Q_EMIT choiceMade(true);
}

void ValvePage::renderOptions() {
    for (int g = 0; g < 4; ++g) {
        const OptionButtons& state = options_.buttons[g];
        for (int o = 0; o < 2; ++o) {
            auto* button = optionButtons_[g][o];
            button->setChecked(state.selected == o + 1);
            button->setEnabled(state.enabled);
        }
    }
}

// Every change of an option group: show the buttons as they now stand and
// the debug information; the wizard shows the code and sees whether the
// page is complete.
void ValvePage::afterOptions(bool moveFocus) {
    renderOptions();
    if (session_.values.debugMode)
        window_.debugInfo->setText(Screen(options_.debugInfo));
    window_.help->hide();
    Q_EMIT choiceMade(moveFocus);
}

void ValvePage::optionPressed(OptionGroup group, int option, Qt::MouseButton button) {
    static constexpr const char* helpKeys[] = {"optSpinQual", "optCloseDir", "optWedgeQuality",
                                               "optActuator"};
    if (button == Qt::MiddleButton) {
        options_.ApplyBottomDefault();
        afterOptions(false);
        return;
    }
    if (button == Qt::RightButton) {
        Q_EMIT helpRequested(helpKeys[group]);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    options_.Choose(group, option);
    afterOptions(true);
}

void ValvePage::framePressed(OptionGroup group, Qt::MouseButton button) {
    static constexpr const char* helpKeys[] = {"Spindlekvalitet", "optCloseDir", "optWedgeQuality",
                                               "optActuator"};
    if (button == Qt::MiddleButton) {
        options_.ApplyBottomDefault();
        afterOptions(false);
        return;
    }
    if (button == Qt::RightButton)
        Q_EMIT helpRequested(helpKeys[group]);
}

void ValvePage::picturePressed(Qt::MouseButton button) {
    const int type = configuration_.record.valveType;
    const std::string help = "CenterHelp" + std::to_string(type);
    if (button == Qt::LeftButton) {
        for (auto* frame : optionFrames_)
            frame->hide();
        options_.Reset();
        renderOptions();
        if (session_.steps.pastValvePage()) {
            Q_EMIT helpRequested(help);
            return;
        }
        SelectValveType(type % 3 + 1);
        return;
    }
    if (button == Qt::RightButton) {
        Q_EMIT helpRequested(session_.steps.pastValvePage() ? help : "Startinfo");
        return;
    }
    if (button == Qt::MiddleButton) {
        session_.platform.messages.inform("Wheel click = button 4");
        return;
    }
    session_.platform.messages.inform("Button " + std::to_string(static_cast<int>(button)));
}

} // namespace tv::wizard
