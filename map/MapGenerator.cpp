#include "map/MapGenerator.h"

#include <vector>

#include "map/Battlefield.h"
#include "map/CMap.h"

namespace {

// A small counter-based generator (a Weyl sequence through an integer mixer):
// the same numbers on every machine and compiler.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : m_state(seed) {}
  std::uint32_t Next() {
    m_state += 0x9E3779B9u;
    std::uint32_t z = m_state;
    z = (z ^ (z >> 16)) * 0x85EBCA6Bu;
    z = (z ^ (z >> 13)) * 0xC2B2AE35u;
    return z ^ (z >> 16);
  }
  // 0 to n - 1.
  std::uint32_t Below(std::uint32_t n) { return Next() % n; }

 private:
  std::uint32_t m_state;  // position in the sequence
};

// The grid while it is built: true for a wall, row-major from the bottom row.
class Grid {
 public:
  Grid(int width, int height) : m_w(width), m_h(height), m_walls(static_cast<std::size_t>(width) * height, false) {}

  bool Wall(int x, int y) const { return x < 0 || y < 0 || x >= m_w || y >= m_h || m_walls[Index(x, y)]; }
  void Set(int x, int y, bool wall) { m_walls[Index(x, y)] = wall; }
  // Whether every open cell can reach every other.
  bool Connected(std::vector<int>& stack, std::vector<bool>& seen) const {
    seen.assign(m_walls.size(), false);
    stack.assign(1, Index(1, 1));
    seen[Index(1, 1)] = true;
    std::size_t reached = 1;
    while (!stack.empty()) {
      const int at = stack.back();
      stack.pop_back();
      const int x = at % m_w;
      const int y = at / m_w;
      const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
      for (const auto& n : next) {
        if (Wall(n[0], n[1]) || seen[Index(n[0], n[1])]) continue;
        seen[Index(n[0], n[1])] = true;
        ++reached;
        stack.push_back(static_cast<int>(Index(n[0], n[1])));
      }
    }
    std::size_t open = 0;
    for (bool wall : m_walls) open += wall ? 0 : 1;
    return reached == open;
  }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * m_w; }

  int m_w;                    // columns
  int m_h;                    // rows
  std::vector<bool> m_walls;  // true for a wall
};

// Pieces of cover, as offsets from their first cell: bars of two to five
// cells either way, a 2 x 2 block and an L.
struct Piece {
  int cells;
  int dx[5];
  int dy[5];
};
constexpr Piece kPieces[] = {
    {2, {0, 1}, {0, 0}},
    {3, {0, 1, 2}, {0, 0, 0}},
    {4, {0, 1, 2, 3}, {0, 0, 0, 0}},
    {5, {0, 1, 2, 3, 4}, {0, 0, 0, 0, 0}},
    {2, {0, 0}, {0, 1}},
    {3, {0, 0, 0}, {0, 1, 2}},
    {4, {0, 0, 0, 0}, {0, 1, 2, 3}},
    {4, {0, 1, 0, 1}, {0, 0, 1, 1}},
    {3, {0, 1, 0}, {0, 0, 1}},
};
constexpr int kAttempts = 400;

}  // namespace

std::string MapGenerator::Generate(std::uint32_t seed) {
  Dice dice(seed);
  const int w = static_cast<int>(mc_minWidth + dice.Below(CMap::mc_maxShownWidth - mc_minWidth + 1));
  const int h = static_cast<int>(mc_minHeight + dice.Below(CMap::mc_maxShownHeight - mc_minHeight + 1));
  Grid grid(w, h);
  for (int x = 0; x < w; ++x) {
    grid.Set(x, 0, true);
    grid.Set(x, h - 1, true);
  }
  for (int y = 0; y < h; ++y) {
    grid.Set(0, y, true);
    grid.Set(w - 1, y, true);
  }
  // Cover goes between the start rows, never on the centre cell or its twin.
  auto keepOpen = [&](int x, int y) {
    return y <= 1 || y >= h - 2 || x <= 0 || x >= w - 1 || (x == w / 2 && y == h / 2) ||
           (x == w - 1 - w / 2 && y == h - 1 - h / 2);
  };
  const int inside = (w - 2) * (h - 2);
  const int share = static_cast<int>(mc_minWallPercent + 1 + dice.Below(mc_maxWallPercent - mc_minWallPercent - 1));
  const int target = inside * share / 100;
  const int most = inside * static_cast<int>(mc_maxWallPercent) / 100;
  int walls = 0;
  std::vector<int> stack;
  std::vector<bool> seen;
  std::vector<std::pair<int, int>> placed;
  for (int attempt = 0; attempt < kAttempts && walls < target; ++attempt) {
    const Piece& piece = kPieces[dice.Below(sizeof kPieces / sizeof kPieces[0])];
    const int x0 = 1 + static_cast<int>(dice.Below(static_cast<std::uint32_t>(w - 2)));
    const int y0 = 2 + static_cast<int>(dice.Below(static_cast<std::uint32_t>(h - 4)));
    placed.clear();
    bool fits = true;
    for (int i = 0; i < piece.cells && fits; ++i) {
      const int x = x0 + piece.dx[i];
      const int y = y0 + piece.dy[i];
      fits = !keepOpen(x, y);
      if (!fits) break;
      for (const auto& cell : {std::make_pair(x, y), std::make_pair(w - 1 - x, h - 1 - y)}) {
        if (!grid.Wall(cell.first, cell.second)) {
          grid.Set(cell.first, cell.second, true);
          placed.push_back(cell);
        }
      }
    }
    const int added = static_cast<int>(placed.size());
    if (fits && added > 0 && walls + added <= most && grid.Connected(stack, seen)) {
      walls += added;
      continue;
    }
    for (const auto& cell : placed) grid.Set(cell.first, cell.second, false);
  }

  std::string text;
  text.reserve(static_cast<std::size_t>(w + 1) * h);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) text += grid.Wall(x, y) ? '#' : '.';
    text += '\n';
  }
  // The goals as any unmarked battlefield would get them, then marked.
  CMap map;
  map.LoadFromMemory(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  MapCell goals[kGoalRows - 1];
  ResolveGoals(map, false, goals);
  for (std::uint32_t row = 0; row + 1 < kGoalRows; ++row) {
    const std::size_t at = static_cast<std::size_t>(h - 1 - goals[row].y) * (w + 1) + goals[row].x;
    text[at] = static_cast<char>('1' + row);
  }
  return text;
}
