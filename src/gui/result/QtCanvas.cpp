#include "gui/result/QtCanvas.h"
#include "platform/qt/QtPictures.h"

#include "platform/qt/QtText.h"
#include "result/ValvePicture.h"

#include <QBuffer>
#include <QByteArray>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tv::result {

namespace {

// Pixel n covers the twips from 15n up to 15n + 14, so neighbouring pieces
// meet without a gap or an overlap.
int Pixel(int twips) {
    return static_cast<int>(std::floor(twips / static_cast<double>(QtCanvas::kTwipsPerPixel)));
}

// 96 dots per inch, so that a point size gives the same pixels everywhere.
constexpr int kDotsPerMetre = 3780;

} // namespace

QColor ColorFromNumber(std::int32_t color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QtCanvas::QtCanvas() : font_(QString::fromLatin1(kEnlargedFontFamily)) {
    font_.setPointSize(kEnlargedFontPoints);
}

void QtCanvas::setSize(int width, int height) {
    image_ = QImage(std::max(0, Pixel(width)), std::max(0, Pixel(height)), QImage::Format_RGB32);
    image_.setDotsPerMeterX(kDotsPerMetre);
    image_.setDotsPerMeterY(kDotsPerMetre);
    clear();
}

void QtCanvas::clear() {
    if (!image_.isNull())
        image_.fill(Qt::white);
}

void QtCanvas::drawImage(int x, int y, const std::filesystem::path& path, int width, int height,
                         int sourceHeightLimit) {
    if (image_.isNull())
        return;
    const QImage picture = platform::ReadPicture(path);
    if (picture.isNull())
        return;
    QRect source = picture.rect();
    if (sourceHeightLimit > 0)
        source.setHeight(std::min(source.height(), Pixel(sourceHeightLimit)));
    const int left = Pixel(x);
    const int top = Pixel(y);
    const int pixelWidth = width > 0 ? Pixel(x + width) - left : picture.width();
    const int pixelHeight = height > 0 ? Pixel(y + height) - top : picture.height();
    QPainter painter(&image_);
    painter.drawImage(QRect(left, top, pixelWidth, pixelHeight), picture, source);
}

void QtCanvas::setColor(std::int32_t color) {
    color_ = ColorFromNumber(color);
}

void QtCanvas::drawLine(int x1, int y1, int x2, int y2) {
    if (image_.isNull())
        return;
    QPainter painter(&image_);
    painter.setPen(QPen(color_, 0)); // one pixel whatever the scale
    painter.drawLine(Pixel(x1), Pixel(y1), Pixel(x2), Pixel(y2));
}

void QtCanvas::setFont(const std::string& family, int points) {
    font_ = QFont(platform::ToQString(family));
    font_.setPointSize(points);
}

void QtCanvas::setFontSize(int points) {
    font_.setPointSize(points);
}

void QtCanvas::drawText(int x, int y, const std::string& text) {
    if (image_.isNull())
        return;
    QPainter painter(&image_);
    painter.setPen(color_);
    painter.setFont(font_);
    const QFontMetrics metrics(font_, &image_);
    painter.drawText(Pixel(x), Pixel(y) + metrics.ascent(), platform::ToQString(text));
}

int QtCanvas::lineHeight() const {
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(kDotsPerMetre);
    probe.setDotsPerMeterY(kDotsPerMetre);
    return QFontMetrics(font_, &probe).height() * kTwipsPerPixel;
}

platform::WriteResult QtCanvas::saveBitmap(const std::filesystem::path& path) const {
    if (image_.isNull())
        return platform::WriteResult::Failure(path.string() + ": the picture is empty");
    // Encoded in memory first, so that the disk sees one whole write: a
    // full disk leaves the old picture (or none), never half a bitmap
    // beside the report.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image_.save(&buffer, "BMP"))
        return platform::WriteResult::Failure(path.string() +
                                              ": the picture could not be made a bitmap");
    return platform::WriteFileSafely(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace tv::result
