// The article editor's save and listing on an article file far larger than
// any installation holds today: the sample's records and 20,000 more. Every
// save rewrites and flushes the whole file, so its cost grows with the file.

#include "admin/ArticleEditor.h"
#include "data/DataFiles.h"
#include "platform/FakeSystem.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "TestSupport.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

namespace tv {
namespace {

constexpr int kGeneratedRecords = 20000;
constexpr std::array<const char*, 4> kKinds = {"_VHK", "_CPD", "_BRV", "_TK"};

std::string GeneratedKey(int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", number);
    return std::string("\xA4") + digits + "_GEN" + kKinds[number % kKinds.size()];
}

// One record in the article file's layout: key line, title, fields 1 to 12.
std::string GeneratedRecord(int number) {
    const std::string key = GeneratedKey(number);
    const std::string n = std::to_string(number);
    std::string record = key + " generert\r\n" + key.substr(1) + "\r\n";
    for (const std::string& field :
         {"KG" + n, "Generert artikkel nr. " + n, std::string("UNUSED"), std::string("0"),
          std::string("0"), std::string("200 mm"), "KEL_GEN_" + n, std::string("10.0 kg"),
          std::string("100,-"), std::string("UNUSED"), std::string("UNUSED"),
          std::string("UNUSED")})
        record += field + "\r\n";
    return record + "EOL\r\n";
}

// A copy of the sample installation whose article file has the generated
// records before its "EOF".
class LargeInstallation {
public:
    LargeInstallation() {
        std::filesystem::copy(TV_SAMPLE_DIR, install_.path(),
                              std::filesystem::copy_options::recursive);
        const auto file = files_.locate("Vantordata.dat");
        std::string bytes = test::ReadBytes(file);
        std::string generated;
        for (int number = 0; number < kGeneratedRecords; ++number)
            generated += GeneratedRecord(number);
        bytes.insert(bytes.rfind("EOF\r\n"), generated);
        test::WriteBytes(file, bytes);
        fileSize_ = bytes.size();
    }

    data::DataFiles& files() { return files_; }
    std::size_t fileSize() const { return fileSize_; }

private:
    test::TempDir install_;
    platform::StderrMessageBoxes messages_;
    data::DataFiles files_{install_ / "Tessaro", "NO", messages_};
    std::size_t fileSize_ = 0;
};

// The price of a record in the middle of the file, saved again and again as
// the editor's Save does (each save adds its change note).
void BM_SaveOneRecord(benchmark::State& state) {
    LargeInstallation install;
    platform::FakeSystem system;
    platform::StderrMessageBoxes messages;
    platform::PosixFileSystem disk;
    admin::SaveRequest request;
    request.key = GeneratedKey(kGeneratedRecords / 2);
    const auto fields = admin::ReadRecordFields(install.files(), request.key);
    if (!fields) {
        state.SkipWithError("the generated record is not found");
        return;
    }
    request.fields = *fields;
    int price = 0;
    for (auto _ : state) {
        request.fields[9] = std::to_string(++price) + ",-";
        const auto outcome = admin::SaveRecord(install.files(), request, system, messages, disk);
        if (outcome.result != admin::SaveResult::Saved) {
            state.SkipWithError("the save failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(install.fileSize()));
    state.counters["file_bytes"] = static_cast<double>(install.fileSize());
}
BENCHMARK(BM_SaveOneRecord)->Unit(benchmark::kMillisecond);

// The "_TK" listing, listing file included.
void BM_ListConnections(benchmark::State& state) {
    LargeInstallation install;
    platform::StderrMessageBoxes messages;
    std::size_t listed = 0;
    for (auto _ : state) {
        const auto listing = admin::ListRecords(install.files(), "_TK", messages);
        if (!listing || !listing->written) {
            state.SkipWithError("the listing failed");
            return;
        }
        listed = listing->keys.size();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(install.fileSize()));
    state.counters["records"] = static_cast<double>(listed);
}
BENCHMARK(BM_ListConnections)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tv
