#pragma once

#include "data/TextFile.h"
#include "platform/System.h"

#include <cstdint>
#include <string>

namespace tv::data {

// The program-wide values that start-up determines. Directories are texts
// (Windows-1252) that always end in the path separator.
struct StartupValues {
    std::string userName;
    std::string installDirectory;
    std::string dataDirectory;   // installation directory + "Tessaro/"
    std::string reportDirectory; // installation directory + "TeHtml/"
    std::string language = "NO"; // as start-up chose it; the data files are opened in it
    std::int16_t programMode = 0;
    bool debugMode = false;
    bool online = false;
    std::string missingText = "Mangler";
    std::string versionUrl;
    std::string versionFile;
    std::string displaySize; // "1920x1080"
    bool compactScreen = true;
    std::int32_t referenceWidth = 33333; // hundredths of a millimetre
    std::string pictureSuffix = "_33";
    bool standardResolution = true;
    platform::LocalDateTime start;
    std::int32_t dayNumber = 0;
};

// Where the program keeps its settings in the settings store.
inline constexpr const char* kSettingsApp = "Brivo";
inline constexpr const char* kSettingsSection = "Startup";

// A settings text read as a number: its leading number, 0 when it has none.
inline double SettingNumber(const std::string& text) {
    return LeadingNumber(text);
}

} // namespace tv::data
