#include <gtest/gtest.h>

#include "core/Assert.h"

namespace {

int CheckedIndex(int index, int size) {
  KV_ASSERT(index < size);
  return index;
}

}  // namespace

using AssertDeathTest = ::testing::Test;

TEST_F(AssertDeathTest, ReportsTheExpressionAsWrittenWithFileAndLine) {
  EXPECT_DEATH(CheckedIndex(3, 2), "Assertion failed: index < size, file AssertTest.cpp, line [0-9]+");
}

TEST_F(AssertDeathTest, PassingAssertionDoesNothing) { EXPECT_EQ(CheckedIndex(1, 2), 1); }
