#pragma once

#include "platform/Platform.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tv::app {

// The program-wide values that start-up determines. Directories are texts
// (Windows-1252) that always end in the path separator.
struct StartupValues {
    std::string userName;
    std::string installDirectory;
    std::string dataDirectory;   // installation directory + "Tessaro/"
    std::string reportDirectory; // installation directory + "TeHtml/"
    std::string language = "NO";
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

struct StartupOutcome {
    bool ok = false;
    std::string failure; // the message that ends the program when !ok
    StartupValues values;
};

inline constexpr const char* kApp = "Brivo";
inline constexpr const char* kSection = "Startup";
inline constexpr const char* kDefaultVersionUrl =
    "https://www.kelmor.example/tessaro/tessaroversion.htm";
inline constexpr char kSeparator = '/';

// Start-up's checks and values, in their fixed order. The version check
// runs only in debug mode when the system is online; it may clear online.
// A failed installation check returns its message; nothing after it runs.
StartupOutcome RunStartup(platform::Platform& platform,
                          const std::function<void(StartupValues&)>& versionCheck = {});

// The Julian Date of a local date and time less two hours.
double CalcJdDate(const platform::LocalDateTime& when);

// The day number of a local date and time: the Julian Day Number of its
// date from 02:00 on, of the date before until then.
std::int32_t DayNumber(const platform::LocalDateTime& when);

// A settings text read as a number: its leading number, 0 when it has none.
double SettingNumber(const std::string& text);

} // namespace tv::app
