#pragma once

#include "platform/Cp1252.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace tv::test {

// Test texts are written in UTF-8 in the source; the program's texts are
// Windows-1252 bytes.
inline std::string Cp(std::string_view utf8) {
    return platform::Utf8ToCp1252(utf8);
}

// A fresh directory, removed again at the end of the test.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("tv-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// A file system of 64 KiB of its own (a tmpfs), to fill up: only root may
// mount one, so a test that needs it skips with that reason elsewhere.
class SmallFileSystem {
public:
    SmallFileSystem() {
        const std::string command =
            "mount -t tmpfs -o size=64k tmpfs '" + dir_.path().string() + "' 2>/dev/null";
        mounted_ = std::system(command.c_str()) == 0;
    }
    ~SmallFileSystem() {
        if (mounted_)
            std::system(("umount '" + dir_.path().string() + "'").c_str());
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    std::filesystem::path operator/(std::string_view name) const { return dir_ / name; }

private:
    TempDir dir_;
    bool mounted_ = false;
};

inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Writes the lines (UTF-8 in the test, Windows-1252 on disk), each ended
// by CR LF, as the data files are.
inline void WriteLines(const std::filesystem::path& file,
                       std::initializer_list<std::string_view> lines) {
    std::string bytes;
    for (auto line : lines)
        bytes += Cp(line) + "\r\n";
    WriteBytes(file, bytes);
}

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The names in a directory that begin with `prefix`, in order: what a
// write left beside its file.
inline std::vector<std::string> FileNames(const std::filesystem::path& directory,
                                          std::string_view prefix) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        std::string name = entry.path().filename().string();
        if (name.starts_with(prefix))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace tv::test
