#pragma once

#include <QString>

#include <string>
#include <string_view>

// The program keeps Windows-1252 bytes; Qt shows QString. These two are the
// crossing at the screen, built on the one codec of Cp1252.h.
namespace tv::platform {

QString ToQString(std::string_view cp1252);

// A text as a label, button or box shows it: CR LF (and a lone CR) become
// the line breaks Qt uses.
QString ToScreenText(std::string_view cp1252);

// Characters Windows-1252 cannot hold become "?".
std::string FromQString(const QString& text);

// What a label shows, back in the program's form: its line breaks as CR LF.
std::string FromScreenText(const QString& text);

} // namespace tv::platform
