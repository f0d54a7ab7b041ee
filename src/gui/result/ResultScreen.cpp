#include "gui/result/ResultScreen.h"

#include "data/ProgramTexts.h"
#include "gui/window/Widgets.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtPictures.h"
#include "result/ProductInfo.h"
#include "result/ResultComputation.h"
#include "result/ResultScreenLayout.h"
#include "gui/output/EnlargedView.h"
#include "gui/result/QtCanvas.h"
#include "gui/window/HelpPanelView.h"
#include "output/CadHandover.h"
#include "output/Report.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>

#include <algorithm>

namespace tv::result {

namespace {

using window::Screen;

} // namespace

ResultScreen::ResultScreen(QWidget* window, window::Session& session, window::HelpPanelView& help,
                           QPushButton* exitButton)
    : QObject(window), session_(session), help_(help), exit_(exitButton) {
    makeResultFrame(window);
    makeValvePicture(window);
    report_ = window::MakeControl<QPushButton>(window, "cmdReport");
    dwg_ = window::MakeControl<QPushButton>(window, "cmdDwg");
    makeProductInfo(window);
    status_ = window::MakeControl<window::WrapLabel>(window, "lblResultStatus");
    status_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    back_ = window::MakeControl<QPushButton>(window, "cmdReportBack");
    back_->setText("Tilbake");
    enlargedView_ = new output::EnlargedView(window, session);

    connect(back_, &QPushButton::clicked, this, [this] {
        hideProductInfo();
        hideAll();
        Q_EMIT backRequested();
    });
    connect(copy_, &QPushButton::clicked, this, &ResultScreen::copyCode);
    connect(report_, &QPushButton::clicked, this, &ResultScreen::writeReport);
    connect(dwg_, &QPushButton::clicked, this, &ResultScreen::handOverDrawing);
    connect(enlarge_, &window::ClickLabel::pressed, this, &ResultScreen::openEnlargedView);
    connect(enlargedView_, &output::EnlargedView::closed, this, &ResultScreen::enlargedViewClosed);
}

ResultScreen::~ResultScreen() = default;

void ResultScreen::makeResultFrame(QWidget* window) {
    frame_ = window::MakeControl<QGroupBox>(window, "frmReport");
    head_ = window::MakeControl<QLabel>(window, "lblReportHead1");
    copy_ = window::MakeControl<QPushButton>(window, "cmdCopy1");
    // The result text scrolls when it is longer than its place (debug mode
    // adds keys and unrounded numbers); Tab reaches it, so the arrow keys
    // scroll it too.
    infoScroll_ = window::MakeControl<QScrollArea>(window, "scrResultText");
    infoScroll_->setFrameShape(QFrame::NoFrame);
    infoScroll_->setWidgetResizable(true);
    infoScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    infoScroll_->setFocusPolicy(Qt::StrongFocus);
    infoScroll_->viewport()->setAutoFillBackground(false);
    info_ = new QLabel;
    info_->setObjectName("lblInfo_01_01");
    info_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info_->setWordWrap(true);
    infoScroll_->setWidget(info_);
    // After setWidget, which makes it fill its background.
    info_->setAutoFillBackground(false);
}

void ResultScreen::makeValvePicture(QWidget* window) {
    background_ = window::MakeControl<QLabel>(window, "picResBack");
    background_->setFrameShape(QFrame::Box);
    background_->setAutoFillBackground(true);
    background_->setStyleSheet("#picResBack { background: white; }");
    static constexpr const char* pictureNames[] = {"picResCenter", "picResNorth", "picResSouth",
                                                   "picResEast", "picResWest"};
    // The areas pass their part index: centre 0, north 1, east 2, south 3, west 4.
    static constexpr int areas[] = {kAreaCentre, kAreaNorth, kAreaSouth, kAreaEast, kAreaWest};
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        pictures_[i] = window::MakeControl<window::ClickLabel>(background_, pictureNames[i]);
        pictures_[i]->setScaledContents(true);
        // Each part's product information is reached by keyboard too: Enter
        // on a part presses it at its middle.
        pictures_[i]->takeKeyboard();
        const int area = areas[i];
        connect(pictures_[i], &window::ClickLabel::pressed, this,
                [this, area](Qt::MouseButton button, QPoint position) {
                    picturePressed(area, button, position);
                });
    }
    enlarge_ = window::MakeControl<window::ClickLabel>(background_, "prEnlarge");
    enlarge_->setScaledContents(true);
    enlarge_->takeKeyboard();
    exitPicture_ = window::MakeControl<window::ClickLabel>(background_, "prExit");
    exitPicture_->takeKeyboard();
    exitPicture_->setScaledContents(true);
    connect(exitPicture_, &window::ClickLabel::pressed, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            background_->hide();
    });
    static constexpr const char* lineNames[] = {"picDimVer1", "picDimVer2", "picDimHor1",
                                                "picDimHor2", "picDimHor3"};
    for (std::size_t i = 0; i < lineBoxes_.size(); ++i) {
        lineBoxes_[i] = window::MakeControl<QLabel>(background_, lineNames[i]);
        lineBoxes_[i]->setScaledContents(true);
    }
    measures_[0] = window::MakeControl<QLabel>(background_, "lblVertMeas");
    measures_[1] = window::MakeControl<QLabel>(background_, "lblVertMeas2");
}

