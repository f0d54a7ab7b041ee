#pragma once

#include <QImage>
#include <QPixmap>

#include <filesystem>

// Pictures of the data directory as the screens and the canvas show them.
// They are read through the program's one file reader, so a pipe or a
// device under a picture's name is refused instead of waited on.
namespace tv::platform {

// The largest picture file read; a larger one counts as none.
inline constexpr std::size_t kMaxPictureBytes = 64u * 1024u * 1024u;

// The picture in the file; a null image when there is none to be had.
QImage ReadPicture(const std::filesystem::path& file);
QPixmap ReadPixmap(const std::filesystem::path& file);

} // namespace tv::platform
