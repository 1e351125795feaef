#pragma once

#include <cstdint>

// How a shell met the tank it hit.
enum class HitSide : std::uint8_t {
  Rear,        // it travelled the way the tank faces
  Side,
  Front,
  RepairCell,  // the tank stood on a repair cell: the side does not matter
};

// What a shell did to the tank it reached.
struct TankHit {
  HitSide m_side;          // where it struck
  std::int32_t m_damage;   // hit points taken
};
