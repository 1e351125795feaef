#pragma once

#include <cstdint>

class CMap;
class CTank;

// What a tank needs of the match it stands in while it carries out a step:
// the battlefield, where the other tanks stand, and someone to tell what its
// moves, shells and repairs did. The tank keeps no pointer to it, so a match
// can be copied with its tanks.
class CTankArena {
 public:
  // The battlefield the tanks stand on.
  virtual const CMap& GetMap() const = 0;
  // A tank stands on (x, y) whose team is not exceptTeam (CTank::mc_noTeam: any tank).
  virtual bool IsTankAt(std::int32_t x, std::int32_t y, std::int32_t exceptTeam) const = 0;
  // The shooter's shell stopped on (x, y): at a wall, the map's edge or the
  // first tank there, which takes the hit.
  virtual void ShellLands(const CTank& shooter, std::int32_t x, std::int32_t y) = 0;
  // The tank moved or turned: its engine runs.
  virtual void TankMoved(const CTank& tank) = 0;
  // The tank regained `amount` hit points on a repair cell.
  virtual void TankRepaired(const CTank& tank, std::int32_t amount) = 0;

 protected:
  ~CTankArena() = default;
};
