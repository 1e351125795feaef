// Writes the shipped battlefields: "Data/map.dat", the default, the others
// beside it, and their list "Data/maps.dat" ("file name" a line, the default
// first).
//
//   kv_mapgen OUTDIR
//
// Every battlefield lies inside a closed wall border and is the same turned
// half a circle about its centre, so neither side starts better off: the
// default is laid out as wall pieces in its upper half, the others are drawn
// row by row in their upper half. The goal cells of the computer's tanks are
// written into the file as the digits '1' to '6' (the default carries none:
// the game's own goal table was written for it). Before writing, each layout
// is checked against what the game relies on, and a layout that breaks a rule
// is refused with the reason.
#include <cstdio>
#include <filesystem>
#include <queue>
#include <string>
#include <vector>

#include "assetkit/FileOutput.h"

namespace {

constexpr int kMaxWidth = 25;   // widest map the battle screen shows whole beside the HUD
constexpr int kMaxHeight = 22;  // tallest map the battle screen shows whole
constexpr int kMaxTeam = 10;    // largest team the start screen allows

// A cell: column x from the left, row y from the bottom.
struct Cell {
  int x, y;
};

// A block of wall cells: lower-left cell (x, y; y grows upward) and size.
struct WallPiece {
  int x, y, w, h;
};

// Cover of the default battlefield (25 x 22) in the upper half (rows 11 to
// 20); each piece also stands turned about the centre in the lower half.
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

// The game's own goal table, written for the default battlefield.
const std::vector<Cell> kDefaultGoals = {{18, 10}, {18, 5}, {13, 5}, {6, 16}, {6, 11}, {6, 7}};

// A battlefield drawn by hand: its upper half, top row first, down to and
// including the centre row (height / 2), and the goal cells of table rows 0
// to 5 (anywhere on the field).
struct DrawnField {
  const char* file;                 // file name in Data/
  const char* name;                 // the name the start screen shows
  std::vector<const char*> upper;   // rows height - 1 down to height / 2
  std::vector<Cell> goals;          // goal table rows 0 to 5
};

const DrawnField kDrawn[] = {
    {"open.dat", "Open Field",
     {"#########################",
      "#.......................#",
      "#.......................#",
      "#...##..........#.......#",
      "#.........#.............#",
      "#...................##..#",
      "#......#................#",
      "#..............#........#",
      "#..#....................#",
      "#..........#......#.....#",
      "#.......................#"},
     {{16, 12}, {19, 6}, {11, 6}, {6, 15}, {4, 11}, {8, 8}}},
    {"corridors.dat", "Corridors",
     {"#########################",
      "#.......................#",
      "#.......................#",
      "#.#######...#######.###.#",
      "#.......................#",
      "#....................#..#",
      "#####.####...####.#######",
      "#.......................#",
      "#...#...........#.......#",
      "#.###.###.#######.###...#",
      "#.......................#"},
     {{18, 11}, {21, 8}, {13, 8}, {6, 13}, {3, 10}, {9, 4}}},
    {"fortress.dat", "Fortress",
     {"#########################",
      "#.......................#",
      "#.......................#",
      "#....##...........##....#",
      "#.......................#",
      "#..#......#...#......#..#",
      "#.......................#",
      "#..##...####.####...##..#",
      "#.......#.......#.......#",
      "#.......#...............#",
      "#...#...#.......#...#...#"},
     {{11, 10}, {13, 10}, {10, 11}, {14, 11}, {9, 9}, {15, 12}}},
    {"flanks.dat", "Flanks",
     {"#########################",
      "#.......................#",
      "#.......................#",
      "#..#....#.......#....#..#",
      "#.......................#",
      "#.....##.........##.....#",
      "#....#...............#..#",
      "#....#..###...###....#..#",
      "#....#..#.........#..#..#",
      "#.......#...#.....#.....#",
      "#....#..................#"},
     {{20, 11}, {20, 5}, {14, 4}, {3, 16}, {3, 10}, {5, 5}}},
    {"labyrinth.dat", "Labyrinth",
     {"#######################",
      "#.....................#",
      "#.....................#",
      "#.##.####.###.####.##.#",
      "#.#...#.....#.....#...#",
      "#.#.#.#.###.#.###.#.#.#",
      "#...#...#.......#...#.#",
      "###.###.........###.#.#",
      "#.........#...#.......#",
      "#.##.###.#.....#.###..#"},
     {{14, 8}, {17, 5}, {11, 4}, {5, 14}, {8, 9}, {7, 6}}},
    {"crossfire.dat", "Crossfire",
     {"###################",
      "#.................#",
      "#.................#",
      "#..##.....#...##..#",
      "#.........#.......#",
      "#..#..........#...#",
      "#......###........#",
      "#.................#"},
     {{13, 8}, {14, 4}, {9, 4}, {5, 11}, {3, 7}, {6, 5}}},
};

constexpr int kWidth = 25;
constexpr int kHeight = 22;

using Grid = std::vector<std::vector<bool>>;  // [y][x], true for a wall

// The default battlefield: 25 x 22 cells, its cover laid out as wall pieces.
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
std::vector<std::string> CheckLayout(const Grid& walls, const std::vector<Cell>& goals) {
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
  for (const auto& goal : goals) mustBeOpen(goal.x, goal.y, "goal cell");

  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (walls[y][x] != walls[h - 1 - y][w - 1 - x]) {
        faults.push_back("cell (" + std::to_string(x) + ", " + std::to_string(y) + ") differs from its turned twin");
      }
    }
  }
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

