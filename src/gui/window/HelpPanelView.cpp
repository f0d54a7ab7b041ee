#include "gui/window/HelpPanelView.h"

#include "gui/window/Widgets.h"
#include "platform/qt/QtText.h"

#include <QFrame>

namespace tv::window {

HelpPanelView::HelpPanelView(QWidget* window, Session& session)
    : session_(session), frame_(new QFrame(window)), label_(new window::ClickLabel(frame_)) {
    frame_->setObjectName("frmHelp");
    frame_->setAutoFillBackground(true);
    frame_->setStyleSheet("#frmHelp { background: #ffffe1; border: 1px solid #808080; }");
    label_->setObjectName("lblHelp");
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QObject::connect(label_, &window::ClickLabel::pressed, [this] { hide(); });
    hide();
}

bool HelpPanelView::ShowHelpPanel(std::string_view helpKey, std::string_view connectionText) {
    const auto panel = session_.files->ReadHelpPanel(helpKey, connectionText);
    if (!panel)
        return true;
    frame_->setGeometry(
        session_.px(data::TwipRect{panel->top, panel->left, panel->width, panel->height}));
    label_->setGeometry(session_.px(panel->margin), session_.px(panel->margin),
                        session_.px(panel->width - 2 * panel->margin),
                        session_.px(panel->height - 2 * panel->margin));
    label_->setText(platform::ToScreenText(panel->text));
    frame_->show();
    label_->show();
    frame_->raise();
    return true;
}

void HelpPanelView::hide() {
    frame_->hide();
    label_->hide();
}

bool HelpPanelView::isVisible() const {
    return frame_->isVisible();
}

void HelpPanelView::moveTo(int top) {
    frame_->move(frame_->x(), top);
}

} // namespace tv::window
