// What the readers cost on a maker's real data: a generated installation of
// 20,000 article records (about 12 MB) before the sample's own, and five
// times that. Every benchmark states its time as a multiple of one plain
// sequential read of the same file(s) in the same run ("x_read") and its
// peak memory as a multiple of the data it reads ("peak_x_data").
//
//   Cold: a fresh DataFiles, as a command starts (nothing held in memory).
//   Warm: the same DataFiles again, one operation per iteration, as clicks
//         in the window are.

#include "admin/DataCheck.h"
#include "admin/MenuCheck.h"
#include "app/CommandLine.h"
#include "data/DataFiles.h"
#include "data/StartScreenLayout.h"
#include "output/Report.h"
#include "platform/FakeSystem.h"
#include "platform/FileBytes.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "result/ArticleFile.h"
#include "result/Canvas.h"
#include "result/ResultComputation.h"
#include "result/ResultScreenLayout.h"
#include "wizard/Configuration.h"
#include "wizard/ValvePageLayout.h"
#include "BenchMemory.h"
#include "LargeInstallation.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace tv {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kCode =
    "KAGCFBGCSPMC-V18"; // the sample's X-cross with one of each connection

// 40 dimension entries with five flange connections each: the menu check's
// limits of 40 entries and 200 connections, all found in the article file.
void AddGeneratedMenus(const fs::path& dataDirectory) {
    const fs::path parameterFile = dataDirectory / "Tessaro.dat";
    std::string bytes = test::ReadBytes(parameterFile);
    std::string list = "\xA4"
                       "DIM_ENKELVENTIL   generert\r\nDIMENSJONER\r\n";
    std::string menus;
    std::string records;
    char line[128];
    for (int entry = 1; entry <= 40; ++entry) {
        const int millimetres = 1000 + entry;
        std::snprintf(line, sizeof line, "GD%03d              %c %04dGD %d\r\n", entry,
                      'A' + entry % 26, millimetres, entry);
        list += line;
        std::snprintf(line, sizeof line, "\xA4GD%03d_FLENS\r\nTK_GD%03d_FLENS\r\n", entry, entry);
        menus += line;
        for (int connection = 1; connection <= 5; ++connection) {
            std::snprintf(line, sizeof line, "C%02d                          %c generert\r\n",
                          connection, 'A' + (entry + connection) % 26);
            menus += line;
            std::snprintf(line, sizeof line, "\xA4%04d_FLENS_C%02d_TK \r\nTK\r\n", millimetres,
                          connection);
            records += std::string(line) + "KG" + std::to_string(entry) +
                       "\r\nGenerert flens\r\nUNUSED\r\n0\r\n0\r\n100 mm\r\nKEL\r\n1.0 kg\r\n"
                       "10,-\r\nUNUSED\r\nUNUSED\r\nUNUSED\r\nEOL\r\n";
        }
        menus += "EOL\r\n";
    }
    list += "EOL\r\n";
    bytes.insert(bytes.find("\r\n\xA4") + 2, list + menus);
    test::WriteBytes(parameterFile, bytes);

    const fs::path articleFile = dataDirectory / "Vantordata.dat";
    std::string articles = test::ReadBytes(articleFile);
    articles.insert(articles.rfind("EOF\r\n"), records);
    test::WriteBytes(articleFile, articles);
}

// The installations, made once per run and size.
const test::LargeInstallation& Installation(int records, bool menus = false) {
    static std::map<std::pair<int, bool>, std::unique_ptr<test::LargeInstallation>> made;
    auto& install = made[{records, menus}];
    if (!install) {
        install = std::make_unique<test::LargeInstallation>(records, TV_SAMPLE_DIR);
        if (menus)
            AddGeneratedMenus(install->dataDirectory());
        // A maker's data is older than a moment: files changed just now are
        // compared by content at every operation, as they must be.
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    }
    return *install;
}

std::uint64_t FileBytes(const fs::path& dataDirectory, std::initializer_list<const char*> names) {
    std::uint64_t bytes = 0;
    for (const char* name : names)
        bytes += fs::file_size(dataDirectory / name);
    return bytes;
}

