#pragma once

#include <vector>

#include "units/CPathFinder.h"
#include "units/Move.h"

// The moves that take a tank along a path (goal state first, start state
// last, as the path finder gives it), from the start towards the goal: one
// move for each pair of consecutive states. A change of heading is a left
// turn when the heading index went up by one (modulo 4) and a right turn
// otherwise; a move along the heading is forward, any other move back.
std::vector<Move> CommandsForPath(const std::vector<PathNode>& path);

// The moves for the finder's path; none when its last search found none.
std::vector<Move> CommandsForPath(const CPathFinder& finder);
