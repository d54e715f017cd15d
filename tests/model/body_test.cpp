#include "model/body.h"

#include <gtest/gtest.h>

#include <utility>

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

}  // namespace
}  // namespace mrv
