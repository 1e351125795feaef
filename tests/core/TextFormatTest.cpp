#include <gtest/gtest.h>

#include <cstring>

#include "core/TextFormat.h"

TEST(TextFormatTest, FormatsIntoTheBufferAndReturnsIt) {
  char buffer[32];
  const char* text = FormatText(buffer, sizeof buffer, "in %d turns.", 9);
  EXPECT_EQ(text, buffer);
  EXPECT_STREQ(text, "in 9 turns.");
}

TEST(TextFormatTest, CutsTextThatDoesNotFitAndStillTerminates) {
  char buffer[8];
  std::memset(buffer, 'z', sizeof buffer);
  EXPECT_STREQ(FormatText(buffer, sizeof buffer, "%s team", "Green"), "Green t");
}

TEST(TextFormatTest, ZeroSizedBufferIsLeftAlone) {
  char buffer[1] = {'q'};
  FormatText(buffer, 0, "%d", 1);
  EXPECT_EQ(buffer[0], 'q');
}
