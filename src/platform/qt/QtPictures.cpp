#include "platform/qt/QtPictures.h"

#include "platform/FileBytes.h"

namespace tv::platform {

QImage ReadPicture(const std::filesystem::path& file) {
    const FileRead read = ReadRegularFile(file, kMaxPictureBytes);
    if (!read.readable || read.truncated)
        return {};
    return QImage::fromData(reinterpret_cast<const uchar*>(read.bytes.data()),
                            static_cast<int>(read.bytes.size()));
}

QPixmap ReadPixmap(const std::filesystem::path& file) {
    return QPixmap::fromImage(ReadPicture(file));
}

} // namespace tv::platform
