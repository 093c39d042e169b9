#include "model/numbers.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(NumberTexts, TwoDigitsAndLeadingNumber) {
  EXPECT_EQ(TwoDigits(7), "07");
  EXPECT_EQ(TwoDigits(49), "49");
  EXPECT_EQ(LeadingNumber("  12abc"), 12);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("71%"), 71);
  EXPECT_EQ(LeadingNumber("  5+"), 5);
}

TEST(NumberTexts, LineKeyAndValidity) {
  const Line line{3, 8, 11, 17, 25, 41};
  EXPECT_EQ(LineKey(line), "030811172541");
  EXPECT_EQ(JoinTwoDigits(line, "-"), "03-08-11-17-25-41");
  EXPECT_TRUE(IsValidLine(line));
  EXPECT_FALSE(IsValidLine({3, 3, 11, 17, 25, 41}));
  EXPECT_FALSE(IsValidLine({0, 3, 11, 17, 25, 41}));
  EXPECT_FALSE(IsValidLine({3, 8, 11, 17, 25, 50}));
}

}  // namespace
}  // namespace bw
