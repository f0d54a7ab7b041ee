#include "platform/Shell.h"

namespace tv::platform {

bool RecordingShell::open(std::string_view target) {
    opened.emplace_back(target);
    return result;
}

} // namespace tv::platform
