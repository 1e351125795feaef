// Writes the battlefield "Data/map.dat".
//
//   kv_mapgen OUTDIR
//
// The battlefield is 25 x 22 cells inside a closed wall border. Cover is laid
// out as wall pieces in the upper half; the lower half is the same turned
// half a circle about the centre, so neither side starts better off. Before
// writing, the layout is checked against what the game relies on, and a
// layout that breaks a rule is refused with the reason.
#include <cstdio>
#include <filesystem>
#include <queue>
#include <string>
#include <vector>

#include "assetkit/FileOutput.h"

namespace {

constexpr int kWidth = 25;
constexpr int kHeight = 22;
constexpr int kMaxWidth = 25;   // widest map the battle screen shows whole beside the HUD
constexpr int kMaxHeight = 22;  // tallest map the battle screen shows whole
constexpr int kMaxTeam = 10;    // largest team the start screen allows

// A block of wall cells: lower-left cell (x, y; y grows upward) and size.
struct WallPiece {
  int x, y, w, h;
};

// Cover in the upper half (rows 11 to 20); each piece also stands turned
// about the centre in the lower half.
const WallPiece kUpperHalf[] = {
    {1, 12, 2, 1},   // stub off the left wall
    {3, 11, 1, 1},   // post below it
    {3, 17, 2, 1},   // bar near the green repair cell
    {5, 12, 1, 3},   // L-shaped bunker, upright
    {6, 14, 1, 1},   //   and its roof
    {8, 18, 1, 2},   // post by the top wall
    {9, 13, 2, 1},   // ledge beside the centre
    {10, 11, 1, 2},  // pillar north-west of the centre
    {11, 17, 1, 2},  // short wall in the upper middle
    {12, 13, 1, 1},  // lone block north of the centre
    {15, 18, 2, 1},  // bar in the upper middle
    {15, 13, 2, 1},  // ledge north-east of the centre
    {16, 12, 1, 1},  //   and its foot
    {20, 16, 2, 2},  // square block by the right wall
    {21, 11, 1, 2},  // post east of the centre
};

// Cells the computer's tanks head for; they must be open ground.
const int kGoalCells[][2] = {{18, 10}, {18, 5}, {13, 5}, {6, 16}, {6, 11}, {6, 7}};

using Grid = std::vector<std::vector<bool>>;  // [y][x], true for a wall

Grid BuildGrid() {
  Grid walls(kHeight, std::vector<bool>(kWidth, false));
  for (int x = 0; x < kWidth; ++x) walls[0][x] = walls[kHeight - 1][x] = true;
  for (int y = 0; y < kHeight; ++y) walls[y][0] = walls[y][kWidth - 1] = true;
  for (const WallPiece& p : kUpperHalf) {
    for (int y = p.y; y < p.y + p.h; ++y) {
      for (int x = p.x; x < p.x + p.w; ++x) {
        walls[y][x] = true;
        walls[kHeight - 1 - y][kWidth - 1 - x] = true;
      }
    }
  }
  return walls;
}

// Every broken rule, one line each; empty when the layout is sound.
std::vector<std::string> CheckLayout(const Grid& walls) {
  std::vector<std::string> faults;
  const int h = static_cast<int>(walls.size());
  const int w = h > 0 ? static_cast<int>(walls[0].size()) : 0;
  if (w < 3 || h < 3 || w > kMaxWidth || h > kMaxHeight) {
    faults.push_back("size " + std::to_string(w) + " x " + std::to_string(h) + " is outside 3 x 3 to 25 x 22");
    return faults;
  }
  for (int x = 0; x < w; ++x) {
    if (!walls[0][x] || !walls[h - 1][x]) faults.push_back("border open at column " + std::to_string(x));
  }
  for (int y = 0; y < h; ++y) {
    if (!walls[y][0] || !walls[y][w - 1]) faults.push_back("border open at row " + std::to_string(y));
  }
  auto mustBeOpen = [&](int x, int y, const std::string& what) {
    if (x < 0 || y < 0 || x >= w || y >= h || walls[y][x]) {
      faults.push_back(what + " (" + std::to_string(x) + ", " + std::to_string(y) + ") is not open ground");
    }
  };
  for (int i = 0; i < kMaxTeam; ++i) {
    mustBeOpen(i + 1, 1, "green start cell");
    mustBeOpen(w - i - 2, h - 2, "blue start cell");
  }
  mustBeOpen(w / 2, h / 2, "centre cell");
  mustBeOpen(1, h - 2, "repair cell");
  mustBeOpen(w - 2, 1, "repair cell");
  for (const auto& goal : kGoalCells) mustBeOpen(goal[0], goal[1], "goal cell");

  // Every open cell must be reachable from every other by moves of one cell.
  std::vector<std::vector<bool>> seen(h, std::vector<bool>(w, false));
  std::queue<std::pair<int, int>> frontier;
  frontier.push({1, 1});
  seen[1][1] = true;
  while (!frontier.empty()) {
    const auto [x, y] = frontier.front();
    frontier.pop();
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& s : steps) {
      const int nx = x + s[0], ny = y + s[1];
      if (nx < 0 || ny < 0 || nx >= w || ny >= h || walls[ny][nx] || seen[ny][nx]) continue;
      seen[ny][nx] = true;
      frontier.push({nx, ny});
    }
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (!walls[y][x] && !seen[y][x]) {
        faults.push_back("open cell (" + std::to_string(x) + ", " + std::to_string(y) + ") cannot be reached");
      }
    }
  }
  return faults;
}

// The map file: the first line is the top row.
std::string MapText(const Grid& walls) {
  std::string text;
  for (int y = static_cast<int>(walls.size()) - 1; y >= 0; --y) {
    for (bool wall : walls[y]) text += wall ? '#' : '.';
    text += '\n';
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  const Grid walls = BuildGrid();
  const std::vector<std::string> faults = CheckLayout(walls);
  for (const std::string& fault : faults) std::fprintf(stderr, "map layout: %s\n", fault.c_str());
  if (!faults.empty()) return 1;

  std::filesystem::path dataDir;
  if (!MakeDataFolder(argv[1], dataDir)) return 1;
  return WriteFileText((dataDir / "map.dat").string(), MapText(walls)) ? 0 : 1;
}
