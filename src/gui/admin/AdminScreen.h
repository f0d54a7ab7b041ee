#pragma once

#include "admin/AdminScreenLayout.h"
#include "admin/OptionDefaults.h"
#include "gui/window/Session.h"
#include "gui/window/Widgets.h"

#include <QObject>
#include <QRect>

#include <array>
#include <memory>
#include <string>
#include <string_view>

class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QWidget;

namespace tv::admin {

class EditorScreen;

// The administration screen: debug mode, the four option defaults, the
// data buttons of the article editor and the menu check, laid out from
// "¤ADMINSCREEN" each time it is opened.
class AdminScreen : public QObject {
    Q_OBJECT
public:
    AdminScreen(QWidget* window, window::Session& session, QPushButton* exitButton);
    ~AdminScreen() override;

    // Lays the screen out and shows it. Without the section nothing
    // happens: the window stays as it was cleared.
    void Layout();

    void hideAll();

    QPushButton* dataButton(int k) const { return dataButtons_[k - 1]; }
    QLabel* recordStatus() const { return recordStatus_; }
    QListWidget* recordList() const { return recordList_; }
    EditorScreen* editor() const { return editor_; }

Q_SIGNALS:
    // Debug mode was switched: what the window shows of it is out of date.
    void debugModeChanged();

private:
    void placeSettings(const AdminScreenLayout& layout);
    void placeDataButtons(const AdminScreenLayout& layout);
    void placeChecks();
    void toggleDebugMode();
    void showOptionRow(int row);
    void runMenuCheck();
    void runDataCheck();
    void listRecords(std::string_view kind);
    void openRecord(const QListWidgetItem* entry);
    void newRecord();
    void editorClosed();
    // What a save or the menu check did, on the status label.
    void showStatus(const std::string& cp1252);
    QWidget* page() const;

    window::Session& session_;
    QPushButton* exit_;
    OptionDefaults optionDefaults_;
    QGroupBox* settingsFrame_;
    QGroupBox* dataFrame_;
    QPushButton* debugButton_;
    QLabel* debugLabel_;
    struct OptionRowControls {
        QPushButton* first;
        QPushButton* second;
        QLabel* label;
    };
    std::array<OptionRowControls, 4> optionRows_;
    std::array<QRect, 4> labelPlaces_; // of the option rows' labels, as laid out
    std::array<QPushButton*, kDataButtons> dataButtons_;
    QLabel* recordStatus_;
    window::PressList* recordList_;
    QPushButton* menuCheck_;
    QPushButton* dataCheck_;
    QLabel* status_; // lblAdminStatus
    QRect statusPlace_;
    EditorScreen* editor_;
};

} // namespace tv::admin
