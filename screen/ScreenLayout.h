#pragma once

#include <cstdint>

#include "map/CMap.h"
#include "screen/StartScreenControls.h"

// Where everything stands on the game's screen, in drawing coordinates: one
// unit a pixel, origin at the window's bottom-left corner. The start screen's
// click boxes are in StartScreenControls.
struct ScreenLayout {
  static constexpr std::int32_t mc_windowHeight = 768;  // a window point's y is this minus its drawing y

  // The battlefield: cell (x, y) is centred on map-space point (32x, 32y), and
  // map space starts at the map origin (MapPlacement), which centres the
  // battlefield in the play area: the room of the largest one shown whole.
  static constexpr std::int32_t mc_cellSize = 32;               // a cell's side
  static constexpr std::int32_t mc_halfCell = mc_cellSize / 2;  // from a cell's centre to its edge
  static constexpr std::int32_t mc_playLeft = 34;               // left edge of the play area
  static constexpr std::int32_t mc_playBottom = 34;             // bottom edge of the play area
  static constexpr std::int32_t mc_playWidth = mc_cellSize * static_cast<std::int32_t>(CMap::mc_maxShownWidth);
  static constexpr std::int32_t mc_playHeight = mc_cellSize * static_cast<std::int32_t>(CMap::mc_maxShownHeight);

  // The roster: slot i's label baseline starts at (left + step * (i % 5), bottom + rowStep * (i / 5)).
  static constexpr std::int32_t mc_rosterLeft = 864;
  static constexpr std::int32_t mc_rosterBottom = 145;
  static constexpr std::int32_t mc_rosterSlotStep = 32;  // between slots of a row
  static constexpr std::int32_t mc_rosterRowStep = 145;  // from the first row up to the second
  static constexpr std::int32_t mc_rosterSlotsPerRow = 5;

  // The status message: lines start at this x, the first on the top baseline,
  // each next one a line step lower.
  static constexpr std::int32_t mc_statusLeft = 854;
  static constexpr std::int32_t mc_statusTop = 384;
  static constexpr std::int32_t mc_lineStep = 20;  // between the baselines of two lines of text

  // The start screen's texts: the title, the two team sizes with their
  // "< >" marks, "Start", and the computer's level with its marks.
  static constexpr std::int32_t mc_startTextLeft = 150;
  static constexpr std::int32_t mc_titleBaseline = 450;
  static constexpr std::int32_t mc_goalBaseline = 420;  // what wins, under the title
  static constexpr std::int32_t mc_greenSizeBaseline = 390;
  static constexpr std::int32_t mc_blueSizeBaseline = 370;
  static constexpr std::int32_t mc_sizeMarksLeft = 404;  // a blank's width clear of the widest size, "10"
  static constexpr std::int32_t mc_startBaseline = 330;
  static constexpr std::int32_t mc_levelBaseline = 220;
  static constexpr std::int32_t mc_paceBaseline = 190;      // the live turn's pace, with its marks
  static constexpr std::int32_t mc_soundBaseline = 160;     // "Sound: Off", while it is
  static constexpr std::int32_t mc_continueBaseline = 300;  // "Continue", when a game waits
  // What Continue brings back, in the small font right of "Continue", short of the picture.
  static constexpr std::int32_t mc_continueTextLeft = 270;
  static constexpr std::int32_t mc_continueTextRoom = 320;
  // Up to three lines about the records (a refused one, or that games cannot
  // be saved), left of the battlefield's picture, a line step apart.
  static constexpr std::int32_t mc_recordMessageLeft = 50;
  static constexpr std::int32_t mc_recordMessageBaseline = 130;
  static constexpr std::int32_t mc_recordMessageRoom = 540;
  // A line above the battlefield: watching a turn again, a battlefield not
  // played, or saving failed.
  static constexpr std::int32_t mc_topLineLeft = 50;
  static constexpr std::int32_t mc_topLineBaseline = 745;
  // The chosen battlefield's line "Battlefield: <name>" and its "< >" marks
  // (its picture's box is in StartScreenControls).
  static constexpr std::int32_t mc_battlefieldBaseline = 250;
  static constexpr std::int32_t mc_battlefieldMarksLeft = 540;
  // Why the chosen battlefield is not played: up to three lines from the
  // map's left edge, low on the start screen (lower after three lines about
  // the records), no wider than the room to the window's right edge; in play
  // it takes the top line in the small font, short of the heads-up display's
  // column (which starts at mc_statusLeft).
  static constexpr std::int32_t mc_mapProblemStartBaseline = 80;
  static constexpr std::int32_t mc_mapProblemStartRoom = 960;
  static constexpr std::int32_t mc_mapProblemPlayRoom = 790;
  static constexpr std::int32_t mc_topLineRight = 450;  // a second text on the top line starts here
  // The replay's keys, in the small font under the battlefield, and the threat lens's legend right of them.
  static constexpr std::int32_t mc_replayKeysLeft = 50;
  static constexpr std::int32_t mc_replayKeysBaseline = 10;
  static constexpr std::int32_t mc_lensLegendLeft = 740;
  // In play, in the small font under the battlefield: the live turn's pace,
  // and "Sound off" right of it while it is.
  static constexpr std::int32_t mc_playNotesBaseline = 12;
  static constexpr std::int32_t mc_paceNoteLeft = 50;
  static constexpr std::int32_t mc_soundNoteLeft = 230;

  // The help panel's top-left text origin, and the hint shown instead of it.
  static constexpr std::int32_t mc_helpLeft = 237;
  static constexpr std::int32_t mc_helpTop = 450;
  static constexpr std::int32_t mc_hintLeft = 400;
  static constexpr std::int32_t mc_hintBaseline = 12;
};

// Where a battlefield stands on the screen, in drawing coordinates.
struct MapPlacement {
  std::int32_t m_originX;  // centre of cell (0, 0)
  std::int32_t m_originY;

  std::int32_t Left() const { return m_originX - ScreenLayout::mc_halfCell; }    // left edge of column 0
  std::int32_t Bottom() const { return m_originY - ScreenLayout::mc_halfCell; }  // bottom edge of row 0
  // The drawing point of a cell's centre.
  std::int32_t CellX(std::int32_t x) const { return m_originX + ScreenLayout::mc_cellSize * x; }
  std::int32_t CellY(std::int32_t y) const { return m_originY + ScreenLayout::mc_cellSize * y; }
};

// A battlefield of that many columns and rows centred in the play area (half
// a cell is 16 pixels: it stays on whole pixels). Along an axis where it is
// as large as the play area or larger (a map file too big to be played) it
// starts at the play area's edge.
constexpr MapPlacement PlaceMap(std::uint32_t width, std::uint32_t height) {
  const auto room = [](std::uint32_t cells, std::uint32_t most) {
    return cells < most ? static_cast<std::int32_t>(most - cells) * ScreenLayout::mc_halfCell : 0;
  };
  return MapPlacement{ScreenLayout::mc_playLeft + ScreenLayout::mc_halfCell + room(width, CMap::mc_maxShownWidth),
                      ScreenLayout::mc_playBottom + ScreenLayout::mc_halfCell + room(height, CMap::mc_maxShownHeight)};
}
inline MapPlacement PlaceMap(const CMap& map) { return PlaceMap(map.GetWidth(), map.GetHeight()); }

// Map drawing coordinate of a cell's centre along one axis.
constexpr float CellCentre(int cell) {
  return static_cast<float>(ScreenLayout::mc_cellSize) * static_cast<float>(cell);
}
