#pragma once

#include <cstdint>
#include <vector>

#include "ai/TurnOrders.h"

class CKnownMatch;

// Where one team's shells are likely to fly in the coming turn and at the
// next planning, in a known match, as whole percents of a shell per cell and
// per heading the shell travels along. A tank fires along its line at once
// (steps 1 and 3), along a side line after a quarter turn (steps 2 and 4),
// behind itself after a half turn (step 3), and along the side lines of the
// cell ahead after a step and a turn (step 3). A line runs from the shooter
// to the first wall or the first of the shooter's friends (whose cell it
// still covers): the other team's tanks may move out of it. Shots the
// planner expects are added line by line.
class CFireLines {
 public:
  // The lines of every tank of the shooting team, as the tanks stand.
  void Build(const CKnownMatch& known, std::uint32_t shooters);
  // Adds `percent` of a shell fired in the step (0 to 3) from the pose along
  // its heading by the known match's tank `shooter` (its index); a step out
  // of range adds nothing.
  void AddShot(const CKnownMatch& known, std::int32_t step, const TankState& from, std::int32_t percent,
               std::int32_t shooter);
  // Hit points a tank in the pose at the start of the step (0 to 3) is expected
  // to lose to the shells of that step, in hundredths; 0 off the battlefield.
  std::int32_t DangerAt(const CKnownMatch& known, std::int32_t step, const TankState& pose) const;
  // Hit points a tank ending the turn in the pose is expected to lose at the
  // next planning's first shots, in hundredths.
  std::int32_t ExposureAt(const CKnownMatch& known, const TankState& pose) const;
  // Percent of a shell along heading d expected into the cell (index) in the step.
  std::int32_t Shells(std::int32_t step, std::int32_t d, std::int32_t cell) const;

 private:
  // Adds `percent` to the table along the line from (x, y) along heading d,
  // not counting (x, y), as the shooter's shell flies.
  void AddLine(const CKnownMatch& known, std::vector<std::int32_t>& table, std::int32_t x, std::int32_t y,
               std::int32_t d, std::int32_t percent, std::int32_t shooter);

  std::vector<std::int32_t> m_shells[TurnOrders::mc_steps][4];  // per step and shell heading, percent per cell
  std::vector<std::int32_t> m_exposure[4];                      // per shell heading, at the next planning
};
