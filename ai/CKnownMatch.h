#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "map/MapCell.h"
#include "units/TankState.h"
#include "world/CGameWorld.h"

class CEnemyMemory;
class CTeamView;

// The match as one team knows it at a turn end, made a match of its own so
// that a planner can play turns out on copies of it with the real rules: the
// battlefield, the team's own tanks as they stand (busy steps and hit points
// too), the enemy tanks it sees now, those it remembers at the cell and
// heading last seen, and the holder of the centre that the count tells of
// when the team sees none there. An enemy tank the team does not know of is
// never in it: it is built from the team's view and memory alone, never from
// a copy of the real match. A remembered tank is less certain to be where it
// was seen the longer ago that was: its certainty weighs what it may do and
// suffer.
class CKnownMatch {
 public:
  // Percent certainty of an enemy tank seen this many turn ends ago (the
  // last entry for older ones) being where it was seen.
  static constexpr std::int32_t mc_certainty[] = {100, 85, 70, 50, 35, 25, 15};
  // Enemy tanks last seen this many turn ends ago or more are looked for rather than fought.
  static constexpr std::uint32_t mc_lostAge = 3;
  // No tank, no cell.
  static constexpr std::int32_t mc_none = -1;

  // One tank of the known match, in its list order.
  struct Tank {
    std::uint32_t m_team = 0;   // 0 Green, 1 Blue
    std::uint32_t m_slot = 0;   // its slot in the known match: the real one, but for an inferred holder
    TankState m_state;          // as it stands, or as last seen
    std::uint32_t m_age = 0;    // turn ends since the team saw it; 0 for its own and those in sight
    bool m_inferred = false;    // the holder the centre count tells of, its heading guessed
    std::int32_t m_certainty = 100;  // percent: how sure the team is that it stands there
  };

  // Builds the known match from the team's view and its memory of the enemy
  // (already brought up to this turn end). A view without a battlefield
  // gives an empty match without tanks.
  void Build(const CTeamView& view, const CEnemyMemory& memory);

  // The match to copy and play out; every tank's queue is empty.
  const CGameWorld& GetMatch() const { return m_match; }
  // The planning team and its enemy.
  std::uint32_t GetTeam() const { return m_team; }
  std::uint32_t GetEnemy() const { return 1 - m_team; }
  // Its tanks, in the match's list order: the enemy's first by slot, then the team's by slot.
  const std::vector<Tank>& GetTanks() const { return m_tanks; }
  // The index in GetTanks() of the team's tank (or enemy tank) of that slot, or mc_none.
  std::int32_t IndexOf(std::uint32_t team, std::uint32_t slot) const;

  std::int32_t GetWidth() const { return m_width; }
  std::int32_t GetHeight() const { return m_height; }
  // Open ground inside the battlefield; false for walls and outside.
  bool IsOpen(std::int32_t x, std::int32_t y) const {
    return x >= 0 && y >= 0 && x < m_width && y < m_height && m_walls[static_cast<std::size_t>(Cell(x, y))] == 0;
  }
  // The cell's index in per-cell tables, x + y * width; (x, y) must be inside.
  std::int32_t Cell(std::int32_t x, std::int32_t y) const { return x + y * m_width; }
  std::int32_t CellCount() const { return m_width * m_height; }
  bool IsRepairCell(std::int32_t x, std::int32_t y) const;
  MapCell GetCentre() const { return m_centre; }
  // The tank standing on (x, y) at the turn end (its index in GetTanks()), or mc_none.
  std::int32_t TankAt(std::int32_t x, std::int32_t y) const;
  // The tank a shell from (x, y) along heading index d meets first as the
  // tanks stand at the turn end, the tank `ignore` (an index) taken as gone,
  // or mc_none (a wall or the edge first).
  std::int32_t TargetAlong(std::int32_t x, std::int32_t y, std::int32_t d, std::int32_t ignore = mc_none) const;
  // The damage the known match's tank `shooter` (its index) is expected to
  // deal with its first shot of the next turn from the pose, at the best
  // target of the other team as the tanks stand: along a line it faces in
  // full, a side line (a quarter turn first) at three quarters and the line
  // behind at less than half, by the side it strikes and weighed by how sure
  // the team is of the target; in hundredths of a hit point. 0 for an index
  // out of range.
  std::int64_t NextShot(std::size_t shooter, const TankState& pose) const;
  // The team that held the centre at the last turn end and for how many turn ends.
  std::int32_t GetHillTeam() const { return m_match.GetHillTeam(); }
  std::uint32_t GetHillCount() const { return m_match.GetHillCount(); }
  // Enemy slots whose tank the team does not see now: somewhere out of sight, or destroyed.
  std::uint32_t GetUnseenEnemies() const { return m_unseenEnemies; }

 private:
  // Adds the tank to the match and to the list.
  void Add(const Tank& tank);
  // An enemy tank on the cell whose heading is not known: full hit points,
  // facing towards the nearest of the team's tanks (up when it has none).
  TankState InferredHolder(const CTeamView& view, const TankState& at) const;
  // Moves the state to the open cell nearest it (within `reach` moves) that
  // the team does not see and no tank has taken; false when there is none.
  bool NearestUnseen(const CTeamView& view, const std::vector<std::uint8_t>& taken, std::int32_t reach,
                     TankState& state) const;

  CGameWorld m_match;                  // the known match
  std::vector<Tank> m_tanks;           // its tanks in list order
  std::vector<std::int16_t> m_tankAt;  // per cell, the index of the tank on it, or mc_none
  std::vector<std::uint8_t> m_walls;   // per cell, 1 on a wall
  std::uint32_t m_team = 1;            // the planning team
  std::int32_t m_width = 0;            // the battlefield's columns
  std::int32_t m_height = 0;           // and rows
  MapCell m_centre = {0, 0};           // the centre cell
  MapCell m_repair[2] = {};            // the repair cells
  std::int32_t m_repairCount = 0;      // repair cells on the grid
  std::uint32_t m_unseenEnemies = 0;   // see GetUnseenEnemies
};
