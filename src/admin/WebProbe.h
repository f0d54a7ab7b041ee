#pragma once

#include "data/StartupValues.h"
#include "platform/MessageBoxes.h"
#include "platform/WebClient.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

// The debug mode's web probe: what a page of the maker's web site reads as.
namespace tv::admin {

// The probe's page, what marks the part of it that is shown, and the file
// it is kept in (in the installation directory).
inline constexpr const char* kProbeWebAddress = "https://www.kelmor.example/tessaro/webtest.htm";
inline constexpr const char* kProbeMarker = "Programversion ";
inline constexpr const char* kWebTextFile = "WebText.txt";

// GetHTMLFromURL keeps the first kMaxWebTextBytes of a larger page and
// leaves the rest unread.
inline constexpr std::size_t kMaxWebTextBytes = 1024 * 1024;
inline constexpr std::size_t kWebTextChunkBytes = 2048;

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
std::optional<WebTextProbe> ProbeWebText(const data::StartupValues& values,
                                         platform::WebClient& web, platform::MessageBoxes& messages,
                                         const RandomBelow& random);

} // namespace tv::admin
