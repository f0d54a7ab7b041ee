#include "data/StartupValues.h"
#include "wizard/OptionGroups.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tv::wizard {
namespace {

using test::Cp;

// The option groups over the sample installation's parameter file, whose
// sixteen option combinations have the bottom letters A to P (A2 HL EP AKT
// is A, A4 VL NBR NOAKT is P).
class OptionGroupsTest : public ::testing::Test {
protected:
    OptionGroupsTest()
        : files_(std::filesystem::path(TV_SAMPLE_DIR) / "Tessaro", "NO", messages_),
          configuration_(files_, ReadValvePageLayout(files_)),
          options_(configuration_, files_, settings_, messages_, debugMode_) {
        configuration_.Clear();
        options_.Reset();
    }

    void set(const char* key, const char* value) {
        settings_.save(data::kSettingsApp, data::kSettingsSection, key, value);
    }
    char letter() const { return configuration_.code[1]; }
    const OptionChoice& option(OptionGroup group) const {
        return configuration_.record.options[group];
    }

    platform::RecordingMessageBoxes messages_;
    platform::MemorySettingsStore settings_;
    data::DataFiles files_;
    Configuration configuration_;
    bool debugMode_ = false;
    OptionGroups options_;
};

TEST_F(OptionGroupsTest, ChoosingAllFourGroupsWritesTheBottomLetter) {
    options_.Choose(kSpindleQuality, 2);
    options_.Choose(kClosingDirection, 1);
    options_.Choose(kWedgeQuality, 2);
    EXPECT_FALSE(configuration_.positionFlags[2]);
    EXPECT_EQ(letter(), 'X') << "three groups choose nothing yet";
    options_.Choose(kActuator, 1);
    EXPECT_TRUE(configuration_.positionFlags[2]);
    EXPECT_EQ(configuration_.record.optionKey, Cp("¤A4_HL_NBR_AKT"));
    EXPECT_EQ(letter(), 'K');
    EXPECT_EQ(option(kSpindleQuality).reportLine, Cp("Spindelkvalitet: A4 syrefast stål"));
    EXPECT_EQ(option(kActuator).reportLine, "Aktuator") << "with actuator: the caption alone";
    EXPECT_EQ(options_.BottomDefault(), "1011");

    options_.Choose(kActuator, 2);
    EXPECT_EQ(option(kActuator).reportLine, "IKKE Aktuator");
    EXPECT_EQ(letter(), 'L');
    EXPECT_EQ(options_.BottomDefault(), "1010");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(OptionGroupsTest, ClosingDirectionTwoForcesWithoutActuatorUnlessLocked) {
    set("ACcontrol", "0");
    options_.Choose(kSpindleQuality, 1);
    options_.Choose(kWedgeQuality, 1);
    options_.Choose(kClosingDirection, 2);
    EXPECT_TRUE(option(kActuator).chosen);
    EXPECT_EQ(option(kActuator).tag, "NOAKT");
    EXPECT_FALSE(options_.buttons[kActuator].enabled) << "greyed out";
    EXPECT_EQ(letter(), 'F') << "A2 VL EP NOAKT";

    options_.Choose(kClosingDirection, 1);
    EXPECT_FALSE(option(kActuator).chosen) << "direction 1 clears the forced actuator choice";
    EXPECT_TRUE(options_.buttons[kActuator].enabled);
    EXPECT_EQ(options_.buttons[kActuator].selected, 0);
    EXPECT_FALSE(configuration_.positionFlags[2]) << "the page is incomplete again";
}

TEST_F(OptionGroupsTest, LockedActuatorIsNeverTouchedByTheClosingDirection) {
    set("ACcontrol", "2");
    options_.Choose(kActuator, 1);
    options_.Choose(kClosingDirection, 2);
    EXPECT_EQ(option(kActuator).tag, "AKT");
    options_.Choose(kClosingDirection, 1);
    EXPECT_TRUE(option(kActuator).chosen);
}

TEST_F(OptionGroupsTest, FreshDefaultsCompleteTheGroupsWhenADimensionIsChosen) {
    set("A2control", "2");
    set("LRcontrol", "1");
    set("SKcontrol", "2");
    set("ACcontrol", "2");
    options_.ApplyOptionDefaults();
    EXPECT_TRUE(options_.allChosen());
    EXPECT_EQ(letter(), 'B') << "A2 HL EP NOAKT";
    EXPECT_EQ(option(kActuator).reportLine, "Aktuator: Uten aktuator")
        << "the default writes caption and option, unlike a click";
    EXPECT_TRUE(options_.buttons[kSpindleQuality].enabled) << "A2 of 2 does not lock";
    EXPECT_TRUE(options_.buttons[kClosingDirection].enabled);
    EXPECT_FALSE(options_.buttons[kWedgeQuality].enabled);
    EXPECT_FALSE(options_.buttons[kActuator].enabled);
    EXPECT_EQ(options_.buttons[kActuator].selected, 2);
}

TEST_F(OptionGroupsTest, WithoutWedgeDefaultThePageStaysIncomplete) {
    set("A2control", "1");
    set("LRcontrol", "2");
    set("SKcontrol", "0");
    set("ACcontrol", "1");
    options_.ApplyOptionDefaults();
    EXPECT_FALSE(option(kWedgeQuality).chosen);
    EXPECT_FALSE(configuration_.positionFlags[2]);
    EXPECT_FALSE(options_.buttons[kClosingDirection].enabled) << "LR of 2 locks the group";
    EXPECT_EQ(options_.buttons[kActuator].selected, 2);
}

TEST_F(OptionGroupsTest, AStoredDefaultOfAnyLengthIsHeldWithinRange) {
    // Forty digits are beyond every integer: the value still counts as a
    // preset, not as whatever an overflowing conversion gives.
    set("A2control", "9999999999999999999999999999999999999999");
    set("LRcontrol", "1e40");
    set("SKcontrol", "2x");
    set("ACcontrol", "-1e40");
    options_.ApplyOptionDefaults();
    EXPECT_EQ(options_.buttons[kSpindleQuality].selected, 1);
    EXPECT_EQ(options_.buttons[kClosingDirection].selected, 1);
    EXPECT_TRUE(options_.buttons[kClosingDirection].enabled) << "only 2 locks";
    EXPECT_FALSE(options_.buttons[kWedgeQuality].enabled) << "\"2x\" reads as 2";
    EXPECT_EQ(options_.buttons[kActuator].selected, 0) << "below 0: no preset";
}

TEST_F(OptionGroupsTest, BottomDefaultIsRestoredGroupByGroup) {
    struct Case {
        const char* saved;
        char letter;
        const char* why;
    };
    const Case cases[] = {
        {"", 'B', "nothing saved: option 1 everywhere and no actuator"},
        {"0000", 'B', "the same written out"},
        {"1011", 'K', "A4 HL NBR with actuator"},
        {"0101", 'E', "closing direction 2 first forces without, then the actuator is restored"},
        {"11", 'N', "a short text counts the missing groups as 0"},
    };
    for (const auto& c : cases) {
        set("ACcontrol", "0");
        set("BottomDefault", c.saved);
        options_.Reset();
        options_.ApplyBottomDefault();
        EXPECT_EQ(letter(), c.letter) << c.why;
        EXPECT_TRUE(configuration_.positionFlags[2]) << c.why;
        if (std::string(c.saved).size() == 4) {
            EXPECT_EQ(options_.BottomDefault(), c.saved) << "restore and save agree: " << c.why;
        }
    }
}

TEST_F(OptionGroupsTest, MissingCombinationKeepsTwelvePositionsAndARejectedLetter) {
    test::TempDir dir;
    const auto sample = std::filesystem::path(TV_SAMPLE_DIR) / "Tessaro";
    std::filesystem::copy_file(sample / "Tessaro.dat", dir / "Tessaro.dat");
    std::filesystem::copy_file(sample / "Lang_NO.txt", dir / "Lang_NO.txt");
    data::DataFiles files(dir.path(), "NO", messages_);
    ValvePageLayout layout = ReadValvePageLayout(files);
    layout.optionTags[1] = "A9"; // spindle option 2 now names no combination
    Configuration configuration(files, layout);
    configuration.Clear();
    OptionGroups options(configuration, files, settings_, messages_, debugMode_);
    options.Choose(kSpindleQuality, 2);
    options.Choose(kClosingDirection, 1);
    options.Choose(kWedgeQuality, 1);
    options.Choose(kActuator, 1);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0], Cp("Key '¤A9_HL_EP_AKT' not found in Tessaro.dat"));
    EXPECT_EQ(configuration.code.size(), 12u + files.head.codeSuffix.size());
    EXPECT_EQ(configuration.code[1], '?');
    EXPECT_TRUE(configuration.positionFlags[2]) << "the group is complete, the letter is not";
}

} // namespace
} // namespace tv::wizard