// The best of a few plain reads of the files, in seconds.
double SequentialRead(const fs::path& dataDirectory, std::initializer_list<const char*> names) {
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        const auto start = Clock::now();
        std::size_t bytes = 0;
        for (const char* name : names)
            bytes += platform::ReadRegularFile(dataDirectory / name, 1u << 30).bytes.size();
        benchmark::DoNotOptimize(bytes);
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// Times the loop itself and states it beside the plain read, with the peak
// memory above what was in use when the benchmark began.
class Measure {
public:
    Measure(benchmark::State& state, const fs::path& dataDirectory,
            std::initializer_list<const char*> names)
        : state_(state), read_(SequentialRead(dataDirectory, names)),
          data_(FileBytes(dataDirectory, names)) {
        bench::ResetPeak();
        base_ = bench::BytesInUse();
    }
    void start() { start_ = Clock::now(); }
    void stop() {
        const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
        const double each = seconds / static_cast<double>(state_.iterations());
        state_.counters["x_read"] = each / read_;
        state_.counters["read_ms"] = read_ * 1000;
        state_.counters["data_MB"] = static_cast<double>(data_) / 1e6;
        state_.counters["peak_x_data"] =
            static_cast<double>(bench::PeakBytes() - base_) / static_cast<double>(data_);
    }

private:
    benchmark::State& state_;
    double read_;
    std::uint64_t data_;
    std::size_t base_ = 0;
    Clock::time_point start_;
};

// A run's platform: settings and messages in memory, a fixed clock.
struct Run {
    platform::MemorySettingsStore settings;
    platform::RecordingMessageBoxes messages;
    platform::FakeSystem system;
    platform::Platform platform{settings, messages, system};
    data::StartupValues startup;
};

// The code checked and computed on one DataFiles, as the result command does.
result::ResultState CheckAndCompute(data::DataFiles& files, Run& run) {
    wizard::Configuration configuration(files, wizard::ReadValvePageLayout(files));
    configuration.Clear();
    configuration.code = kCode;
    if (configuration.CheckCode() != 0)
        return {};
    const result::ResultInputs inputs{configuration, run.startup,
                                      wizard::ReadValvePageCaptions(files).accessoryFrame};
    return result::ComputeResult(files, run.platform, inputs);
}

constexpr const char* kCentreKey = "\xA4"
                                   "0150_VENTILKRYSS_CPD";

void BM_LookupArticleCold(benchmark::State& state) {
    const auto& install = Installation(static_cast<int>(state.range(0)));
    Run run;
    Measure measure(state, install.dataDirectory(), {"Vantordata.dat"});
    int found = 0;
    measure.start();
    for (auto _ : state) {
        data::DataFiles files(install.dataDirectory(), "NO", run.messages);
        const data::Operation operation;
        result::ArticleRecord record;
        found =
            result::LookupArticle(files, kCentreKey, record, result::Placeholder::kAsTranslated);
    }
    measure.stop();
    if (found == 0)
        state.SkipWithError("the centre part is not found");
}
BENCHMARK(BM_LookupArticleCold)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Lookups per operation: the cost of each stays the same however many.
void BM_LookupArticleWarm(benchmark::State& state) {
    const auto& install = Installation(20000);
    Run run;
    data::DataFiles files(install.dataDirectory(), "NO", run.messages);
    Measure measure(state, install.dataDirectory(), {"Vantordata.dat"});
    const int lookups = static_cast<int>(state.range(0));
    measure.start();
    for (auto _ : state) {
        const data::Operation operation;
        for (int i = 0; i < lookups; ++i) {
            result::ArticleRecord record;
            const std::string key = i % 2 ? kCentreKey : test::GeneratedKey(i * 7919 % 20000);
            benchmark::DoNotOptimize(
                result::LookupArticle(files, key, record, result::Placeholder::kAsTranslated));
        }
    }
    measure.stop();
    state.counters["lookups"] = lookups;
}
BENCHMARK(BM_LookupArticleWarm)->Arg(1)->Arg(16)->Arg(256)->Unit(benchmark::kMicrosecond);

void BM_CheckCode(benchmark::State& state) {
    const auto& install = Installation(20000);
    Run run;
    data::DataFiles files(install.dataDirectory(), "NO", run.messages);
    wizard::Configuration configuration(files, wizard::ReadValvePageLayout(files));
    Measure measure(state, install.dataDirectory(), {"Tessaro.dat"});
    measure.start();
    for (auto _ : state) {
        const data::Operation operation;
        configuration.Clear();
        configuration.code = kCode;
        benchmark::DoNotOptimize(configuration.CheckCode());
    }
    measure.stop();
}
BENCHMARK(BM_CheckCode)->Unit(benchmark::kMicrosecond);

// Cold (warm:0): what the result command does on fresh DataFiles, the
// code check and the reading of the valve page included. Warm (warm:1):
// ComputeResult alone, as the result screen runs it again. In Norwegian or
// English, on 20,000 or 100,000 records.
void BM_ComputeResult(benchmark::State& state) {
    const bool warm = state.range(0) == 1;
    const char* language = state.range(1) == 1 ? "EN" : "NO";
    const auto& install = Installation(static_cast<int>(state.range(2)));
    Run run;
    data::DataFiles held(install.dataDirectory(), language, run.messages);
    wizard::Configuration configuration(held, wizard::ReadValvePageLayout(held));
    configuration.Clear();
    configuration.code = kCode;
    const bool valid = configuration.CheckCode() == 0;
    const result::ResultInputs inputs{configuration, run.startup,
                                      wizard::ReadValvePageCaptions(held).accessoryFrame};
    Measure measure(state, install.dataDirectory(), {"Vantordata.dat"});
    bool complete = false;
    measure.start();
    for (auto _ : state) {
        if (warm) {
            const data::Operation operation;
            complete = result::ComputeResult(held, run.platform, inputs).verticalComplete;
        } else {
            data::DataFiles files(install.dataDirectory(), language, run.messages);
            const data::Operation operation;
            complete = CheckAndCompute(files, run).verticalComplete;
        }
    }
    measure.stop();
    if (!valid || !complete)
        state.SkipWithError("the result is not complete");
}
BENCHMARK(BM_ComputeResult)
    ->ArgNames({"warm", "english", "records"})
    ->ArgsProduct({{0, 1}, {0, 1}, {20000}})
    ->Args({0, 1, 100000})
    ->Unit(benchmark::kMillisecond);

// What `result -` does for each line once start-up has run, on a copy of
// the sample: the code check, the result and its JSON line, one operation
// each. The codes are every 997th of the sample's catalogue (about 11,800,
// spread over every valve type and dimension).
void BM_BulkResult(benchmark::State& state) {
    test::TempDir install;
    fs::copy(TV_SAMPLE_DIR, install.path(), fs::copy_options::recursive);
    Run run;
    run.system.cwd = install.path();
    std::optional<app::CommandInstallation> installation;
    {
        const data::Operation startup;
        installation = app::StartInstallation(run.platform);
    }
    if (!installation) {
        state.SkipWithError("start-up failed");
        return;
    }
    // The copy and start-up's probe file are changes of a moment ago, which
    // every operation would compare by content for two seconds.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    std::vector<std::string> catalogue;
    std::size_t made = 0;
    admin::ForEachAcceptedCode(*installation->files, [&](std::string_view code) {
        if (made++ % 997 == 0)
            catalogue.emplace_back(code);
    });
    app::CodeLines lines(*installation, run.platform);
    Measure measure(state, install.path() / "Tessaro",
                    {"Tessaro.dat", "Vantordata.dat", "Lang_NO.txt"});
    std::int64_t codes = 0;
    bool valid = true;
    measure.start();
    for (auto _ : state) {
        for (const std::string& code : catalogue)
            valid = lines.answer(code).valid && valid;
        codes += static_cast<std::int64_t>(catalogue.size());
    }
    measure.stop();
    state.counters["codes_per_s"] =
        benchmark::Counter(static_cast<double>(codes), benchmark::Counter::kIsRate);
    if (!valid)
        state.SkipWithError("a code of the catalogue was not valid");
}
BENCHMARK(BM_BulkResult)->Unit(benchmark::kMillisecond);

// The whole report command's work, cold: code check, result and the page
// (the picture's drawing recorded, its encoding left out).
void BM_Report(benchmark::State& state) {
    const auto& install = Installation(20000);
    Run run;
    test::TempDir reports;
    run.startup.reportDirectory = data::PathText(reports.path()) + "/";
    run.startup.start = {2026, 12, 8, 9, 0, 0};
    Measure measure(state, install.dataDirectory(),
                    {"Tessaro.dat", "Vantordata.dat", "Lang_NO.txt"});
    bool written = false;
    measure.start();
    for (auto _ : state) {
        data::DataFiles files(install.dataDirectory(), "NO", run.messages);
        const data::Operation operation;
        wizard::Configuration configuration(files, wizard::ReadValvePageLayout(files));
        configuration.Clear();
        configuration.code = kCode;
        configuration.CheckCode();
        const result::ResultInputs inputs{configuration, run.startup,
                                          wizard::ReadValvePageCaptions(files).accessoryFrame};
        result::ResultState result = result::ComputeResult(files, run.platform, inputs);
        result::LayOutResultScreen(files, configuration, run.startup, result);
        result::RecordingCanvas canvas;
        const output::ReportInputs report{
            configuration.code, configuration.record, result, run.startup, {}, "", ""};
        written = output::WriteReport(report, files, run.platform, canvas, [](const fs::path&) {
                      return platform::WriteResult{};
                  }).written;
    }
    measure.stop();
    if (!written)
        state.SkipWithError("the report was not written");
}
BENCHMARK(BM_Report)->Unit(benchmark::kMillisecond);

void BM_MenuCheck(benchmark::State& state) {
    const auto& install = Installation(20000, true);
    Run run;
    Measure measure(state, install.dataDirectory(), {"Vantordata.dat"});
    std::size_t lines = 0;
    measure.start();
    for (auto _ : state) {
        data::DataFiles files(install.dataDirectory(), "NO", run.messages);
        const data::Operation operation;
        lines = admin::CheckMenus(files).lines.size();
    }
    measure.stop();
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_MenuCheck)->Unit(benchmark::kMillisecond);

// The full data check, cold, as the datacheck command runs it: every list,
// every record a configuration looks up, the key lines of the article file,
// the pictures and the language files. 0 records: the sample itself.
void BM_DataCheck(benchmark::State& state) {
    const auto& install = Installation(static_cast<int>(state.range(0)));
    Run run;
    Measure measure(state, install.dataDirectory(), {"Vantordata.dat", "Tessaro.dat"});
    admin::DataCheckResult result;
    measure.start();
    for (auto _ : state) {
        data::DataFiles files(install.dataDirectory(), "NO", run.messages);
        const data::Operation operation;
        result = admin::CheckData(files);
    }
    measure.stop();
    state.counters["codes"] = static_cast<double>(result.codes);
    state.counters["lookups"] = static_cast<double>(result.lookups);
}
BENCHMARK(BM_DataCheck)->Arg(0)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Bad input: the full data check of the sample with an English language
// file of 20 MB (text keys and their translations added at its end). Time
// and memory grow with the file, not beyond it.
void BM_DataCheckLargeLanguageFile(benchmark::State& state) {
    test::TempDir install;
    fs::copy(TV_SAMPLE_DIR, install.path(), fs::copy_options::recursive);
    const fs::path dataDirectory = install.path() / "Tessaro";
    std::string english = test::ReadBytes(dataDirectory / "Lang_EN.txt");
    std::string texts;
    for (int i = 0; texts.size() < 20'000'000; ++i)
        texts += "\xA4\xA4Generert tekst " + std::to_string(i) + "\r\nGenerated text " +
                 std::to_string(i) + "\r\n";
    test::WriteBytes(dataDirectory / "Lang_EN.txt", english + texts);
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    Run run;
    Measure measure(state, dataDirectory, {"Lang_EN.txt"});
    admin::DataCheckResult result;
    measure.start();
    for (auto _ : state) {
        data::DataFiles files(dataDirectory, "NO", run.messages);
        const data::Operation operation;
        result = admin::CheckData(files);
    }
    measure.stop();
    state.counters["findings"] = static_cast<double>(result.findings.size());
}
BENCHMARK(BM_DataCheckLargeLanguageFile)->Unit(benchmark::kMillisecond);

void BM_StartScreen(benchmark::State& state) {
    const auto& install = Installation(20000);
    Run run;
    data::DataFiles files(install.dataDirectory(), "NO", run.messages);
    Measure measure(state, install.dataDirectory(), {"Tessaro.dat"});
    measure.start();
    for (auto _ : state) {
        const data::Operation operation;
        benchmark::DoNotOptimize(data::ReadStartScreenLayout(files));
    }
    measure.stop();
}
BENCHMARK(BM_StartScreen)->Unit(benchmark::kMicrosecond);

// What the window reads when the language changes: its captions, the valve
// page and the start screen, in turn in English and German.
void BM_LanguageSwitch(benchmark::State& state) {
    const auto& install = Installation(20000);
    Run run;
    data::DataFiles files(install.dataDirectory(), "NO", run.messages);
    Measure measure(state, install.dataDirectory(), {"Lang_EN.txt"});
    bool english = false;
    measure.start();
    for (auto _ : state) {
        const data::Operation operation;
        english = !english;
        files.setLanguage(english ? "EN" : "DE");
        benchmark::DoNotOptimize(wizard::ReadValvePageCaptions(files));
        benchmark::DoNotOptimize(wizard::ReadValvePageLayout(files));
        benchmark::DoNotOptimize(data::ReadStartScreenLayout(files));
    }
    measure.stop();
}
BENCHMARK(BM_LanguageSwitch)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tv
