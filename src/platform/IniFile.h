#pragma once

#include "platform/FileSystem.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// Windows-style ini files (section lines "[Name]", then "key=value" lines),
// with the results of the four private-profile functions of the Windows API.
// Section and key names match without regard to case; the file is
// Windows-1252 with CR LF. A write goes through the safe write, so a
// failed write leaves the file exactly as it was.
namespace tv::platform {

// The largest ini file read: a larger one reads as none and is never
// rewritten (a few small sections is all the program keeps in one).
inline constexpr std::size_t kMaxIniBytes = 1024 * 1024;

// The value of key in section; def when the file, the section or the key is
// missing. At most bufferSize - 1 characters come back. Blanks around the
// value are dropped, and one pair of matching quotes around it as well.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view def, const std::filesystem::path& file,
                                    std::size_t bufferSize = 255);

// Writes key=value into section, replacing an existing key, adding the
// section and creating the file when they are missing. A file that exists
// but cannot be read whole (too large included) is not written; the result
// says why.
WriteResult WritePrivateProfileString(std::string_view section, std::string_view key,
                                      std::string_view value, const std::filesystem::path& file);

// The section's key=value lines, each followed by a NUL character, as the
// buffer of bufferSize characters receives them: when they do not fit, the
// text is cut so that it ends with a NUL within bufferSize - 1 characters.
// "" when the file or the section is missing.
std::string GetPrivateProfileSection(std::string_view section, const std::filesystem::path& file,
                                     std::size_t bufferSize = 255);

// Replaces the whole section by the key=value lines given NUL-separated
// ("a=1\0b=2\0", a final NUL optional); adds the section and the file when
// missing. Fails as WritePrivateProfileString does.
WriteResult WritePrivateProfileSection(std::string_view section, std::string_view lines,
                                       const std::filesystem::path& file);

// The same four on the bytes of an ini file held in memory: the file
// functions read the file, use these and write what the With... functions
// return.
std::string ProfileString(std::string_view bytes, std::string_view section, std::string_view key,
                          std::string_view def, std::size_t bufferSize = 255);
std::string WithProfileString(std::string_view bytes, std::string_view section,
                              std::string_view key, std::string_view value);
std::string ProfileSection(std::string_view bytes, std::string_view section,
                           std::size_t bufferSize = 255);
std::string WithProfileSection(std::string_view bytes, std::string_view section,
                               std::string_view lines);

} // namespace tv::platform
