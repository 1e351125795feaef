#pragma once

#include <vector>

#include "units/CPathFinder.h"

// The command a tank carries out for one step of a path.
enum class PathCommand {
  TurnLeft,
  TurnRight,
  Forward,
  Back,
};

// The commands that take a tank along a path (goal state first, start state
// last, as the path finder gives it), from the start towards the goal: one
// command for each pair of consecutive states. A change of heading is a left
// turn when the heading index went up by one (modulo 4) and a right turn
// otherwise; a move along the heading is forward, any other move back.
std::vector<PathCommand> CommandsForPath(const std::vector<PathNode>& path);

// The commands for the finder's path; none when its last search found none.
std::vector<PathCommand> CommandsForPath(const CPathFinder& finder);
