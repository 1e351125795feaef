#include "units/TankState.h"

#include "engine/Assert.h"

void TankState::Advance() {
  x += dx;
  y += dy;
}

void TankState::Retreat() {
  x -= dx;
  y -= dy;
}

void TankState::Turn(bool right) {
  const std::int32_t oldDx = dx;
  if (right) {
    dx = dy;
    dy = -oldDx;
  } else {
    dx = -dy;
    dy = oldDx;
  }
}

std::int32_t TankState::Angle() const { return dy != 0 ? 90 * dy : 90 - 90 * dx; }

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
