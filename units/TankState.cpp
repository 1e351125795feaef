#include "units/TankState.h"

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

std::int32_t TankState::Angle() const { return HeadingAngle(dx, dy); }
