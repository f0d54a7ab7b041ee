#include "platform/qt/QtText.h"

#include "platform/Cp1252.h"

namespace tv::platform {

QString ToQString(std::string_view cp1252) {
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString ToScreenText(std::string_view cp1252) {
    QString text = ToQString(cp1252);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

std::string FromQString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

std::string FromScreenText(const QString& text) {
    QString lines = text;
    lines.replace(u'\n', QStringLiteral("\r\n"));
    return FromQString(lines);
}

} // namespace tv::platform
