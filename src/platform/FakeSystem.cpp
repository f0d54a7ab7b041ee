#include "platform/FakeSystem.h"

#include <cstdio>

namespace tv::platform {

std::optional<int> FakeSystem::pictureWidthPixels(const std::filesystem::path& file) const {
    const auto it = pictureWidths.find(file);
    if (it == pictureWidths.end())
        return std::nullopt;
    return it->second;
}

std::string FakeSystem::formatDateTime(const LocalDateTime& when) const {
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", when.day, when.month,
                  when.year, when.hour, when.minute, when.second);
    return text;
}

std::optional<LocalDateTime> FakeSystem::fileModified(const std::filesystem::path& file) const {
    const auto it = modified.find(file);
    if (it != modified.end())
        return it->second;
    return FileModifiedLocal(file);
}

} // namespace tv::platform
