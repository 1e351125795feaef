#pragma once

#include <cstdint>
#include <vector>

#include "ai/players/CBlueSightings.h"
#include "ai/players/CGreenSight.h"
#include "ai/players/GreenOrder.h"
#include "map/MapCell.h"
#include "units/TankState.h"

// The step-by-step planning the tactical Green players share. A turn runs in
// four steps; in each, the tanks about to fire shoot first, then the others
// move: a move or a turn takes a step, a step back two, a shot one and keeps
// the tank busy the next. Green plans at the turn end, after Blue, so Blue's
// commands are fixed but unknown: Blue aims at where Green stands now, and
// sees where Green ends.
//
// For one tank the search tries every way of spending the four steps on
// moves, turns, waits and shots and rates each by
//  - the damage its shots are expected to deal to the Blue tanks Green knows
//    (seen now or remembered), more for the side and the back, less the
//    later the shot, since the target may have moved;
//  - the damage expected from Blue's shells this turn: lines from the cells
//    Blue's tanks can reach in time that pass a Green tank's present cell;
//  - the fire its end cell stands in when Blue plans next, and the shot it
//    has from there;
//  - how far it ends from the goal its player gives it.
// Blue sees its half of the battlefield ahead of each tank, walls aside, so
// Blue aims at and plans against a Green tank it does not see far less. A
// shot at nothing known is still worth a little where a Blue tank could have
// driven into its line by then. Tanks are planned one after the other; a
// later tank never stands in an earlier one's cells or lines of fire, nor
// fires through a friend. A game that drags on makes every tank bolder, so
// that it ends. Every rating is an integer: the same plan on every machine.
class CTurnSearch {
 public:
  // Distance of a cell no goal reaches.
  static constexpr std::int32_t mc_far = 1000;

  // What one tank is after this turn and how it weighs its risks, set by its player.
  struct Aim {
    const std::vector<std::int32_t>* field = nullptr;  // steps from each cell to the goal (mc_far: none); null: no goal
    std::int32_t perStep = 12;                         // points lost per step between the end cell and the goal
    std::int32_t goalBonus = 0;                        // points for ending on a goal cell (field value 0)
    std::int32_t heading = -1;                         // heading index wanted on the goal, -1 any
    std::int32_t headingBonus = 0;                     // points for ending on the goal so
    std::int32_t dangerPercent = 100;     // cost of a point of damage taken this turn, percent of a point dealt
    std::int32_t exposurePercent = 60;    // the same for the fire the end cell stands in next turn
    std::int32_t frontShotPercent = 100;  // worth of a shot in the front, percent of its damage
    bool blindFire = false;               // spare steps shoot along the tank's line at what may come
    MapCell anchor = {0, 0};              // the cell the tank keeps near, with ...
    std::int32_t leash = -1;              // ... at most this many cells between (-1: free)
  };
  // A Blue tank Green knows of.
  struct Blue {
    TankState state;         // as last seen
    std::int32_t certainty;  // percent: 100 in sight now, less the older the sighting
    std::int32_t hpLeft;     // hit points left after the shots planned so far
    bool stays;              // it stood still over the last turn: it likely stands still again
  };

  // Reads the turn end: the battlefield, Green's tanks, the Blue ones known,
  // and works out where Blue's shells may fly this turn and the next. `seed`
  // varies the choice between plans rated alike.
  void Begin(const CGreenSight& sight, const CBlueSightings& memory, std::uint32_t seed);
  // Plans the tank (one of the sight's own) and queues its orders; later
  // tanks keep out of its way. Returns the state it is planned to end in.
  TankState Plan(CGreenSight& sight, const CGreenSight::Own& tank, const Aim& aim);

  // Percent of the danger the players count: 100 early on, less as the game drags on.
  std::int32_t GetCaution() const { return m_caution; }
  // The Blue tanks known this turn.
  const std::vector<Blue>& GetBlue() const { return m_blue; }
  // Open ground inside the battlefield.
  bool IsOpen(std::int32_t x, std::int32_t y) const;
  // The cell's index in the fields, x + y * width; the cell must be inside.
  std::int32_t Cell(std::int32_t x, std::int32_t y) const { return x + y * m_width; }
  // The battlefield's columns and rows.
  std::int32_t GetWidth() const { return m_width; }
  std::int32_t GetHeight() const { return m_height; }
  // A field with every cell mc_far, for the player to mark goal cells with 0.
  std::vector<std::int32_t> EmptyField() const;
  // The filled field to one cell.
  std::vector<std::int32_t> FieldTo(const MapCell& cell) const;
  // The field's value on the cell; the cell must be inside.
  std::int32_t StepsFrom(const std::vector<std::int32_t>& field, std::int32_t x, std::int32_t y) const {
    return field[static_cast<std::size_t>(Cell(x, y))];
  }
  // Fills the field from its cells of 0: the fewest moves from each open cell
  // to one of them, round walls and the Blue tanks in sight.
  void Fill(std::vector<std::int32_t>& field) const;
  // The field to the repair cells no Blue tank in sight stands on; empty
  // (every cell mc_far) when there is none.
  std::vector<std::int32_t> RepairField() const;
  // Marks with 0 in the field the cells from which a shell meets the known
  // Blue tank within `reach` cells: in the side or the back, and in the
  // front too when `front` is set.
  void MarkFiringCells(std::vector<std::int32_t>& field, const Blue& blue, std::int32_t reach, bool front) const;
  // Blue's shells the cell may take from each side when Blue plans next: the
  // sum over the four directions, in percent of a sure shot, 0 outside every
  // known Blue tank's lines.
  std::int32_t Exposure(std::int32_t x, std::int32_t y) const;
  // A known Blue tank in sight stands on the cell.
  bool IsBlueAt(std::int32_t x, std::int32_t y) const;
  // Damage of a shell travelling along heading index `shot` into a tank with
  // heading index `heading`, on a repair cell or not.
  static std::int32_t Damage(std::int32_t shot, std::int32_t heading, bool onRepairCell);

