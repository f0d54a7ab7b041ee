#pragma once

#include "data/StartupValues.h"
#include "platform/Platform.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tv::app {

inline constexpr const char* kApp = data::kSettingsApp;
inline constexpr const char* kSection = data::kSettingsSection;
using data::StartupValues;

struct StartupOutcome {
    bool ok = false;
    std::string failure; // the message that ends the program when !ok
    StartupValues values;
};

inline constexpr const char* kDefaultVersionUrl =
    "https://www.kelmor.example/tessaro/tessaroversion.htm";
inline constexpr char kSeparator = '/';

// Start-up's checks and values, in their fixed order. The version check
// runs only in debug mode when the system is online; it may clear online.
// A failed installation check returns its message; nothing after it runs.
StartupOutcome RunStartup(platform::Platform& platform,
                          const std::function<void(StartupValues&)>& versionCheck = {});

// Start-up as the window runs it, the version check included; a failure is
// said to the user and gives nothing.
std::optional<StartupValues> StartWindowRun(platform::Platform& platform);

// The Julian Date of a local date and time less two hours.
double CalcJdDate(const platform::LocalDateTime& when);

// The day number of a local date and time: the Julian Day Number of its
// date from 02:00 on, of the date before until then.
std::int32_t DayNumber(const platform::LocalDateTime& when);

} // namespace tv::app
