#pragma once

// Small helpers the wizard's source files share (one file per page).

#include "data/DataFiles.h"
#include "gui/window/Widgets.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtPictures.h"
#include "wizard/ChoiceLine.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>

#include <filesystem>
#include <string>
#include <vector>

namespace tv::wizard {

using window::Screen;

// The lines of a choice list as list entries. A line without a code letter
// (shorter than 20 characters) is shown greyed out: it names nothing the
// code could hold.
inline void AddChoices(QListWidget* list, const std::vector<ChoiceLine>& lines) {
    for (const auto& line : lines) {
        auto* item = new QListWidgetItem(Screen(line.description), list);
        if (line.letter.empty())
            item->setFlags(Qt::NoItemFlags);
    }
}

// The line a press chose, or none for a press beside the entries or on an
// unavailable one.
inline const ChoiceLine* Chosen(const std::vector<ChoiceLine>& lines, int row) {
    if (row < 0 || row >= static_cast<int>(lines.size()) || lines[row].letter.empty())
        return nullptr;
    return &lines[row];
}

inline void ShowPicture(QLabel* label, const std::filesystem::path& path) {
    label->setPixmap(platform::ReadPixmap(path));
}

} // namespace tv::wizard
