#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv::platform {

// The desktop's "open": a web address goes to the default browser, a file to
// the program that handles its kind. The target is Windows-1252 bytes.
class Shell {
public:
    virtual ~Shell() = default;

    // True when the desktop took the target. Callers do not act on a
    // refusal: a missing browser must not disturb the screen the user is on.
    virtual bool open(std::string_view target) = 0;
};

// Test double: records every target in order and answers with `result`.
class RecordingShell final : public Shell {
public:
    bool open(std::string_view target) override;

    std::vector<std::string> opened;
    bool result = true;
};

} // namespace tv::platform
