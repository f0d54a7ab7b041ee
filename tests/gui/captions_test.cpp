#include "gui/SampleWindow.h"
#include "gui/window/Widgets.h"
#include "gui/wizard/Wizard.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QRegularExpression>
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
                if (label->text().isEmpty() || !label->pixmap().isNull())
                    continue;
                // A wrapped text must have the lines it needs, and a label
                // that wraps only between words room for its longest word.
                if (label->wordWrap()) {
                    const bool anywhere = dynamic_cast<window::WrapLabel*>(label) != nullptr;
                    bool fits = label->heightForWidth(label->width()) <= label->height();
                    for (const QString& word : label->text().split(QRegularExpression("\\s+")))
                        fits = fits && (anywhere || metrics.horizontalAdvance(word) <=
                                                        label->contentsRect().width());
                    if (!fits)
                        found << name + ": " + label->text();
                    continue;
                }
                const QStringList lines = label->text().split('\n');
                for (const QString& line : lines) {
                    if (metrics.horizontalAdvance(line) > label->contentsRect().width())
                        found << name + ": " + line;
                }
                if (metrics.height() * lines.size() > label->contentsRect().height())
                    found << name + " (too low): " + label->text();
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
    // Every language starts from the same settings: the option defaults and
    // debug mode are changed on the way.
    const platform::MemorySettingsStore first = settings_;
    for (const char* code : {"NO", "EN", "DE", "FI", "DK", "SE"}) {
        SCOPED_TRACE(code);
        settings_ = first;
        settings_.save("Brivo", "Startup", "Language", code);
        window_.reset();
        startNewRun();
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
        for (const char* row : {"A2", "LR", "SK", "AC"}) {
            for (const char* button : {"Default1", "Default2"}) {
                const std::string name = std::string("cmd") + row + button;
                if (control<QWidget>(name.c_str())->isEnabled())
                    press(name.c_str());
                collect(name.c_str());
            }
        }
        press("cmdData4");
        pressRow("lstRecords", 0);
        collect("editor");
        press("cmdEditCancel");
        press("cmdData5");
        collect("new record");
        press("cmdEditCancel");
        press("cmdMenuCheck");
        collect("menu check done");
        press("cmdDataCheck");
        collect("data check done");
        // The longest result text of the sample, in debug mode, and what
        // copying and the report say.
        press("cmdDebugMode");
        window_.reset();
        startNewRun();
        collect("debug start");
        press("cmdStartscreen2");
        QTest::keyClicks(control<QLineEdit>("txtCode"), "KBBDFDFDFDFD-V18");
        press("cmdNext");
        collect("debug result");
        press("cmdCopy1");
        collect("code copied");
        press("cmdReport");
        collect("report written");
    }
    EXPECT_TRUE(found.isEmpty()) << found.join("\n").toStdString();
}

} // namespace
} // namespace tv::app
