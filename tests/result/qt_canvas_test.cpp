#include "gui/result/QtCanvas.h"
#include "TestSupport.h"

#include <QImage>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tv::result {
namespace {

using test::TempDir;

QString Name(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

TEST(QtCanvasTest, DrawsInPixelsOf15TwipsAndSavesAWindowsBitmap) {
    TempDir dir;
    QtCanvas canvas;
    canvas.setSize(1500, 750);
    canvas.setColor(0x0000FF); // red in the lowest byte
    canvas.drawLine(150, 300, 1350, 300);
    ASSERT_TRUE(canvas.saveBitmap(dir / "picture.bmp"));

    EXPECT_TRUE(test::ReadBytes(dir / "picture.bmp").starts_with("BM"));
    const QImage saved(Name(dir / "picture.bmp"));
    ASSERT_EQ(saved.size(), QSize(100, 50));
    EXPECT_EQ(saved.pixelColor(50, 20), QColor(Qt::red));
    EXPECT_EQ(saved.pixelColor(9, 20), QColor(Qt::white)) << "the line starts at pixel 10";
    EXPECT_EQ(saved.pixelColor(50, 21), QColor(Qt::white));
}

TEST(QtCanvasTest, ColourNumbersKeepBlueInTheThirdByte) {
    EXPECT_EQ(ColorFromNumber(128), QColor(128, 0, 0));
    EXPECT_EQ(ColorFromNumber(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(ColorFromNumber(0x00FF00), QColor(0, 255, 0));
}

TEST(QtCanvasTest, PicturesAreScaledToTheirSizeAndCutAtTheSourceLimit) {
    TempDir dir;
    // 10 × 20 pixels: blue above, green below.
    QImage piece(10, 20, QImage::Format_RGB32);
    piece.fill(Qt::green);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            piece.setPixelColor(x, y, Qt::blue);
    ASSERT_TRUE(piece.save(Name(dir / "piece.png")));

    QtCanvas canvas;
    canvas.setSize(1500, 1500);
    canvas.drawImage(0, 0, dir / "piece.png", 0, 0, 0);
    canvas.drawImage(300, 0, dir / "piece.png", 600, 600, 0);
    canvas.drawImage(1200, 0, dir / "piece.png", 300, 300, 150);
    const QImage& image = canvas.image();
    EXPECT_EQ(image.pixelColor(5, 15), QColor(Qt::green)) << "own size: 10 × 20";
    EXPECT_EQ(image.pixelColor(5, 25), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(25, 35), QColor(Qt::green)) << "scaled to 40 × 40";
    EXPECT_EQ(image.pixelColor(25, 15), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(85, 18), QColor(Qt::blue)) << "only the top 10 pixels taken";

    canvas.drawImage(0, 0, dir / "missing.gif", 0, 0, 0);
    EXPECT_EQ(canvas.image().pixelColor(5, 15), QColor(Qt::green)) << "nothing painted";
}

TEST(QtCanvasTest, TextsGoBelowTheirTopAndAnEmptyCanvasIsNotSaved) {
    TempDir dir;
    QtCanvas canvas;
    EXPECT_FALSE(canvas.saveBitmap(dir / "empty.bmp"));
    canvas.setSize(3000, 1500);
    EXPECT_FALSE(canvas.saveBitmap(dir / "no-such-directory" / "x.bmp"));

    canvas.setFont("Arial", 10);
    EXPECT_GT(canvas.lineHeight(), 150);
    canvas.setColor(0);
    canvas.drawText(150, 150, "Mål");
    const QImage& image = canvas.image();
    int darkRows = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() < 128) {
                EXPECT_GE(y, 10) << "nothing above the text's top";
                ++darkRows;
                break;
            }
    EXPECT_GT(darkRows, 4);
}

TEST(QtCanvasTest, AFullDiskKeepsTheOlderPictureWhole) {
    test::SmallFileSystem disk;
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a small file system needs root";
    test::WriteBytes(disk / "valve.bmp", "BM older picture");
    QtCanvas canvas;
    canvas.setSize(6000, 3000); // 400 by 200 pixels: more than the disk holds
    EXPECT_FALSE(canvas.saveBitmap(disk / "valve.bmp"));
    EXPECT_EQ(test::ReadBytes(disk / "valve.bmp"), "BM older picture");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(disk / ""))
        ++entries;
    EXPECT_EQ(entries, 1) << "no half-written file left";
}

TEST(QtCanvasTest, APipeInPlaceOfAPictureOrTheBitmapNeverBlocks) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "piece.gif").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((dir / "valve.bmp").c_str(), 0600), 0);
    QtCanvas canvas;
    canvas.setSize(1500, 1500);
    canvas.drawImage(0, 0, dir / "piece.gif", 0, 0, 0); // refused, not waited on
    const tv::platform::WriteResult saved = canvas.saveBitmap(dir / "valve.bmp");
    EXPECT_EQ(saved.reason, (dir / "valve.bmp").string() + " is not a regular file");
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "valve.bmp")) << "the pipe is left as it is";
}

} // namespace
} // namespace tv::result
