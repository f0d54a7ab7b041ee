#pragma once

#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/WebClient.h"
#include "platform/WindowSearch.h"

namespace tv::platform {

// The services of the machine that the logic uses, handed around together.
struct Platform {
    SettingsStore& settings;
    MessageBoxes& messages;
    System& system;
    // The desktop's "open" and the search for the CAD program's window;
    // only the window uses them.
    Shell* shell = nullptr;
    const WindowSearch* windowSearch = nullptr;
    WebClient* web = nullptr; // the version check and the web text probe; only the window sets it
};

} // namespace tv::platform
