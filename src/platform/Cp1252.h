#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows-1252 is the program's text encoding: data files, files it writes,
// settings. These two functions are the only way text leaves or enters it,
// at the screen and at the terminal. The five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// number, so every byte string survives a round trip unchanged.
namespace tv::platform {

std::string Cp1252ToUtf8(std::string_view cp1252);

// Characters Windows-1252 cannot hold become "?"; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view utf8);

// The same conversion for text that must arrive exactly as typed (the
// arguments of a command that writes a data file): nothing when a character
// cannot be held or the UTF-8 is malformed, instead of a silent "?".
std::optional<std::string> Utf8ToCp1252Strict(std::string_view utf8);

// A text someone typed, as a message may echo it: control characters and
// the undefined bytes shown as escapes ("\x1b"), so they neither vanish nor
// act on a terminal, and a long text cut after `limit` characters with
// "\x85" (the ellipsis) behind it. Windows-1252 in and out.
std::string ShownInMessage(std::string_view cp1252, std::size_t limit = 80);

} // namespace tv::platform
