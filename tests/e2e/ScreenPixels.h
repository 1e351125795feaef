#pragma once

#include <functional>
#include <string>
#include <vector>

#include "e2e/GameSession.h"
#include "screen/ScreenLayout.h"
#include "support/PixelBox.h"

// Reading the game's screenshots the way the game draws: drawing points with
// the origin at the window's bottom-left, the battlefield placed as the game
// places it (PlaceMap); the shipped battlefields of 25 x 22 cells have cell
// (x, y) centred on (50 + 32x, 50 + 32y).
namespace screen {

using Pixel = Screenshot::Pixel;

inline constexpr Pixel kBackground{51, 51, 51};  // the clear colour 0.2
inline constexpr Pixel kWhite{255, 255, 255};

bool Same(const Pixel& a, const Pixel& b);
// Every channel within `tolerance` of the other's.
bool Near(const Pixel& a, const Pixel& b, int tolerance);

// A rectangle of drawing points, bounds inclusive.
using Box = PixelBox;
std::string ToString(const Box& box);

// The pixels of a rectangle, rows bottom first; equal patches show the same.
struct Patch {
  int width = 0;
  int height = 0;
  std::vector<int> rgb;
  bool operator==(const Patch& o) const { return width == o.width && height == o.height && rgb == o.rgb; }
  bool operator!=(const Patch& o) const { return !(*this == o); }
};
Patch Cut(const Screenshot& shot, const Box& box);
// Where the game draws a battlefield of 25 x 22 cells, the shipped ones' size.
inline constexpr MapPlacement kLargestMap = PlaceMap(CMap::mc_maxShownWidth, CMap::mc_maxShownHeight);
// The 32 x 32 pixels of a battlefield cell.
Patch Cell(const Screenshot& shot, int x, int y, const MapPlacement& place = kLargestMap);
// The window point (origin top-left) of a cell's centre, for clicks.
int CellWindowX(int x, const MapPlacement& place = kLargestMap);
int CellWindowY(int y, const MapPlacement& place = kLargestMap);

// The smallest box around every pixel of the area that is not the
// background; false when there is none.
bool InkBox(const Screenshot& shot, const Box& area, Box& ink, Pixel background = kBackground);

// The last word of a line of text inside the area: the ink right of the
// last gap of six or more clear columns (a blank's width), cut out.
Patch LastWord(const Screenshot& shot, const Box& area);

// A picture from the game's Data folder, RGBA, row 0 at the top.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<int> rgba;
  // The colour at column x, row y from the top, and its opacity.
  Pixel At(int x, int y) const;
  int AlphaAt(int x, int y) const;
};
Picture LoadPicture(const std::string& name);

// Screenshots until one satisfies the test, or the time is up; the last one.
Screenshot ShootUntil(const GameSession& game, const std::function<bool(const Screenshot&)>& done,
                      int timeoutMs = 10000);

// Where the game saves the screenshots of its documentation, when asked to:
// the directory named by KORVANE_SCREENSHOT_DIR, or empty.
std::string DocumentationShot(const std::string& name);

}  // namespace screen
