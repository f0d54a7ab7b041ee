#pragma once

#include "platform/FileSystem.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tv::data {

// Who orders: asked for at every start, kept in personal.ini (see
// PersonalIniPath), printed in the order report.
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

// Whether an absolute directory lies under /usr, /bin, /sbin, /lib,
// /lib32, /lib64, /libx32 or /opt, where software is installed for all users.
bool IsSystemDirectory(const std::filesystem::path& directory);

// programDirectory + "personal.ini" for a program unpacked where the user
// may write (a portable installation); personal.ini beside the user's
// settings file when the program's directory is a system directory or
// cannot be written, whoever runs it, root too.
std::filesystem::path PersonalIniPath(const std::filesystem::path& programDirectory);

CustomerDetails ReadCustomerDetails(const std::filesystem::path& personalIni);

// Writes the four keys in the order Customer, Company, InvoiceAddress,
// DeliveryAddress, each through the safe write. A file that cannot be
// written stays as it was; the result carries the first reason (or, when
// all were written, the first note).
platform::WriteResult WriteCustomerDetails(const std::filesystem::path& personalIni,
                                           const CustomerDetails& details);

} // namespace tv::data
