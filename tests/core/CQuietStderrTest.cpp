#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/CQuietStderr.h"

// What libraries print while a quiet scope lasts, through stdio or straight
// to the descriptor, goes nowhere; what is printed before and after still
// shows, in order, also after nested scopes.
TEST(CQuietStderrTest, HidesStandardErrorOnlyWhileItLasts) {
  testing::internal::CaptureStderr();
  std::fputs("before ", stderr);
  {
    const CQuietStderr quiet;
    std::fputs("hidden ", stderr);
    {
      const CQuietStderr nested;
      std::fputs("nested ", stderr);
    }
    const char raw[] = "raw ";
    EXPECT_EQ(write(2, raw, sizeof raw - 1), static_cast<ssize_t>(sizeof raw - 1));
    std::fputs("unflushed", stderr);
  }
  std::fputs("after", stderr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "before after");
}
