#include "admin/DebugMode.h"

#include "data/StartupValues.h"

namespace tv::admin {

DebugModeView DebugModeCaptions(bool debugMode, const data::DataFiles& files) {
    if (debugMode)
        return {"Normal", files.ReadLangText(data::SectionKey("SetDebugModeInfo"))};
    return {"Debug mode", files.ReadLangText(data::SectionKey("SetNormalModeInfo"))};
}

std::string ToggleDebugMode(bool& debugMode, platform::SettingsStore& settings,
                            const data::DataFiles& files, platform::MessageBoxes& messages) {
    debugMode = !debugMode;
    if (!settings.save(data::kSettingsApp, data::kSettingsSection, "BrivoMode",
                       debugMode ? "2" : "1"))
        messages.inform("The setting BrivoMode could not be saved; the mode holds for this "
                        "run only.");
    return files.ReadLangText(data::SectionKey(debugMode ? "DebugModeInfo" : "NormalModeInfo"));
}

std::string DebugInfoWithProbe(const std::string& labelText, const std::string& wordLine) {
    return labelText + "\r\nDra til " + wordLine;
}

std::optional<std::filesystem::path> WriteTestFile(const data::DataFiles& files,
                                                   const std::string& text,
                                                   platform::MessageBoxes& messages) {
    return data::WriteDataDirectoryFile(files, "Test.txt", text + "\r\n", "Test.txt", messages);
}

} // namespace tv::admin
