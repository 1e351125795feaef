// The game's clock, without a window: the ticks between steps, where only
// the effects fade, and the tick that ends a turn of ten tanks against ten on
// the shipped battlefield, where the computer plans Blue's next turn.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstddef>
#include <vector>

#include "app/CGameSession.h"
#include "app/CSettings.h"
#include "core/CAsyncFileWriter.h"
#include "support/AllocationCount.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"

namespace {

constexpr std::size_t kFewestEffects = 100;
constexpr int kIdleTicksBeforeTurn = 30;
constexpr int kTurnsPerGame = 4;

constexpr std::uint32_t kTick = CTurnClock::mc_tickMs;

void Press(CGameSession& session, int sym) {
  session.OnKey(sym, true);
  session.OnKey(sym, false);
}

// Ten against ten in play, from the start screen as a player starts it.
void StartBattle(CGameSession& session) {
  session.SetSeed(20240601);
  session.SetTeamSize(0, 10);
  session.SetTeamSize(1, 10);
  Press(session, SDLK_RETURN);
}

// Whether the next tick of 16 ms runs a step or ends a turn.
bool NextTickSteps(const CGameSession& session) {
  if (session.GetMode() != CGameSession::mc_modePlay) return false;
  const CGameWorld& match = session.GetMatch();
  return match.GetStepsDone() >= CGameWorld::mc_turnSteps ||
         (match.IsExecuting() && session.GetClock().GetStepTimer() <= kTick);
}

// Every tank's shot flying the length of its column.
void SpawnShots(CGameSession& session) {
  for (const CTank* tank : session.GetMatch().GetTanks()) {
    const float x = 32.0f * static_cast<float>(tank->GetX());
    const float y = 32.0f * static_cast<float>(tank->GetY());
    session.GetScreen().Effects().SpawnShot(x, y, x, tank->GetTeam() == 0 ? y + 320.0f : y - 320.0f);
  }
}

// Green moves, turns and fires; Blue has the computer's plan.
void StartTurn(CGameSession& session, bool greenFires) {
  CGameWorld& match = session.GetMatch();
  for (CTank* tank : match.GetTeamTanks(0)) {
    if (!tank) continue;
    tank->ClearCommands();
    tank->AddMoveForward(match.GetMap());
    if (greenFires) tank->AddFire();
    tank->AddTurn(false);
    tank->AddWait();
  }
  Press(session, SDLK_SPACE);
}

// Counts the heap allocations of the ticks that run no step: a turn under way
// between its steps, and the planning time between turns, with shots in the
// air. The steps and turn ends in between run untimed and uncounted.
void BM_WorldTickWithoutStep(benchmark::State& state) {
  CAsyncFileWriter writer;
  CSettings settings;
  CGameSession session(settings, writer);
  const CGameWorld& match = session.GetMatch();
  const std::vector<CEffect>& effects = session.GetScreen().GetEffects();
  StartBattle(session);
  SpawnShots(session);
  std::size_t allocations = 0;
  int idleTicks = 0;
  for (auto _ : state) {
    if (NextTickSteps(session) || effects.size() < kFewestEffects || idleTicks > kIdleTicksBeforeTurn) {
      state.PauseTiming();
      if (!match.IsInProgress()) Press(session, SDLK_r);
      while (NextTickSteps(session)) session.Update(kTick);
      if (idleTicks > kIdleTicksBeforeTurn) {
        StartTurn(session, true);
        idleTicks = 0;
        while (NextTickSteps(session)) session.Update(kTick);
      }
      if (effects.size() < kFewestEffects) SpawnShots(session);
      state.ResumeTiming();
    }
    const std::size_t before = AllocationCount();
    session.Update(kTick);
    allocations += AllocationCount() - before;
    if (!match.IsExecuting()) ++idleTicks;
  }
  state.counters["allocs_per_tick"] =
      benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WorldTickWithoutStep);

// The tick that ends a turn: the centre cell and victory checks, then the
// threat maps and every Blue tank's plan. Green only moves, so Blue keeps its
// ten tanks; a new game comes every few turns. The turn's steps run untimed.
void BM_WorldTurnEndTick(benchmark::State& state) {
  CAsyncFileWriter writer;
  CSettings settings;
  CGameSession session(settings, writer);
  const CGameWorld& match = session.GetMatch();
  StartBattle(session);
  int turns = 0;
  double blueTanks = 0.0;
  for (auto _ : state) {
    state.PauseTiming();
    if (++turns > kTurnsPerGame || !match.IsInProgress()) {
      Press(session, SDLK_r);
      turns = 1;
    }
    StartTurn(session, false);
    while (match.IsExecuting() && match.GetStepsDone() < CGameWorld::mc_turnSteps) session.Update(kTick);
    blueTanks += match.GetAliveCount(1);
    state.ResumeTiming();
    session.Update(kTick);
  }
  state.counters["blue_tanks"] = benchmark::Counter(blueTanks, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WorldTurnEndTick)->Unit(benchmark::kMicrosecond);

}  // namespace
