#include "gui/wizard/ConnectionPage.h"

#include "gui/window/Widgets.h"
#include "platform/qt/QtText.h"

#include <QPushButton>

namespace tv::wizard {

namespace {

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

ConnectionPage::ConnectionPage(QWidget* window, window::Session& session) : session_(session) {
    static constexpr const char* frames[] = {"", "frameTop", "frameRight", "frameBottom",
                                             "frameLeft"};
    static constexpr const char* images[] = {"", "imgTop", "imgRight", "imgBottom", "imgLeft"};
    for (int slot = 1; slot <= 4; ++slot) {
        slotFrames[slot] = window::MakeControl<window::PressFrame>(window, frames[slot]);
        slotImages[slot] = window::MakeControl<window::ClickLabel>(slotFrames[slot], images[slot]);
        slotImages[slot]->setScaledContents(true);
        slotImages[slot]->takeKeyboard();
        slotImages[slot]->show();
    }
    connectionPicker = MakePicker(window, "frmConnections", "lblConnSelection", "lstConnections",
                                  "cmdConnExit", connectionLabel, connections, connectionClose);
    dimensionPicker =
        MakePicker(window, "frmConnectionDim", "lblConnDim", "lstConnDim", "cmdConnDimExit",
                   dimensionLabel, connectionDimensions, dimensionClose);
    slideName = window::MakeControl<QLabel>(window, "lblSlideName");
    QObject::connect(connectionClose, &QPushButton::clicked, connectionPicker, &QWidget::hide);
    QObject::connect(dimensionClose, &QPushButton::clicked, dimensionPicker, &QWidget::hide);
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
        slotFrames[slot]->setGeometry(session_.px(rect));
        slotFrames[slot]->setTitle(platform::ToScreenText(captions.slotFrames[i]));
        const int size = layout.pictureSize;
        slotImages[slot]->setGeometry(px((rect.width - size) / 2), px(300), px(size), px(size));
    }
    picker_ = layout.picker;
    const int m = picker_.margin;
    for (auto [picker, label, list, close, caption] :
         {std::tuple{connectionPicker, connectionLabel, connections, connectionClose,
                     captions.connectionLabel},
          std::tuple{dimensionPicker, dimensionLabel, connectionDimensions, dimensionClose,
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
         {static_cast<QWidget*>(connectionPicker), static_cast<QWidget*>(dimensionPicker)})
        picker->move(session_.px(left), session_.px(top));
}

void ConnectionPage::hideAll() {
    for (int slot = 1; slot <= 4; ++slot)
        slotFrames[slot]->hide();
    connectionPicker->hide();
    dimensionPicker->hide();
    slideName->hide();
}

} // namespace tv::wizard
