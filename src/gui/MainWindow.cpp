#include "gui/MainWindow.h"

#include "gui/admin/AdminScreen.h"
#include "admin/DebugMode.h"
#include "gui/start/ContactsForm.h"
#include "admin/WebProbe.h"
#include "data/ProgramTexts.h"
#include "gui/window/Widgets.h"
#include "gui/window/HelpPanelView.h"
#include "gui/start/StartScreen.h"
#include "platform/qt/QtText.h"
#include "gui/result/ResultScreen.h"
#include "gui/wizard/Wizard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace tv::gui {

namespace {

constexpr int kWindowWidth = 9850; // twips
constexpr int kWindowHeight = 10550;
// The debug text's place at the foot of the window; more lines make it
// taller, and the page with it.
constexpr int kDebugInfoHeight = 900;

QPushButton* MakeButton(QWidget* window, const char* objectName, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), window);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

} // namespace

MainWindow::MainWindow(platform::Platform& platform, std::filesystem::path programDirectory,
                       QWidget* parent)
    : QWidget(parent), session_(platform, std::move(programDirectory)) {
    setObjectName("mainBrivo");
    setWindowTitle(QString("Tessaro ") + data::kProgramVersion);

    makeScrollingPage();

    cmdExit_ = MakeButton(page_, "cmdExit", "Avbryt");
    cmdBack_ = MakeButton(page_, "cmdBack", "Tilbake");
    cmdNext_ = MakeButton(page_, "cmdNext", "Neste");
    cmdStartNy_ = MakeButton(page_, "cmdStartNy", "Start ny");
    for (auto* button : {cmdExit_, cmdBack_, cmdNext_, cmdStartNy_})
        button->resize(session_.px(window::kButtonWidth), session_.px(window::kButtonHeight));
    connect(cmdExit_, &QPushButton::clicked, this, [this] {
        if (!wizard_ || wizard_->Exit())
            close();
    });

    lblTopText_ = new QLabel(page_);
    lblTopText_->setObjectName("lblTopText");
    lblTopText_->setAlignment(Qt::AlignCenter);
    lblTopText_->setGeometry(0, session_.px(60), session_.px(kWindowWidth), session_.px(300));

    lblDebugInfo_ = new window::ClickLabel(page_);
    lblDebugInfo_->setObjectName("lblDebugInfo");
    lblDebugInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDebugInfo_->setGeometry(session_.px(120), session_.px(9300), session_.px(6000),
                               session_.px(kDebugInfoHeight));

    lblAdminCmd_ = new window::ClickLabel(page_);
    lblAdminCmd_->setObjectName("lblAdminCmd");

    help_ = std::make_unique<window::HelpPanelView>(page_, session_);
    startScreen_ = new start::StartScreen(page_, session_, cmdExit_, lblAdminCmd_);
    connect(startScreen_, &start::StartScreen::languageChosen, this, &MainWindow::chooseLanguage);
    connect(startScreen_, &start::StartScreen::languageHelp, this,
            [this](const QString& code) { ShowHelpPanel("Lang_" + code.toStdString()); });

    for (QWidget* control : std::initializer_list<QWidget*>{
             cmdBack_, cmdNext_, cmdStartNy_, lblTopText_, lblDebugInfo_, lblAdminCmd_})
        control->hide();
    page_->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::makeScrollingPage() {
    // Every screen is laid out on a page of the window's full size; where
    // the screen is smaller than that, the page scrolls, so that every
    // control stays in reach and every text keeps the size it can be read
    // at (a page scaled down would shrink its fonts too).
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("scrScreen");
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    page_ = new QWidget;
    page_->setObjectName("pagScreen");
    scroll_->setWidget(page_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    // The control that takes the focus is scrolled into sight.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && page_->isAncestorOf(now))
            scroll_->ensureWidgetVisible(now, 8, 8);
    });
}

