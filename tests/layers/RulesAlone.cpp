// A program built from the rules library alone, without SDL, OpenGL or
// FreeType: a Hard Blue against a Green that drives forward and fires, on
// the built-in battlefield, to the end of the game. That it links is the
// proof; it also fails if the game does not end.
#include <cstdio>

#include "ai/CComputerPlayer.h"
#include "map/CMap.h"
#include "world/CGameWorld.h"
#include "world/TurnPlayout.h"

int main() {
  CMap battlefield;
  if (!battlefield.LoadBuiltIn()) return 1;
  CGameWorld match;
  match.GetRandom().Fill(1);
  match.SetUp(battlefield, 5, 5);
  CComputerPlayer blue;
  blue.SetLevel(Difficulty::Hard);
  blue.StartGame(match);
  for (int turn = 0; turn < 300 && match.IsInProgress(); ++turn) {
    for (CTank* tank : match.GetTeamTanks(0)) {
      if (tank == nullptr) continue;
      tank->AddMoveForward(match.GetMap());
      tank->AddFire();
    }
    if (!PlayTurnOut(match)) return 1;
    if (match.IsInProgress()) blue.PlanTurn(match);
  }
  std::printf("turn %u, Green %d, Blue %d\n", match.GetTurn(), match.GetAliveCount(0), match.GetAliveCount(1));
  return match.IsInProgress() ? 1 : 0;
}
