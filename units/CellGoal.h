#pragma once

#include <cstdint>

#include "units/TankState.h"

// A cell to reach and the heading to reach it with (kAnyHeading: any), as the
// planner keeps it for each computer tank.
struct CellGoal {
  std::int32_t x = 0;                  // column
  std::int32_t y = 0;                  // row
  std::int32_t heading = kAnyHeading;  // heading index 0 to 3, or kAnyHeading
};
