#pragma once

#include "platform/FileSystem.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tv::data {

// Who orders: asked for at every start, kept in personal.ini beside the
// program file, printed in the order report.
struct CustomerDetails {
    std::string customer;
    std::string company;
    std::string invoiceAddress;
    std::string deliveryAddress;

    // OK accepts the details only when no field is empty (blanks count).
    bool complete() const;
};

// The ini operations (Windows-1252 texts, at most 254 characters a value).
std::string ReadIni(const std::filesystem::path& file, std::string_view section,
                    std::string_view key);
platform::WriteResult WriteIni(const std::filesystem::path& file, std::string_view section,
                               std::string_view key, std::string_view value);
std::string ReadIniSection(const std::filesystem::path& file, std::string_view section);
platform::WriteResult WriteIniSection(const std::filesystem::path& file, std::string_view section,
                                      std::string_view value);

// programDirectory + "personal.ini"; when the program's directory cannot be
// written (a program installed for all users), personal.ini beside the
// user's settings file instead.
std::filesystem::path PersonalIniPath(const std::filesystem::path& programDirectory);

CustomerDetails ReadCustomerDetails(const std::filesystem::path& personalIni);

// Writes the four keys in the order Customer, Company, InvoiceAddress,
// DeliveryAddress, each through the safe write. A file that cannot be
// written stays as it was; the result carries the first reason (or, when
// all were written, the first note).
platform::WriteResult WriteCustomerDetails(const std::filesystem::path& personalIni,
                                           const CustomerDetails& details);

} // namespace tv::data
