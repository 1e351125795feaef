#pragma once

#include <cstdint>

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
  // The heading's angle in whole degrees, counter-clockwise from +x: 0, 90, 180 or -90.
  std::int32_t Angle() const;
};

// The heading index of path finding and the planner: 0 = +x, 1 = +y, 2 = -x,
// 3 = -y, and kAnyHeading (kAnyHeading) where a goal accepts
// every heading.
constexpr std::int32_t kAnyHeading = 4;

// A heading as a unit vector.
struct HeadingVector {
  std::int32_t dx;  // x component
  std::int32_t dy;  // y component
};

// Heading index of a heading vector.
std::int32_t HeadingIndex(std::int32_t dx, std::int32_t dy);
// Heading vector of a heading index from 0 to 3 (any other index stops the program).
HeadingVector HeadingFromIndex(std::int32_t index);
// Facing code of a heading vector for the field of view: eighths of a turn
// clockwise from +x, so (1, 0) is 0, (0, -1) 2, (-1, 0) 4 and (0, 1) 6.
std::int32_t FacingCode(std::int32_t dx, std::int32_t dy);
