#include "data/CustomerDetails.h"

#include "platform/IniFile.h"
#include "platform/SettingsStore.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <iterator>

namespace tv::data {

namespace {
constexpr std::string_view kPersonal = "Personal";
constexpr std::size_t kIniBuffer = 255;

std::filesystem::path UserPersonalIniPath() {
    return platform::FileSettingsStore::defaultPath().parent_path() / "personal.ini";
}
} // namespace

bool CustomerDetails::complete() const {
    return !customer.empty() && !company.empty() && !invoiceAddress.empty() &&
           !deliveryAddress.empty();
}

std::string ReadIni(const std::filesystem::path& file, std::string_view section,
                    std::string_view key) {
    return platform::GetPrivateProfileString(section, key, "", file, kIniBuffer);
}

platform::WriteResult WriteIni(const std::filesystem::path& file, std::string_view section,
                               std::string_view key, std::string_view value) {
    return platform::WritePrivateProfileString(section, key, value, file);
}

std::string ReadIniSection(const std::filesystem::path& file, std::string_view section) {
    // Each line keeps the NUL that ends it; the buffer's closing NUL is not
    // part of the text.
    return platform::GetPrivateProfileSection(section, file, kIniBuffer);
}

platform::WriteResult WriteIniSection(const std::filesystem::path& file, std::string_view section,
                                      std::string_view value) {
    return platform::WritePrivateProfileSection(section, value, file);
}

bool IsSystemDirectory(const std::filesystem::path& directory) {
    // The top directories where software is installed for every user of
    // the machine: what lies there is shared, whoever may write it.
    static constexpr std::array<std::string_view, 8> kSystemTops = {
        "usr", "bin", "sbin", "lib", "lib32", "lib64", "libx32", "opt"};
    const std::filesystem::path normal = directory.lexically_normal();
    if (!normal.is_absolute())
        return false;
    const auto top = std::next(normal.begin());
    return top != normal.end() &&
           std::find(kSystemTops.begin(), kSystemTops.end(), top->native()) != kSystemTops.end();
}

std::filesystem::path PersonalIniPath(const std::filesystem::path& programDirectory) {
    const std::filesystem::path beside = programDirectory / "personal.ini";
    // A program installed for all users keeps each user's details with the
    // user's settings: beside it they would be one file for everybody, and
    // root, who may write there, would leave a file that no package owns.
    if (IsSystemDirectory(programDirectory))
        return UserPersonalIniPath();
    if (::access(beside.c_str(), W_OK) == 0 ||
        (::access(beside.c_str(), F_OK) != 0 && ::access(programDirectory.c_str(), W_OK) == 0))
        return beside;
    return UserPersonalIniPath();
}

CustomerDetails ReadCustomerDetails(const std::filesystem::path& personalIni) {
    return CustomerDetails{
        ReadIni(personalIni, kPersonal, "Customer"),
        ReadIni(personalIni, kPersonal, "Company"),
        ReadIni(personalIni, kPersonal, "InvoiceAddress"),
        ReadIni(personalIni, kPersonal, "DeliveryAddress"),
    };
}

platform::WriteResult WriteCustomerDetails(const std::filesystem::path& personalIni,
                                           const CustomerDetails& details) {
    // The directory beside the user's settings may not exist yet; when it
    // cannot be made, the first write says why.
    std::error_code ignored;
    std::filesystem::create_directories(personalIni.parent_path(), ignored);
    platform::WriteResult result;
    // Every key is tried, as a key that cannot be written does not stop the
    // others; the user hears the first failure.
    for (const auto& [key, value] :
         {std::pair{"Customer", &details.customer}, std::pair{"Company", &details.company},
          std::pair{"InvoiceAddress", &details.invoiceAddress},
          std::pair{"DeliveryAddress", &details.deliveryAddress}}) {
        platform::WriteResult written = WriteIni(personalIni, kPersonal, key, *value);
        if (result && (!written || result.note.empty()))
            result = std::move(written);
    }
    return result;
}

} // namespace tv::data
