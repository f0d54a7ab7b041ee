#pragma once

#include "TestSupport.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

// A maker's installation far larger than the sample: the sample's files with
// many generated article records before the sample's own (so every lookup of
// a sample part has to get past them), about 600 bytes each as a maker's
// records with their comments are. Shared by the tests and the benchmarks.
namespace tv::test {

inline constexpr std::array<const char*, 4> kGeneratedKinds = {"_VHK", "_CPD", "_BRV", "_TK"};

inline std::string GeneratedKey(int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", number);
    return std::string("\xA4") + digits + "_GEN" + kGeneratedKinds[number % kGeneratedKinds.size()];
}

// One record in the article file's layout: key line, title, fields 1 to 12,
// with a comment block; every tenth carries a text key, as records that
// borrow a translated text do.
inline std::string GeneratedRecord(int number) {
    const std::string key = GeneratedKey(number);
    const std::string n = std::to_string(number);
    std::string record = "* ---- generert artikkel " + n +
                         ": denne kommentaren star her som i produsentens egne filer, der\r\n"
                         "* hver post har noen linjer om opphav, endringer og kontroll av malene.\r\n"
                         "* Kontrollert mot tegning " + n + ", revisjon C. Ingen merknader.\r\n";
    record += key + " generert post\r\n" + key.substr(1) + "\r\n";
    for (const std::string& field :
         {"KG" + n, "Generert artikkel nr. " + n + " for store installasjoner",
          std::string(number % 10 == 0 ? "\xA4\xA4Uten tilbeh\xF8r" : "UNUSED"), std::string("0"),
          std::string("0"), std::string("200 mm"), "KEL_GEN_" + n, std::string("10.0 kg"),
          std::string("100,-"), std::string("UNUSED"), std::string("UNUSED"),
          std::string("UNUSED")})
        record += field + "\r\n";
    return record + "EOL\r\n";
}

// Puts `records` generated records before the first record of the article
// file in the data directory. Gives the article file's new size.
inline std::size_t AddGeneratedRecords(const std::filesystem::path& dataDirectory, int records) {
    const std::filesystem::path file = dataDirectory / "Vantordata.dat";
    std::string bytes = ReadBytes(file);
    std::string generated;
    generated.reserve(static_cast<std::size_t>(records) * 640);
    for (int number = 0; number < records; ++number)
        generated += GeneratedRecord(number);
    const std::size_t firstRecord = bytes.find("\r\n\xA4") + 2;
    bytes.insert(firstRecord, generated);
    WriteBytes(file, bytes);
    return bytes.size();
}

// A copy of the sample installation in a fresh directory, with the
// generated records.
class LargeInstallation {
public:
    explicit LargeInstallation(int records, const char* sampleDirectory) {
        std::filesystem::copy(sampleDirectory, install_.path(),
                              std::filesystem::copy_options::recursive);
        articleBytes_ = AddGeneratedRecords(dataDirectory(), records);
    }

    std::filesystem::path installDirectory() const { return install_.path(); }
    std::filesystem::path dataDirectory() const { return install_ / "Tessaro"; }
    std::size_t articleBytes() const { return articleBytes_; }

private:
    TempDir install_;
    std::size_t articleBytes_ = 0;
};

} // namespace tv::test