void ResultScreen::makeProductInfo(QWidget* window) {
    infoPanel_ = window::MakeControl<QGroupBox>(window, "frmResInfo");
    infoPanel_->setAutoFillBackground(true);
    infoHeading_ = window::MakeControl<window::ClickLabel>(infoPanel_, "lblResInfo0");
    infoText_ = window::MakeControl<window::ClickLabel>(infoPanel_, "lblResInfo1");
    infoText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    infoText_->setWordWrap(true);
    infoHeading_->show();
    infoText_->show();
    connect(infoText_, &window::ClickLabel::pressed, this, [this] { hideProductInfo(); });
    connect(infoHeading_, &window::ClickLabel::pressed, this, [this](Qt::MouseButton button) {
        if (button != Qt::LeftButton)
            showProductInfo(nullptr, nullptr);
    });
}

void ResultScreen::copyCode() {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(Screen(code()));
    showStatus(session_.files->TranslateText(data::TextKey(data::text::kCodeCopied)) + ": " +
               code());
}

void ResultScreen::writeReport() {
    const output::ReportInputs inputs{code(),
                                      record(),
                                      session_.result,
                                      session_.values,
                                      session_.customer,
                                      session_.parameterFileTime,
                                      session_.articleFileTime};
    QtCanvas canvas;
    const auto outcome =
        output::WriteReport(inputs, *session_.files, session_.platform, canvas,
                            [&canvas](const auto& path) { return canvas.saveBitmap(path); });
    // Only a report that was written is opened: after an abort the path may
    // name nothing, or an older report.
    help_.hide();
    if (!outcome.written)
        return;
    const std::string path = data::PathText(outcome.path);
    const bool opened = session_.platform.shell && session_.platform.shell->open(path);
    showStatus(session_.files->TranslateText(data::TextKey(opened ? data::text::kReportWritten
                                                                  : data::text::kReportNotOpened)) +
               " " + path);
}

void ResultScreen::handOverDrawing() {
    const auto* windows = session_.platform.windowSearch;
    if (windows &&
        output::HandOver(*windows, session_.platform.settings, session_.platform.messages))
        Q_EMIT closeRequested();
}

// While the enlarged view is open, the buttons wait.
void ResultScreen::openEnlargedView() {
    background_->hide();
    setButtonsEnabled(false);
    enlargedView_->open(record(), code());
}

void ResultScreen::enlargedViewClosed() {
    enlarge_->show();
    background_->show();
    setButtonsEnabled(true);
}

