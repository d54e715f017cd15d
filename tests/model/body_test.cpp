#include "model/body.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace mrv {
namespace {

TEST(BodyTest, LocationsFoldIntoAreas) {
  // clang-format off
  for (auto [location, area] : std::initializer_list<std::pair<const char*, int>>{
           {"Head", 0}, {"Helmet", 0}, {"Right Leg", 6}, {"Left Leg", 5}, {"Left Foot", 9},
           {"Back", 1}, {"Stomach", 4}, {"Right Hand", 8}, {"head", -1}}) {
    // clang-format on
    EXPECT_EQ(HitLocationToArea(location), area) << location;
  }
}

TEST(BodyTest, ArrayHelpers) {
  std::vector<std::int32_t> values = {3, 7, 7, 1};
  EXPECT_EQ(SumOf(values), 18);
  EXPECT_EQ(MaxOf(values), 7);
  EXPECT_EQ(IndexOfMax(values), 1);
  // Nothing above 0: both say -1.
  for (const std::vector<std::int32_t>& none : {std::vector<std::int32_t>{}, {-5, -9}}) {
    EXPECT_EQ(MaxOf(none), -1);
    EXPECT_EQ(IndexOfMax(none), -1);
  }
  FillIntegers(values, 9, 2);
  EXPECT_EQ(values, (std::vector<std::int32_t>{9, 9, 7, 1}));
  FillIntegers(values, 0, 0);
  EXPECT_EQ(values[0], 9);
}

}  // namespace
}  // namespace mrv
