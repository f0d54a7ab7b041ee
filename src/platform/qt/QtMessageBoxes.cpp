#include "platform/qt/QtMessageBoxes.h"

#include "platform/qt/QtText.h"

#include <QApplication>
#include <QMessageBox>

namespace tv::platform {

QString BoxText(std::string_view cp1252) {
    QString text = ToQString(cp1252);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

void QtMessageBoxes::inform(std::string_view text) {
    StderrMessageBoxes().inform(text);
    QMessageBox box(QMessageBox::Information, QString::fromLatin1(kProgramTitle), BoxText(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool QtMessageBoxes::askYesNo(std::string_view title, std::string_view text) {
    StderrMessageBoxes().askYesNo(title, text);
    // Yes is the default button, as in the question boxes users know.
    const QMessageBox::StandardButton answer =
        QMessageBox::question(QApplication::activeWindow(), ToQString(title), BoxText(text),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes;
}

} // namespace tv::platform
