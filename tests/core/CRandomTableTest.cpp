#include <gtest/gtest.h>

#include <vector>

#include "core/CRandomTable.h"

TEST(CRandomTableTest, DrawsStartAtEntryOneAndRepeatAfterTheWholeTable) {
  CRandomTable table(7);
  std::vector<std::int32_t> first;
  for (std::uint32_t i = 0; i < CRandomTable::mc_size; ++i) first.push_back(table.Next());
  EXPECT_EQ(first[0], table.GetEntry(1));
  EXPECT_EQ(first[CRandomTable::mc_size - 2], table.GetEntry(CRandomTable::mc_size - 1));
  EXPECT_EQ(first[CRandomTable::mc_size - 1], table.GetEntry(0));
  EXPECT_EQ(table.GetCursor(), 0u);
  for (std::uint32_t i = 0; i < CRandomTable::mc_size; ++i) ASSERT_EQ(table.Next(), first[i]) << i;
}

TEST(CRandomTableTest, ASeedGivesOneTableSpreadEvenlyOverItsRange) {
  CRandomTable a(1);
  CRandomTable b(1);
  CRandomTable c(2);
  int differences = 0;
  int bins[8] = {};
  for (std::uint32_t i = 0; i < CRandomTable::mc_size; ++i) {
    const std::int32_t value = a.GetEntry(i);
    ASSERT_GE(value, 0);
    ASSERT_LE(value, CRandomTable::mc_maxValue);
    ASSERT_EQ(value, b.GetEntry(i));
    differences += value != c.GetEntry(i);
    ++bins[value / 4096];
  }
  EXPECT_GT(differences, 16000);
  // 2048 values a bin are expected; a spread of 10 % is some 9 standard deviations.
  for (int bin : bins) {
    EXPECT_GT(bin, 1843);
    EXPECT_LT(bin, 2253);
  }
  // Refilling starts over.
  a.Next();
  a.SetEntry(5, 0);
  a.Fill(2);
  EXPECT_EQ(a.GetCursor(), 0u);
  for (std::uint32_t i = 0; i < CRandomTable::mc_size; ++i) ASSERT_EQ(a.GetEntry(i), c.GetEntry(i)) << i;
}

TEST(CRandomTableTest, RandomStaysBelowItsBoundAtBothEndsOfTheTable) {
  CRandomTable table(3);
  const std::int32_t values[] = {0, 1, 16383, 16384, 32766, 32767};
  for (std::uint32_t i = 0; i < 6; ++i) table.SetEntry(i + 1, values[i]);
  const std::int32_t n7[] = {0, 0, 3, 3, 6, 6};
  for (std::int32_t expected : n7) EXPECT_EQ(table.Random(7), expected);
  table.Fill(3);
  table.SetEntry(1, 32767);
  table.SetEntry(2, 32767);
  table.SetEntry(3, 0);
  EXPECT_EQ(table.Random(1), 0);
  EXPECT_EQ(table.Random(1000000), 999969);  // no overflow of the product
  EXPECT_EQ(table.Random(1000000), 0);
}

TEST(CRandomTableDeathTest, OutOfRangeUseStopsTheProgram) {
  CRandomTable table(3);
  EXPECT_DEATH(table.Random(0), "n >= 1");
  EXPECT_DEATH(table.SetEntry(0, 32768), "value >= 0 && value <= mc_maxValue");
  EXPECT_DEATH(table.GetEntry(CRandomTable::mc_size), "index < mc_size");
}
