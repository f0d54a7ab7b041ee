#pragma once

#include "app/Startup.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "platform/WebClient.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// The check for a newer program version at start-up.
namespace tv::app {

// A line of the version page that names a version starts with this, the
// version following it to the end of the line.
inline constexpr const char* kVersionLineStart = "Programversjon ";
inline constexpr const char* kVersionInfoMissing = "Versjonsinfo ikke funnet";
inline constexpr const char* kNewVersionBefore = "Nytt program versjon ";
inline constexpr const char* kNewVersionAfter = " kan lastes ned";

// A version page larger than this is no version page: its download counts
// as failed. How long a fetch may take is up to the web client (see
// QtWebClient).
inline constexpr std::size_t kMaxVersionPageBytes = 1024 * 1024;

// Only in debug mode with a connection: downloads the version page
// (values.versionUrl) afresh into values.versionFile and shows whether a
// newer version is out. A download that fails clears values.online and
// shows nothing; a page that came but cannot be written clears it too and
// is said with the reason.
void CheckVersion(StartupValues& values, platform::WebClient& web,
                  platform::MessageBoxes& messages);

// The version check as start-up's callback: CheckVersion with the
// platform's web client, nothing when the platform has none.
std::function<void(StartupValues&)> StartupVersionCheck(platform::Platform& platform);

// Reads the downloaded version page: the version of its last version line,
// "" when it names none. Tells the user when that version is newer than
// this program's, and "Versjonsinfo ikke funnet" when there is no such
// file. The file is deleted afterwards.
std::string ShowVersionMessage(const std::filesystem::path& file, platform::MessageBoxes& messages);

} // namespace tv::app
