#include <gtest/gtest.h>

#include <vector>

#include "app/DepthFallback.h"

TEST(DepthFallbackTest, AsksFor32BitsFirstAndStopsAtTheFirstDepthTheDisplayOffers) {
  std::vector<int> asked;
  const int depth = FirstWorkingDepth([&](int d) {
    asked.push_back(d);
    return d <= 24;
  });
  EXPECT_EQ(depth, 24);
  EXPECT_EQ(asked, (std::vector<int>{32, 24}));
}

TEST(DepthFallbackTest, TriesEveryDepthDownToNoneBeforeGivingUp) {
  std::vector<int> asked;
  EXPECT_EQ(FirstWorkingDepth([&](int d) {
              asked.push_back(d);
              return false;
            }),
            -1);
  EXPECT_EQ(asked, (std::vector<int>{32, 24, 16, 0}));
}
