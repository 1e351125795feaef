#pragma once

class CBattleScreen;
class CGameWorld;

// What the battle screen adds to the battlefield and its tanks so that the
// player can read the game: the numbers of the tanks shown, the selected
// tank's ring, the health of the enemies in sight and what the planned shots
// would strike (map space, after the tanks).
void DrawBattlefieldMarks(const CGameWorld& match, const CBattleScreen& screen);
// The turn, the tanks left, the centre cell's holder and the combat log right
// of the battlefield, the no-path mark, and the restart question over it
// when it is asked (screen space).
void DrawBattleInfo(const CGameWorld& match, const CBattleScreen& screen, bool restartAsked);
