#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "gfx/CRectPacker.h"
#include "gfx/PowerOfTwo.h"

namespace {

// A caller's record as the font atlas makes them: the packed rectangle first,
// then the caller's own data.
struct Record : PackRect {
  int id = 0;
};

Record MakeRecord(int id, int width, int height, int x = -1, int y = -1) {
  Record r;
  r.id = id;
  r.x = x;
  r.y = y;
  r.width = width;
  r.height = height;
  return r;
}

::testing::AssertionResult SameRect(const PackRect& actual, int x, int y, int width, int height) {
  if (actual.x == x && actual.y == y && actual.width == width && actual.height == height)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ", " << actual.width << ", "
                                       << actual.height << ") instead of (" << x << ", " << y << ", " << width
                                       << ", " << height << ")";
}

const PackRect kTextureBounds{1, 1, 2046, 2046};  // a 2048 texture with a one-texel border

}  // namespace

TEST(CRectPackerTest, OneRectangleLandsInTheCornerAndLeavesThreeFreeRectangles) {
  CRectPacker packer;
  Record r = MakeRecord(0, 10, 20);
  packer.AddFreeRect(kTextureBounds);
  packer.AddRect(&r);
  EXPECT_EQ(packer.GetSize(), 0);
  EXPECT_TRUE(packer.Pack(1));
  EXPECT_EQ(r.x, 1);
  EXPECT_EQ(r.y, 1);
  EXPECT_EQ(packer.GetSize(), 32);  // max(NextPowerOfTwo(11), NextPowerOfTwo(21))
  const std::vector<PackRect>& free = packer.GetFreeRects();
  ASSERT_EQ(free.size(), 3u);
  EXPECT_TRUE(SameRect(free[0], 12, 1, 2035, 20));    // right of it, as tall as it
  EXPECT_TRUE(SameRect(free[1], 1, 22, 10, 2025));    // below it, as wide as it
  EXPECT_TRUE(SameRect(free[2], 12, 22, 2035, 2025)); // the corner block
  // The caller's own data is untouched.
  EXPECT_EQ(r.id, 0);
  EXPECT_EQ(r.width, 10);
  EXPECT_EQ(r.height, 20);
}

TEST(CRectPackerTest, LargestAreaGoesFirstAndEqualAreasTakeTheLaterAddedFirst) {
  CRectPacker packer;
  Record first = MakeRecord(1, 10, 10);
  Record second = MakeRecord(2, 10, 10);
  packer.AddFreeRect({0, 0, 100, 100});
  packer.AddRect(&first);
  packer.AddRect(&second);
  EXPECT_TRUE(packer.Pack(1));
  EXPECT_EQ(second.x, 0);
  EXPECT_EQ(second.y, 0);
  // Right strip and below strip both cost 32; the older, right one wins.
  EXPECT_EQ(first.x, 11);
  EXPECT_EQ(first.y, 0);
  EXPECT_EQ(packer.GetSize(), 32);

  // Area, not width or order, decides: 3 x 40 (120) before 10 x 10 (100).
  CRectPacker byArea;
  Record square = MakeRecord(3, 10, 10);
  Record tall = MakeRecord(4, 3, 40);
  byArea.AddFreeRect({0, 0, 100, 100});
  byArea.AddRect(&tall);
  byArea.AddRect(&square);
  EXPECT_TRUE(byArea.Pack(1));
  EXPECT_EQ(tall.x, 0);
  EXPECT_EQ(tall.y, 0);
  EXPECT_EQ(square.x, 4);
  EXPECT_EQ(square.y, 0);
}

TEST(CRectPackerTest, AFreeRectangleThatFitsWithoutGrowingEndsTheScan) {
  // The first free rectangle costs 64 and the atlas is already 64 wide, so the
  // cheaper second one (cost 16) is never looked at.
  CRectPacker packer;
  Record big = MakeRecord(0, 40, 40);
  Record small = MakeRecord(1, 4, 4);
  packer.AddFreeRect({0, 0, 40, 40});
  packer.AddFreeRect({50, 0, 10, 10});
  packer.AddFreeRect({0, 0, 8, 8});  // overlaps on purpose: only its cost matters here
  packer.AddRect(&big);
  packer.AddRect(&small);
  EXPECT_TRUE(packer.Pack(0));
  EXPECT_EQ(packer.GetSize(), 64);
  EXPECT_EQ(small.x, 50);
  EXPECT_EQ(small.y, 0);

  // Before anything grew the atlas, the cheapest free rectangle wins.
  CRectPacker cheapest;
  Record alone = MakeRecord(2, 4, 4);
  cheapest.AddFreeRect({50, 0, 10, 10});
  cheapest.AddFreeRect({0, 0, 8, 8});
  cheapest.AddRect(&alone);
  EXPECT_TRUE(cheapest.Pack(0));
  EXPECT_EQ(alone.x, 0);
  EXPECT_EQ(cheapest.GetSize(), 4);
}

