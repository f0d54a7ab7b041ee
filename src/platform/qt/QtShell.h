#pragma once

#include "platform/Shell.h"

#include <QUrl>

namespace tv::platform {

// Opens through QDesktopServices. Needs a QGuiApplication.
class QtShell final : public Shell {
public:
    bool open(std::string_view target) override;
};

// The address QtShell hands on: a target with a scheme ("https:",
// "mailto:", "file:") as the address it is; anything else, a drive letter
// ("C:/...") included, as a local file path. Empty for an empty target.
QUrl ShellUrl(std::string_view target);

} // namespace tv::platform
