// The computer's share of a turn end, as the game runs it: the threat and
// vulnerability maps, then the planning of every Blue tank, with 10 tanks a
// side in sight of each other across the shipped battlefield; at the Normal
// level and at the Hard; and every turn end of a whole Hard game of ten a
// side, its median and its worst.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "ai/CComputerPlayer.h"
#include "core/DataFiles.h"
#include "map/CMap.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"
#include "world/TurnPlayout.h"

namespace {

constexpr std::uint32_t kGreen = 0;
constexpr std::uint32_t kBlue = 1;
constexpr int kTanksPerTeam = 10;

// Puts a team's tanks on the first open cells of a row, every other column
// from the left, all facing the same way. False when the row has too few.
bool PlaceRow(CGameWorld& world, std::uint32_t team, std::int32_t row, std::int32_t dy) {
  const CMap& map = world.GetMap();
  int placed = 0;
  for (std::int32_t x = 2; placed < kTanksPerTeam && x < static_cast<std::int32_t>(map.GetWidth()); x += 2) {
    if (map.IsWallOrOutside(x, row)) continue;
    CTank* tank = world.AddTank(team, TankState{x, row, 0, dy, 100});
    // The objectives of the computer's goal table, and the centre.
    const PathNode goals[] = {{18, 10, kAnyHeading}, {18, 5, kAnyHeading}, {13, 5, kAnyHeading},
                              {6, 16, kAnyHeading},  {6, 11, kAnyHeading}, {6, 7, kAnyHeading}};
    const MapCell centre = map.GetCentre();
    tank->SetObjective(placed < 6 ? goals[placed] : PathNode{centre.x, centre.y, kAnyHeading});
    ++placed;
  }
  return placed == kTanksPerTeam;
}

// Green tanks whose cells Blue sees.
int SeenGreenTanks(const CGameWorld& world) {
  int seen = 0;
  for (const CTank* tank : world.GetTeamTanks(kGreen)) {
    const auto x = static_cast<std::uint32_t>(tank->GetX());
    const auto y = static_cast<std::uint32_t>(tank->GetY());
    if (world.GetMap().GetVisible(x, y, kBlue) != 0) ++seen;
  }
  return seen;
}

// A world with 10 tanks a side on the shipped battlefield, Blue's objectives
// from the computer's goal table; false when there is no battlefield or no room.
bool SetUpBattle(CGameWorld& world) {
  if (!world.GetMap().Load(kv::kMapFile) && !world.GetMap().LoadBuiltIn()) return false;
  // Green across the lower half facing up, Blue across the upper half facing
  // down, nine rows apart.
  if (!PlaceRow(world, kGreen, 6, 1) || !PlaceRow(world, kBlue, 15, -1)) return false;
  world.RefreshVisibility();
  // Two of Blue's tanks are badly damaged and look for a repair cell.
  const CTankSlots<CTank> blue = world.GetTeamTanks(kBlue);
  blue[3]->SetHitPoints(30);
  blue[7]->SetHitPoints(25);
  return true;
}

// One turn end; with emptyQueues every Blue tank arrives without commands, so
// the route stage searches a path wherever the look-ahead and the guns find
// nothing (the most work a turn end can have); otherwise the tanks keep what
// the last turn end planned, as they do while following a route.
void RunTurnEnds(benchmark::State& state, bool emptyQueues, Difficulty level = Difficulty::Normal) {
  CGameWorld world;
  CComputerPlayer computer;
  computer.SetLevel(level);
  if (!SetUpBattle(world)) {
    state.SkipWithError("no battlefield with room for the tanks");
    return;
  }
  const CTankSlots<CTank> blue = world.GetTeamTanks(kBlue);
  std::int64_t commands = 0;
  for (auto _ : state) {
    if (emptyQueues) {
      for (CTank* tank : blue) tank->ClearCommands();
    }
    computer.PlanTurn(world);
    commands = 0;
    for (CTank* tank : blue) commands += static_cast<std::int64_t>(tank->GetCommands().size());
    benchmark::DoNotOptimize(commands);
  }
  state.counters["blue_commands"] = static_cast<double>(commands);
  state.counters["green_seen"] = SeenGreenTanks(world);
}

void BM_ComputerTurnEndAllRoutesNew(benchmark::State& state) { RunTurnEnds(state, true); }
BENCHMARK(BM_ComputerTurnEndAllRoutesNew)->Unit(benchmark::kMicrosecond);

void BM_ComputerTurnEndFollowingRoutes(benchmark::State& state) { RunTurnEnds(state, false); }
BENCHMARK(BM_ComputerTurnEndFollowingRoutes)->Unit(benchmark::kMicrosecond);

// The same turn end planned by the Hard level, which replans every tank
// whatever it has queued.
void BM_ComputerTurnEndHard(benchmark::State& state) { RunTurnEnds(state, true, Difficulty::Hard); }
BENCHMARK(BM_ComputerTurnEndHard)->Unit(benchmark::kMicrosecond);

// Queues a Green tank's turn by a fixed pattern of its slot and the turn:
// ahead and fire, turn and fire, ahead, turn and fire, or two shots.
void QueueGreenTurn(CTank& tank, const CMap& map, std::uint32_t turn) {
  tank.ClearCommands();
  switch ((turn + tank.GetSlot()) % 4) {
    case 0:
      tank.AddMoveForward(map);
      tank.AddMoveForward(map);
      break;
    case 1: tank.AddTurn(true); break;
    case 2:
      tank.AddMoveForward(map);
      tank.AddTurn(false);
      break;
    default: tank.AddFire(); break;
  }
  tank.AddFire();
}

// The Hard level's turn ends over a whole game of ten a side on the shipped
// battlefield, Green playing fixed patterns: the time is the sum of the
// turn ends; the counters their median and worst in milliseconds and how
// many there were.
void BM_HardTurnEndsOfAGame(benchmark::State& state) {
  std::vector<double> ms;
  for (auto _ : state) {
    CGameWorld world;
    CComputerPlayer computer;
    computer.SetLevel(Difficulty::Hard);
    if (!SetUpBattle(world)) {
      state.SkipWithError("no battlefield with room for the tanks");
      return;
    }
    double total = 0.0;
    for (std::uint32_t turn = 1; turn <= 150 && world.IsInProgress(); ++turn) {
      const auto start = std::chrono::steady_clock::now();
      computer.PlanTurn(world);
      const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
      ms.push_back(took.count() * 1000.0);
      total += took.count();
      for (CTank* tank : world.GetTeamTanks(kGreen)) {
        if (tank) QueueGreenTurn(*tank, world.GetMap(), turn);
      }
      PlayTurnOut(world);
    }
    state.SetIterationTime(total);
  }
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
  state.counters["worst_ms"] = ms.back();
  state.counters["turn_ends"] = static_cast<double>(ms.size());
}
BENCHMARK(BM_HardTurnEndsOfAGame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

}  // namespace
