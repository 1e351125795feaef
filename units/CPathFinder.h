#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "units/TankState.h"

class CMap;

// One tank state on a path: a cell and a heading index (0 = +x, 1 = +y,
// 2 = -x, 3 = -y; 4 = any heading, which only a goal may have).
struct PathNode {
  std::int32_t x;        // column
  std::int32_t y;        // row
  std::int32_t heading;  // heading index
};

inline bool operator==(const PathNode& a, const PathNode& b) {
  return a.x == b.x && a.y == b.y && a.heading == b.heading;
}
inline bool operator!=(const PathNode& a, const PathNode& b) { return !(a == b); }

// A* search over tank states (cell and heading): a tank turns a quarter in
// place or moves one cell forward or back along its heading, so the cheapest
// way to a cell depends on where the tank faces. The search is incremental:
// Start begins it, and each Update expands a bounded number of states until
// the search ends with or without a path. Only walls are obstacles.
//
// Callers run a search to its end at once:
//   finder.Start(start, goal, avoidWalls);
//   while (finder.IsActive()) finder.Update();
class CPathFinder {
 public:
  static constexpr std::uint32_t mc_turnCost = 1000;
  // Moving back costs the entered cell's cost plus this.
  static constexpr std::uint32_t mc_backExtraCost = 1000;
  // Weights of the octile estimate: a diagonal and a straight cell step.
  static constexpr std::uint32_t mc_diagonalWeight = 1414;
  static constexpr std::uint32_t mc_straightWeight = 1000;
  static constexpr std::uint32_t mc_expansionsPerUpdate = 202;

  // The map is not owned and must outlive the finder. A finder built with a
  // different number of expansions per Update finds the same paths; only
  // the slicing of the work differs.
  explicit CPathFinder(const CMap& map, std::uint32_t expansionsPerUpdate = mc_expansionsPerUpdate);
  ~CPathFinder();
  CPathFinder(const CPathFinder&) = delete;
  CPathFinder& operator=(const CPathFinder&) = delete;

  // Abandons any search under way and begins one from start to goal, then
  // runs the first Update and returns what it returns. A start heading other
  // than 0 to 3 is refused: false, and the finder stays as it was. With
  // avoidWalls, states on wall cells are never entered. States outside the
  // map are never entered either.
  bool Start(const PathNode& start, const PathNode& goal, bool avoidWalls);
  // Continues the search. True when it ended in this call (IsFound tells
  // whether a path was found); false while it goes on or when none is active.
  bool Update();

  bool IsActive() const { return m_active; }
  bool IsFound() const { return m_found; }
  // The last found path, goal state first and start state last.
  const std::vector<PathNode>& GetPath() const { return m_path; }
  // Total move cost of the last found path.
  std::uint32_t GetPathCost() const { return m_pathCost; }
  // States expanded by the search under way, or by the last one.
  std::uint64_t GetExpansions() const { return m_expansions; }

 private:
  // One state known to the running search.
  struct SearchNode {
    PathNode state;                // the state
    std::uint32_t g = 0;           // cost of the best known way from the start
    std::uint32_t f = 0;           // g plus the estimate to the goal
    SearchNode* parent = nullptr;  // the state it was reached from on that way
    bool inOpen = false;           // in the open heap
    bool inClosed = false;         // expanded and not reopened since
  };

  std::uint32_t Estimate(const PathNode& state) const;
  bool MatchesGoal(const PathNode& state) const;
  bool IsInside(std::int32_t x, std::int32_t y) const;
  // The node of that state, created when the search does not know it yet.
  SearchNode& NodeOf(const PathNode& state);
  // Where the node of a state is kept: a slot of m_index for a state inside
  // the map, m_outsideStart for a start outside it.
  SearchNode*& SlotOf(const PathNode& state);
  // States of the map: four headings per cell.
  std::size_t StateCount() const;
  void Expand(SearchNode& current);
  // Offers `state`, reached from `current` by a move of that cost.
  void Relax(SearchNode& current, const PathNode& state, std::uint32_t moveCost);
  void StorePath(const SearchNode& goal);
  // Ends the search and frees every node.
  void EndSearch(bool found);
  void FreeNodes();

  const CMap& m_map;                   // the battlefield searched, not owned
  bool m_active = false;               // a search is under way
  bool m_found = false;                // the last search that ended reached the goal
  std::vector<PathNode> m_path;        // the last found path, goal first
  PathNode m_start{0, 0, 0};           // start state of the current search
  PathNode m_goal{0, 0, 0};            // goal state; its heading may be any
  bool m_avoidWalls = false;           // states on wall cells are never entered
  std::vector<SearchNode*> m_open;     // heap of the nodes to expand, smallest f on top
  std::deque<SearchNode> m_nodes;      // every node of the current search (stable addresses)
  std::vector<SearchNode*> m_index;    // node of each state inside the map, (y * width + x) * 4 + heading; null: unknown
  SearchNode* m_outsideStart = nullptr;  // node of a start outside the map
  std::uint32_t m_expansionsPerUpdate;  // expansions one Update runs at most
  std::uint64_t m_expansions = 0;       // expansions of the current or last search
  std::uint32_t m_pathCost = 0;         // cost of the last found path
};
