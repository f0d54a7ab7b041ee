#pragma once

#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "platform/System.h"

namespace tv::platform {

// The services of the machine that the logic uses, handed around together.
struct Platform {
    SettingsStore& settings;
    MessageBoxes& messages;
    System& system;
};

} // namespace tv::platform
