#include "platform/qt/QtMessageBoxes.h"

#include "platform/qt/QtText.h"

#include <QApplication>
#include <QMessageBox>

namespace tv::platform {

void QtMessageBoxes::inform(std::string_view text) {
    StderrMessageBoxes().inform(text);
    QMessageBox box(QMessageBox::Information, QString::fromLatin1(kProgramTitle),
                    ToScreenText(text), QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool QtMessageBoxes::askYesNo(std::string_view title, std::string_view text) {
    StderrMessageBoxes().askYesNo(title, text);
    // Yes is the default button, as in the question boxes users know.
    const QMessageBox::StandardButton answer =
        QMessageBox::question(QApplication::activeWindow(), ToQString(title), ToScreenText(text),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes;
}

} // namespace tv::platform
