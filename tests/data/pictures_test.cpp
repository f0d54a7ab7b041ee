#include "data/Pictures.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tv::data {
namespace {

using test::TempDir;
using test::WriteBytes;

class FindPictureTest : public ::testing::Test {
protected:
    void add(const char* name) { WriteBytes(dir_ / name, "GIF89a"); }
    PictureLookup find(const char* name, const char* suffix) {
        DataFiles files(dir_.path(), "NO", messages_);
        return FindPicture(files, name, suffix);
    }

    TempDir dir_;
    platform::RecordingMessageBoxes messages_;
};

TEST_F(FindPictureTest, PrefersTheVariantForTheDisplaysResolution) {
    add("no_flag.gif");
    add("no_flag_26.gif");
    add("Dummy_C.gif");
    struct Case {
        const char* suffix;
        const char* expected;
        const char* why;
    };
    const Case cases[] = {
        {"_26", "no_flag_26.gif", "the resolution's own variant wins"},
        {"_21", "no_flag.gif", "without a variant the plain name"},
        {"_33", "no_flag.gif", "no reference picture"},
    };
    for (const auto& c : cases) {
        const auto lookup = find("no_flag", c.suffix);
        EXPECT_TRUE(lookup.found) << c.why;
        EXPECT_EQ(lookup.path.filename(), c.expected) << c.why;
    }
}

TEST_F(FindPictureTest, AnyExtensionAndAnyCase) {
    add("FL_0150_N.BMP");
    const auto lookup = find("fl_0150_n", "_26");
    EXPECT_TRUE(lookup.found);
    EXPECT_EQ(lookup.path.filename(), "FL_0150_N.BMP");
}

TEST_F(FindPictureTest, LongerNamesDoNotMatch) {
    add("no_flag_big.gif");
    add("Dummy_C.gif");
    const auto lookup = find("no_flag", "_26");
    EXPECT_FALSE(lookup.found);
    EXPECT_EQ(lookup.path.filename(), "Dummy_C.gif");
}

TEST_F(FindPictureTest, MissingPictureGivesThePlaceholderOrTheDirectory) {
    auto lookup = find("absent", "_26");
    EXPECT_FALSE(lookup.found);
    EXPECT_EQ(lookup.path, dir_.path()) << "no placeholder either";
    add("dummy_c.png");
    lookup = find("absent", "_26");
    EXPECT_FALSE(lookup.found);
    EXPECT_EQ(lookup.path.filename(), "dummy_c.png");
}

TEST_F(FindPictureTest, FirstMatchInNameOrder) {
    add("start1.jpg");
    add("start1.bmp");
    add("start1.gif");
    EXPECT_EQ(find("start1", "_26").path.filename(), "start1.bmp");
}

} // namespace
} // namespace tv::data
