#include "platform/qt/QtSystem.h"

#include "platform/qt/QtPictures.h"
#include "platform/qt/QtText.h"

#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLocale>
#include <QNetworkInformation>
#include <QScreen>

#include <cmath>

namespace tv::platform {

std::string QtSystem::userName() const {
    return PosixUserName();
}

std::filesystem::path QtSystem::currentDirectory() const {
    std::error_code ec;
    return std::filesystem::current_path(ec);
}

bool QtSystem::isOnline() const {
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend() &&
        !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return false;
    const QNetworkInformation* info = QNetworkInformation::instance();
    return info && info->reachability() == QNetworkInformation::Reachability::Online;
}

namespace {

// A command runs with a plain QCoreApplication and has no screen.
const QScreen* PrimaryScreen() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return nullptr;
    return QGuiApplication::primaryScreen();
}

// Qt reports a scaled display in device-independent pixels; the device
// pixel ratio turns them back into the display's own.
double PixelRatio(const QScreen& screen) {
    const double ratio = screen.devicePixelRatio();
    return std::isfinite(ratio) && ratio >= 0.25 && ratio <= 16 ? ratio : 1.0;
}

// A resolution nobody's display has counts as the standard one.
double Sane(double ppi) {
    return std::isfinite(ppi) && ppi >= 24 && ppi <= 2400 ? ppi : 96.0;
}

} // namespace

ScreenSize QtSystem::screenSize() const {
    const QScreen* screen = PrimaryScreen();
    if (!screen)
        return {};
    const double ratio = PixelRatio(*screen);
    return {static_cast<int>(std::lround(screen->size().width() * ratio)),
            static_cast<int>(std::lround(screen->size().height() * ratio))};
}

double QtSystem::pixelsPerInch() const {
    const QScreen* screen = PrimaryScreen();
    return screen ? Sane(screen->logicalDotsPerInchX() * PixelRatio(*screen)) : 96.0;
}

double QtSystem::layoutPixelsPerInch() const {
    const QScreen* screen = PrimaryScreen();
    return screen ? Sane(screen->logicalDotsPerInchX()) : 96.0;
}

std::optional<int> QtSystem::pictureWidthPixels(const std::filesystem::path& file) const {
    const QImage picture = ReadPicture(file);
    if (picture.isNull())
        return std::nullopt;
    return picture.width();
}

std::string QtSystem::decimalSeparator() const {
    return FromQString(QLocale::system().decimalPoint());
}

LocalDateTime QtSystem::now() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

std::string QtSystem::formatDateTime(const LocalDateTime& when) const {
    const QLocale locale = QLocale::system();
    const QString format = DateFormatWithFullYear(locale.dateFormat(QLocale::ShortFormat)) + ' ' +
                           TimeFormatWithSeconds(locale.timeFormat(QLocale::ShortFormat));
    const QDateTime dateTime(QDate(when.year, when.month, when.day),
                             QTime(when.hour, when.minute, when.second));
    return FromQString(locale.toString(dateTime, format));
}

std::optional<LocalDateTime> QtSystem::fileModified(const std::filesystem::path& file) const {
    return FileModifiedLocal(file);
}

namespace {

// Calls visit(index, character) for every format character outside quoted
// literal text; a doubled quote toggles twice and so stays literal too.
template <typename Visit> void ForEachPatternChar(const QString& format, Visit visit) {
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (!quoted)
            visit(i, format[i]);
    }
}

} // namespace

QString TimeFormatWithSeconds(const QString& format) {
    bool hasSeconds = false;
    qsizetype minutesStart = -1;
    qsizetype minutesEnd = -1;
    ForEachPatternChar(format, [&](qsizetype i, QChar c) {
        if (c == u's')
            hasSeconds = true;
        if (c != u'm')
            return;
        if (minutesEnd != i)
            minutesStart = i;
        minutesEnd = i + 1;
    });
    if (hasSeconds || minutesEnd < 0)
        return format;
    // The seconds take the separator the locale puts before the minutes.
    QChar separator = u':';
    if (minutesStart > 0) {
        const QChar before = format[minutesStart - 1];
        if (!before.isLetterOrNumber() && before != u'\'')
            separator = before;
    }
    return format.left(minutesEnd) + separator + QStringLiteral("ss") + format.mid(minutesEnd);
}

QString DateFormatWithFullYear(const QString& format) {
    qsizetype runStart = -1;
    qsizetype runEnd = -1;
    QList<qsizetype> shortYears;
    const auto closeRun = [&] {
        if (runEnd - runStart == 2)
            shortYears.append(runStart);
    };
    ForEachPatternChar(format, [&](qsizetype i, QChar c) {
        if (c != u'y')
            return;
        if (runEnd != i) {
            closeRun();
            runStart = i;
        }
        runEnd = i + 1;
    });
    closeRun();
    QString full = format;
    // From the back, so earlier positions stay valid.
    for (auto it = shortYears.crbegin(); it != shortYears.crend(); ++it)
        full.insert(*it, QStringLiteral("yy"));
    return full;
}

} // namespace tv::platform
