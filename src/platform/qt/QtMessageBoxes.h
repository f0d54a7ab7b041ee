#pragma once

#include "platform/MessageBoxes.h"

#include <QString>

namespace tv::platform {

// Modal Qt message boxes over the active window. Each text also goes to
// standard error, as with every message box of the program.
class QtMessageBoxes final : public MessageBoxes {
public:
    void inform(std::string_view text) override;
    bool askYesNo(std::string_view title, std::string_view text) override;
};

// The program's name, the title of every box that has none of its own.
inline constexpr const char* kProgramTitle = "tessaro-vavuvirivado";

// A box text for Qt: Windows-1252 converted, CR LF and lone CR turned into
// the "\n" a QMessageBox breaks lines at.
QString BoxText(std::string_view cp1252);

} // namespace tv::platform
