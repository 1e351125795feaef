#include "units/CPathFinder.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "core/Assert.h"
#include "map/CMap.h"

namespace {

constexpr std::uint32_t kMaxCost = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kHeadings = 4;

// Costs stop at the largest value instead of wrapping round to cheap ones.
std::uint32_t AddCost(std::uint32_t a, std::uint64_t b) {
  const std::uint64_t sum = a + b;
  return sum > kMaxCost ? kMaxCost : static_cast<std::uint32_t>(sum);
}

bool IsRealHeading(std::int32_t heading) { return heading >= 0 && heading < kAnyHeading; }

}  // namespace

// Order of the open heap, which keeps the smallest f (unsigned) on top; an
// object, so that the heap operations inline it.
const auto kGreaterF = [](const auto* a, const auto* b) { return a->f > b->f; };

CPathFinder::CPathFinder(const CMap& map, std::uint32_t expansionsPerUpdate)
    : m_map(map), m_expansionsPerUpdate(expansionsPerUpdate) {
  KV_ASSERT(expansionsPerUpdate > 0);
}

CPathFinder::~CPathFinder() = default;

bool CPathFinder::Start(const PathNode& start, const PathNode& goal, bool avoidWalls) {
  if (!IsRealHeading(start.heading)) return false;

  FreeNodes();
  // A node for each state of the map, looked up directly: the map may have
  // been loaded anew since the last search.
  if (m_index.size() != StateCount()) m_index.assign(StateCount(), nullptr);
  m_active = false;
  m_found = false;
  m_path.clear();
  m_pathCost = 0;
  m_expansions = 0;

  m_start = start;
  m_goal = goal;
  m_avoidWalls = avoidWalls;
  SearchNode& first = NodeOf(start);
  first.f = Estimate(start);
  first.inOpen = true;
  m_open.push_back(&first);
  m_active = true;
  return Update();
}

bool CPathFinder::Update() {
  if (!m_active) return false;
  std::uint32_t expansions = 0;
  for (;;) {
    if (m_open.empty()) {
      EndSearch(false);
      return true;
    }
    std::pop_heap(m_open.begin(), m_open.end(), kGreaterF);
    SearchNode* current = m_open.back();
    m_open.pop_back();
    current->inOpen = false;

    if (MatchesGoal(current->state)) {
      StorePath(*current);
      EndSearch(true);
      return true;
    }

    Expand(*current);
    current->inClosed = true;
    ++m_expansions;
    if (++expansions >= m_expansionsPerUpdate) return false;
  }
}

std::uint32_t CPathFinder::Estimate(const PathNode& state) const {
  const std::uint64_t dx = static_cast<std::uint64_t>(std::llabs(static_cast<long long>(state.x) - m_goal.x));
  const std::uint64_t dy = static_cast<std::uint64_t>(std::llabs(static_cast<long long>(state.y) - m_goal.y));
  const std::uint64_t diagonal = std::min(dx, dy);
  const std::uint64_t estimate = mc_diagonalWeight * diagonal + mc_straightWeight * (dx + dy - 2 * diagonal);
  return AddCost(0, estimate);
}

bool CPathFinder::MatchesGoal(const PathNode& state) const {
  return state.x == m_goal.x && state.y == m_goal.y &&
         (state.heading == m_goal.heading || state.heading == kAnyHeading ||
          m_goal.heading == kAnyHeading);
}

bool CPathFinder::IsInside(std::int32_t x, std::int32_t y) const {
  return m_map.HasGrid() && x >= 0 && y >= 0 && static_cast<std::uint32_t>(x) < m_map.GetWidth() &&
         static_cast<std::uint32_t>(y) < m_map.GetHeight();
}

std::size_t CPathFinder::StateCount() const {
  return m_map.HasGrid() ? static_cast<std::size_t>(m_map.GetWidth()) * m_map.GetHeight() * kHeadings : 0;
}

CPathFinder::SearchNode*& CPathFinder::SlotOf(const PathNode& state) {
  if (!IsInside(state.x, state.y) || !IsRealHeading(state.heading)) return m_outsideStart;
  const std::size_t cell = static_cast<std::size_t>(state.y) * m_map.GetWidth() + static_cast<std::size_t>(state.x);
  return m_index[cell * kHeadings + static_cast<std::size_t>(state.heading)];
}

CPathFinder::SearchNode& CPathFinder::NodeOf(const PathNode& state) {
  SearchNode*& slot = SlotOf(state);
  if (slot) return *slot;
  m_nodes.emplace_back();
  SearchNode& node = m_nodes.back();
  node.state = state;
  slot = &node;
  return node;
}

void CPathFinder::Expand(SearchNode& current) {
  const PathNode here = current.state;
  // A start outside the map has no neighbours: it cannot turn out there, and
  // a move into the map is offered only when the entered cell is inside.
  if (IsInside(here.x, here.y)) {
    const bool alongX = here.heading == 0 || here.heading == 2;
    Relax(current, {here.x, here.y, alongX ? 1 : 2}, mc_turnCost);
    Relax(current, {here.x, here.y, alongX ? 3 : 0}, mc_turnCost);
  }
  const HeadingVector step = HeadingFromIndex(here.heading);
  const PathNode ahead{here.x + step.dx, here.y + step.dy, here.heading};
  if (IsInside(ahead.x, ahead.y)) {
    Relax(current, ahead, m_map.GetCost(ahead.x, ahead.y));
  }
  const PathNode behind{here.x - step.dx, here.y - step.dy, here.heading};
  if (IsInside(behind.x, behind.y)) {
    Relax(current, behind, AddCost(m_map.GetCost(behind.x, behind.y), mc_backExtraCost));
  }
}

void CPathFinder::Relax(SearchNode& current, const PathNode& state, std::uint32_t moveCost) {
  if (m_avoidWalls && m_map.IsWallOrOutside(state.x, state.y)) return;
  if (current.parent && current.parent->state == state) return;

  const std::uint32_t g = AddCost(current.g, moveCost);
  const std::uint32_t f = AddCost(g, Estimate(state));
  SearchNode& node = NodeOf(state);
  // An equal f does not replace the way already known.
  if ((node.inOpen || node.inClosed) && node.f <= f) return;

  node.parent = &current;
  node.g = g;
  node.f = f;
  node.inClosed = false;  // a closed node is reopened
  if (node.inOpen) {
    // Its f only fell: sift it up from where it is.
    const auto place = std::find(m_open.begin(), m_open.end(), &node);
    KV_ASSERT(place != m_open.end());
    std::push_heap(m_open.begin(), place + 1, kGreaterF);
  } else {
    m_open.push_back(&node);
    std::push_heap(m_open.begin(), m_open.end(), kGreaterF);
    node.inOpen = true;
  }
}

void CPathFinder::StorePath(const SearchNode& goal) {
  m_path.clear();
  for (const SearchNode* node = &goal; node; node = node->parent) m_path.push_back(node->state);
  m_pathCost = goal.g;
}

void CPathFinder::EndSearch(bool found) {
  m_active = false;
  m_found = found;
  FreeNodes();
}

void CPathFinder::FreeNodes() {
  // Only the slots of this search's nodes are set, and only they are
  // cleared; a map of another size since then gets a new index at Start.
  if (m_index.size() == StateCount()) {
    for (const SearchNode& node : m_nodes) SlotOf(node.state) = nullptr;
  } else {
    m_index.clear();
  }
  m_outsideStart = nullptr;
  m_open.clear();
  m_nodes.clear();
}