void ResultScreen::setButtonsEnabled(bool enabled) {
    for (QPushButton* button : {report_, dwg_, back_, exit_})
        button->setEnabled(enabled);
}

void ResultScreen::picturePressed(int area, Qt::MouseButton button, QPoint position) {
    if (button != Qt::LeftButton)
        return;
    const double twipsPerPixel = 1440.0 / session_.platform.system.layoutPixelsPerInch();
    const auto productInfo = ShowProductInfo(*session_.files, session_.result, record(), area,
                                             static_cast<int>(position.x() * twipsPerPixel),
                                             static_cast<int>(position.y() * twipsPerPixel));
    showProductInfo(productInfo ? &productInfo->heading : nullptr,
                    productInfo ? &productInfo->text : nullptr);
}

// At the foot of the result text's place, which gives up the lines the
// status needs: a path wraps there in full instead of running out of the
// window.
void ResultScreen::showStatus(std::string_view cp1252) {
    status_->setText(Screen(cp1252));
    status_->setToolTip(status_->text());
    const int height = status_->heightForWidth(infoPlace_.width());
    const int gap = session_.px(100);
    status_->setGeometry(infoPlace_.left(), infoPlace_.bottom() + 1 - height, infoPlace_.width(),
                         height);
    infoScroll_->setGeometry(
        infoPlace_.adjusted(0, 0, 0, -std::min(infoPlace_.height(), height + gap)));
    status_->show();
    status_->raise();
}

void ResultScreen::hideAll() {
    for (QWidget* control :
         std::initializer_list<QWidget*>{back_, frame_, head_, copy_, infoScroll_, background_,
                                         report_, dwg_, infoPanel_, status_})
        control->hide();
    // Leaving the screen with the enlarged view open closes it, and its
    // buttons are usable again when the screen comes back.
    if (enlargedView_->isOpen()) {
        enlargedView_->hide();
        setButtonsEnabled(true);
    }
}

void ResultScreen::showDimensionLines(const ResultDimensionLines& lines) {
    const DimensionLineBox* boxes[] = {&lines.ver1, &lines.ver2, &lines.hor1, &lines.hor2,
                                       &lines.hor3};
    for (std::size_t i = 0; i < lineBoxes_.size(); ++i) {
        const DimensionLineBox& box = *boxes[i];
        lineBoxes_[i]->setVisible(lines.drawn && box.visible);
        if (!lines.drawn)
            continue;
        lineBoxes_[i]->setGeometry(session_.px(box.rect));
        lineBoxes_[i]->setPixmap(platform::ReadPixmap(session_.files->locate(box.picture)));
        lineBoxes_[i]->raise();
    }
    const MeasureLabel* labels[] = {&lines.vertMeas, &lines.vertMeas2};
    for (std::size_t i = 0; i < measures_.size(); ++i) {
        measures_[i]->setVisible(lines.drawn && labels[i]->visible);
        if (!lines.drawn)
            continue;
        measures_[i]->setText(Screen(labels[i]->caption));
        window::PlaceFitting(measures_[i], session_.px(labels[i]->rect));
        measures_[i]->raise();
    }
}

void ResultScreen::hideProductInfo() {
    infoPanel_->hide();
}

void ResultScreen::showProductInfo(const std::string* heading, const std::string* text) {
    infoPanel_->setTitle("Produktinformasjon");
    infoPanel_->show();
    infoPanel_->raise();
    if (heading)
        infoHeading_->setText(Screen(*heading));
    if (text)
        infoText_->setText(Screen(*text));
}

void ResultScreen::open(const std::string& accessoryCaption) {
    const ResultInputs inputs{*session_.configuration, session_.values, accessoryCaption};
    session_.result = ComputeResult(*session_.files, session_.platform, inputs);
    LayOutResultScreen(*session_.files, *session_.configuration, session_.values, session_.result);
    show(session_.result);
    showDimensionLines(ComputeResultDimensionLines(session_.result, record(), session_.values,
                                                   session_.platform.system.decimalSeparator()));
}

