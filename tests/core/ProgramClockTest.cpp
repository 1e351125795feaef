#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/ProgramClock.h"

// The pulses read this clock every frame: it must count from the program's
// start, in seconds, and never go back.
TEST(ProgramClockTest, CountsSecondsFromTheProgramsStartAndNeverGoesBack) {
  const double first = SecondsSinceProgramStart();
  EXPECT_GE(first, 0.0);
  // The test program has not been running for an hour.
  EXPECT_LT(first, 3600.0);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const double second = SecondsSinceProgramStart();
  EXPECT_GE(second - first, 0.019);  // seconds, not milliseconds
  EXPECT_LT(second - first, 5.0);
}
