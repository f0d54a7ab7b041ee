#pragma once

#include "platform/System.h"

#include <map>

namespace tv::platform {

// Test double of the machine: every answer is a public field.
class FakeSystem final : public System {
public:
    std::string user = "tester";
    std::filesystem::path cwd = ".";
    bool online = false;
    ScreenSize screen{1920, 1080};
    double ppi = 96.0;                                  // physical
    double layoutPpi = 96.0;                            // of the window's coordinates
    std::map<std::filesystem::path, int> pictureWidths; // unknown files cannot be loaded
    LocalDateTime clock{2026, 12, 7, 14, 5, 30};
    std::map<std::filesystem::path, LocalDateTime> modified; // others: from the file system
    std::string decimal = ",";

    std::string userName() const override { return user; }
    std::filesystem::path currentDirectory() const override { return cwd; }
    bool isOnline() const override { return online; }
    ScreenSize screenSize() const override { return screen; }
    double pixelsPerInch() const override { return ppi; }
    double layoutPixelsPerInch() const override { return layoutPpi; }
    std::optional<int> pictureWidthPixels(const std::filesystem::path& file) const override;
    LocalDateTime now() const override { return clock; }
    // "dd.MM.yyyy HH:mm:ss", the Norwegian short date and long time.
    std::string formatDateTime(const LocalDateTime& when) const override;
    std::optional<LocalDateTime> fileModified(const std::filesystem::path& file) const override;
    std::string decimalSeparator() const override { return decimal; }
};

} // namespace tv::platform
