#pragma once

#include "ai/CThreatMaps.h"
#include "world/CGameWorld.h"

class CComputerPlayer;

// Green planned by the computer's Normal planner, which only ever plans Blue:
// a second match holds the same tanks with the teams swapped, Green's sight
// as Blue's and the centre count and turn seen from Green, builds Blue's
// layers there, plans Green's tanks and hands their queues back through the
// tanks' Add functions. Green's objectives are Blue's goal cells turned half
// round. Every draw comes from the real match's table, as the computer's do.
class CMirroredNormalGreen {
 public:
  // A new game in `match`, whose Blue `computer` has chosen its goals: the
  // mirror takes the battlefield, and Green's first tank is sent to the
  // centre, every other one to a goal row drawn from the match's random
  // table (the centre for the last row).
  void Start(CGameWorld& match, const CComputerPlayer& computer);
  // Replaces the queue of every living Green tank of `match` by the Normal
  // planner's plan for it.
  void PlanTurn(CGameWorld& match);

 private:
  CGameWorld m_mirror;   // the battle with the teams swapped
  CThreatMaps m_layers;  // the mirror's Blue layers
};
