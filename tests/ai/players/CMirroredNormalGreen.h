#pragma once

#include "engine/CGameEngine.h"

class CGameWorld;

// Green planned by the computer's Normal planner, which only ever plans Blue:
// a second world holds the same tanks with the teams swapped, Green's sight
// as Blue's and the centre count seen from Green, builds its layers, plans
// Green's tanks there and hands their queues back through the tanks' Add
// functions. Green's objectives are Blue's goal cells turned half round.
class CMirroredNormalGreen {
 public:
  CMirroredNormalGreen();

  // A new game in `world`: the mirror takes its battlefield, and Green's
  // first tank is sent to the centre, every other one to a goal row drawn
  // from the game's random table (the centre for the last row).
  void Start(CGameWorld& world);
  // Replaces the queue of every living Green tank of `world` by the Normal
  // planner's plan for it.
  void PlanTurn(CGameWorld& world);

 private:
  CGameEngine m_engine;                        // owns the mirror world
  CGameWorld& m_mirror = m_engine.GetWorld();  // the battle with the teams swapped
};
