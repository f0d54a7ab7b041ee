#pragma once

// What the fuzz targets share: a scratch directory per process, a message
// sink, the sample installation and a check that stops the run.

#include "platform/FileBytes.h"
#include "platform/MessageBoxes.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace tv::fuzz {

// A property of the program does not hold: say which and stop, so that
// libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "\n%s:%d: property violated: %s\n", file, line, what);
    std::fflush(stderr);
    __builtin_trap();
}

#define TV_REQUIRE(condition)                                                                     \
    do {                                                                                          \
        if (!(condition))                                                                         \
            ::tv::fuzz::Fail(#condition, __FILE__, __LINE__);                                     \
    } while (false)

// A directory of this process, made on first use (in /dev/shm when there is
// one, so the many writes stay in memory) and removed at exit. libFuzzer
// often ends without running exit handlers, so the directories of processes
// that have ended are removed here as well.
inline const std::filesystem::path& ScratchDir() {
    static const std::filesystem::path dir = [] {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec) || ::access(base.c_str(), W_OK) != 0)
            base = std::filesystem::temp_directory_path();
        constexpr std::string_view prefix = "tv-fuzz-";
        for (const auto& entry : std::filesystem::directory_iterator(base, ec)) {
            const std::string name = entry.path().filename().string();
            if (!name.starts_with(prefix))
                continue;
            const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
            if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
                std::filesystem::remove_all(entry.path(), ec);
        }
        const std::filesystem::path made = base / (std::string(prefix) + std::to_string(::getpid()));
        std::filesystem::remove_all(made, ec);
        std::filesystem::create_directories(made);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(ScratchDir(), ignored);
        });
        return made;
    }();
    return dir;
}

inline void WriteFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        Fail("the scratch file could be written", __FILE__, __LINE__);
}

inline std::string FileText(const std::filesystem::path& file) {
    const auto bytes = platform::ReadFileBytes(file);
    if (!bytes)
        Fail("the scratch file could be read", __FILE__, __LINE__);
    return *bytes;
}

// The data files of the sample installation (no pictures), copied once into
// a directory of their own, which is returned.
inline std::filesystem::path SampleDataCopy(std::string_view name) {
    const std::filesystem::path source = std::filesystem::path(TV_SAMPLE_DIR) / "Tessaro";
    const std::filesystem::path copy = ScratchDir() / name;
    std::filesystem::create_directories(copy);
    for (const auto& entry : std::filesystem::directory_iterator(source)) {
        const auto ext = entry.path().extension();
        if (ext == ".dat" || ext == ".txt")
            std::filesystem::copy_file(entry.path(), copy / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
    }
    return copy;
}

// Message boxes that only count: a run shows thousands of them.
class CountingMessages final : public platform::MessageBoxes {
public:
    void inform(std::string_view) override { ++shown; }
    bool askYesNo(std::string_view, std::string_view) override {
        ++shown;
        return false;
    }
    std::size_t shown = 0;
};

// The lines of a data file as the readers must see them: split at LF, one
// CR before it dropped, each cut to the longest line read.
inline std::vector<std::string> ExpectedLines(std::string_view bytes, std::size_t maxLine) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line.substr(0, maxLine));
        start = end + 1;
    }
    return lines;
}

// The key of a section key line: from its "¤" to the first blank.
inline std::string LeadingKey(std::string_view line) {
    return std::string(line.substr(0, line.find(' ')));
}

} // namespace tv::fuzz
