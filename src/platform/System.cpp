#include "platform/System.h"

#include "platform/Cp1252.h"

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace tv::platform {

double PictureWidthHimetric(int pixels, double pixelsPerInch) {
    // A display that reports no resolution is taken as a standard one.
    if (pixelsPerInch <= 0)
        pixelsPerInch = 96.0;
    return pixels * 2540.0 / pixelsPerInch;
}

namespace {

std::string NameFromUserDatabase() {
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
    passwd entry{};
    passwd* result = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &result) != 0 || !result)
        return {};
    return result->pw_name ? result->pw_name : "";
}

} // namespace

std::string PosixUserName() {
    std::string utf8 = NameFromUserDatabase();
    if (utf8.empty()) {
        const char* user = std::getenv("USER");
        utf8 = user ? user : "";
    }
    // The name is kept in a buffer of 25 characters, NUL included; a longer
    // name does not fit and gives no name at all.
    std::string name = Utf8ToCp1252(utf8);
    return name.size() > 24 ? std::string() : name;
}

std::optional<LocalDateTime> FileModifiedLocal(const std::filesystem::path& file) {
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(file, ec);
    if (ec)
        return std::nullopt;
    const auto system = std::chrono::file_clock::to_sys(written);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
    std::tm local{};
    if (!::localtime_r(&seconds, &local))
        return std::nullopt;
    return LocalDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                         local.tm_hour,        local.tm_min,     local.tm_sec};
}

} // namespace tv::platform
