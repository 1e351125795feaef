#include "units/Heading.h"

#include "core/Assert.h"

bool IsHeading(std::int32_t dx, std::int32_t dy) {
  return (dx == 0 && (dy == 1 || dy == -1)) || (dy == 0 && (dx == 1 || dx == -1));
}

std::int32_t HeadingIndex(std::int32_t dx, std::int32_t dy) {
  if (dx > 0) return 0;
  if (dx < 0) return 2;
  return dy > 0 ? 1 : 3;
}

HeadingVector HeadingFromIndex(std::int32_t index) {
  KV_ASSERT(index >= 0 && index < kAnyHeading);
  static constexpr HeadingVector kHeadings[kAnyHeading] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  return kHeadings[index];
}

std::int32_t FacingCode(std::int32_t dx, std::int32_t dy) {
  // The index counts quarter turns counter-clockwise, the code eighths clockwise.
  return (8 - 2 * HeadingIndex(dx, dy)) % 8;
}

std::int32_t HeadingAngle(std::int32_t dx, std::int32_t dy) { return dy != 0 ? 90 * dy : 90 - 90 * dx; }
