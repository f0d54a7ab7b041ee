#include "gui/start/StartScreen.h"

#include "output/WebLinks.h"

#include "data/ProgramTexts.h"
#include "data/StartScreenLayout.h"
#include "gui/window/Widgets.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtPictures.h"

#include <QFont>
#include <QPixmap>
#include <QPushButton>

namespace tv::start {

using data::StartScreenLayout;
using data::TwipRect;

namespace {

window::ClickLabel* MakeLabel(QWidget* window, const char* objectName) {
    return window::MakeControl<window::ClickLabel>(window, objectName);
}

} // namespace

StartScreen::StartScreen(QWidget* window, window::Session& session, QPushButton* exitButton,
                         QLabel* adminLabel)
    : QObject(window), session_(session), exit_(exitButton), admin_(adminLabel) {
    makeFlags(window);
    makePicturesAndTexts(window);
    makeButtons(window);
}

void StartScreen::makeFlags(QWidget* window) {
    static constexpr const char* flagNames[] = {"No_flag", "En_flag", "De_flag",
                                                "Fi_flag", "Dk_flag", "Se_flag"};
    static constexpr const char* codes[] = {"NO", "EN", "DE", "FI", "DK", "SE"};
    for (std::size_t i = 0; i < flags_.size(); ++i) {
        flags_[i] = MakeLabel(window, flagNames[i]);
        flags_[i]->setScaledContents(true);
        flags_[i]->setCursor(Qt::PointingHandCursor);
        // A keyboard user changes the language too: Tab reaches each flag.
        flags_[i]->takeKeyboard();
        const QString code = QString::fromLatin1(codes[i]);
        connect(flags_[i], &window::ClickLabel::pressed, this,
                [this, code](Qt::MouseButton button) {
                    if (button == Qt::LeftButton)
                        Q_EMIT languageChosen(code);
                    else
                        Q_EMIT languageHelp(code);
                });
    }
}

void StartScreen::makePicturesAndTexts(QWidget* window) {
    picture1_ = MakeLabel(window, "imgStartScreen1");
    picture2_ = MakeLabel(window, "imgStartScreen2");
    for (auto* picture : {picture1_, picture2_}) {
        picture->setScaledContents(true);
        picture->setCursor(Qt::PointingHandCursor);
    }
    connect(picture1_, &window::ClickLabel::pressed, this,
            [this] { openLink(output::kStartScreenPicture1); });
    connect(picture2_, &window::ClickLabel::pressed, this,
            [this] { openLink(output::kStartScreenPicture2); });

    head_ = MakeLabel(window, "lblStartscreenHead");
    head_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    head_->setCursor(Qt::PointingHandCursor);
    connect(head_, &window::ClickLabel::pressed, this,
            [this] { openLink(output::kStartScreenHead); });

    info1_ = MakeLabel(window, "lblStartscreen1");
    info2_ = MakeLabel(window, "lblStartscreen2");
    for (auto* info : {info1_, info2_}) {
        info->setWordWrap(true);
        info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // Texts of files and of the web probe, shown as they stand, never
        // as markup.
        info->setTextFormat(Qt::PlainText);
    }
}

void StartScreen::makeButtons(QWidget* window) {
    start1_ = window::MakeControl<QPushButton>(window, "cmdStartscreen1");
    start2_ = window::MakeControl<QPushButton>(window, "cmdStartscreen2");
    connect(start1_, &QPushButton::clicked, this, &StartScreen::configure);
    connect(start2_, &QPushButton::clicked, this, &StartScreen::reconfigure);

    static constexpr const char* shortcutNames[] = {"lblKonf2", "lbRekonf2", "lblAadmCtrl"};
    static constexpr const char* shortcutCaptions[] = {"K", "R", "A"};
    for (std::size_t i = 0; i < shortcuts_.size(); ++i) {
        shortcuts_[i] = MakeLabel(window, shortcutNames[i]);
        shortcuts_[i]->setText(QString::fromLatin1(shortcutCaptions[i]));
        shortcuts_[i]->setAlignment(Qt::AlignCenter);
        shortcuts_[i]->setFrameShape(QFrame::Box);
        // Small keys in the top left corner, for displays too narrow for
        // the whole start screen.
        shortcuts_[i]->setGeometry(
            session_.px(TwipRect{60, 60 + static_cast<int>(i) * 360, 300, 300}));
    }
    connect(shortcuts_[0], &window::ClickLabel::pressed, this, &StartScreen::shortcutConfigure);
    connect(shortcuts_[1], &window::ClickLabel::pressed, this, &StartScreen::shortcutReconfigure);
    connect(shortcuts_[2], &window::ClickLabel::pressed, this, &StartScreen::shortcutAdmin);
}

void StartScreen::hideAll() {
    for (auto* flag : flags_)
        flag->hide();
    for (QWidget* control : std::initializer_list<QWidget*>{picture1_, picture2_, head_, info1_,
                                                            info2_, start1_, start2_})
        control->hide();
    for (auto* shortcut : shortcuts_)
        shortcut->hide();
}

void StartScreen::setFirstInfoText(std::string_view cp1252) {
    info1_->setText(platform::ToScreenText(cp1252));
}

void StartScreen::showPicture(QLabel* label, std::string_view pictureName) {
    const auto path = session_.FindPicture(pictureName).path;
    label->setPixmap(platform::ReadPixmap(path));
}

void StartScreen::placeInfo(QLabel* label, const TwipRect& rect, const std::string& infoName) {
    label->setGeometry(session_.px(rect));
    label->setText(platform::ToScreenText(InfoText(*session_.files, infoName)));
    label->show();
}

void StartScreen::LayoutStartScreen() {
    head_->show();
    session_.steps.showStartScreen();
    const auto layout = ReadStartScreenLayout(*session_.files);
    if (!layout)
        return;

    for (std::size_t i = 0; i < flags_.size(); ++i)
        flags_[i]->setGeometry(session_.px(layout->flags[i].rect));
    for (std::size_t i = 0; i < flags_.size(); ++i) {
        showPicture(flags_[i], layout->flags[i].pictureName);
        flags_[i]->setToolTip(platform::ToScreenText(layout->flags[i].tooltip));
        flags_[i]->show();
    }

    picture1_->setGeometry(session_.px(layout->picture1));
    showPicture(picture1_, layout->pictureName1);
    picture2_->setGeometry(session_.px(layout->picture2));
    showPicture(picture2_, layout->pictureName2);

    placeHead(*layout);
    placeInfo(info1_, layout->info1, layout->infoName1);
    placeInfo(info2_, layout->info2, layout->infoName2);
    placeButtons(*layout);

    start1_->show();
    start2_->show();
    picture1_->show();
    picture2_->show();

    for (auto* shortcut : shortcuts_)
        shortcut->setVisible(session_.values.compactScreen);

    // Given before the window first shows, the focus takes effect when it does.
    start1_->setFocus();
}

// The head names both data files' dates; a click on it opens its address.
void StartScreen::placeHead(const StartScreenLayout& layout) {
    head_->setGeometry(session_.px(layout.head));
    headAddress_ = layout.headAddress;
    session_.parameterFileTime =
        DataFileTime(*session_.files, session_.platform.system, "Tessaro.dat");
    session_.articleFileTime =
        DataFileTime(*session_.files, session_.platform.system, "Vantordata.dat");
    head_->setText(platform::ToScreenText(
        ComposeHeadText(layout, session_.parameterFileTime, session_.articleFileTime,
                        session_.values.displaySize, session_.values.referenceWidth)));
    QFont headFont = head_->font();
    headFont.setPointSize(10);
    head_->setFont(headFont);
}

// The head opens the address its line names; the pictures theirs.
void StartScreen::openLink(std::string_view control) {
    if (session_.platform.shell)
        output::LaunchURL(*session_.platform.shell, output::StartScreenLink(control, headAddress_));
}

void StartScreen::placeButtons(const StartScreenLayout& layout) {
    const int buttonHeight = session_.px(window::kButtonHeight);
    const int top = session_.px(layout.buttonTop);
    exit_->setText(platform::ToScreenText(session_.files->TranslateText(data::TextKey(data::text::kCancel))));
    exit_->move(session_.px(layout.exitLeft), top);
    start1_->setGeometry(session_.px(layout.start1Left), top, session_.px(layout.start1Width),
                         buttonHeight);
    start1_->setText(platform::ToScreenText(layout.start1Caption));
    start2_->setGeometry(session_.px(layout.start2Left), top, session_.px(layout.start2Width),
                         buttonHeight);
    start2_->setText(platform::ToScreenText(layout.start2Caption));
    // The administration label sits beside the second start button.
    admin_->setGeometry(session_.px(layout.start2Left + layout.start2Width + 200), top,
                        session_.px(800), session_.px(500));
    admin_->setText(session_.values.debugMode ? "\n ADM" : "");
    admin_->show();
}

} // namespace tv::start
