#include "app/Startup.h"
#include "data/DataFiles.h"
#include "platform/qt/QtSystem.h"
#include "gui/window/Session.h"
#include "TestSupport.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace tv::app {
namespace {

// The desktop's scaling as this run was started with it: CTest runs the
// test once plain and once each with QT_SCALE_FACTOR=1.25 and
// QT_FONT_DPI=120, which the offscreen platform turns into a device pixel
// ratio of 1.25 on a display of 800 by 800 physical pixels.
double Scale() {
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        return qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
    if (qEnvironmentVariableIsSet("QT_FONT_DPI"))
        return qEnvironmentVariable("QT_FONT_DPI").toDouble() / 96;
    return 1;
}

TEST(HighDpi, StartUpMeasuresTheDisplaysOwnPixels) {
    ASSERT_EQ(QGuiApplication::platformName(), "offscreen");
    const double scale = Scale();
    ASSERT_NEAR(QGuiApplication::primaryScreen()->devicePixelRatio(), scale, 1e-9);

    platform::QtSystem system;
    EXPECT_NEAR(system.pixelsPerInch(), 96 * scale, 1e-9);
    EXPECT_EQ(system.screenSize().width, 800) << "physical, not the scaled width";
    EXPECT_EQ(system.layoutPixelsPerInch(), 96) << "the window's pixels, which Qt scales";

    // The real system layer under start-up on the sample: its 1000-pixel
    // reference picture is 26500 hundredths of a millimetre wide at 96 ppi
    // and 21200 at 120.
    test::TempDir install;
    std::filesystem::copy(TV_SAMPLE_DIR, install.path(), std::filesystem::copy_options::recursive);
    platform::MemorySettingsStore settings;
    settings.save("Tarnel", "Startup", "TarnelPath", data::PathText(install.path()));
    platform::RecordingMessageBoxes messages;
    platform::Platform platform{settings, messages, system};
    const auto outcome = RunStartup(platform);
    ASSERT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(outcome.values.referenceWidth, scale == 1 ? 26500 : 21200);
    EXPECT_EQ(outcome.values.pictureSuffix, scale == 1 ? "_26" : "_21");
    EXPECT_EQ(outcome.values.displaySize, "800x800");

    // Twips still become the window's pixels at 96 per inch: Qt makes them
    // the display's.
    window::Session session(platform, install.path());
    EXPECT_EQ(session.px(1440), 96);
}

} // namespace
} // namespace tv::app
