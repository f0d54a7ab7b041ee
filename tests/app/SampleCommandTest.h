#pragma once

#include "platform/FakeSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace tv::app {

// A command on a copy of the sample installation, so that the start-up
// probes never write into the source tree.
class SampleCommandTest : public ::testing::Test {
protected:
    SampleCommandTest() {
        std::filesystem::copy(TV_SAMPLE_DIR, install_.path(),
                              std::filesystem::copy_options::recursive);
        system_.cwd = install_.path();
    }

    test::TempDir install_;
    platform::MemorySettingsStore settings_;
    platform::RecordingMessageBoxes messages_;
    platform::FakeSystem system_;
    platform::Platform platform_{settings_, messages_, system_};
    std::ostringstream out_;
    std::ostringstream err_;
};

} // namespace tv::app
