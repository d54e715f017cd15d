#include "model/body.h"

#include <gtest/gtest.h>

#include <vector>

namespace mrv {
namespace {

TEST(Body, LocationsFoldIntoAreas) {
  EXPECT_EQ(HitLocationToArea("Head"), 0);
  EXPECT_EQ(HitLocationToArea("Helmet"), 0);
  EXPECT_EQ(HitLocationToArea("Right Leg"), 6);
  EXPECT_EQ(HitLocationToArea("Left Leg"), 5);
  EXPECT_EQ(HitLocationToArea("Left Foot"), 9);
  EXPECT_EQ(HitLocationToArea("Back"), 1);
  EXPECT_EQ(HitLocationToArea("Stomach"), 4);
  EXPECT_EQ(HitLocationToArea("Right Hand"), 8);
  EXPECT_EQ(HitLocationToArea("head"), -1);
}

TEST(Body, ArrayHelpers) {
  std::vector<std::int32_t> values = {3, 7, 7, 1};
  EXPECT_EQ(SumOf(values), 18);
  EXPECT_EQ(MaxOf(values), 7);
  EXPECT_EQ(IndexOfMax(values), 1);
  EXPECT_EQ(MaxOf({}), -1);
  EXPECT_EQ(IndexOfMax({}), -1);
  std::vector<std::int32_t> low = {-5, -9};
  EXPECT_EQ(MaxOf(low), -1);
  EXPECT_EQ(IndexOfMax(low), -1);
  FillIntegers(values, 9, 2);
  EXPECT_EQ(values, (std::vector<std::int32_t>{9, 9, 7, 1}));
  FillIntegers(values, 0, 0);
  EXPECT_EQ(values[0], 9);
}

}  // namespace
}  // namespace mrv
