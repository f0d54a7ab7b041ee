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

// The check for a newer program version at start-up, and the debug probe
// that shows what a page of the maker's web site reads as.
namespace tv::app {

// A line of the version page that names a version starts with this, the
// version following it to the end of the line.
inline constexpr const char* kVersionLineStart = "Programversjon ";
inline constexpr const char* kVersionInfoMissing = "Versjonsinfo ikke funnet";
inline constexpr const char* kNewVersionBefore = "Nytt program versjon ";
inline constexpr const char* kNewVersionAfter = " kan lastes ned";

// The probe's page, what marks the part of it that is shown, and the file
// it is kept in (in the installation directory).
inline constexpr const char* kProbeWebAddress = "https://www.kelmor.example/tessaro/webtest.htm";
inline constexpr const char* kProbeMarker = "Programversion ";
inline constexpr const char* kWebTextFile = "WebText.txt";

// Bounds of what is taken from the web. A version page larger than
// kMaxVersionPageBytes is no version page: its download counts as failed.
// GetHTMLFromURL keeps the first kMaxWebTextBytes of a larger page and
// leaves the rest unread. How long a fetch may take is up to the web client
// (see QtWebClient).
inline constexpr std::size_t kMaxVersionPageBytes = 1024 * 1024;
inline constexpr std::size_t kMaxWebTextBytes = 1024 * 1024;
inline constexpr std::size_t kWebTextChunkBytes = 2048;

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

// The text of a web page as its raw (Windows-1252) bytes, read in chunks of
// kWebTextChunkBytes with the user interface's events run before each;
// "" when the page cannot be fetched; what was read when a read fails
// part-way.
std::string GetHTMLFromURL(platform::WebClient& web, const std::string& address);

// A source of random numbers: 0 to n - 1 for a given n.
using RandomBelow = std::function<int(int)>;

// A freshly seeded source for the program's own use.
RandomBelow MakeRandomBelow();

// A made-up word of 5 to 7 letters, vowels and consonants alternating, the
// first letter in upper case.
std::string RandomWord(const RandomBelow& random);

struct WebTextProbe {
    std::string wordLine; // the word, four blanks and the start year
    std::string pageText; // what the probe page read; for the start-screen label
};

// Debug mode only (nothing otherwise): reads the probe page, shows it from
// kProbeMarker on when it has that, and keeps a page that is not empty in
// the installation directory's kWebTextFile (a file that cannot be written
// is said with the reason; the probe goes on). The page is asked for even
// when the online flag is off (a failed version download clears it).
std::optional<WebTextProbe> ProbeWebText(const StartupValues& values, platform::WebClient& web,
                                         platform::MessageBoxes& messages,
                                         const RandomBelow& random);

} // namespace tv::app
