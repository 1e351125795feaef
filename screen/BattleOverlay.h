#pragma once

#include <cstdint>

class CBattleScreen;
class CGameTally;
class CGameWorld;

// What the battle screen adds to the battlefield and its tanks so that the
// player can read the game: the numbers of the tanks shown, the selected
// tank's ring, the health of the enemies in sight and what the planned shots
// would strike (map space, after the tanks).
void DrawBattlefieldMarks(const CGameWorld& match, const CBattleScreen& screen);
// The turn (`turn`, or the match's when 0; and its step while it runs), the
// tanks left, the centre cell's holder and the combat log right of the
// battlefield, or the game's summary instead of the log when a tally of the
// finished game is given (else null); the no-path mark, and the restart
// question over it when it is asked (screen space).
void DrawBattleInfo(const CGameWorld& match, const CBattleScreen& screen, bool restartAsked, const CGameTally* summary,
                    std::uint32_t turn);