 private:
  // A tank's pose at a moment of the turn.
  struct Pose {
    std::int32_t x;        // column
    std::int32_t y;        // row
    std::int32_t heading;  // heading index
  };
  // The plan being tried and the best one so far.
  struct Candidate {
    GreenOrder orders[4];  // in order
    std::int32_t count;    // orders used
    std::int32_t score;    // rating
    Pose poses[5];         // at the start and after each step
    bool fires[4];         // shoots in the step
  };

  // The Blue tanks the memory holds, and a holder of the centre the count
  // tells of (its heading unknown, taken as up).
  void GatherBlue(const CGreenSight& sight, const CBlueSightings& memory);
  // Marks the cells the known Blue tank sees: its half of the battlefield
  // ahead, in an unbroken line from its cell, as far as tanks see.
  void AddBlueSight(const Blue& blue);
  // No wall on the cells between two cells, along the line of their centres.
  bool ClearSight(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) const;
  // Adds the fire the known Blue tank can aim at Green's tanks this turn.
  void AddAimedFire(const Blue& blue);
  // Adds the fire the known Blue tank sends along its lines at the next planning.
  void AddExposure(const Blue& blue);
  // Tries every way of spending the steps from `step` on (the tank busy for
  // `busy` of them), `score` gathered so far, keeping the best in m_best.
  void Search(Candidate& path, std::int32_t step, std::int32_t busy, std::int32_t score, const Aim& aim);
  // Points of the shot from the pose in the step; false when it would hit a friend.
  bool RateShot(const Pose& pose, std::int32_t step, const Aim& aim, std::int32_t& points) const;
  // Points of a shot from the pose in the step at the known Blue tank `target` (-1: none).
  std::int32_t ShotValue(const Pose& pose, std::int32_t target, std::int32_t step, const Aim& aim) const;
  // The cell is a repair cell.
  bool IsRepair(std::int32_t x, std::int32_t y) const;
  // Percent chance the Blue tank is still in the line of a shell along heading `shot` in the step.
  static std::int32_t Still(const Blue& blue, std::int32_t shot, std::int32_t step);
  // Points lost to the fire expected in the step at the tank in the pose.
  std::int32_t RateStepDanger(const Pose& pose, std::int32_t step, const Aim& aim) const;
  // Points of the plan's end: the goal, the fire the end cell stands in, the
  // shot it has next turn (less when busy at its first step), the leash.
  std::int32_t RateEnd(const Candidate& path, std::int32_t busy, const Aim& aim) const;
  // The known Blue tank a shell from the cell along the heading meets first
  // in the step (0: at the turn's start), -1 for none, -2 when a friend
  // stands in the way.
  std::int32_t TargetAlong(std::int32_t x, std::int32_t y, std::int32_t heading, std::int32_t step) const;
  // Queues the plan's orders, marks its cells and lines of fire for the
  // tanks planned after it and takes its expected damage off its targets.
  void Commit(CGreenSight& sight, std::uint32_t slot, const Candidate& plan);
  // 0 to 2 points, the same for the same plan, seed and slot: plans rated
  // alike are chosen between differently game by game.
  std::uint32_t Jitter(const Candidate& path) const;

  std::int32_t m_width = 0;                   // columns
  std::int32_t m_height = 0;                  // rows
  std::vector<std::uint8_t> m_walls;          // 1 on a wall
  std::vector<MapCell> m_repairCells;         // the repair cells
  std::vector<Blue> m_blue;                   // the Blue tanks known
  std::vector<std::int16_t> m_blueAt;         // per cell, the known Blue tank there, or -1
  std::vector<std::uint8_t> m_blueBlocks;     // 1 where a Blue tank in sight stands
  std::vector<std::uint8_t> m_blueSees;       // 1 on the cells the known Blue tanks likely see
  std::vector<std::int16_t> m_maybeBlue[4];   // per step, a known Blue tank that can have moved onto the cell, or -1
  std::vector<std::int32_t> m_danger[4][4];   // per step and shell heading, Blue's aimed fire this turn (percent)
  std::vector<std::int32_t> m_exposure[4];    // per shell heading, Blue's fire at the next planning (percent)
  std::vector<std::uint8_t> m_friendAt[5];    // per moment (start, after each step), 1 where a friend stands
  std::vector<std::uint8_t> m_friendLine[4];  // per step, 1 on the cells a planned friend's shell crosses
  Candidate m_best;                           // the best plan of the tank being planned
  Pose m_start;                               // its pose at the turn end
  std::int32_t m_startHp = 0;                 // its hit points
  std::uint32_t m_seed = 0;                   // varies the choice between plans rated alike
  std::int32_t m_caution = 100;               // percent of the danger counted: less as a game drags on
  std::uint32_t m_slot = 0;                   // the slot being planned
};
