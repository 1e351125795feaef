#pragma once

#include <cstdint>
#include <vector>

#include "ai/players/CBlueSightings.h"
#include "ai/players/CGreenSight.h"
#include "units/TankState.h"

// The computer's Hard level as it first shipped, kept to play Green in the
// tests so that later Hard levels can be measured against it. It plans the
// whole team at once from what Green sees and remembers (CGreenSight) and
// the public centre count, exactly as that Hard level planned Blue:
//
// Each tank tries every sequence of turns and moves that fits into a turn,
// then fires with the steps left when its end state faces an enemy. An end
// state is rated by the damage it deals (more for a flank or rear shot, for
// the weakest enemy and for a kill), by the fire it stands in, and by how far
// it still is from the tank's goal, measured along the open cells:
//  - while the enemy holds the centre, every tank makes for the cells from
//    which the holder, or an enemy waiting near it to take its place, is
//    shot in the side or from behind;
//  - otherwise the tank nearest the centre takes or keeps it, the others
//    hunt the known enemies nearest the centre from their flanks, or gather
//    near the centre when no enemy is known;
//  - a badly damaged tank goes to a repair cell and stays until mended.
// Tanks are planned one after the other, and each keeps out of the cells and
// firing lines of those already planned and shares out their damage.
class CLegacyHardGreen {
 public:
  // A tank with this many hit points or fewer makes for a repair cell ...
  static constexpr std::int32_t mc_repairBelow = 40;
  // ... and stays on it until it has this many.
  static constexpr std::int32_t mc_repairedAt = 90;

  // A new game: nothing is known of Blue.
  void Reset() { m_memory.Clear(); }
  // One turn end: remembers what Green sees (the sight has looked), then
  // replaces every living Green tank's queue by its plan for the coming turn.
  void PlanTurn(CGreenSight& sight);

 private:
  // A Blue tank Green knows of, seen now, remembered or inferred.
  struct Enemy {
    TankState m_state;      // where it stands and faces, as last known
    bool m_headingKnown;    // false for a holder of the centre known only from the count
    float m_certainty;      // 1 for a tank in sight, less the older the memory
    std::int32_t m_hpLeft;  // hit points left after the damage planned so far
  };
  // One way of spending a turn: moves, then shots at a target.
  struct Plan {
    std::uint8_t m_moves[4];   // the turns and moves, in order
    std::int32_t m_moveCount;  // moves used
    std::int32_t m_shots;      // shots after the moves
    std::int32_t m_target;     // the enemy shot at, or -1
    float m_score;             // the rating of the end state
    TankState m_end;           // where the tank ends
  };
  // Which distance field leads a tank, and whether the centre cell rewards it.
  struct Role {
    const std::vector<std::int32_t>* m_field;  // distance to the tank's goal per cell, or null
    bool m_holdsCentre;                        // standing on the centre is worth its hold bonus
    float m_dangerWeight;                      // how much a point of damage taken costs
  };

  void Prepare(const CGreenSight& sight);
  void GatherEnemies();
  void AddEnemyFire(const Enemy& enemy);
  void AddFireFromBehind(const TankState& tank);
  // Multi-source distances over open cells not held by a known enemy.
  void FillField(std::vector<std::int32_t>& field);
  // Marks as sources the cells from which the enemy is shot in the side or
  // from behind (any side when its heading is unknown).
  void MarkFlankCells(std::vector<std::int32_t>& field, const Enemy& enemy);
  Role ChooseRole(const TankState& tank, bool taker) const;
  void PlanTank(CGreenSight& sight, const CGreenSight::Own& tank, const Role& role);
  void Search(const TankState& state, std::int32_t budget, Plan& path, const Role& role, Plan& best) const;
  float Rate(const TankState& state, std::int32_t budget, Plan& path, const Role& role) const;
  // The enemy a shell from (x, y) along heading index d meets first, or -1
  // (a wall, the map's edge or a friend first).
  std::int32_t TargetAlong(std::int32_t x, std::int32_t y, std::int32_t d) const;
  void Commit(CGreenSight& sight, std::uint32_t slot, const Plan& plan);

  bool IsOpen(std::int32_t x, std::int32_t y) const;
  bool IsRepairCell(std::int32_t x, std::int32_t y) const;
  std::int32_t Cell(std::int32_t x, std::int32_t y) const { return x + y * m_width; }

  CBlueSightings m_memory;   // Blue as last seen, across turn ends
  std::int32_t m_width = 0;  // the battlefield's size this turn end
  std::int32_t m_height = 0;
  std::vector<MapCell> m_repairCells;    // the battlefield's repair cells
  std::vector<std::uint8_t> m_walls;     // 1 on a wall cell
  std::vector<std::int16_t> m_occupant;  // per cell: enemy index, kFriend, or -1
  std::vector<float> m_shots[4];  // per heading index, enemy shells expected per turn into the cell travelling that way
  std::vector<std::uint8_t> m_friendLine;   // 1 on cells a planned friend fires across
  std::vector<std::int32_t> m_centreField;  // steps to the centre cell
  std::vector<std::int32_t> m_flankField;   // steps to a free firing cell on a flank of the enemies nearest the centre
  std::vector<std::uint8_t> m_heldFiringCell;     // 1 on such a firing cell where a friend stands already
  std::vector<std::int32_t> m_ringField;          // steps to the cells around the centre
  std::vector<std::int32_t> m_repairField;        // steps to a free repair cell
  std::vector<std::int32_t> m_queue;              // the breadth-first search's cells
  Enemy m_enemies[CGreenSight::mc_maxSlots + 1];  // the known enemies; one more for an unseen holder
  std::int32_t m_enemyCount = 0;                  // entries of m_enemies in use
  std::int32_t m_holder = -1;                     // the enemy on the centre cell, or -1
  std::int32_t m_centre = 0;                      // the centre's cell index
  MapCell m_centreCell = {0, 0};                  // the centre cell
  std::int32_t m_home = 0;                        // cell of the tank being planned
  std::uint32_t m_enemyHold = 0;                  // turn ends the enemy has held the centre
  std::uint32_t m_ownHold = 0;                    // turn ends this team has held it
  bool m_hasFlankGoal = false;                    // m_flankField leads somewhere
};
