// Fuzz target: a fuzzed battlefield with fuzzed tanks through what the world
// computes from them: both teams' visibility, a path search for the first
// tanks, and the computer team's planning (threat maps and planner) through
// the computer's planning of Blue, at the Normal level and then at the Hard.
//
// The input ends with the tanks and a goal (read from the end) and starts
// with the map file (the rest). Tanks stand where the game can put them:
// inside the grid, on open cells, one to a cell. The computer team is planned
// only on maps with a closed wall border, the only maps a game is set up on.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <queue>
#include <set>
#include <utility>
#include <vector>

#include "ai/CComputerPlayer.h"
#include "fuzz/FuzzSupport.h"
#include "map/CMap.h"
#include "units/CPathFinder.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"
#include "core/CRandomTable.h"

namespace {

constexpr std::int32_t kMaxTanks = 20;
// Path searches per input: each is checked against an exhaustive search.
constexpr std::size_t kMaxSearches = 2;
constexpr std::int64_t kSightRadius = 25;
constexpr std::uint32_t kNoPath = std::numeric_limits<std::uint32_t>::max();

bool IsInside(const CMap& map, std::int64_t x, std::int64_t y) {
  return x >= 0 && y >= 0 && x < map.GetWidth() && y < map.GetHeight();
}

// The least cost from start to goal over tank states, by Dijkstra's search
// with the moves and costs of play; kNoPath when the goal cannot be reached.
std::uint32_t LeastCost(const CMap& map, const PathNode& start, const PathNode& goal, bool avoidWalls) {
  const std::int64_t w = map.GetWidth();
  const std::int64_t h = map.GetHeight();
  auto index = [&](std::int64_t x, std::int64_t y, std::int32_t heading) {
    return static_cast<std::size_t>((y * w + x) * 4 + heading);
  };
  auto matches = [&](std::int64_t x, std::int64_t y, std::int32_t heading) {
    return x == goal.x && y == goal.y && (heading == goal.heading || goal.heading == kAnyHeading);
  };
  std::vector<std::uint32_t> best(static_cast<std::size_t>(w * h * 4), kNoPath);
  using Entry = std::pair<std::uint32_t, std::size_t>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
  best[index(start.x, start.y, start.heading)] = 0;
  open.push({0, index(start.x, start.y, start.heading)});
  while (!open.empty()) {
    const auto [cost, at] = open.top();
    open.pop();
    if (cost != best[at]) continue;
    const std::int32_t heading = static_cast<std::int32_t>(at % 4);
    const std::int64_t x = static_cast<std::int64_t>(at / 4) % w;
    const std::int64_t y = static_cast<std::int64_t>(at / 4) / w;
    if (matches(x, y, heading)) return cost;
    const HeadingVector v = HeadingFromIndex(heading);
    const std::int64_t moves[4][4] = {
        // x, y, heading, cost
        {x, y, (heading + 1) % 4, CPathFinder::mc_turnCost},
        {x, y, (heading + 3) % 4, CPathFinder::mc_turnCost},
        {x + v.dx, y + v.dy, heading, CMap::mc_cellCost},
        {x - v.dx, y - v.dy, heading, CMap::mc_cellCost + CPathFinder::mc_backExtraCost},
    };
    for (const auto& move : moves) {
      if (!IsInside(map, move[0], move[1])) continue;
      if (avoidWalls && map.IsWall(static_cast<std::uint32_t>(move[0]), static_cast<std::uint32_t>(move[1]))) continue;
      const std::size_t next = index(move[0], move[1], static_cast<std::int32_t>(move[2]));
      const std::uint32_t nextCost = cost + static_cast<std::uint32_t>(move[3]);
      if (nextCost < best[next]) {
        best[next] = nextCost;
        open.push({nextCost, next});
      }
    }
  }
  return kNoPath;
}

// The cost of one step of a path, or kNoPath when no single move makes it.
std::uint32_t StepCost(const PathNode& from, const PathNode& to) {
  const HeadingVector v = HeadingFromIndex(from.heading);
  if (from.x == to.x && from.y == to.y) {
    const std::int32_t turn = (to.heading - from.heading + 4) % 4;
    return turn == 1 || turn == 3 ? CPathFinder::mc_turnCost : kNoPath;
  }
  if (to.heading != from.heading) return kNoPath;
  if (to.x == from.x + v.dx && to.y == from.y + v.dy) return CMap::mc_cellCost;
  if (to.x == from.x - v.dx && to.y == from.y - v.dy) return CMap::mc_cellCost + CPathFinder::mc_backExtraCost;
  return kNoPath;
}

// Searches from the tank to the goal as the player's click does and checks
// the result: found exactly when the goal can be reached, made of single
// legal moves from the start to the goal, and of the least cost. The tank
// then takes the path as its commands.
void CheckPathSearch(const CMap& map, CTank& tank, const PathNode& goal, bool avoidWalls) {
  const TankState& state = tank.GetState();
  const PathNode start{state.x, state.y, HeadingIndex(state.dx, state.dy)};
  CPathFinder finder(map);
  finder.Start(start, goal, avoidWalls);
  while (finder.IsActive()) finder.Update();

  const std::uint32_t least = LeastCost(map, start, goal, avoidWalls);
  FUZZ_CHECK(finder.IsFound() == (least != kNoPath));
  tank.SetPath(finder, map);
  if (!finder.IsFound()) {
    FUZZ_CHECK(tank.GetCommands().empty());
    return;
  }
  const std::vector<PathNode>& path = finder.GetPath();
  FUZZ_CHECK(!path.empty());
  FUZZ_CHECK(path.back() == start);
  const PathNode& end = path.front();
  FUZZ_CHECK(end.x == goal.x && end.y == goal.y && (goal.heading == kAnyHeading || end.heading == goal.heading));
  std::uint32_t cost = 0;
  for (std::size_t i = path.size() - 1; i > 0; --i) {
    const PathNode& to = path[i - 1];
    FUZZ_CHECK(IsInside(map, to.x, to.y));
    FUZZ_CHECK(!avoidWalls || !map.IsWall(static_cast<std::uint32_t>(to.x), static_cast<std::uint32_t>(to.y)));
    const std::uint32_t step = StepCost(path[i], to);
    FUZZ_CHECK(step != kNoPath);
    cost += step;
  }
  FUZZ_CHECK(cost == finder.GetPathCost());
  FUZZ_CHECK(cost == least);
  // Commands never lead into a wall, so a path through walls loses its
  // moves into them; a path around them keeps every move.
  if (avoidWalls) {
    FUZZ_CHECK(tank.GetCommands().size() == path.size() - 1);
  } else {
    FUZZ_CHECK(tank.GetCommands().size() <= path.size() - 1);
  }
}

// Every tank sees its own cell and the cell straight ahead; a team sees no
// cell that is not inside the beam (the closed half-plane ahead, within the
// radius) of one of its tanks.
void CheckVisibility(const CGameWorld& world) {
  const CMap& map = world.GetMap();
  for (const auto& tank : world.GetTanks()) {
    const TankState& s = tank->GetState();
    const auto team = static_cast<std::uint32_t>(tank->GetTeam());
    FUZZ_CHECK(map.GetVisible(static_cast<std::uint32_t>(s.x), static_cast<std::uint32_t>(s.y), team) == 1);
    if (IsInside(map, s.x + s.dx, s.y + s.dy)) {
      FUZZ_CHECK(map.GetVisible(static_cast<std::uint32_t>(s.x + s.dx), static_cast<std::uint32_t>(s.y + s.dy), team) ==
                 1);
    }
  }
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
      for (std::uint32_t x = 0; x < map.GetWidth(); ++x) {
        const std::uint8_t flag = map.GetVisible(x, y, team);
        FUZZ_CHECK(flag == 0 || flag == 1);
        if (flag == 0) continue;
        bool inBeam = false;
        for (const CTank* tank : world.GetTeamTanks(team)) {
          if (!tank) continue;
          const TankState& s = tank->GetState();
          const std::int64_t ox = static_cast<std::int64_t>(x) - s.x;
          const std::int64_t oy = static_cast<std::int64_t>(y) - s.y;
          const std::int64_t ahead = ox * s.dx + oy * s.dy;
          const std::int64_t aside = ox * s.dy - oy * s.dx;
          if (ahead >= 0 && ahead * ahead + aside * aside <= kSightRadius * kSightRadius) inBeam = true;
        }
        FUZZ_CHECK(inBeam);
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto tankCount = input.ConsumeIntegralInRange<std::int32_t>(0, kMaxTanks);
  struct TankInput {
    bool blue;
    std::uint16_t x, y;
    std::int32_t heading, hp;
  };
  std::vector<TankInput> tanks;
  for (std::int32_t i = 0; i < tankCount; ++i) {
    TankInput t;
    t.blue = input.ConsumeBool();
    t.x = input.ConsumeIntegral<std::uint16_t>();
    t.y = input.ConsumeIntegral<std::uint16_t>();
    t.heading = input.ConsumeIntegralInRange<std::int32_t>(0, 3);
    t.hp = input.ConsumeIntegralInRange<std::int32_t>(1, CTank::mc_fullHitPoints);
    tanks.push_back(t);
  }
  // The goal may lie anywhere, as a click beside the map can put it.
  const PathNode goal{input.ConsumeIntegralInRange<std::int32_t>(-3, 300),
                      input.ConsumeIntegralInRange<std::int32_t>(-3, 300),
                      input.ConsumeIntegralInRange<std::int32_t>(0, kAnyHeading)};
  const bool avoidWalls = input.ConsumeBool();
  const auto seed = input.ConsumeIntegral<std::uint32_t>();
  const std::vector<std::uint8_t> mapBytes = input.ConsumeRemainingBytes<std::uint8_t>();

  CGameWorld world;
  world.GetRandom().Fill(seed);
  CMap& map = world.GetMap();
  map.LoadFromMemory(mapBytes.data(), mapBytes.size());
  if (map.GetWidth() == 0 || map.GetHeight() == 0) return 0;

  std::set<std::pair<std::uint32_t, std::uint32_t>> taken;
  for (const TankInput& t : tanks) {
    const std::uint32_t x = t.x % map.GetWidth();
    const std::uint32_t y = t.y % map.GetHeight();
    if (map.IsWall(x, y) || !taken.insert({x, y}).second) continue;
    const HeadingVector v = HeadingFromIndex(t.heading);
    CTank* tank = world.AddTank(t.blue ? 1 : 0, TankState{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                                                          v.dx, v.dy, t.hp});
    // Blue's tanks go for the centre, as the first one does in play.
    const MapCell centre = map.GetCentre();
    if (t.blue) tank->SetObjective(PathNode{centre.x, centre.y, kAnyHeading});
  }

  world.RefreshVisibility();
  CheckVisibility(world);

  std::size_t searches = 0;
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    for (CTank* tank : world.GetTeamTanks(team)) {
      if (searches++ == kMaxSearches) break;
      CheckPathSearch(map, *tank, goal, avoidWalls);
    }
  }

  if (kvfuzz::HasClosedBorder(map)) {
    CComputerPlayer computer;
    computer.PlanTurn(world);
    // The computer's layers cover the battlefield.
    FUZZ_CHECK(computer.GetThreatMaps().GetWidth() == map.GetWidth());
    FUZZ_CHECK(computer.GetThreatMaps().GetHeight() == map.GetHeight());
    // The Hard level plans the same battle; its moves keep to open cells.
    computer.SetLevel(Difficulty::Hard);
    computer.PlanTurn(world);
    for (const CTank* tank : world.GetTeamTanks(1)) {
      if (!tank) continue;
      for (const TankCommand& command : tank->GetCommands()) {
        FUZZ_CHECK(!map.IsWallOrOutside(command.GetAfter().x, command.GetAfter().y));
      }
    }
  }
  return 0;
}
