#include "app/MainWindow.h"

#include "admin/AdminScreen.h"
#include "admin/DebugMode.h"
#include "app/ContactsForm.h"
#include "app/VersionCheck.h"
#include "window/Widgets.h"
#include "data/HelpPanelView.h"
#include "data/StartScreen.h"
#include "platform/qt/QtText.h"
#include "output/CadHandover.h"
#include "output/EnlargedView.h"
#include "output/Report.h"
#include "result/QtCanvas.h"
#include "output/WebLinks.h"
#include "result/ProductInfo.h"
#include "result/ResultScreen.h"
#include "wizard/Wizard.h"

#include <QKeyEvent>
#include <QPushButton>

namespace tv::app {

namespace {

constexpr int kWindowWidth = 9850; // twips
constexpr int kWindowHeight = 10550;

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

    cmdExit_ = MakeButton(this, "cmdExit", "Avbryt");
    cmdBack_ = MakeButton(this, "cmdBack", "Tilbake");
    cmdNext_ = MakeButton(this, "cmdNext", "Neste");
    cmdStartNy_ = MakeButton(this, "cmdStartNy", "Start ny");
    for (auto* button : {cmdExit_, cmdBack_, cmdNext_, cmdStartNy_})
        button->resize(session_.px(window::kButtonWidth), session_.px(window::kButtonHeight));
    connect(cmdExit_, &QPushButton::clicked, this, [this] {
        if (!wizard_ || wizard_->Exit())
            close();
    });

    lblTopText_ = new QLabel(this);
    lblTopText_->setObjectName("lblTopText");
    lblTopText_->setAlignment(Qt::AlignCenter);
    lblTopText_->setGeometry(0, session_.px(60), session_.px(kWindowWidth), session_.px(300));

    lblDebugInfo_ = new window::ClickLabel(this);
    lblDebugInfo_->setObjectName("lblDebugInfo");
    lblDebugInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDebugInfo_->setGeometry(session_.px(120), session_.px(9300), session_.px(6000),
                               session_.px(900));

    lblAdminCmd_ = new window::ClickLabel(this);
    lblAdminCmd_->setObjectName("lblAdminCmd");

    help_ = std::make_unique<data::HelpPanelView>(this, session_);
    startScreen_ = new data::StartScreen(this, session_, cmdExit_, lblAdminCmd_);
    connect(startScreen_, &data::StartScreen::languageChosen, this, &MainWindow::chooseLanguage);
    connect(startScreen_, &data::StartScreen::languageHelp, this,
            [this](const QString& code) { ShowHelpPanel("Lang_" + code.toStdString()); });

