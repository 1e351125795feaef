// The match as a value, as the computer's look-ahead uses it: copying a match
// of ten tanks against ten in the middle of a game over another of the same
// size, and playing a whole turn out on the copy (four steps, shots, damage,
// removal, sight, the centre count; no effects, no sound). Neither may
// allocate once the copy has been made once.
#include <benchmark/benchmark.h>

#include <cstddef>

#include "ai/CComputerPlayer.h"
#include "map/CMap.h"
#include "support/AllocationCount.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"
#include "world/TurnPlayout.h"

namespace {

constexpr std::uint32_t kTanks = 10;
constexpr int kTurnsPlayed = 2;

// Green drives on, fires and turns; the computer plans Blue.
void PlanGreen(CGameWorld& match) {
  for (CTank* tank : match.GetTeamTanks(0)) {
    if (!tank) continue;
    tank->ClearCommands();
    tank->AddMoveForward(match.GetMap());
    tank->AddFire();
    tank->AddTurn(true);
    tank->AddFire();
  }
}

// Ten against ten on the built-in battlefield two turns in, all twenty still there, both teams'
// next turn planned: tanks on the move, in sight of each other and firing.
CGameWorld MatchUnderWay() {
  CMap battlefield;
  battlefield.LoadBuiltIn();
  CGameWorld match;
  match.GetRandom().Fill(20240601);
  match.SetUp(battlefield, kTanks, kTanks);
  CComputerPlayer blue;
  blue.SetLevel(Difficulty::Normal);
  blue.StartGame(match);
  for (int turn = 0; turn < kTurnsPlayed; ++turn) {
    PlanGreen(match);
    PlayTurnOut(match);
    blue.PlanTurn(match);
  }
  PlanGreen(match);
  match.ClearEvents();
  return match;
}

void BM_MatchCopyTenAgainstTen(benchmark::State& state) {
  const CGameWorld match = MatchUnderWay();
  CGameWorld copy = match;
  const std::size_t before = AllocationCount();
  for (auto _ : state) {
    copy = match;
    benchmark::DoNotOptimize(copy);
  }
  state.counters["allocs_per_copy"] =
      static_cast<double>(AllocationCount() - before) / static_cast<double>(state.iterations());
  state.counters["tanks"] = static_cast<double>(copy.GetAliveCount(0) + copy.GetAliveCount(1));
}
BENCHMARK(BM_MatchCopyTenAgainstTen)->Unit(benchmark::kMicrosecond);

// Each iteration copies the match and plays the turn out on the copy: the
// figure is both together.
void BM_TurnPlayedOutOnACopy(benchmark::State& state) {
  const CGameWorld match = MatchUnderWay();
  CGameWorld copy = match;
  PlayTurnOut(copy);
  std::size_t shots = 0;
  for (const MatchEvent& event : copy.GetEvents()) shots += event.m_kind == MatchEvent::Kind::Shot;
  const std::size_t before = AllocationCount();
  for (auto _ : state) {
    copy = match;
    PlayTurnOut(copy);
    benchmark::DoNotOptimize(copy);
  }
  state.counters["allocs_per_turn"] =
      static_cast<double>(AllocationCount() - before) / static_cast<double>(state.iterations());
  state.counters["shots"] = static_cast<double>(shots);
}
BENCHMARK(BM_TurnPlayedOutOnACopy)->Unit(benchmark::kMicrosecond);

}  // namespace
