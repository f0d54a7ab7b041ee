#include "gui/result/ResultScreen.h"

#include "data/ProgramTexts.h"
#include "gui/window/Widgets.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtPictures.h"
#include "result/ProductInfo.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>

#include <algorithm>

namespace tv::result {

namespace {

QString Screen(const std::string& text) {
    return platform::ToScreenText(text);
}

} // namespace

ResultScreen::ResultScreen(QWidget* window, window::Session& session, QPushButton* exitButton,
                           QPushButton* reportBack)
    : QObject(window), session_(session), exit_(exitButton), reportBack_(reportBack) {
    frame = window::MakeControl<QGroupBox>(window, "frmReport");
    head = window::MakeControl<QLabel>(window, "lblReportHead1");
    copy = window::MakeControl<QPushButton>(window, "cmdCopy1");
    // The result text scrolls when it is longer than its place (debug mode
    // adds keys and unrounded numbers); Tab reaches it, so the arrow keys
    // scroll it too.
    infoScroll = window::MakeControl<QScrollArea>(window, "scrResultText");
    infoScroll->setFrameShape(QFrame::NoFrame);
    infoScroll->setWidgetResizable(true);
    infoScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    infoScroll->setFocusPolicy(Qt::StrongFocus);
    infoScroll->viewport()->setAutoFillBackground(false);
    info = new QLabel;
    info->setObjectName("lblInfo_01_01");
    info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info->setWordWrap(true);
    infoScroll->setWidget(info);
    // After setWidget, which makes it fill its background.
    info->setAutoFillBackground(false);
    background = window::MakeControl<QLabel>(window, "picResBack");
    background->setFrameShape(QFrame::Box);
    background->setAutoFillBackground(true);
    background->setStyleSheet("#picResBack { background: white; }");
    static constexpr const char* pictureNames[] = {"picResCenter", "picResNorth", "picResSouth",
                                                   "picResEast", "picResWest"};
    // The areas pass their part index: centre 0, north 1, east 2, south 3, west 4.
    static constexpr int areas[] = {kAreaCentre, kAreaNorth, kAreaSouth, kAreaEast, kAreaWest};
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        pictures[i] = window::MakeControl<window::ClickLabel>(background, pictureNames[i]);
        pictures[i]->setScaledContents(true);
        // Each part's product information is reached by keyboard too: Enter
        // on a part presses it at its middle.
        pictures[i]->takeKeyboard();
        const int area = areas[i];
        connect(pictures[i], &window::ClickLabel::pressed, this,
                [this, area](Qt::MouseButton button, QPoint position) {
                    const double twipsPerPixel =
                        1440.0 / session_.platform.system.layoutPixelsPerInch();
                    Q_EMIT picturePressed(area, button,
                                          static_cast<int>(position.x() * twipsPerPixel),
                                          static_cast<int>(position.y() * twipsPerPixel));
                });
    }
    enlarge = window::MakeControl<window::ClickLabel>(background, "prEnlarge");
    enlarge->setScaledContents(true);
    enlarge->takeKeyboard();
    exitPicture = window::MakeControl<window::ClickLabel>(background, "prExit");
    exitPicture->takeKeyboard();
    exitPicture->setScaledContents(true);
    connect(exitPicture, &window::ClickLabel::pressed, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            background->hide();
    });
    static constexpr const char* lineNames[] = {"picDimVer1", "picDimVer2", "picDimHor1",
                                                "picDimHor2", "picDimHor3"};
    for (std::size_t i = 0; i < lineBoxes.size(); ++i) {
        lineBoxes[i] = window::MakeControl<QLabel>(background, lineNames[i]);
        lineBoxes[i]->setScaledContents(true);
    }
    measures[0] = window::MakeControl<QLabel>(background, "lblVertMeas");
    measures[1] = window::MakeControl<QLabel>(background, "lblVertMeas2");
    report = window::MakeControl<QPushButton>(window, "cmdReport");
    dwg = window::MakeControl<QPushButton>(window, "cmdDwg");

    infoPanel = window::MakeControl<QGroupBox>(window, "frmResInfo");
    infoPanel->setAutoFillBackground(true);
    infoHeading = window::MakeControl<window::ClickLabel>(infoPanel, "lblResInfo0");
    infoText = window::MakeControl<window::ClickLabel>(infoPanel, "lblResInfo1");
    infoText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    infoText->setWordWrap(true);
    infoHeading->show();
    infoText->show();
    connect(infoText, &window::ClickLabel::pressed, this, [this] { hideProductInfo(); });
    connect(infoHeading, &window::ClickLabel::pressed, this, [this](Qt::MouseButton button) {
        if (button != Qt::LeftButton)
            showProductInfo(nullptr, nullptr);
    });
    connect(copy, &QPushButton::clicked, this, [this] {
        QClipboard* clipboard = QApplication::clipboard();
        clipboard->clear();
        clipboard->setText(Screen(code_));
        showStatus(session_.files->TranslateText(data::TextKey(data::text::kCodeCopied)) + ": " +
                   code_);
    });
    status = window::MakeControl<window::WrapLabel>(window, "lblResultStatus");
    status->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
}

