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

// Damage of a hit from behind, in the side, in the front, and of any hit on
// a repair cell.
inline constexpr std::int32_t kDamageFromBehind = 50;
inline constexpr std::int32_t kDamageInTheSide = 20;
inline constexpr std::int32_t kDamageInTheFront = 10;
inline constexpr std::int32_t kDamageOnRepairCell = 70;

// The rule of damage, the one place every shell and every planner takes it
// from: a shell travelling along heading index `shot` (0 to 3) into a tank
// facing heading index `facing` strikes its rear when both are the same, its
// front when they are opposite and its side otherwise; on a repair cell any
// hit costs the same. Indices outside 0 to 3 stop the program.
TankHit HitOf(std::int32_t shot, std::int32_t facing, bool onRepairCell);
