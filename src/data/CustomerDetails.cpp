#include "data/CustomerDetails.h"

#include "platform/IniFile.h"
#include "platform/SettingsStore.h"

#include <unistd.h>

namespace tv::data {

namespace {
constexpr std::string_view kPersonal = "Personal";
constexpr std::size_t kIniBuffer = 255;
} // namespace

bool CustomerDetails::complete() const {
    return !customer.empty() && !company.empty() && !invoiceAddress.empty() &&
           !deliveryAddress.empty();
}

std::string ReadIni(const std::filesystem::path& file, std::string_view section,
                    std::string_view key) {
    return platform::GetPrivateProfileString(section, key, "", file, kIniBuffer);
}

bool WriteIni(const std::filesystem::path& file, std::string_view section, std::string_view key,
              std::string_view value) {
    return platform::WritePrivateProfileString(section, key, value, file);
}

std::string ReadIniSection(const std::filesystem::path& file, std::string_view section) {
    // Each line keeps the NUL that ends it; the buffer's closing NUL is not
    // part of the text.
    return platform::GetPrivateProfileSection(section, file, kIniBuffer);
}

void WriteIniSection(const std::filesystem::path& file, std::string_view section,
                     std::string_view value) {
    platform::WritePrivateProfileSection(section, value, file);
}

std::filesystem::path PersonalIniPath(const std::filesystem::path& programDirectory) {
    const std::filesystem::path beside = programDirectory / "personal.ini";
    // Where the program cannot write beside itself (installed for all
    // users), each user keeps the details with the program's settings.
    if (::access(beside.c_str(), W_OK) == 0 ||
        (::access(beside.c_str(), F_OK) != 0 && ::access(programDirectory.c_str(), W_OK) == 0))
        return beside;
    return platform::FileSettingsStore::defaultPath().parent_path() / "personal.ini";
}

CustomerDetails ReadCustomerDetails(const std::filesystem::path& personalIni) {
    return CustomerDetails{
        ReadIni(personalIni, kPersonal, "Customer"),
        ReadIni(personalIni, kPersonal, "Company"),
        ReadIni(personalIni, kPersonal, "InvoiceAddress"),
        ReadIni(personalIni, kPersonal, "DeliveryAddress"),
    };
}

bool WriteCustomerDetails(const std::filesystem::path& personalIni,
                          const CustomerDetails& details) {
    std::error_code ignored;
    std::filesystem::create_directories(personalIni.parent_path(), ignored);
    bool written = WriteIni(personalIni, kPersonal, "Customer", details.customer);
    written = WriteIni(personalIni, kPersonal, "Company", details.company) && written;
    written = WriteIni(personalIni, kPersonal, "InvoiceAddress", details.invoiceAddress) && written;
    return WriteIni(personalIni, kPersonal, "DeliveryAddress", details.deliveryAddress) && written;
}

} // namespace tv::data
