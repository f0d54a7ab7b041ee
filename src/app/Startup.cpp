#include "app/Startup.h"

#include "app/VersionCheck.h"

#include "data/DataFiles.h"
#include "data/Pictures.h"
#include "data/TextFile.h"
#include "platform/FileBytes.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <system_error>

namespace tv::app {

namespace {

using data::PathText;
using data::ToPath;

std::string WithSeparator(std::string directory) {
    if (!directory.ends_with(kSeparator))
        directory += kSeparator;
    return directory;
}

// Writes the date and time into a file of the directory, to learn whether
// a file can be made there; the reason when not. The name is the program's
// own scratch file: whatever stands under it (a pipe, a read-only leftover,
// a link) is taken away first, so that the safe write makes a new file in
// this very directory instead of refusing the old one or following the
// link to another directory. A note is of no interest for a probe.
platform::WriteResult WriteProbe(const std::string& path, const std::string& text) {
    const std::filesystem::path file = ToPath(path);
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return platform::WriteFileSafely(file, text + "\r\n");
}

std::int16_t ProgramMode(const std::string& text) {
    const double value = data::RoundHalfEven(data::SettingNumber(text));
    constexpr double lowest = std::numeric_limits<std::int16_t>::min();
    constexpr double highest = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(value, lowest, highest));
}

// Reference picture: its width at the display's resolution, rounded to
// hundreds; 33333 without a picture that can be loaded.
void MeasureReference(StartupValues& values, const platform::System& system) {
    const auto picture =
        data::FirstFileMatching(ToPath(values.dataDirectory), "Reference1000x1000");
    const auto pixels = picture ? system.pictureWidthPixels(*picture) : std::nullopt;
    if (pixels) {
        const double himetric = platform::PictureWidthHimetric(*pixels, system.pixelsPerInch());
        values.referenceWidth =
            static_cast<std::int32_t>(data::RoundHalfEven(himetric / 100) * 100);
    }
    values.pictureSuffix =
        "_" +
        std::to_string(static_cast<long>(data::RoundHalfEven(values.referenceWidth / 1000.0)));
    values.standardResolution = values.referenceWidth > 22222;
}

} // namespace

double CalcJdDate(const platform::LocalDateTime& when) {
    const double y = when.year;
    const double m = when.month;
    const double a = std::floor((m + 9) / 12);
    const double b = std::floor(7 * (y + a) / 4);
    double c = 0;
    double g = 0;
    if (when.year >= 1585) {
        c = std::floor(3 * (std::floor((y + std::trunc((m - 9) / 7)) / 100) + 1) / 4);
        g = 2;
    }
    const double jd = 367 * y - b - c + std::floor(275 * m / 9) + when.day + 1721027 - 0.5 + g +
                      (when.hour + when.minute / 60.0) / 24;
    return jd - 2.0 / 24;
}

std::int32_t DayNumber(const platform::LocalDateTime& when) {
    // CalcJdDate's value is N - 0.5 + (minutes since midnight - 120) / 1440,
    // N the Julian Day Number of the date. Taken from whole minutes, so that
    // 02:00 itself already counts for the date, whatever N is: rounding the
    // floating value halves-to-even would flip 02:00 between odd and even days.
    const platform::LocalDateTime noon{when.year, when.month, when.day, 14, 0, 0};
    const auto jdn = static_cast<std::int32_t>(std::lround(CalcJdDate(noon)));
    const int minutes = when.hour * 60 + when.minute;
    return minutes >= 120 ? jdn : jdn - 1;
}

