// Paths on random maps against a plain uniform-cost search over the same
// tank states and moves.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <queue>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "map/CMap.h"
#include "map/MapTestSupport.h"
#include "units/CPathFinder.h"
#include "units/PathCommands.h"
#include "units/PathTestSupport.h"

using pathtest::Apply;
using pathtest::HeadingStep;
using pathtest::IsInside;
using pathtest::MoveCost;

namespace {

constexpr std::uint64_t kUnreached = std::numeric_limits<std::uint64_t>::max();

// Least cost from the start to every state of the map (Dijkstra), with the
// finder's rules: no state outside the map, none on a wall when walls are
// avoided (the start excepted).
class ReferenceCosts {
 public:
  ReferenceCosts(const CMap& map, const PathNode& start, bool avoidWalls)
      : m_map(map), m_cost(static_cast<std::size_t>(map.GetWidth()) * map.GetHeight() * 4, kUnreached) {
    using Entry = std::pair<std::uint64_t, PathNode>;
    const auto later = [](const Entry& a, const Entry& b) { return a.first > b.first; };
    std::priority_queue<Entry, std::vector<Entry>, decltype(later)> queue(later);
    m_cost[Index(start)] = 0;
    queue.push({0, start});
    while (!queue.empty()) {
      const auto [cost, state] = queue.top();
      queue.pop();
      if (cost != m_cost[Index(state)]) continue;
      std::int32_t dx = 0;
      std::int32_t dy = 0;
      HeadingStep(state.heading, dx, dy);
      const PathNode next[] = {{state.x, state.y, (state.heading + 1) % 4},
                               {state.x, state.y, (state.heading + 3) % 4},
                               {state.x + dx, state.y + dy, state.heading},
                               {state.x - dx, state.y - dy, state.heading}};
      for (const PathNode& n : next) {
        if (!IsInside(map, n.x, n.y) || (avoidWalls && map.IsWall(n.x, n.y))) continue;
        const std::uint64_t nextCost = cost + *MoveCost(map, state, n);
        if (nextCost < m_cost[Index(n)]) {
          m_cost[Index(n)] = nextCost;
          queue.push({nextCost, n});
        }
      }
    }
  }

  // Least cost to a state matching the goal, or kUnreached.
  std::uint64_t ToGoal(const PathNode& goal) const {
    if (!IsInside(m_map, goal.x, goal.y)) return kUnreached;
    std::uint64_t best = kUnreached;
    for (std::int32_t heading = 0; heading < 4; ++heading) {
      if (goal.heading == heading || goal.heading == kAnyHeading) {
        best = std::min(best, m_cost[Index({goal.x, goal.y, heading})]);
      }
    }
    return best;
  }

 private:
  std::size_t Index(const PathNode& s) const {
    return (static_cast<std::size_t>(s.y) * m_map.GetWidth() + static_cast<std::size_t>(s.x)) * 4 +
           static_cast<std::size_t>(s.heading);
  }

  const CMap& m_map;                 // the map searched
  std::vector<std::uint64_t> m_cost;  // least cost of each state, kUnreached if none
};

std::string RandomMapText(std::mt19937& random) {
  const int width = std::uniform_int_distribution<int>(1, 14)(random);
  const int height = std::uniform_int_distribution<int>(1, 14)(random);
  const double wallShare = std::uniform_real_distribution<double>(0.0, 0.45)(random);
  const bool bordered = random() % 2 == 0;
  std::bernoulli_distribution wall(wallShare);
  std::string text;
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < width; ++x) {
      const bool edge = x == 0 || row == 0 || x == width - 1 || row == height - 1;
      text += (bordered && edge) || wall(random) ? '#' : '.';
    }
    text += '\n';
  }
  return text;
}

PathNode RandomState(std::mt19937& random, const CMap& map, std::int32_t maxHeading) {
  const int w = static_cast<int>(map.GetWidth());
  const int h = static_cast<int>(map.GetHeight());
  return {std::uniform_int_distribution<int>(0, w - 1)(random),
          std::uniform_int_distribution<int>(0, h - 1)(random),
          std::uniform_int_distribution<int>(0, maxHeading)(random)};
}

