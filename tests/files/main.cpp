// The file tests, or the second program that a test of two programs at once started.
#include <gtest/gtest.h>

#include "support/second_program.h"

int main(int argc, char** argv) {
  if (const auto code = mrv::test::RunSecondProgram(argc, argv)) return *code;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
