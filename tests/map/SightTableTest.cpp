// A team's sight from the battlefield's sight table is exactly what casting
// each tank's beam gives: the table only saves the work.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "map/CSightTable.h"
#include "map/FieldOfViewTestSupport.h"

using namespace maptest;

TEST(SightTableTest, EveryCellAndHeadingSeesWhatItsCastSees) {
  std::mt19937 random(17);
  for (int map = 0; map < 12; ++map) {
    const int width = 2 + static_cast<int>(random() % 24);
    const int height = 2 + static_cast<int>(random() % 21);
    CellSet walls;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (random() % 5 == 0) walls.insert({x, y});
      }
    }
    CMap field;
    LoadField(field, width, height, walls);
    CMap cast(field);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        for (int heading = 0; heading < 4; ++heading) {
          field.ClearVisible();
          field.RevealSight(1, x, y, heading);
          // The viewer's own cell, then its beam, as a tank is seen from.
          CellSet expected = Cast(cast, x, y, (8 - 2 * heading) % 8);
          expected.insert({x, y});
          ASSERT_EQ(Visible(field, 1), expected) << width << "x" << height << " map " << map << " from " << x << ","
                                                 << y << " heading " << heading;
        }
      }
    }
  }
}
