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

} // namespace tv::platform
