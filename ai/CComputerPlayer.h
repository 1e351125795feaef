#pragma once

#include <cstdint>

#include "ai/CHardPlanner.h"
#include "ai/CJamWatch.h"
#include "ai/CThreatMaps.h"
#include "ai/Difficulty.h"
#include "map/Battlefield.h"
#include "map/MapCell.h"

class CGameWorld;

// The computer, playing Blue: at the start of a game and at every turn end
// it fills Blue's queues for the coming turn from what Blue knows of the
// match, at its level. A value, copied with the game it plays: its memory of
// the enemy, the goals it sends its tanks to and its watch for jammed tanks
// go with it.
class CComputerPlayer {
 public:
  // The team the computer plans.
  static constexpr std::uint32_t mc_team = 1;

  // How it plans from the next planning on; Normal unless changed.
  void SetLevel(Difficulty level) { m_level = level; }
  Difficulty GetLevel() const { return m_level; }

  // A new game on the match just set up: it forgets all it knew, works out
  // the goal table's cells on this battlefield and sends Blue's tanks on
  // their way (the first to the centre, each other to a goal row drawn from
  // the match's random table), then plans the first turn.
  void StartGame(CGameWorld& match);
  // A turn end of a game that goes on: plans Blue's next turn.
  void PlanTurn(CGameWorld& match);
  // A game brought back as it stood, its queues planned already: it works
  // out the goal cells and its layers for the lens, and forgets the rest
  // (what it remembered is put back through its planners).
  void Resume(const CGameWorld& match);

  // The cell the goal table's row (0 to 5) stands for on this battlefield;
  // another row stops the program.
  const MapCell& GetGoalCell(std::uint32_t row) const;
  // What the last planning saw, for the threat lens: the Normal level's
  // layers, and the Hard level's planner with its memory.
  const CThreatMaps& GetThreatMaps() const { return m_layers; }
  const CHardPlanner& GetHardPlanner() const { return m_hard; }
  CHardPlanner& GetHardPlanner() { return m_hard; }
  const CJamWatch& GetJamWatch() const { return m_jamWatch; }
  CJamWatch& GetJamWatch() { return m_jamWatch; }

 private:
  // Sends a tank jammed with another elsewhere: its queue is dropped and
  // its objective is another goal row.
  void DropRoute(std::size_t slot, CTank& tank);

  Difficulty m_level = Difficulty::Normal;  // which planner plans Blue
  MapCell m_goalCells[kGoalRows - 1] = {};  // the goal table's cells on this battlefield
  CThreatMaps m_layers;                     // the Normal level's threat and vulnerability
  CHardPlanner m_hard;                      // the Hard level's planner, with what it remembers of Green
  CJamWatch m_jamWatch;                     // Normal's tanks jammed in a cycle, to give up their routes
};
