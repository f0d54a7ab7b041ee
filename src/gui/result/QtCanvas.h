#pragma once

#include "platform/FileSystem.h"
#include "result/Canvas.h"

#include <QColor>
#include <QFont>
#include <QImage>

#include <filesystem>

namespace tv::result {

// The canvas on a picture in memory, 15 twips a pixel (96 dots per inch),
// white where nothing is drawn. Its image is what the enlarged view shows
// and what the report saves as a Windows bitmap.
class QtCanvas final : public Canvas {
public:
    QtCanvas();

    void setSize(int width, int height) override;
    void clear() override;
    void drawImage(int x, int y, const std::filesystem::path& path, int width, int height,
                   int sourceHeightLimit) override;
    void setColor(std::int32_t color) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void setFont(const std::string& family, int points) override;
    void setFontSize(int points) override;
    void drawText(int x, int y, const std::string& text) override;
    int lineHeight() const override;

    const QImage& image() const { return image_; }

    // Saves the picture as a Windows bitmap through the safe write; the
    // reason when it cannot be written (or the picture is empty).
    platform::WriteResult saveBitmap(const std::filesystem::path& path) const;

    static constexpr int kTwipsPerPixel = 15;

private:
    QImage image_;
    QColor color_ = Qt::black;
    QFont font_;
};

// A colour number of the data files (0x00BBGGRR) as a colour.
QColor ColorFromNumber(std::int32_t color);

} // namespace tv::result
