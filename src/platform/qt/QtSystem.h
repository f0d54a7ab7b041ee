#pragma once

#include "platform/System.h"

#include <QString>

namespace tv::platform {

// The machine as Qt and the C library see it. Needs a QGuiApplication for
// the screen answers and a QCoreApplication for the network state.
class QtSystem final : public System {
public:
    std::string userName() const override;
    std::filesystem::path currentDirectory() const override;
    bool isOnline() const override;
    ScreenSize screenSize() const override;
    double pixelsPerInch() const override;
    double layoutPixelsPerInch() const override;
    std::optional<int> pictureWidthPixels(const std::filesystem::path& file) const override;
    LocalDateTime now() const override;
    std::string formatDateTime(const LocalDateTime& when) const override;
    std::string decimalSeparator() const override;
    std::optional<LocalDateTime> fileModified(const std::filesystem::path& file) const override;
};

// A time format with seconds: ":ss" (or the locale's own separator) goes
// right after the minutes when the format has none ("HH:mm" to "HH:mm:ss",
// "h:mm AP" to "h:mm:ss AP", "H.mm" to "H.mm.ss").
QString TimeFormatWithSeconds(const QString& format);

// A date format with a four-digit year: "yy" becomes "yyyy", so file and
// report dates stay unambiguous.
QString DateFormatWithFullYear(const QString& format);

} // namespace tv::platform
