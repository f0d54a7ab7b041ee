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
