#pragma once

#include <cstdint>

#include "units/Heading.h"

// A tank's cell, heading and hit points: its present state, the planned state
// before and after each queued command, or a simulated state of the planner.
struct TankState {
  std::int32_t x = 0;     // column, growing to the right
  std::int32_t y = 0;     // row, growing upward
  std::int32_t dx = 0;    // heading, x component: one of (1, 0), (0, 1), (-1, 0), (0, -1)
  std::int32_t dy = 1;    // heading, y component
  std::int32_t hp = 100;  // hit points; below 1 the tank is destroyed

  // One cell along the heading.
  void Advance();
  // One cell against the heading.
  void Retreat();
  // A quarter turn in place; right is clockwise on screen.
  void Turn(bool right);
  // The heading's angle in degrees, as HeadingAngle gives it.
  std::int32_t Angle() const;
};
