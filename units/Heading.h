#pragma once

#include <cstdint>

// A tank's heading in each of the forms the game uses, and the one place that
// converts between them: a unit vector (dx, dy) along the grid, the heading
// index of path finding and the planner, the facing code of the field of view
// and an angle for drawing.

// A heading as a unit vector.
struct HeadingVector {
  std::int32_t dx;  // x component
  std::int32_t dy;  // y component
};

// The heading index: 0 = +x, 1 = +y, 2 = -x, 3 = -y, counting quarter turns
// counter-clockwise; kAnyHeading where a goal accepts every heading.
constexpr std::int32_t kAnyHeading = 4;

// Whether (dx, dy) is one of the four headings.
bool IsHeading(std::int32_t dx, std::int32_t dy);
// Quarter turns counter-clockwise from one heading index to another, 0 to 3.
constexpr std::int32_t QuarterTurns(std::int32_t from, std::int32_t to) { return ((to - from) % 4 + 4) % 4; }
// Heading index of a heading vector.
std::int32_t HeadingIndex(std::int32_t dx, std::int32_t dy);
// Heading vector of a heading index from 0 to 3 (any other index stops the program).
HeadingVector HeadingFromIndex(std::int32_t index);
// Facing code of a heading vector for the field of view: eighths of a turn
// clockwise from +x, so (1, 0) is 0, (0, -1) 2, (-1, 0) 4 and (0, 1) 6.
std::int32_t FacingCode(std::int32_t dx, std::int32_t dy);
// The heading's angle in whole degrees, counter-clockwise from +x: 0, 90, 180 or -90.
std::int32_t HeadingAngle(std::int32_t dx, std::int32_t dy);

// Degrees and radians, to the precision the pictures were made with.
constexpr float kRadiansPerDegree = 0.0174533f;
constexpr float kDegreesPerRadian = 57.29578f;