// At the foot of the result text's place, which gives up the lines the
// status needs: a path wraps there in full instead of running out of the
// window.
void ResultScreen::showStatus(std::string_view cp1252) {
    status->setText(Screen(std::string(cp1252)));
    status->setToolTip(status->text());
    const int height = status->heightForWidth(infoPlace_.width());
    const int gap = session_.px(100);
    status->setGeometry(infoPlace_.left(), infoPlace_.bottom() + 1 - height, infoPlace_.width(),
                        height);
    infoScroll->setGeometry(
        infoPlace_.adjusted(0, 0, 0, -std::min(infoPlace_.height(), height + gap)));
    status->show();
    status->raise();
}

void ResultScreen::hideAll() {
    for (QWidget* control : std::initializer_list<QWidget*>{
             frame, head, copy, infoScroll, background, report, dwg, infoPanel, status})
        control->hide();
}

void ResultScreen::showDimensionLines(const ResultDimensionLines& lines) {
    const DimensionLineBox* boxes[] = {&lines.ver1, &lines.ver2, &lines.hor1, &lines.hor2,
                                       &lines.hor3};
    for (std::size_t i = 0; i < lineBoxes.size(); ++i) {
        const DimensionLineBox& box = *boxes[i];
        lineBoxes[i]->setVisible(lines.drawn && box.visible);
        if (!lines.drawn)
            continue;
        lineBoxes[i]->setGeometry(session_.px(box.rect));
        lineBoxes[i]->setPixmap(platform::ReadPixmap(session_.files->locate(box.picture)));
        lineBoxes[i]->raise();
    }
    const MeasureLabel* labels[] = {&lines.vertMeas, &lines.vertMeas2};
    for (std::size_t i = 0; i < measures.size(); ++i) {
        measures[i]->setVisible(lines.drawn && labels[i]->visible);
        if (!lines.drawn)
            continue;
        measures[i]->setText(Screen(labels[i]->caption));
        window::PlaceFitting(measures[i], session_.px(labels[i]->rect));
        measures[i]->raise();
    }
}

void ResultScreen::hideProductInfo() {
    infoPanel->hide();
}

void ResultScreen::showProductInfo(const std::string* heading, const std::string* text) {
    infoPanel->setTitle("Produktinformasjon");
    infoPanel->show();
    infoPanel->raise();
    if (heading)
        infoHeading->setText(Screen(*heading));
    if (text)
        infoText->setText(Screen(*text));
}

void ResultScreen::show(const ResultState& result, const std::string& code) {
    code_ = code;
    frame->show();
    report->show();
    dwg->show();
    dwg->setToolTip("Innsetting av tegning i Tarnel er ikke implentert");
    if (!result.laidOut)
        return;

    const auto& screen = result.screen;
    auto px = [this](int twips) {
        return session_.px(twips);
    };
    frame->setGeometry(session_.px(screen.frame));
    frame->setTitle(Screen(screen.frameCaption));
    head->setGeometry(session_.px(screen.head));
    head->setText(Screen(screen.headCaption));
    copy->setGeometry(session_.px(screen.copy));
    copy->setText(Screen(screen.copyCaption));
    status->clear();
    status->hide();
    // The text may take its column down to the frame's foot.
    infoPlace_ = session_.px(screen.info);
    infoPlace_.setBottom(
        std::max(infoPlace_.bottom(), px(screen.frame.top + screen.frame.height - 150)));
    infoScroll->setGeometry(infoPlace_);
    info->setText(Screen(result.resultText));
    background->setGeometry(session_.px(screen.background));

    QPushButton* buttons[] = {exit_, reportBack_, report, dwg};
    for (std::size_t i = 0; i < 4; ++i) {
        buttons[i]->setGeometry(px(screen.buttonLefts[i]), px(screen.buttonTop),
                                px(window::kButtonWidth), px(window::kButtonHeight));
        buttons[i]->setText(Screen(screen.buttonCaptions[i]));
    }
    report->setFocus();

    // The product information label sits 500 below the panel's top margin.
    infoPanel->setGeometry(session_.px(screen.infoPanel));
    const int m = screen.infoMargin;
    infoHeading->setGeometry(px(m), px(m + 150), px(screen.infoPanel.width - 2 * m), px(300));
    infoText->setGeometry(px(m), px(m + 500), px(screen.infoPanel.width - 2 * m),
                          px(screen.infoPanel.height - 2 * m - 500));

    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const PictureBox& box = result.pictures[i];
        pictures[i]->setGeometry(session_.px(box.rect));
        pictures[i]->setPixmap(platform::ReadPixmap(box.path));
        pictures[i]->setToolTip(Screen(box.tooltip));
        pictures[i]->setVisible(box.visible);
    }
    // The centre lies on top of the connection pieces.
    for (int slot : {kSouth, kNorth, kWest, kCentre})
        pictures[slot]->raise();

    const bool standard = session_.values.standardResolution;
    enlarge->setGeometry(px(50), px(standard ? 60 : 50), px(standard ? 300 : 250),
                         px(standard ? 300 : 250));
    enlarge->setPixmap(platform::ReadPixmap(session_.files->locate("EnlargePic.gif")));
    enlarge->show();
    enlarge->raise();
    // The exit picture stands beside the magnifier, at its size.
    exitPicture->setGeometry(enlarge->geometry().translated(enlarge->width() + px(50), 0));
    exitPicture->setPixmap(platform::ReadPixmap(session_.files->locate("ExitPic.gif")));
    exitPicture->show();
    exitPicture->raise();
    background->show();
    for (QWidget* control : std::initializer_list<QWidget*>{head, copy, infoScroll})
        control->show();
}

} // namespace tv::result
