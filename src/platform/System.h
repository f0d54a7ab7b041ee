#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tv::platform {

struct ScreenSize {
    int width = 0;  // pixels
    int height = 0; // pixels
};

// A local date and time, as the program records it.
struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// What the program asks of the machine it runs on.
class System {
public:
    virtual ~System() = default;

    // Login name of the current user (Windows-1252); "" when it cannot be
    // had or is longer than 24 characters.
    virtual std::string userName() const = 0;

    // The process's working directory.
    virtual std::filesystem::path currentDirectory() const = 0;

    // Whether the system reports a connection to the internet.
    virtual bool isOnline() const = 0;

    // Size of the primary display in its physical pixels, whatever the
    // desktop's scaling.
    virtual ScreenSize screenSize() const = 0;

    // Physical pixels per inch of the primary display: 96 on a standard
    // display, 120 at a scaling of 125 %. The start-up measurements use it.
    virtual double pixelsPerInch() const = 0;

    // Pixels per inch of the window's own coordinates, which the desktop
    // scales to the display: twips become window pixels at this rate.
    virtual double layoutPixelsPerInch() const = 0;

    // Width of a picture file in pixels; nothing when it cannot be loaded.
    virtual std::optional<int> pictureWidthPixels(const std::filesystem::path& file) const = 0;

    virtual LocalDateTime now() const = 0;

    // The user's short date and time format, with seconds, as the program
    // shows file dates and report dates (Windows-1252).
    virtual std::string formatDateTime(const LocalDateTime& when) const = 0;

    // The decimal separator of the user's regional settings ("," in Norway).
    virtual std::string decimalSeparator() const = 0;

    // Modification date and time of a file in local time.
    virtual std::optional<LocalDateTime> fileModified(const std::filesystem::path& file) const = 0;
};

// Width of a picture in hundredths of a millimetre at the display's
// resolution: pixels × 2540 / pixels per inch.
double PictureWidthHimetric(int pixels, double pixelsPerInch);

// Login name of the effective user from the user database, else $USER, in
// Windows-1252; "" when there is none or it is longer than 24 characters.
std::string PosixUserName();

// Modification time of a file from the file system, in local time; nothing
// when the file cannot be examined.
std::optional<LocalDateTime> FileModifiedLocal(const std::filesystem::path& file);

} // namespace tv::platform
