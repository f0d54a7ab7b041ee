#pragma once

#include "data/CustomerDetails.h"
#include "data/StartupValues.h"
#include "data/DataFiles.h"
#include "data/Pictures.h"
#include "data/TwipRect.h"
#include "platform/Platform.h"
#include "result/ResultState.h"
#include "wizard/Configuration.h"
#include "wizard/Steps.h"

#include <QRect>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace tv::window {

// Button sizes the data files leave open, in twips. Back at 0.75 and Next
// at 0.87 of a 9850-twip window must not meet.
inline constexpr int kButtonWidth = 1150;
inline constexpr int kButtonHeight = 375;

// The program-wide state the main window owns for the whole run, shared
// with the screens it shows.
class Session {
public:
    Session(platform::Platform& platform, std::filesystem::path programDirectory)
        : platform(platform), programDirectory(std::move(programDirectory)) {}

    platform::Platform& platform;
    std::filesystem::path programDirectory;

    // The values start-up found, and the data files opened in their
    // language. From then on the data files hold the language, and only
    // they.
    void load(data::StartupValues startup);
    const std::string& language() const { return files->language(); }
    // The screens' language from now on, kept for the next start.
    void setLanguage(const std::string& code);

    data::StartupValues values;
    std::unique_ptr<data::DataFiles> files; // from load on
    // The configuration being built or shown, from load on: the wizard's
    // pages change it, the result screen shows its result.
    std::unique_ptr<wizard::Configuration> configuration;
    data::CustomerDetails customer;
    result::ResultState result; // of the last computation

    wizard::Steps steps;
    std::string parameterFileTime; // full date texts of the two data files
    std::string articleFileTime;

    // Twips to pixels at the screen's resolution (15 twips a pixel at 96
    // pixels per inch).
    int px(int twips) const;
    QRect px(const data::TwipRect& rect) const;

    // The picture file for a picture name at the screen's resolution (see
    // data::FindPicture).
    data::PictureLookup FindPicture(std::string_view name) const;
};

} // namespace tv::window
