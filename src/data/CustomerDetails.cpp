#include "data/CustomerDetails.h"

#include "platform/IniFile.h"

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

void WriteIni(const std::filesystem::path& file, std::string_view section, std::string_view key,
              std::string_view value) {
    platform::WritePrivateProfileString(section, key, value, file);
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
    return programDirectory / "personal.ini";
}

CustomerDetails ReadCustomerDetails(const std::filesystem::path& personalIni) {
    return CustomerDetails{
        ReadIni(personalIni, kPersonal, "Customer"),
        ReadIni(personalIni, kPersonal, "Company"),
        ReadIni(personalIni, kPersonal, "InvoiceAddress"),
        ReadIni(personalIni, kPersonal, "DeliveryAddress"),
    };
}

void WriteCustomerDetails(const std::filesystem::path& personalIni,
                          const CustomerDetails& details) {
    WriteIni(personalIni, kPersonal, "Customer", details.customer);
    WriteIni(personalIni, kPersonal, "Company", details.company);
    WriteIni(personalIni, kPersonal, "InvoiceAddress", details.invoiceAddress);
    WriteIni(personalIni, kPersonal, "DeliveryAddress", details.deliveryAddress);
}

} // namespace tv::data