bool MainWindow::create() {
    const auto personalIni = data::PersonalIniPath(session_.programDirectory);
    start::ContactsForm form(data::ReadCustomerDetails(personalIni), session_.platform.messages,
                             this);
    if (form.exec() != QDialog::Accepted)
        return !form.quitRequested();
    session_.customer = form.details();
    const platform::WriteResult written =
        data::WriteCustomerDetails(personalIni, session_.customer);
    if (!written)
        session_.platform.messages.inform("The customer details could not be saved in\r\n" +
                                          data::PathText(personalIni) + "\r\n" + written.reason);
    else if (!written.note.empty())
        session_.platform.messages.inform("The customer details were saved, but " + written.note);
    return true;
}

void MainWindow::load(data::StartupValues values) {
    session_.load(std::move(values));
    createWizard();
    HideAll();
    LayoutStartScreen();
    lblDebugInfo_->setText(QString());
    lblDebugInfo_->show();
}

void MainWindow::createWizard() {
    wizard::WindowControls controls;
    controls.window = page_;
    controls.exit = cmdExit_;
    controls.back = cmdBack_;
    controls.next = cmdNext_;
    controls.startNew = cmdStartNy_;
    controls.topText = lblTopText_;
    controls.debugInfo = lblDebugInfo_;
    controls.adminLabel = lblAdminCmd_;
    controls.help = help_.get();
    wizard_ = new wizard::Wizard(session_, controls);
    resultScreen_ = new result::ResultScreen(page_, session_, *help_, cmdExit_);
    adminScreen_ = new admin::AdminScreen(page_, session_, cmdExit_);
    connectScreens();
    // Enter presses the button that has the focus, as Space does.
    for (auto* button : page_->findChildren<QPushButton*>())
        button->setAutoDefault(true);
}

// What one screen asks of another goes through the window.
void MainWindow::connectScreens() {
    connect(wizard_, &wizard::Wizard::hideAllRequested, this, &MainWindow::HideAll);
    connect(wizard_, &wizard::Wizard::startScreenRequested, this, &MainWindow::LayoutStartScreen);
    connect(wizard_, &wizard::Wizard::resultRequested, resultScreen_, &result::ResultScreen::open);
    connect(wizard_, &wizard::Wizard::closeRequested, this, &QWidget::close);
    connect(wizard_, &wizard::Wizard::administrationRequested, this,
            &MainWindow::OpenAdministration);
    connect(resultScreen_, &result::ResultScreen::backRequested, wizard_,
            &wizard::Wizard::ReportBack);
    connect(resultScreen_, &result::ResultScreen::closeRequested, this, &QWidget::close);
    connect(startScreen_, &start::StartScreen::configure, wizard_, &wizard::Wizard::Configure);
    connect(startScreen_, &start::StartScreen::reconfigure, wizard_, &wizard::Wizard::Reconfigure);
    connect(startScreen_, &start::StartScreen::shortcutConfigure, wizard_,
            &wizard::Wizard::ShortcutConfigure);
    connect(startScreen_, &start::StartScreen::shortcutReconfigure, wizard_,
            &wizard::Wizard::ShortcutReconfigure);
    connect(startScreen_, &start::StartScreen::shortcutAdmin, this,
            &MainWindow::OpenAdministration);
    connect(lblAdminCmd_, &window::ClickLabel::pressed, this, &MainWindow::OpenAdministration);
    connect(lblDebugInfo_, &window::ClickLabel::pressed, this, &MainWindow::debugInfoPressed);
    connect(adminScreen_, &admin::AdminScreen::debugModeChanged, this, [this] {
        if (!session_.values.debugMode)
            lblDebugInfo_->clear();
    });
}

