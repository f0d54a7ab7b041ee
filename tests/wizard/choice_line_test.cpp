#include "wizard/ChoiceLine.h"

#include <gtest/gtest.h>

namespace tv::wizard {
namespace {

TEST(ChoiceLineTest, FixedColumns) {
    //                      1234567890123456789012345678901
    const auto line = ParseChoiceLine("DN150              C 0150Nominell DN 150");
    EXPECT_EQ(line.key, "DN150");
    EXPECT_EQ(line.letter, "C");
    EXPECT_EQ(line.millimetres, 150);
    EXPECT_EQ(line.description, "Nominell DN 150");

    const auto connection =
        ParseChoiceLine("FLENS              F Flens", kConnectionDescriptionColumn);
    EXPECT_EQ(connection.key, "FLENS");
    EXPECT_EQ(connection.letter, "F");
    EXPECT_EQ(connection.description, "Flens");
}

TEST(ChoiceLineTest, ShortLinesHaveNoLetter) {
    const auto line = ParseChoiceLine("DN80 short");
    EXPECT_EQ(line.key, "DN80");
    EXPECT_EQ(line.letter, "") << "a line shorter than 20 names no letter";
    EXPECT_EQ(line.millimetres, 0);
    EXPECT_EQ(line.description, "");
    EXPECT_EQ(ParseChoiceLine("").key, "");
    EXPECT_EQ(ParseChoiceLine("KEYWITHOUTBLANKSANDLONG").key, "KEYWITHOUTBLANKSANDLONG");
}

TEST(ChoiceLineTest, MillimetresBeyondFourDigitsAreHeld) {
    const auto line = ParseChoiceLine("DN150              C 9e99Nominell");
    EXPECT_EQ(line.millimetres, 9999);
    EXPECT_TRUE(line.millimetresHeld);
    EXPECT_EQ(ParseChoiceLine("DN150              C -9e9x").millimetres, -9999);
    EXPECT_FALSE(ParseChoiceLine("DN150              C 0150").millimetresHeld);
}

TEST(ChoiceLineTest, FourDigits) {
    EXPECT_EQ(FourDigits(80), "0080");
    EXPECT_EQ(FourDigits(100), "0100");
    EXPECT_EQ(FourDigits(1250), "1250");
    EXPECT_EQ(FourDigits(0), "0000");
    EXPECT_EQ(FourDigits(9999), "9999");
    EXPECT_EQ(FourDigits(10000), "10000") << "more digits are all written";
    EXPECT_EQ(FourDigits(-5), "-005") << "the sign takes a place";
}

} // namespace
} // namespace tv::wizard
