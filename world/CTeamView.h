#pragma once

#include <cstddef>
#include <cstdint>

#include "map/CMap.h"
#include "world/CTankSlots.h"

class CGameWorld;
class CTank;

// A match as one team knows it, for the computer's planners: the
// battlefield's walls and the cells the team sees (never the other team's
// sight), all of its own tanks, the other team's only where it sees them
// now, and what the screen shows everybody (the turn and the centre count).
// The view reads the match it was made from, which must outlive it.
class CTeamView {
 public:
  // The team (0 or 1; another stops the program) of the match.
  CTeamView(const CGameWorld& match, std::uint32_t team);

  std::uint32_t GetTeam() const { return m_team; }
  std::uint32_t GetEnemyTeam() const { return 1 - m_team; }
  // The battlefield with the team's own sight only.
  const CMap& GetMap() const { return m_map; }
  // The team sees (x, y); false outside the grid.
  bool Sees(std::int32_t x, std::int32_t y) const { return m_map.Sees(m_team, x, y); }
  // The team's own tanks by slot (null once destroyed).
  CTankSlots<const CTank> GetOwnTanks() const;
  // The enemy's slots: how many tanks it began with, as the start screen told.
  std::size_t GetEnemySlots() const;
  // The enemy tank of that slot where the team sees it now; null when it is
  // out of sight, destroyed or the slot does not exist.
  const CTank* GetSeenEnemy(std::size_t slot) const;
  // A tank of the team, or an enemy the team sees, stands on (x, y) and is
  // not of exceptTeam (CTank::mc_noTeam: any such tank).
  bool IsTankAt(std::int32_t x, std::int32_t y, std::int32_t exceptTeam) const;
  // The centre count, as the screen shows it.
  std::int32_t GetHillTeam() const;
  std::uint32_t GetHillCount() const;
  // The turn about to be planned, from 1.
  std::uint32_t GetTurn() const;

 private:
  const CGameWorld& m_match;  // the match seen
  std::uint32_t m_team;       // whose knowledge
  CMap m_map;                 // the battlefield with only the team's sight
};
