#pragma once

#include <cstdint>
#include <string>

#include "map/MapCell.h"

class CMap;

// What a battlefield must offer beyond its cells: room for a game, open
// routes between the named cells, and the computer's goal cells.

// Why a game with these team sizes cannot be played on the map, in words for
// the player, or null when it can: the map must hold the game (CMap: the tanks
// placed, the centre and repair cells open) and show whole beside the
// heads-up display. Map files and records are checked alike.
const char* BattlefieldProblem(const CMap& map, std::uint32_t greenTanks, std::uint32_t blueTanks);

// What makes a battlefield that can hold a game one-sided, in words for the
// player ("Blue's tanks cannot reach the centre cell"), or an empty text
// when both teams' starts reach the centre and both repair cells and Blue's
// start reaches each goal cell the map marks. Such a battlefield is played
// all the same. Expects a map that can hold a game.
std::string OneSidedProblem(const CMap& map);

// The computer's goal table: where Blue's tanks after the first are sent, one
// row drawn per tank, the last row standing for the centre cell. The cells
// were written for the default battlefield, kGoalTableSize cells large.
inline constexpr std::uint32_t kGoalRows = 7;
inline constexpr MapCell kGoalTable[kGoalRows - 1] = {{18, 10}, {18, 5}, {13, 5}, {6, 16}, {6, 11}, {6, 7}};
inline constexpr MapCell kGoalTableSize = {25, 22};

// Fills goals[0 .. kGoalRows - 2], the cells of the goal table's rows on this
// map. A row keeps the cell the map file marked for it; else (when
// keepWritten) the written cell when it is open and reachable from Blue's
// start; else a derived cell: the written cell scaled from kGoalTableSize to
// this map's size, moved to the nearest cell reachable from Blue's start that
// is neither the centre nor another goal, a cell beside a wall (cover) winning
// over an equally near one in the open. Without any reachable cell the
// written cell stays (the planner copes with a goal it cannot reach).
void ResolveGoals(const CMap& map, bool keepWritten, MapCell* goals);
