#include "gui/SampleWindow.h"
#include "wizard/Wizard.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QStyle>

namespace tv::app {
namespace {

// Every caption of the sample fits its control in every language, with the
// font the window uses: what a user reads is never cut.
class CaptionsTest : public SampleWindowTest {
protected:
    // The captions of the visible controls that do not fit, as
    // "name: text".
    QStringList cut() {
        QStringList found;
        for (QWidget* widget : window_->findChildren<QWidget*>()) {
            if (!widget->isVisible())
                continue;
            const QFontMetrics metrics(widget->font());
            const QString name = widget->objectName();
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                if (label->wordWrap() || label->text().isEmpty() || !label->pixmap().isNull())
                    continue;
                for (const QString& line : label->text().split('\n')) {
                    if (metrics.horizontalAdvance(line) > label->contentsRect().width())
                        found << name + ": " + line;
                }
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                // The room the style leaves a caption: a push button's
                // margin and frame, a radio button's indicator and spacing.
                const QStyle* style = button->style();
                const int taken =
                    qobject_cast<QPushButton*>(button)
                        ? style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                              2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button)
                        : style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
                              style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr,
                                                 button);
                if (metrics.horizontalAdvance(button->text()) + taken > button->width())
                    found << name + ": " + button->text();
            } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
                if (metrics.horizontalAdvance(frame->title()) + 16 > frame->width())
                    found << name + ": " + frame->title();
            } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
                // An entry may wrap; its row must then be tall enough. The
                // item's text has the style's focus margin on either side.
                const int margin =
                    list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
                for (int row = 0; row < list->count(); ++row) {
                    const QString text = list->item(row)->text();
                    const int width = list->visualItemRect(list->item(row)).width() - 2 * margin;
                    const int height =
                        list->wordWrap()
                            ? metrics
                                  .boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, text)
                                  .height()
                            : metrics.height();
                    if ((!list->wordWrap() && metrics.horizontalAdvance(text) > width) ||
                        height > list->visualItemRect(list->item(row)).height())
                        found << name + ": " + text;
                }
            }
        }
        return found;
    }
};

TEST_F(CaptionsTest, NothingIsCutInAnyLanguage) {
    QStringList found;
    for (const char* code : {"NO", "EN", "DE", "FI", "DK", "SE"}) {
        settings_.save("Brivo", "Startup", "Language", code);
        window_.reset();
        start();
        auto collect = [&](const char* screen) {
            for (const QString& text : cut())
                found << QString("%1 %2 %3").arg(code, screen, text);
        };
        collect("start");
        press("cmdStartscreen1");
        press("OptCenter3");
        pressRow("lstDimensions", 2);
        pressRow("lstAccesories", 0);
        collect("valve page");
        press("cmdNext");
        press("imgTop");
        collect("connections");
        pressRow("lstConnections", 0);
        collect("connection dimensions");
        pressRow("lstConnDim", 0);
        for (const char* image : {"imgRight", "imgBottom", "imgLeft"}) {
            press(image);
            pressRow("lstConnections", 0);
            pressRow("lstConnDim", 0);
        }
        press("cmdNext");
        collect("result");
        press("cmdReportBack");
        press("cmdStartNy");
        press("cmdStartscreen2");
        collect("code entry");
        QTest::keyClicks(control<QLineEdit>("txtCode"), "KelmorAdm");
        collect("administration");
    }
    EXPECT_TRUE(found.isEmpty()) << found.join("\n").toStdString();
}

} // namespace
} // namespace tv::app
