#include "gui/admin/AdminScreen.h"

#include "admin/ArticleEditor.h"
#include "admin/DataCheck.h"
#include "admin/DebugMode.h"
#include "gui/admin/EditorScreen.h"
#include "admin/MenuCheck.h"
#include "platform/qt/QtText.h"
#include "gui/window/Widgets.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace tv::admin {

namespace {

using window::Screen;

// The menu check button stands at the exit button's height, this far from
// the window's left edge; "Menykontroll" needs a little more than the
// usual button width.
constexpr int kMenuCheckLeft = 2000;
constexpr int kMenuCheckWidth = 1500;
// The data check button stands beside it.
constexpr int kDataCheckGap = 150;

constexpr const char* kNoRecordsListed = "Ingen data valgt";

// The record kind a data button lists; data button 5 makes a new record
// instead and lists nothing.
std::string_view KindOfDataButton(int k) {
    if (k < 5)
        return kRecordKinds[k - 1];
    return kRecordKinds[k - 2];
}

// Each entry keeps the key's own bytes beside the text it shows.
constexpr int kKeyRole = Qt::UserRole;

} // namespace

AdminScreen::AdminScreen(QWidget* window, window::Session& session, QPushButton* exitButton)
    : QObject(window), session_(session), exit_(exitButton),
      optionDefaults_(session.platform.settings, *session.files, session.platform.messages) {
    using window::MakeControl;
    settingsFrame_ = MakeControl<QGroupBox>(window, "frmProgramSettings");
    dataFrame_ = MakeControl<QGroupBox>(window, "frmDataAdmin");
    debugButton_ = MakeControl<QPushButton>(window, "cmdDebugMode");
    debugLabel_ = MakeControl<QLabel>(window, "lblDebugMode");
    debugLabel_->setWordWrap(true);
    debugLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(debugButton_, &QPushButton::clicked, this, &AdminScreen::toggleDebugMode);

    for (std::size_t row = 0; row < optionRows_.size(); ++row) {
        const std::string name = kOptionDefaultRows[row].name;
        auto& controls = optionRows_[row];
        controls.first = MakeControl<QPushButton>(window, ("cmd" + name + "Default1").c_str());
        controls.second = MakeControl<QPushButton>(window, ("cmd" + name + "Default2").c_str());
        controls.label = MakeControl<QLabel>(window, ("lbl" + name + "Default").c_str());
        controls.label->setWordWrap(true);
        controls.label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        const int index = static_cast<int>(row);
        connect(controls.first, &QPushButton::clicked, this, [this, index] {
            optionDefaults_.PressFirst(index);
            showOptionRow(index);
        });
        connect(controls.second, &QPushButton::clicked, this, [this, index] {
            optionDefaults_.PressSecond(index);
            showOptionRow(index);
        });
    }

    for (int k = 1; k <= kDataButtons; ++k)
        dataButtons_[k - 1] =
            MakeControl<QPushButton>(window, ("cmdData" + std::to_string(k)).c_str());
    recordStatus_ = MakeControl<QLabel>(window, "lblRecordStatus");
    recordList_ = MakeControl<window::PressList>(window, "lstRecords");
    for (int k = 1; k <= kDataButtons; ++k) {
        if (k == 5) {
            connect(dataButtons_[k - 1], &QPushButton::clicked, this, &AdminScreen::newRecord);
            continue;
        }
        const std::string_view kind = KindOfDataButton(k);
        connect(dataButtons_[k - 1], &QPushButton::clicked, this,
                [this, kind] { listRecords(kind); });
    }
    // A left click opens the record, as does Enter (and a double click,
    // whose second half the editor standing over the list ignores); the
    // other buttons choose nothing.
    connect(recordList_, &window::PressList::pressedRow, this,
            [this](Qt::MouseButton button, int row) {
                if (button == Qt::LeftButton && row >= 0)
                    openRecord(recordList_->item(row));
            });
    // Created after the list, so that it stands over it.
    editor_ = new EditorScreen(window, session);
    connect(editor_, &EditorScreen::closed, this, &AdminScreen::editorClosed);
    connect(editor_, &EditorScreen::saved, this,
            [this](const std::string& key) { showStatus("Lagret: " + key); });
    menuCheck_ = MakeControl<QPushButton>(window, "cmdMenuCheck");
    menuCheck_->setText("Menykontroll");
    connect(menuCheck_, &QPushButton::clicked, this, &AdminScreen::runMenuCheck);
    dataCheck_ = MakeControl<QPushButton>(window, "cmdDataCheck");
    dataCheck_->setText("Datakontroll");
    connect(dataCheck_, &QPushButton::clicked, this, &AdminScreen::runDataCheck);
    status_ = MakeControl<window::WrapLabel>(window, "lblAdminStatus");
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

AdminScreen::~AdminScreen() = default;

void AdminScreen::hideAll() {
    for (QWidget* control : std::initializer_list<QWidget*>{
             settingsFrame_, dataFrame_, debugButton_, debugLabel_, recordStatus_, recordList_,
             menuCheck_, dataCheck_, status_})
        control->hide();
    editor_->Close();
    for (const auto& controls : optionRows_) {
        controls.first->hide();
        controls.second->hide();
        controls.label->hide();
    }
    for (auto* button : dataButtons_)
        button->hide();
}

void AdminScreen::Layout() {
    const auto layout = ReadAdminScreenLayout(*session_.files);
    if (!layout)
        return;

    placeSettings(*layout);
    placeDataButtons(*layout);
    placeChecks();
}

void AdminScreen::placeSettings(const AdminScreenLayout& layout) {
    settingsFrame_->setGeometry(session_.px(layout.settingsFrame));
    settingsFrame_->setTitle(Screen(layout.settingsCaption));
    dataFrame_->setGeometry(session_.px(layout.dataFrame));
    dataFrame_->setTitle(Screen(layout.dataCaption));
    // The frames stand behind the controls laid out over them.
    for (auto* frame : {settingsFrame_, dataFrame_}) {
        frame->lower();
        frame->show();
    }

    const auto debug = DebugModeCaptions(session_.values.debugMode, *session_.files);
    debugButton_->setGeometry(session_.px(layout.debugButton));
    debugButton_->setText(Screen(debug.buttonCaption));
    debugButton_->setEnabled(true);
    debugButton_->show();
    debugLabel_->setGeometry(session_.px(layout.debugLabel));
    debugLabel_->setText(Screen(debug.labelText));
    debugLabel_->show();

    optionDefaults_.RefreshAll();
    for (std::size_t row = 0; row < optionRows_.size(); ++row) {
        const auto& place = layout.optionRows[row];
        const auto& controls = optionRows_[row];
        controls.first->setGeometry(session_.px(place.first()));
        controls.second->setGeometry(session_.px(place.second()));
        labelPlaces_[row] = session_.px(place.label());
        showOptionRow(static_cast<int>(row));
        controls.first->show();
        controls.second->show();
        controls.label->show();
    }
}

void AdminScreen::placeDataButtons(const AdminScreenLayout& layout) {
    for (int k = 1; k <= kDataButtons; ++k) {
        QPushButton* button = dataButton(k);
        button->setGeometry(session_.px(layout.dataButton(k)));
        button->setText(Screen(layout.dataCaptions[k - 1]));
        button->setVisible(k <= kVisibleDataButtons);
    }
    recordStatus_->setGeometry(session_.px(layout.recordStatus()));
    recordStatus_->setText(kNoRecordsListed);
    recordStatus_->show();
    recordList_->setGeometry(session_.px(layout.recordList));
    recordList_->show();
}

// The checks stand in the button row, their status beside them.
void AdminScreen::placeChecks() {
    menuCheck_->setGeometry(session_.px(kMenuCheckLeft), exit_->y(), session_.px(kMenuCheckWidth),
                            session_.px(window::kButtonHeight));
    menuCheck_->setEnabled(true);
    menuCheck_->show();
    dataCheck_->setGeometry(menuCheck_->geometry().right() + 1 + session_.px(kDataCheckGap),
                            exit_->y(), session_.px(kMenuCheckWidth),
                            session_.px(window::kButtonHeight));
    dataCheck_->setEnabled(true);
    dataCheck_->show();
    // What the last save or check did, beside the button row, to the
    // window's right edge less the margin the screen keeps on its left.
    const int statusLeft = dataCheck_->geometry().right() + session_.px(200);
    statusPlace_ = QRect(statusLeft, exit_->y(), page()->width() - statusLeft - session_.px(200),
                         exit_->height());
    status_->clear();
}

QWidget* AdminScreen::page() const {
    return exit_->parentWidget();
}

void AdminScreen::showStatus(const std::string& cp1252) {
    status_->setText(Screen(cp1252));
    window::PlaceFitting(status_, statusPlace_);
    status_->show();
}

void AdminScreen::toggleDebugMode() {
    debugButton_->setEnabled(false);
    debugLabel_->setText(
        Screen(ToggleDebugMode(session_.values.debugMode, session_.platform.settings,
                               *session_.files, session_.platform.messages)));
    Q_EMIT debugModeChanged();
}

void AdminScreen::showOptionRow(int row) {
    const OptionRowView& view = optionDefaults_.rows[row];
    const auto& controls = optionRows_[row];
    controls.first->setText(Screen(view.firstCaption));
    controls.first->setEnabled(view.firstEnabled);
    controls.second->setText(Screen(view.secondCaption));
    controls.label->setText(Screen(view.labelText));
    window::PlaceFitting(controls.label, labelPlaces_[static_cast<std::size_t>(row)]);
}

void AdminScreen::runMenuCheck() {
    menuCheck_->setEnabled(false);
    if (const auto written = WriteMenuCheck(*session_.files, session_.platform.messages)) {
        menuCheck_->hide();
        showStatus(data::PathText(*written));
        return;
    }
    // Nothing was written: the user may put it right and try again.
    menuCheck_->setEnabled(true);
}

// The check reads every list and record once; on a large installation that
// takes a while, which the status line and the cursor say meanwhile.
void AdminScreen::runDataCheck() {
    dataCheck_->setEnabled(false);
    showStatus("Datakontroll kj\xF8rer \x85");
    status_->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const DataCheckResult result = CheckData(*session_.files);
    const auto written = WriteDataCheck(*session_.files, result, session_.platform.messages);
    QApplication::restoreOverrideCursor();
    if (written)
        showStatus(DataCheckSummary(result) + ": " + data::PathText(*written));
    else
        status_->clear();
    dataCheck_->setEnabled(true);
}

void AdminScreen::listRecords(std::string_view kind) {
    editor_->Close();
    recordList_->clear();
    const auto listing = ListRecords(*session_.files, kind, session_.platform.messages);
    if (!listing) {
        // The article file could not be read (said): nothing is listed.
        recordStatus_->setText(kNoRecordsListed);
        return;
    }
    for (const std::string& key : listing->keys) {
        auto* entry = new QListWidgetItem(Screen(key), recordList_);
        entry->setData(kKeyRole, QByteArray::fromStdString(key));
    }
    recordStatus_->setText(Screen(listing->status()));
    if (recordList_->count() > 0)
        recordList_->setCurrentRow(0);
    recordList_->setFocus();
}

void AdminScreen::openRecord(const QListWidgetItem* entry) {
    if (!entry)
        return;
    editor_->OpenExisting(entry->data(kKeyRole).toByteArray().toStdString());
}

void AdminScreen::newRecord() {
    recordStatus_->clear();
    recordList_->clear();
    editor_->OpenNew(kNewRecordKind);
}

// Back to where the editor was opened from: the list, or the new-record
// button when nothing is listed.
void AdminScreen::editorClosed() {
    if (recordList_->isVisible() && recordList_->count() > 0) {
        recordList_->setFocus();
        return;
    }
    if (dataButton(5)->isVisible())
        dataButton(5)->setFocus();
}

} // namespace tv::admin