TEST(CRectPackerTest, TheGapDecidesWhetherStripsAreLeft) {
  // Width plus gap reaching the free width: no right strip and no corner.
  CRectPacker packer;
  Record r = MakeRecord(0, 10, 5);
  packer.AddFreeRect({0, 0, 11, 50});
  packer.AddRect(&r);
  EXPECT_TRUE(packer.Pack(1));
  ASSERT_EQ(packer.GetFreeRects().size(), 1u);
  EXPECT_TRUE(SameRect(packer.GetFreeRects()[0], 0, 6, 10, 44));

  // One texel narrower: a right strip one texel wide, and the corner.
  CRectPacker narrower;
  Record n = MakeRecord(0, 9, 5);
  narrower.AddFreeRect({0, 0, 11, 50});
  narrower.AddRect(&n);
  EXPECT_TRUE(narrower.Pack(1));
  ASSERT_EQ(narrower.GetFreeRects().size(), 3u);
  EXPECT_TRUE(SameRect(narrower.GetFreeRects()[0], 10, 0, 1, 5));
  EXPECT_TRUE(SameRect(narrower.GetFreeRects()[1], 0, 6, 9, 44));
  EXPECT_TRUE(SameRect(narrower.GetFreeRects()[2], 10, 6, 1, 44));

  // Height plus gap reaching the free height: no strip below and no corner.
  CRectPacker flat;
  Record f = MakeRecord(0, 5, 8);
  flat.AddFreeRect({0, 0, 30, 10});
  flat.AddRect(&f);
  EXPECT_TRUE(flat.Pack(2));
  ASSERT_EQ(flat.GetFreeRects().size(), 1u);
  EXPECT_TRUE(SameRect(flat.GetFreeRects()[0], 7, 0, 23, 8));

  // An exact fit leaves nothing.
  CRectPacker exact;
  Record e = MakeRecord(0, 30, 10);
  exact.AddFreeRect({0, 0, 30, 10});
  exact.AddRect(&e);
  EXPECT_TRUE(exact.Pack(0));
  EXPECT_TRUE(exact.GetFreeRects().empty());
}

TEST(CRectPackerTest, ZeroSizeRectanglesTakeAFreeRectangleLikeAnyOther) {
  CRectPacker packer;
  Record blank = MakeRecord(0, 0, 0);
  packer.AddFreeRect(kTextureBounds);
  packer.AddRect(&blank);
  EXPECT_TRUE(packer.Pack(1));
  EXPECT_EQ(blank.x, 1);
  EXPECT_EQ(blank.y, 1);
  EXPECT_EQ(packer.GetSize(), 1);
  const std::vector<PackRect>& free = packer.GetFreeRects();
  ASSERT_EQ(free.size(), 3u);
  EXPECT_TRUE(SameRect(free[0], 2, 1, 2045, 0));
  EXPECT_TRUE(SameRect(free[1], 1, 2, 0, 2045));
  EXPECT_TRUE(SameRect(free[2], 2, 2, 2045, 2045));

  // A second blank goes into the empty strip to its right: every free
  // rectangle costs 2, and the oldest is tried first.
  CRectPacker two;
  Record a = MakeRecord(1, 0, 0);
  Record b = MakeRecord(2, 0, 0);
  two.AddFreeRect(kTextureBounds);
  two.AddRect(&a);
  two.AddRect(&b);
  EXPECT_TRUE(two.Pack(1));
  EXPECT_EQ(b.x, 1);
  EXPECT_EQ(b.y, 1);
  EXPECT_EQ(a.x, 2);
  EXPECT_EQ(a.y, 1);
  EXPECT_EQ(two.GetSize(), 2);
}

TEST(CRectPackerTest, WithoutFreeRectanglesNothingIsPlacedAndTheSizeStays) {
  CRectPacker fresh;
  Record r = MakeRecord(0, 4, 4, 7, 9);
  fresh.AddRect(&r);
  EXPECT_FALSE(fresh.Pack(1));
  EXPECT_EQ(fresh.GetSize(), 0);
  EXPECT_EQ(r.x, 7);
  EXPECT_EQ(r.y, 9);

  // An exact fit uses up the only free rectangle; packing again finds none
  // and keeps the size the first packing reached.
  CRectPacker used;
  Record first = MakeRecord(1, 10, 20);
  used.AddFreeRect({0, 0, 10, 20});
  used.AddRect(&first);
  EXPECT_TRUE(used.Pack(1));
  EXPECT_EQ(used.GetSize(), 32);
  Record late = MakeRecord(2, 1, 1, 5, 6);
  used.AddRect(&late);
  EXPECT_FALSE(used.Pack(1));
  EXPECT_EQ(used.GetSize(), 32);
  EXPECT_EQ(late.x, 5);
  EXPECT_EQ(late.y, 6);

  // Free rectangles that end at the origin hold nothing either.
  CRectPacker empty;
  empty.AddFreeRect({0, 0, 0, 0});
  empty.AddRect(&r);
  EXPECT_FALSE(empty.Pack(1));
  EXPECT_EQ(r.x, 7);
}

