#pragma once

#include <cstddef>
#include <vector>

#include "ai/TurnOrders.h"

class CKnownMatch;

// Every way one tank of a known match can spend the coming turn: the
// sequences of moves, turns, waits and shots that fit its four steps after
// the steps it is still busy (a shot or a move back keeps it busy the step
// after, into the next turn too), each ending in any step it likes, the
// steps left idle. A move never enters a wall or leaves the battlefield, nor
// enters a cell an enemy stands on at the turn's start; a friend's cell only
// from the second step on, when the friend may have left it. Turns that undo
// each other, three turns one way and waits that no shot follows are left
// out: another sequence does the same sooner.
class CTurnOptions {
 public:
  // Fills `out` with the sequences of the known match's tank (its index in
  // the match's list), the empty one first; an index out of range gives none.
  static void Collect(const CKnownMatch& known, std::size_t tank, std::vector<TurnOrders>& out);
};
