#pragma once

#include <cstdint>

#include "screen/StartScreenControls.h"

// Where everything stands on the game's screen, in drawing coordinates: one
// unit a pixel, origin at the window's bottom-left corner. The start screen's
// click boxes are in StartScreenControls.
struct ScreenLayout {
  static constexpr std::int32_t mc_windowHeight = 768;  // a window point's y is this minus its drawing y

  // The battlefield: cell (x, y) is centred on map-space point (32x, 32y), and
  // map space starts at the map origin.
  static constexpr std::int32_t mc_cellSize = 32;               // a cell's side
  static constexpr std::int32_t mc_halfCell = mc_cellSize / 2;  // from a cell's centre to its edge
  static constexpr std::int32_t mc_mapOriginX = 50;             // centre of cell (0, 0)
  static constexpr std::int32_t mc_mapOriginY = 50;
  static constexpr std::int32_t mc_mapLeft = mc_mapOriginX - mc_halfCell;    // left edge of column 0
  static constexpr std::int32_t mc_mapBottom = mc_mapOriginY - mc_halfCell;  // bottom edge of row 0

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

// Map drawing coordinate of a cell's centre along one axis.
constexpr float CellCentre(int cell) {
  return static_cast<float>(ScreenLayout::mc_cellSize) * static_cast<float>(cell);
}
