#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/CHeldStderr.h"

// What libraries print while it holds, through stdio or straight to the
// descriptor, is either handed to the game or shown late, never lost; and
// standard error shows again afterwards.
TEST(CHeldStderrTest, HandsOverOrShowsWhatItHeldAndLetsStandardErrorThroughAfter) {
  testing::internal::CaptureStderr();
  std::fputs("before ", stderr);
  std::string released;
  {
    CHeldStderr held;
    std::fputs("taken ", stderr);
    const char raw[] = "raw";
    EXPECT_EQ(write(2, raw, sizeof raw - 1), static_cast<ssize_t>(sizeof raw - 1));
    released = held.Release();
    EXPECT_EQ(held.Release(), "");
    std::fputs("after ", stderr);
  }
  {
    const CHeldStderr held;
    std::fputs("late ", stderr);
  }
  std::fputs("end", stderr);
  EXPECT_EQ(released, "taken raw");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "before after late end");
}
