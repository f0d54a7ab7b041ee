#include "gui/wizard/ValvePage.h"

#include "gui/window/Widgets.h"
#include "platform/qt/QtText.h"

namespace tv::wizard {

namespace {

constexpr int kPictureTop = 250; // twips inside the valve-type frame
constexpr int kTypeButtonHeight = 300;
constexpr int kOptionHeight = 300;

} // namespace

ValvePage::ValvePage(QWidget* window, window::Session& session) : session_(session) {
    typeFrame = window::MakeControl<window::PressFrame>(window, "CenterFrame");
    typeFrame->setTitle("Ventiltype");
    static constexpr const char* typeNames[] = {"OptCenter1", "OptCenter2", "OptCenter3",
                                                "OptCenter4"};
    for (std::size_t i = 0; i < typeButtons.size(); ++i)
        typeButtons[i] = window::MakeControl<window::PressRadio>(typeFrame, typeNames[i]);
    picture = window::MakeControl<window::ClickLabel>(typeFrame, "picCenter");
    picture->setScaledContents(true);
    picture->takeKeyboard();
    picture->show(); // shown and hidden with its frame

    static constexpr const char* frameNames[] = {"frmSpinQual", "frmCloseDir", "frmWedgeQual",
                                                 "frmActuator"};
    static constexpr const char* optionNames[][2] = {{"optSpinQual1", "optSpinQual2"},
                                                     {"optCloseDir1", "optCloseDir2"},
                                                     {"optWedgeQual1", "optWedgeQual2"},
                                                     {"optActuator1", "optActuator2"}};
    for (std::size_t g = 0; g < optionFrames.size(); ++g) {
        optionFrames[g] = window::MakeControl<window::PressFrame>(window, frameNames[g]);
        for (std::size_t o = 0; o < 2; ++o) {
            optionButtons[g][o] =
                window::MakeControl<window::PressRadio>(optionFrames[g], optionNames[g][o]);
            optionButtons[g][o]->show(); // shown and hidden with their frame
        }
    }

    dimensionFrame = window::MakeControl<window::PressFrame>(window, "frmDimensions");
    dimensionLabel = window::MakeControl<QLabel>(dimensionFrame, "lblDimension");
    dimensions = window::MakeControl<window::PressList>(dimensionFrame, "lstDimensions");
    accessoryFrame = window::MakeControl<window::PressFrame>(window, "frmAccesories");
    accessoryLabel = window::MakeControl<QLabel>(accessoryFrame, "lblAcessories");
    accessories = window::MakeControl<window::PressList>(accessoryFrame, "lstAccesories");
    for (QWidget* child :
         std::initializer_list<QWidget*>{dimensionLabel, dimensions, accessoryLabel, accessories})
        child->show();

    codeLabel = window::MakeControl<QLabel>(window, "lblCode");
}

void ValvePage::place(const ValvePageLayout& layout, const ValvePageCaptions& captions) {
    auto px = [this](int twips) {
        return session_.px(twips);
    };
    typeFrame->setGeometry(session_.px(layout.typeFrame));
    typeFrame->setTitle(platform::ToScreenText(captions.typeFrame));
    const int size = layout.pictureSize;
    picture->setGeometry(px((layout.typeFrame.width - size) / 2), px(kPictureTop), px(size),
                         px(size));
    picture->setToolTip(platform::ToScreenText(captions.pictureTooltip));
    for (std::size_t i = 0; i < typeButtons.size(); ++i) {
        const int top = kPictureTop + size + 50 + static_cast<int>(i) * (kTypeButtonHeight + 30);
        typeButtons[i]->setGeometry(px(captions.typeButtonLeft), px(top),
                                    px(layout.typeFrame.width - captions.typeButtonLeft - 100),
                                    px(kTypeButtonHeight));
    }

    for (std::size_t g = 0; g < optionFrames.size(); ++g) {
        const auto& group = layout.groups[g];
        optionFrames[g]->setGeometry(session_.px(group.frame));
        optionFrames[g]->setTitle(platform::ToScreenText(group.caption));
        const int width = group.frame.width - 300;
        optionButtons[g][0]->setGeometry(px(150), px(330), px(width), px(kOptionHeight));
        optionButtons[g][1]->setGeometry(px(150), px(330 + kOptionHeight + 60), px(width),
                                         px(kOptionHeight));
        optionButtons[g][0]->setText(platform::ToScreenText(group.option1));
        optionButtons[g][1]->setText(platform::ToScreenText(group.option2));
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
    placeList(dimensionFrame, dimensionLabel, dimensions, layout.dimensionFrame,
              captions.dimensionFrame, captions.dimensionLabel);
    placeList(accessoryFrame, accessoryLabel, accessories, layout.accessoryFrame,
              captions.accessoryFrame, captions.accessoryLabel);

    // The code label starts 200 further left than the code box and is 400 wider.
    codeLabel->setGeometry(px(layout.codeBoxLeft - 200), px(layout.buttonTop),
                           px(layout.codeBoxWidth + 400), px(375));
}

void ValvePage::hideAll() {
    for (QWidget* control :
         std::initializer_list<QWidget*>{typeFrame, dimensionFrame, accessoryFrame, codeLabel})
        control->hide();
    for (auto* frame : optionFrames)
        frame->hide();
}

} // namespace tv::wizard
