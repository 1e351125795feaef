#pragma once

class CBattleScreen;
class CGameWorld;

// The player's planned shots while he plans, in Green's fog, in map drawing
// space: each planned fire of a Green tank (a fire repeated from the same
// cell and heading once) as a line from its muzzle to where the shell would
// stop as things stand (ForecastShot), and what it would strike. Nothing
// while a turn runs or in another view.

// The lines, under the tanks: the selected tank's bold, the others' faint; a
// shell that would strike a friend red, an enemy yellow, a wall white, one
// into cells out of sight dotted.
void DrawShotLines(const CGameWorld& match, const CBattleScreen& screen);
// The words over the tank a shot would strike, above its cell, for the
// selected tank's shots ("B4 side -20") and for every shot that would strike
// a friend ("G2 own tank -20", red).
void DrawShotLabels(const CGameWorld& match, const CBattleScreen& screen);