    for (QWidget* control : std::initializer_list<QWidget*>{
             cmdBack_, cmdNext_, cmdStartNy_, lblTopText_, lblDebugInfo_, lblAdminCmd_})
        control->hide();
}

MainWindow::~MainWindow() = default;

bool MainWindow::create() {
    const auto personalIni = data::PersonalIniPath(session_.programDirectory);
    ContactsForm form(data::ReadCustomerDetails(personalIni), session_.platform.messages, this);
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

bool MainWindow::load() {
    auto outcome = RunStartup(session_.platform, StartupVersionCheck(session_.platform));
    if (!outcome.ok) {
        session_.platform.messages.inform(outcome.failure);
        return false;
    }
    session_.values = std::move(outcome.values);
    session_.files =
        std::make_unique<data::DataFiles>(data::ToPath(session_.values.dataDirectory),
                                          session_.values.language, session_.platform.messages);
    createWizard();
    HideAll();
    LayoutStartScreen();
    lblDebugInfo_->setText(QString());
    lblDebugInfo_->show();
    return true;
}

void MainWindow::createWizard() {
    wizard::SharedControls shared;
    shared.window = this;
    shared.hideAll = [this] {
        HideAll();
    };
    shared.exit = cmdExit_;
    shared.back = cmdBack_;
    shared.next = cmdNext_;
    shared.startNew = cmdStartNy_;
    shared.topText = lblTopText_;
    shared.debugInfo = lblDebugInfo_;
    shared.adminLabel = lblAdminCmd_;
    shared.help = help_.get();
    shared.startScreen = startScreen_;
    wizard_ = new wizard::Wizard(session_, shared);
    // The result screen shares Exit with every screen; its Back is the
    // wizard's, which knows where to return.
    resultScreen_ = new result::ResultScreen(this, session_, cmdExit_, wizard_->reportBack());
    wizard_->setResultScreen(resultScreen_);
    enlargedView_ =
        new output::EnlargedView(this, session_, *resultScreen_, cmdExit_, wizard_->reportBack());
    connect(resultScreen_->report, &QPushButton::clicked, this, [this] {
        const auto& configuration = wizard_->configuration();
        const output::ReportInputs inputs{configuration.code,       configuration.record,
                                          session_.result,          session_.values,
                                          session_.customer,        session_.parameterFileTime,
                                          session_.articleFileTime, session_.values.debugMode};
        result::QtCanvas canvas;
        const auto outcome =
            output::WriteReport(inputs, *session_.files, session_.platform, canvas,
                                [&canvas](const auto& path) { return canvas.saveBitmap(path); });
        // Only a report that was written is opened: after an abort the path
        // may name nothing, or an older report.
        help_->hide();
        if (!outcome.written)
            return;
        const std::string path = data::PathText(outcome.path);
        const bool opened = session_.platform.shell && session_.platform.shell->open(path);
        resultScreen_->showStatus(
            session_.files->TranslateText(data::TextKey(
                opened ? "Rapporten er skrevet:" : "Rapporten kunne ikke \xE5pnes, den ligger i")) +
            " " + path);
    });
    connect(resultScreen_->dwg, &QPushButton::clicked, this, [this] {
        const auto* windows = session_.platform.windowSearch;
        if (windows &&
            output::HandOver(*windows, session_.platform.settings, session_.platform.messages))
            close();
    });
    for (auto [signal, control] :
         {std::pair{&data::StartScreen::headClicked, output::kStartScreenHead},
          std::pair{&data::StartScreen::picture1Clicked, output::kStartScreenPicture1},
          std::pair{&data::StartScreen::picture2Clicked, output::kStartScreenPicture2}}) {
        connect(startScreen_, signal, this, [this, control = std::string(control)] {
            if (session_.platform.shell)
                output::LaunchURL(*session_.platform.shell,
                                  output::StartScreenLink(control, session_.headWebAddress));
        });
    }
    connect(resultScreen_->enlarge, &window::ClickLabel::pressed, this, [this] {
        const auto& configuration = wizard_->configuration();
        enlargedView_->open(configuration.record, configuration.code);
    });
    connect(resultScreen_, &result::ResultScreen::picturePressed, this,
            [this](int area, Qt::MouseButton button, int x, int y) {
                if (button != Qt::LeftButton)
                    return;
                const auto info = result::ShowProductInfo(
                    *session_.files, session_.result, wizard_->configuration().record, area, x, y);
                resultScreen_->showProductInfo(info ? &info->heading : nullptr,
                                               info ? &info->text : nullptr);
            });
    connect(wizard_, &wizard::Wizard::closeRequested, this, &QWidget::close);
    connect(startScreen_, &data::StartScreen::configure, wizard_, &wizard::Wizard::Configure);
    connect(startScreen_, &data::StartScreen::reconfigure, wizard_, &wizard::Wizard::Reconfigure);
    connect(startScreen_, &data::StartScreen::shortcutConfigure, wizard_,
            &wizard::Wizard::ShortcutConfigure);
    connect(startScreen_, &data::StartScreen::shortcutReconfigure, wizard_,
            &wizard::Wizard::ShortcutReconfigure);
    adminScreen_ = new admin::AdminScreen(this, session_, cmdExit_);
    connect(startScreen_, &data::StartScreen::shortcutAdmin, this, &MainWindow::OpenAdministration);
    connect(lblAdminCmd_, &window::ClickLabel::pressed, this, &MainWindow::OpenAdministration);
    connect(wizard_, &wizard::Wizard::administrationRequested, this,
            &MainWindow::OpenAdministration);
    connect(lblDebugInfo_, &window::ClickLabel::pressed, this, &MainWindow::debugInfoPressed);
}

void MainWindow::HideAll() {
    setFixedSize(session_.px(kWindowWidth), session_.px(kWindowHeight));
    startScreen_->hideAll();
    help_->hide();
    wizard_->hideAll();
    resultScreen_->hideAll();
    enlargedView_->hide();
    adminScreen_->hideAll();
    cmdStartNy_->setText(
        platform::ToScreenText(session_.files->TranslateText(data::TextKey("Start ny"))));
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
        random_ = MakeRandomBelow();
    const auto probe =
        ProbeWebText(session_.values, *session_.platform.web, session_.platform.messages, random_);
    if (!probe)
        return;
    startScreen_->setFirstInfoText(probe->pageText);
    const std::string text =
        admin::DebugInfoWithProbe(platform::FromScreenText(lblDebugInfo_->text()), probe->wordLine);
    lblDebugInfo_->setText(platform::ToScreenText(text));
    admin::WriteTestFile(*session_.files, text, session_.platform.messages);
}

void MainWindow::chooseLanguage(const QString& code) {
    session_.values.language = code.toStdString();
    session_.files->setLanguage(session_.values.language);
    session_.platform.settings.save(kApp, kSection, "Language", session_.values.language);
    wizard_->ResetValvePage();
    HideAll();
    LayoutStartScreen();
}

} // namespace tv::app