namespace {

// The values the settings store and the machine give, with the settings
// start-up fills in where they are missing.
void ReadStoredValues(StartupValues& v, platform::SettingsStore& settings,
                      const platform::System& system) {
    v.userName = system.userName();
    v.debugMode = false;

    const std::string tarnelPath = settings.get("Tarnel", kSection, "TarnelPath");
    v.installDirectory = tarnelPath.empty() ? PathText(system.currentDirectory()) : tarnelPath;
    settings.save(kApp, kSection, "BrivoDir", v.installDirectory);

    v.online = system.isOnline();
    v.language = settings.get(kApp, kSection, "Language");
    if (v.language.empty())
        v.language = "NO";
    v.programMode = ProgramMode(settings.get(kApp, kSection, "BrivoMode"));
    v.debugMode = v.programMode > 1;
    v.missingText = "Mangler";

    v.versionUrl = settings.get(kApp, kSection, "VersionURL");
    if (v.versionUrl.empty()) {
        v.versionUrl = kDefaultVersionUrl;
        settings.save(kApp, kSection, "VersionURL", v.versionUrl);
    }
    v.versionFile = WithSeparator(v.installDirectory) + "tessaroversion.htm";
}

// Why the data files cannot be used ("" when they can): each must be a
// readable, non-empty file within the size the readers take.
std::string DataFileProblem(const std::string& dataDirectory) {
    platform::RecordingMessageBoxes quiet; // the check itself reports nothing
    const data::DataFiles files(ToPath(dataDirectory), "NO", quiet);
    for (const char* name : {"Tessaro.dat", "Vantordata.dat", "Lang_NO.txt"}) {
        const std::filesystem::path path = files.locate(name);
        const platform::FileRead probe = platform::ReadRegularFile(path, 1);
        if (!probe.readable)
            return std::string("Parameterfile ") + name + "\r\nikke funnet i " + dataDirectory +
                   "\r\nBrivo kan ikke eksekveres. Vennligst sjekk installasjonen.";
        if (probe.version.size > data::kMaxFileBytes)
            return std::string(name) + " in " + dataDirectory + " " +
                   data::TooLargeProblem(probe.version.size) +
                   ".\r\nUnable to run program. Please check your installation";
        // An empty file would start a window without a single caption.
        if (probe.bytes.empty())
            return std::string(name) + " in " + dataDirectory +
                   " is empty.\r\nUnable to run program. Please check your installation";
    }
    return {};
}

// The first and last day of use, kept in the settings store.
void RecordDayOfUse(std::int32_t dayNumber, platform::SettingsStore& settings) {
    if (data::SettingNumber(settings.get(kApp, kSection, "FirstUsed")) < 1)
        settings.save(kApp, kSection, "FirstUsed", std::to_string(dayNumber));
    if (data::SettingNumber(settings.get(kApp, kSection, "LastUsed")) < dayNumber)
        settings.save(kApp, kSection, "LastUsed", std::to_string(dayNumber));
}

} // namespace

StartupOutcome RunStartup(platform::Platform& platform,
                          const std::function<void(StartupValues&)>& versionCheck) {
    auto& settings = platform.settings;
    auto& system = platform.system;
    StartupOutcome outcome;
    StartupValues& v = outcome.values;

    ReadStoredValues(v, settings, system);
    if (v.debugMode && v.online && versionCheck)
        versionCheck(v);

    settings.save(kApp, kSection, "BrivoDone", "0");

    const platform::ScreenSize display = system.screenSize();
    v.displaySize = std::to_string(display.width) + "x" + std::to_string(display.height);

    for (const auto& [key, value] : {std::pair{"A2control", "2"}, std::pair{"LRcontrol", "1"},
                                     std::pair{"SKcontrol", "2"}, std::pair{"ACcontrol", "2"}}) {
        if (settings.get(kApp, kSection, key).empty())
            settings.save(kApp, kSection, key, value);
    }

    v.installDirectory = WithSeparator(v.installDirectory);
    const std::string dataDirectory = v.installDirectory + "Tessaro" + kSeparator;
    const std::string now = system.formatDateTime(system.now());
    if (const platform::WriteResult probed = WriteProbe(dataDirectory + "Test.tmp", now); !probed) {
        outcome.failure = "Subdirectory 'Tessaro' not found in\r\n" + v.installDirectory +
                          "\r\nUnable to run program. Please check your installation\r\n" +
                          probed.reason;
        return outcome;
    }
    v.dataDirectory = dataDirectory;
    std::error_code ignored;
    std::filesystem::remove(ToPath(v.dataDirectory + "Test.tmp"), ignored);

    outcome.failure = DataFileProblem(v.dataDirectory);
    if (!outcome.failure.empty())
        return outcome;

    // Where no file can be made in the report directory, the directory is
    // made; when even that fails, writing a report says why.
    const std::string reportDirectory = v.installDirectory + "TeHtml" + kSeparator;
    if (!WriteProbe(reportDirectory + "Test.tmp", now))
        std::filesystem::create_directory(ToPath(reportDirectory), ignored);
    v.reportDirectory = reportDirectory;

    v.start = system.now();
    MeasureReference(v, system);

    v.dayNumber = DayNumber(v.start);
    RecordDayOfUse(v.dayNumber, settings);

    v.compactScreen = data::SettingNumber(v.displaySize) <= 1200;
    outcome.ok = true;
    return outcome;
}

std::optional<StartupValues> StartWindowRun(platform::Platform& platform) {
    StartupOutcome outcome = RunStartup(platform, StartupVersionCheck(platform));
    if (!outcome.ok) {
        platform.messages.inform(outcome.failure);
        return std::nullopt;
    }
    return std::move(outcome.values);
}

} // namespace tv::app
