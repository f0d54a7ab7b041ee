// The article editor's save and listing on an article file far larger than
// any installation holds today: 20,000 generated records and the sample's.
// Every save rewrites and flushes the whole file, so its cost grows with it.

#include "admin/ArticleEditor.h"
#include "data/DataFiles.h"
#include "platform/FakeSystem.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "LargeInstallation.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace tv {
namespace {

constexpr int kGeneratedRecords = 20000;

// The generated installation with the DataFiles the editor works on.
class EditedInstallation {
public:
    data::DataFiles& files() { return files_; }
    std::size_t fileSize() const { return install_.articleBytes(); }

private:
    test::LargeInstallation install_{kGeneratedRecords, TV_SAMPLE_DIR};
    platform::StderrMessageBoxes messages_;
    data::DataFiles files_{install_.dataDirectory(), "NO", messages_};
};

// The price of a record in the middle of the file, saved again and again as
// the editor's Save does (each save adds its change note).
void BM_SaveOneRecord(benchmark::State& state) {
    EditedInstallation install;
    platform::FakeSystem system;
    platform::StderrMessageBoxes messages;
    platform::PosixFileSystem disk;
    admin::SaveRequest request;
    request.key = test::GeneratedKey(kGeneratedRecords / 2);
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
    EditedInstallation install;
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