void MainWindow::HideAll() {
    fitScreen();
    // Debug text stays only while debug mode is on.
    if (!session_.values.debugMode)
        lblDebugInfo_->clear();
    startScreen_->hideAll();
    help_->hide();
    wizard_->hideAll();
    resultScreen_->hideAll();
    adminScreen_->hideAll();
    cmdStartNy_->setText(platform::ToScreenText(
        session_.files->TranslateText(data::TextKey(data::text::kStartAgain))));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A label's new text asks its parent for room: the debug text may need
    // more lines than its place has, and the page grows to hold them.
    if (watched == page_ && event->type() == QEvent::LayoutRequest)
        fitScreen();
    return QWidget::eventFilter(watched, event);
}

void MainWindow::fitScreen() {
    lblDebugInfo_->resize(lblDebugInfo_->width(), std::max(session_.px(kDebugInfoHeight),
                                                           lblDebugInfo_->sizeHint().height()));
    const QSize page(session_.px(kWindowWidth),
                     std::max(session_.px(kWindowHeight),
                              lblDebugInfo_->geometry().bottom() + 1 + session_.px(60)));
    page_->setFixedSize(page);
    QSize room = page;
    if (const QScreen* screen = this->screen()) {
        // What the window manager adds around the window: known once the
        // window is shown, a title bar and a border before.
        const QSize frame = isVisible() && frameGeometry().size() != size()
                                ? frameGeometry().size() - size()
                                : QSize(8, 38);
        room = screen->availableGeometry().size() - frame;
    }
    // A page taller than the room scrolls, and its scroll bar takes width;
    // and the other way round.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_);
    bool tall = page.height() > room.height();
    const bool wide = page.width() + (tall ? bar : 0) > room.width();
    tall = tall || (wide && page.height() + bar > room.height());
    const QSize size(page.width() + (tall ? bar : 0), page.height() + (wide ? bar : 0));
    setMaximumSize(size);
    // Only a change of what fits resizes the window, not every change of
    // screen: a size the user chose stays.
    const QSize fitting = size.boundedTo(room);
    if (fitting != fitted_) {
        fitted_ = fitting;
        resize(fitting);
    }
}

void MainWindow::LayoutStartScreen() {
    startScreen_->LayoutStartScreen();
}

void MainWindow::ApplyLanguageHead() {
    auto file = session_.files->openLanguageFile();
    if (!file)
        return;
    wizard_->ApplyLanguageHead(session_.files->ReadLanguageHead(*file));
}

bool MainWindow::ShowHelpPanel(std::string_view helpKey) {
    return help_->ShowHelpPanel(helpKey);
}

// Escape closes what stands over the screen: an open picker, then the
// help panel (the enlarged view and the record editor take it themselves).
void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || !wizard_) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (wizard_->ClosePicker()) {
        event->accept();
        return;
    }
    if (help_->isVisible()) {
        help_->hide();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::OpenAdministration() {
    HideAll();
    lblAdminCmd_->hide();
    lblTopText_->show();
    ApplyLanguageHead();
    // After the language head, which names its own exit: here exit ends the
    // program, in every language.
    cmdExit_->setText("Avslutt");
    adminScreen_->Layout();
}

// In debug mode the label also runs the web probe and keeps what it says
// in "Test.txt"; in normal mode a click on it does nothing.
void MainWindow::debugInfoPressed() {
    if (!session_.values.debugMode || !session_.platform.web)
        return;
    if (!random_)
        random_ = admin::MakeRandomBelow();
    const auto probe = admin::ProbeWebText(session_.values, *session_.platform.web,
                                           session_.platform.messages, random_);
    if (!probe)
        return;
    startScreen_->setFirstInfoText(probe->pageText);
    const std::string text =
        admin::DebugInfoWithProbe(platform::FromScreenText(lblDebugInfo_->text()), probe->wordLine);
    lblDebugInfo_->setText(platform::ToScreenText(text));
    admin::WriteTestFile(*session_.files, text, session_.platform.messages);
}

void MainWindow::chooseLanguage(const QString& code) {
    session_.setLanguage(code.toStdString());
    wizard_->ResetValvePage();
    HideAll();
    LayoutStartScreen();
}

} // namespace tv::gui
