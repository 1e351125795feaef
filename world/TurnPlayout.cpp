#include "world/TurnPlayout.h"

#include "world/CGameWorld.h"

bool PlayTurnOut(CGameWorld& match) {
  if (!match.StartTurn()) return false;
  while (match.IsExecuting()) {
    if (match.GetStepsDone() >= CGameWorld::mc_turnSteps) {
      match.EndTurn();
      break;
    }
    if (match.StopIfFinished()) break;
    match.RunStep();
  }
  return true;
}
