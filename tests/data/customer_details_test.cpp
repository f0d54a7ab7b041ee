#include "data/CustomerDetails.h"
#include "platform/SettingsStore.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tv::data {
namespace {

using test::Cp;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(CustomerDetailsTest, FirstStartReadsEmptyAndOkCreatesTheFile) {
    TempDir dir;
    const auto ini = PersonalIniPath(dir.path());
    const auto empty = ReadCustomerDetails(ini);
    EXPECT_EQ(empty.customer, "");
    EXPECT_EQ(empty.deliveryAddress, "");
    EXPECT_FALSE(empty.complete());

    const CustomerDetails details{Cp("Ås Rørlegger"), "AS Vann", "Postboks 1, 0101 Oslo",
                                  "Kaiveien 2"};
    WriteCustomerDetails(ini, details);
    EXPECT_EQ(ReadBytes(ini), Cp("[Personal]\r\nCustomer=Ås Rørlegger\r\nCompany=AS Vann\r\n"
                                 "InvoiceAddress=Postboks 1, 0101 Oslo\r\n"
                                 "DeliveryAddress=Kaiveien 2\r\n"));
    const auto back = ReadCustomerDetails(ini);
    EXPECT_EQ(back.customer, details.customer);
    EXPECT_EQ(back.company, details.company);
    EXPECT_EQ(back.invoiceAddress, details.invoiceAddress);
    EXPECT_EQ(back.deliveryAddress, details.deliveryAddress);
}

TEST(CustomerDetailsTest, ValuesComeBackCutTo254Characters) {
    TempDir dir;
    const auto ini = PersonalIniPath(dir.path());
    test::WriteBytes(ini, "[Personal]\r\nCustomer=" + std::string(300, 'k') + "\r\n");
    EXPECT_EQ(ReadCustomerDetails(ini).customer, std::string(254, 'k'));
}

TEST(CustomerDetailsTest, BlanksCountAsFilledIn) {
    EXPECT_TRUE((CustomerDetails{" ", " ", " ", " "}.complete()));
    EXPECT_FALSE((CustomerDetails{"a", "b", "c", ""}.complete()));
}

TEST(CustomerDetailsTest, SectionOperationsRoundTrip) {
    TempDir dir;
    const auto ini = dir / "other.ini";
    WriteIniSection(ini, "Personal", std::string("Customer=A\0Company=B\0", 21));
    EXPECT_EQ(ReadIni(ini, "Personal", "Company"), "B");
    EXPECT_EQ(ReadIniSection(ini, "Personal"), std::string("Customer=A\0Company=B\0", 21));
    EXPECT_EQ(ReadIniSection(ini, "Missing"), "");
}

TEST(CustomerDetailsTest, SystemDirectoriesAreTheTopsOfInstalledSoftware) {
    const struct {
        const char* directory;
        bool system;
        const char* why;
    } rows[] = {
        {"/usr/bin", true, "where the package puts the program"},
        {"/usr/local/bin", true, "installed by hand for all users"},
        {"/opt/tessaro/bin", true, "an add-on package of its own"},
        {"/usr", true, "the top itself"},
        {"/bin/../home/kari/tessaro", false, "judged by the directory it names"},
        {"/home/kari/tessaro", false, "a portable installation"},
        {"/usrlocal/bin", false, "a name that only begins like a top"},
        {"/", false, "the root is not one of them"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsSystemDirectory(row.directory), row.system) << row.directory << ": " << row.why;
}

TEST(CustomerDetailsTest, OnlyAPortableProgramKeepsThemBesideItself) {
    TempDir portable;
    const std::filesystem::path user =
        platform::FileSettingsStore::defaultPath().parent_path() / "personal.ini";
    const struct {
        std::filesystem::path directory;
        std::filesystem::path expected;
        const char* why;
    } rows[] = {
        {portable.path(), portable / "personal.ini", "unpacked where the user may write"},
        {portable / "not-there", user, "a directory that cannot be written"},
        // Run as root (as CI runs), /usr/bin can be written: only its being
        // a system directory keeps a file there that no package owns.
        {"/usr/bin", user, "installed by the package, root or not"},
        {"/usr/local/bin", user, "installed by hand for all users, root or not"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PersonalIniPath(row.directory), row.expected) << row.directory << ": " << row.why;
}

TEST(CustomerDetailsTest, AFileThatCannotBeWrittenIsToldToTheCaller) {
    TempDir dir;
    // A runaway file is not read and never rewritten.
    const std::string huge = "[Personal]\r\nCustomer=Kari\r\n" + std::string(2 << 20, 'x');
    WriteBytes(dir / "big.ini", huge);
    EXPECT_EQ(ReadCustomerDetails(dir / "big.ini").customer, "");
    const platform::WriteResult refused =
        WriteCustomerDetails(dir / "big.ini", CustomerDetails{"a", "b", "c", "d"});
    EXPECT_NE(refused.reason.find("larger than 1 MiB"), std::string::npos) << refused.reason;
    EXPECT_EQ(ReadBytes(dir / "big.ini"), huge);

    std::filesystem::create_directory(dir / "personal.ini");
    EXPECT_FALSE(WriteCustomerDetails(dir / "personal.ini", CustomerDetails{"a", "b", "c", "d"}))
        << "a failed write is told to the caller";
}

} // namespace
} // namespace tv::data
