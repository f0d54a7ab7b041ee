#include "platform/qt/QtShell.h"

#include "platform/qt/QtText.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace tv::platform {

QUrl ShellUrl(std::string_view target) {
    const QString text = ToQString(target).trimmed();
    if (text.isEmpty())
        return {};
    // A scheme is a letter and at least one more scheme character before the
    // colon; a single letter is a drive, as the shell takes it.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(text).hasMatch())
        return QUrl(text, QUrl::TolerantMode);
    return QUrl::fromLocalFile(text);
}

bool QtShell::open(std::string_view target) {
    const QUrl url = ShellUrl(target);
    if (!url.isValid())
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace tv::platform