void ResultScreen::show(const ResultState& result) {
    back_->show();
    frame_->show();
    report_->show();
    dwg_->show();
    dwg_->setToolTip("Innsetting av tegning i Tarnel er ikke implentert");
    if (!result.laidOut)
        return;
    const ReportScreenLayout& screen = result.screen;
    placeFrame(screen);
    info_->setText(Screen(result.resultText));
    background_->setGeometry(session_.px(screen.background));
    placeButtons(screen);
    report_->setFocus();
    placeProductInfo(screen);
    showPictures(result);
    background_->show();
    for (QWidget* control : std::initializer_list<QWidget*>{head_, copy_, infoScroll_})
        control->show();
}

void ResultScreen::placeFrame(const ReportScreenLayout& screen) {
    frame_->setGeometry(session_.px(screen.frame));
    frame_->setTitle(Screen(screen.frameCaption));
    head_->setGeometry(session_.px(screen.head));
    head_->setText(Screen(screen.headCaption));
    copy_->setGeometry(session_.px(screen.copy));
    copy_->setText(Screen(screen.copyCaption));
    status_->clear();
    status_->hide();
    // The text may take its column down to the frame's foot.
    infoPlace_ = session_.px(screen.info);
    infoPlace_.setBottom(
        std::max(infoPlace_.bottom(), session_.px(screen.frame.top + screen.frame.height - 150)));
    infoScroll_->setGeometry(infoPlace_);
}

void ResultScreen::placeButtons(const ReportScreenLayout& screen) {
    QPushButton* buttons[] = {exit_, back_, report_, dwg_};
    for (std::size_t i = 0; i < 4; ++i) {
        buttons[i]->setGeometry(session_.px(screen.buttonLefts[i]), session_.px(screen.buttonTop),
                                session_.px(window::kButtonWidth),
                                session_.px(window::kButtonHeight));
        buttons[i]->setText(Screen(screen.buttonCaptions[i]));
    }
}

// The product information label sits 500 below the panel's top margin.
void ResultScreen::placeProductInfo(const ReportScreenLayout& screen) {
    auto px = [this](int twips) {
        return session_.px(twips);
    };
    infoPanel_->setGeometry(session_.px(screen.infoPanel));
    const int margin = screen.infoMargin;
    const int width = screen.infoPanel.width - 2 * margin;
    infoHeading_->setGeometry(px(margin), px(margin + 150), px(width), px(300));
    infoText_->setGeometry(px(margin), px(margin + 500), px(width),
                           px(screen.infoPanel.height - 2 * margin - 500));
}

void ResultScreen::showPictures(const ResultState& result) {
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        const PictureBox& box = result.pictures[i];
        pictures_[i]->setGeometry(session_.px(box.rect));
        pictures_[i]->setPixmap(platform::ReadPixmap(box.path));
        pictures_[i]->setToolTip(Screen(box.tooltip));
        pictures_[i]->setVisible(box.visible);
    }
    // The centre lies on top of the connection pieces.
    for (int slot : {kSouth, kNorth, kWest, kCentre})
        pictures_[slot]->raise();

    auto px = [this](int twips) {
        return session_.px(twips);
    };
    const bool standard = session_.values.standardResolution;
    enlarge_->setGeometry(px(50), px(standard ? 60 : 50), px(standard ? 300 : 250),
                          px(standard ? 300 : 250));
    enlarge_->setPixmap(platform::ReadPixmap(session_.files->locate("EnlargePic.gif")));
    enlarge_->show();
    enlarge_->raise();
    // The exit picture stands beside the magnifier, at its size.
    exitPicture_->setGeometry(enlarge_->geometry().translated(enlarge_->width() + px(50), 0));
    exitPicture_->setPixmap(platform::ReadPixmap(session_.files->locate("ExitPic.gif")));
    exitPicture_->show();
    exitPicture_->raise();
}

} // namespace tv::result
