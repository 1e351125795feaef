// The world's clock, without a window: the ticks between steps, where only
// the effects fade, and the tick that ends a turn of ten tanks against ten on
// the shipped battlefield, where the computer plans Blue's next turn.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstddef>

#include "engine/CGameEngine.h"
#include "support/AllocationCount.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"
#include "world/CRandomTable.h"

namespace {

constexpr std::size_t kFewestEffects = 100;
constexpr int kIdleTicksBeforeTurn = 30;
constexpr int kTurnsPerGame = 4;

void Press(CGameWorld& world, int sym) {
  world.OnKey(sym, true);
  world.OnKey(sym, false);
}

// Ten against ten in play, from the start screen as a player starts it.
void StartBattle(CGameWorld& world) {
  GetRandomTable().Fill(20240601);
  world.SetTeamSize(0, 10);
  world.SetTeamSize(1, 10);
  Press(world, SDLK_RETURN);
}

// Whether the next tick of 16 ms runs a step or ends a turn.
bool NextTickSteps(const CGameWorld& world) {
  if (world.GetMode() != CGameWorld::mc_modePlay) return false;
  return world.GetStepsDone() >= CGameWorld::mc_turnSteps ||
         (world.IsExecuting() && world.GetStepTimer() <= CGameWorld::mc_tickMs);
}

// Every tank's shot flying the length of its column.
void SpawnShots(CGameWorld& world) {
  for (const auto& tank : world.GetTanks()) {
    const float x = 32.0f * static_cast<float>(tank->GetX());
    const float y = 32.0f * static_cast<float>(tank->GetY());
    world.SpawnShotEffects(x, y, x, tank->GetTeam() == 0 ? y + 320.0f : y - 320.0f);
  }
}

// Green moves, turns and fires; Blue has the computer's plan.
void StartTurn(CGameWorld& world, bool greenFires) {
  for (CTank* tank : world.GetTeamTanks(0)) {
    if (!tank) continue;
    tank->ClearCommands();
    tank->AddMoveForward();
    if (greenFires) tank->AddFire();
    tank->AddTurn(false);
    tank->AddWait();
  }
  Press(world, SDLK_SPACE);
}

// Counts the heap allocations of the ticks that run no step: a turn under way
// between its steps, and the planning time between turns, with shots in the
// air. The steps and turn ends in between run untimed and uncounted.
void BM_WorldTickWithoutStep(benchmark::State& state) {
  CGameEngine engine;
  CGameWorld& world = engine.GetWorld();
  StartBattle(world);
  SpawnShots(world);
  std::size_t allocations = 0;
  int idleTicks = 0;
  for (auto _ : state) {
    if (NextTickSteps(world) || world.GetEffects().size() < kFewestEffects || idleTicks > kIdleTicksBeforeTurn) {
      state.PauseTiming();
      if (world.IsGameOver() || world.IsTie()) Press(world, SDLK_r);
      while (NextTickSteps(world)) world.Update(CGameWorld::mc_tickMs);
      if (idleTicks > kIdleTicksBeforeTurn) {
        StartTurn(world, true);
        idleTicks = 0;
        while (NextTickSteps(world)) world.Update(CGameWorld::mc_tickMs);
      }
      if (world.GetEffects().size() < kFewestEffects) SpawnShots(world);
      state.ResumeTiming();
    }
    const std::size_t before = AllocationCount();
    world.Update(CGameWorld::mc_tickMs);
    allocations += AllocationCount() - before;
    if (!world.IsExecuting()) ++idleTicks;
  }
  state.counters["allocs_per_tick"] =
      benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WorldTickWithoutStep);

// The tick that ends a turn: the centre cell and victory checks, then the
// threat maps and every Blue tank's plan. Green only moves, so Blue keeps its
// ten tanks; a new game comes every few turns. The turn's steps run untimed.
void BM_WorldTurnEndTick(benchmark::State& state) {
  CGameEngine engine;
  CGameWorld& world = engine.GetWorld();
  StartBattle(world);
  int turns = 0;
  double blueTanks = 0.0;
  for (auto _ : state) {
    state.PauseTiming();
    if (++turns > kTurnsPerGame || world.IsGameOver() || world.IsTie()) {
      Press(world, SDLK_r);
      turns = 1;
    }
    StartTurn(world, false);
    while (world.IsExecuting() && world.GetStepsDone() < CGameWorld::mc_turnSteps) {
      world.Update(CGameWorld::mc_tickMs);
    }
    blueTanks += world.GetAliveCount(1);
    state.ResumeTiming();
    world.Update(CGameWorld::mc_tickMs);
  }
  state.counters["blue_tanks"] = benchmark::Counter(blueTanks, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WorldTurnEndTick)->Unit(benchmark::kMicrosecond);

}  // namespace
