#pragma once

#include "platform/Shell.h"

#include <string>
#include <string_view>

namespace tv::output {

// The maker's pages behind the two start pictures.
inline constexpr const char* kMakerHomePage = "https://www.kelmor.example/";
inline constexpr const char* kConfiguratorPage = "https://www.kelmor.example/tessaro/";

// The start screen's controls that are links.
inline constexpr const char* kStartScreenHead = "lblStartscreenHead";
inline constexpr const char* kStartScreenPicture1 = "imgStartScreen1";
inline constexpr const char* kStartScreenPicture2 = "imgStartScreen2";

// Hands the address to the desktop to open. Whatever the desktop answers,
// the program stays as it was and shows no message; an empty address opens
// nothing.
void LaunchURL(platform::Shell& shell, std::string_view address);

// The address a click on a start-screen control opens: the head text opens
// `headAddress` (the start screen's web address as laid out last), the two
// pictures the maker's pages. Empty for any other control.
std::string StartScreenLink(std::string_view control, std::string_view headAddress);

} // namespace tv::output
