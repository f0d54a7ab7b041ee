#pragma once

#include "admin/ArticleEditor.h"
#include "admin/EditScreenLayout.h"
#include "platform/FileSystem.h"
#include "gui/window/Session.h"
#include "gui/window/Widgets.h"

#include <array>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tv::admin {

// The record editor of the administration screen: a frame over the data
// frame with the record's key, ten boxes for its fields, cancel and save.
// It is laid out from "¤EDITSCREEN" each time it opens, and writes the
// article file only through the editor's save.
class EditorScreen : public window::PressFrame {
    Q_OBJECT
public:
    EditorScreen(QWidget* window, window::Session& session);

    // Opens the editor on the record with the key, as it stands in the
    // article file now. Says so and stays closed when the section or the
    // record is missing.
    void OpenExisting(const std::string& key);
    // Opens the editor on a new record of the kind, its boxes holding what
    // a new record starts with.
    void OpenNew(std::string_view kind);

    // Hides the editor and forgets any change.
    void Close();

    bool modified() const { return modified_; }

Q_SIGNALS:
    // The editor was closed by the user (cancel, save or a press on its
    // background), so the screen can take the keyboard back.
    void closed();
    // The record of the key was saved.
    void saved(const std::string& key);

private:
    // Lays out the frame; false (said) when the section is missing.
    bool layOut();
    void fill(const RecordFields& fields);
    void setModified(bool modified);
    void checkKey();
    void boxEdited();
    void save();
    void cancel();
    // Escape: cancel, but changes are only thrown away when the user says so.
    void escape();
    void backgroundPressed(Qt::MouseButton button);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

    window::Session& session_;
    platform::PosixFileSystem disk_;
    EditScreenLayout layout_;
    QLabel* keyCaption_;
    QLineEdit* keyBox_;
    std::array<QLineEdit*, kEditBoxes> boxes_;
    std::array<QLabel*, kEditBoxes> captions_;
    QPushButton* cancel_;
    QPushButton* save_;

    std::string currentKey_;
    std::string requiredKind_; // empty while an existing record is edited
    // The record's text when it was opened: a save finds out whether
    // someone else saved it meanwhile.
    std::optional<std::string> openedText_;
    bool modified_ = false;
};

} // namespace tv::admin
