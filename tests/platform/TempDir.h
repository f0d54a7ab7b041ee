#pragma once

#include "TestSupport.h"

#include <filesystem>

namespace tv::platform::testing {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// Number of entries in a directory, to see that no temporary file was left.
inline int CountEntries(const std::filesystem::path& dir) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
        ++count;
    return count;
}

} // namespace tv::platform::testing