// The whole grid of a drawn battlefield: its upper half as drawn, its lower
// half the upper turned about the centre.
Grid DrawnGrid(const DrawnField& field) {
  const int width = static_cast<int>(std::string(field.upper[0]).size());
  const int height = 2 * static_cast<int>(field.upper.size());
  Grid walls(height, std::vector<bool>(width, false));
  for (std::size_t r = 0; r < field.upper.size(); ++r) {
    const int y = height - 1 - static_cast<int>(r);
    const std::string row = field.upper[r];
    for (int x = 0; x < width && x < static_cast<int>(row.size()); ++x) {
      walls[y][x] = row[x] == '#';
      walls[height - 1 - y][width - 1 - x] = row[x] == '#';
    }
  }
  return walls;
}

// The map file: the first line is the top row; goal cells carry their row's digit.
std::string MapText(const Grid& walls, const std::vector<Cell>& marks) {
  std::string text;
  for (int y = static_cast<int>(walls.size()) - 1; y >= 0; --y) {
    for (int x = 0; x < static_cast<int>(walls[y].size()); ++x) {
      char c = walls[y][x] ? '#' : '.';
      for (std::size_t i = 0; i < marks.size(); ++i) {
        if (marks[i].x == x && marks[i].y == y) c = static_cast<char>('1' + i);
      }
      text += c;
    }
    text += '\n';
  }
  return text;
}

// Checks and writes one battlefield; false (with the reasons on stderr) when its layout breaks a rule.
bool WriteField(const std::filesystem::path& dataDir, const char* file, const Grid& walls,
                const std::vector<Cell>& goals, const std::vector<Cell>& marks) {
  const std::vector<std::string> faults = CheckLayout(walls, goals);
  for (const std::string& fault : faults) std::fprintf(stderr, "%s: %s\n", file, fault.c_str());
  if (!faults.empty()) std::fprintf(stderr, "%s", MapText(walls, marks).c_str());
  return faults.empty() && WriteFileText((dataDir / file).string(), MapText(walls, marks));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  std::filesystem::path dataDir;
  if (!MakeDataFolder(argv[1], dataDir)) return 1;
  bool ok = WriteField(dataDir, "map.dat", BuildGrid(), kDefaultGoals, {});
  std::string list = "map.dat Borderland\n";
  for (const DrawnField& field : kDrawn) {
    ok = WriteField(dataDir, field.file, DrawnGrid(field), field.goals, field.goals) && ok;
    list += std::string(field.file) + " " + field.name + "\n";
  }
  return ok && WriteFileText((dataDir / "maps.dat").string(), list) ? 0 : 1;
}
