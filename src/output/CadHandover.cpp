#include "output/CadHandover.h"

#include "data/StartupValues.h"
#include "platform/FileBytes.h"

#include <array>
#include <string_view>

namespace tv::output {

std::optional<std::string> FindCadWindow(const std::vector<std::string>& titlesTopmostFirst) {
    static constexpr std::array<std::string_view, 3> kPassedOver = {"TODAY", "STARTUP", "HELP"};
    for (const std::string& title : titlesTopmostFirst) {
        if (title.empty())
            continue;
        const std::string upper = platform::UpperCase(title);
        if (upper.find("AUTOCAD") == std::string::npos)
            continue;
        bool passedOver = false;
        for (std::string_view word : kPassedOver)
            passedOver = passedOver || upper.find(word) != std::string::npos;
        if (!passedOver)
            return title;
    }
    return std::nullopt;
}

bool HandOver(const platform::WindowSearch& windows, platform::SettingsStore& settings,
              platform::MessageBoxes& messages) {
    if (!FindCadWindow(windows.topLevelTitles())) {
        messages.inform(kCadNotRunning);
        return false;
    }
    settings.save(data::kSettingsApp, data::kSettingsSection, "BrivoDone", "1");
    return true;
}

} // namespace tv::output