TEST(CRectPackerTest, ARectangleWithoutRoomKeepsItsPlaceWhileTheOthersArePlaced) {
  CRectPacker packer;
  Record wide = MakeRecord(0, 40, 5, -3, -4);
  Record a = MakeRecord(1, 10, 10);
  Record b = MakeRecord(2, 5, 5);
  packer.AddFreeRect({0, 0, 32, 32});
  packer.AddRect(&a);
  packer.AddRect(&wide);
  packer.AddRect(&b);
  EXPECT_FALSE(packer.Pack(1));
  EXPECT_EQ(wide.x, -3);
  EXPECT_EQ(wide.y, -4);
  EXPECT_EQ(a.x, 0);
  EXPECT_EQ(a.y, 0);
  EXPECT_EQ(b.x, 11);
  EXPECT_EQ(b.y, 0);
  EXPECT_EQ(packer.GetSize(), 16);
}

TEST(CRectPackerTest, ResetForgetsEverythingButTheCallersRecords) {
  CRectPacker packer;
  Record r = MakeRecord(0, 10, 20);
  packer.AddFreeRect(kTextureBounds);
  packer.AddRect(&r);
  ASSERT_TRUE(packer.Pack(1));
  packer.Reset();
  EXPECT_EQ(packer.GetSize(), 0);
  EXPECT_TRUE(packer.GetFreeRects().empty());
  EXPECT_FALSE(packer.Pack(1));
  EXPECT_EQ(r.x, 1);
  EXPECT_EQ(r.y, 1);
  // After a reset the packer starts over like a new one.
  Record s = MakeRecord(1, 3, 3);
  packer.AddFreeRect({0, 0, 8, 8});
  packer.AddRect(&s);
  EXPECT_TRUE(packer.Pack(1));
  EXPECT_EQ(packer.GetSize(), 4);
  EXPECT_EQ(r.x, 1);  // no longer the packer's
}

TEST(CRectPackerTest, PlacedRectanglesNeverOverlapGapIncludedAndStayInBounds) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    const int gap = static_cast<int>(seed % 3);
    const int maxSide = 1 + static_cast<int>(random() % 48);
    const PackRect bounds{1, 1, 300 + static_cast<int>(random() % 300), 300 + static_cast<int>(random() % 300)};
    std::vector<Record> records;
    const int count = 50 + static_cast<int>(random() % 250);
    for (int i = 0; i < count; ++i)
      records.push_back(MakeRecord(i, static_cast<int>(random() % (maxSide + 1)),
                                   static_cast<int>(random() % (maxSide + 1)), -1000, -1000));
    CRectPacker packer;
    packer.AddFreeRect(bounds);
    for (Record& r : records) packer.AddRect(&r);
    const bool allPlaced = packer.Pack(gap);

    std::vector<const Record*> placed;
    for (const Record& r : records)
      if (r.x != -1000) placed.push_back(&r);
    EXPECT_EQ(allPlaced, placed.size() == records.size());
    ASSERT_FALSE(placed.empty());

    std::int64_t extent = 0;
    for (const Record* r : placed) {
      EXPECT_GE(r->x, bounds.x);
      EXPECT_GE(r->y, bounds.y);
      EXPECT_LE(r->x + r->width, bounds.x + bounds.width);
      EXPECT_LE(r->y + r->height, bounds.y + bounds.height);
      extent = std::max<std::int64_t>(extent, std::max(r->x + r->width, r->y + r->height));
    }
    // The size is the smallest power of two that holds every placed rectangle.
    EXPECT_EQ(static_cast<std::uint32_t>(packer.GetSize()), NextPowerOfTwo(static_cast<std::uint32_t>(extent)));

    for (std::size_t i = 0; i < placed.size(); ++i) {
      for (std::size_t j = i + 1; j < placed.size(); ++j) {
        const Record& a = *placed[i];
        const Record& b = *placed[j];
        const bool apart = a.x + a.width + gap <= b.x || b.x + b.width + gap <= a.x ||
                           a.y + a.height + gap <= b.y || b.y + b.height + gap <= a.y;
        EXPECT_TRUE(apart) << "records " << a.id << " and " << b.id;
      }
    }
  }
}

using CRectPackerDeathTest = ::testing::Test;

TEST_F(CRectPackerDeathTest, AddingANullRectangleStopsTheProgram) {
  CRectPacker packer;
  EXPECT_DEATH(packer.AddRect(nullptr), "Assertion failed: pRect, file CRectPacker.cpp, line 16");
}
