#pragma once

class CGameWorld;

// Plays the match's turn out at once with the queues as they stand: the
// turn starts, its four steps run and it ends (or the step a tie stops it),
// with no time between and nobody planning after. False when no turn could
// start (one runs, or the game is over).
bool PlayTurnOut(CGameWorld& match);