// The path is a chain of single legal moves from the start to a state
// matching the goal, its commands replay it, and it costs what the finder says.
void CheckPath(const CMap& map, const CPathFinder& finder, const PathNode& start, const PathNode& goal,
               bool avoidWalls, const std::string& what) {
  const std::vector<PathNode>& path = finder.GetPath();
  ASSERT_FALSE(path.empty()) << what;
  EXPECT_EQ(path.back(), start) << what;
  const PathNode& end = path.front();
  EXPECT_TRUE(end.x == goal.x && end.y == goal.y &&
              (goal.heading == kAnyHeading || end.heading == goal.heading))
      << what;

  const std::vector<Move> commands = CommandsForPath(finder);
  ASSERT_EQ(commands.size(), path.size() - 1) << what;
  std::uint64_t cost = 0;
  PathNode tank = start;
  for (std::size_t k = path.size() - 1; k-- > 0;) {
    const PathNode& from = path[k + 1];
    const PathNode& to = path[k];
    const auto move = MoveCost(map, from, to);
    ASSERT_TRUE(move.has_value()) << what << " step " << k;
    EXPECT_FALSE(avoidWalls && map.IsWall(to.x, to.y)) << what << " step " << k;
    cost += *move;
    tank = Apply(tank, commands[path.size() - 2 - k]);
    ASSERT_EQ(tank, to) << what << " step " << k;
  }
  EXPECT_EQ(cost, finder.GetPathCost()) << what;
}

}  // namespace

TEST(PathFinderPropertyTest, PathsOnRandomMapsAreLegalAndCheapestAndFoundExactlyWhenReachable) {
  std::mt19937 random(20240611u);
  int found = 0;
  int unreachable = 0;
  for (int mapNumber = 0; mapNumber < 300; ++mapNumber) {
    CMap map;
    const std::string text = RandomMapText(random);
    ASSERT_TRUE(maptest::LoadText(map, text));
    // A finder of the game's slicing and one that slices very finely must agree.
    CPathFinder finder(map);
    CPathFinder fine(map, 1 + random() % 7);
    for (int pair = 0; pair < 12; ++pair) {
      const PathNode start = RandomState(random, map, 3);
      const PathNode goal = RandomState(random, map, kAnyHeading);
      const bool avoidWalls = random() % 4 != 0;
      const std::string what = "map " + std::to_string(mapNumber) + "\n" + text + "from " +
                               std::to_string(start.x) + "," + std::to_string(start.y) + " h" +
                               std::to_string(start.heading) + " to " + std::to_string(goal.x) + "," +
                               std::to_string(goal.y) + " h" + std::to_string(goal.heading) +
                               (avoidWalls ? " avoiding walls" : "");

      finder.Start(start, goal, avoidWalls);
      ASSERT_TRUE(pathtest::RunToEnd(finder)) << what;
      fine.Start(start, goal, avoidWalls);
      ASSERT_TRUE(pathtest::RunToEnd(fine)) << what;

      const std::uint64_t least = ReferenceCosts(map, start, avoidWalls).ToGoal(goal);
      ASSERT_EQ(finder.IsFound(), least != kUnreached) << what;
      EXPECT_EQ(fine.GetPath(), finder.GetPath()) << what;
      // The computer skips the search when the map says the goal is walled off.
      if (avoidWalls && !map.IsWall(start.x, start.y)) {
        EXPECT_EQ(map.AreConnected(start.x, start.y, goal.x, goal.y), finder.IsFound()) << what;
      }
      if (least == kUnreached) {
        ++unreachable;
        EXPECT_TRUE(finder.GetPath().empty()) << what;
        continue;
      }
      ++found;
      EXPECT_EQ(finder.GetPathCost(), least) << what;
      CheckPath(map, finder, start, goal, avoidWalls, what);
    }
  }
  // Both outcomes were exercised in numbers.
  EXPECT_GT(found, 1000);
  EXPECT_GT(unreachable, 300);
}
