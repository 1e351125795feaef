#pragma once

#include <cstdint>

struct TankState;

// The moves that change a tank's cell or heading, in the order the planner
// tries them: what a path, the computer's look-ahead and the threat lines are
// made of. None stands for no move (the look-ahead's root, a blocked state).
enum class Move : std::uint8_t { TurnRight, TurnLeft, Forward, Back, None };

// The time the move takes out of a turn: a step back takes two units, every
// other move one; no move takes none.
std::int32_t MoveTime(Move move);

// The state after the move; walls and tanks are not looked at.
void ApplyMove(TankState& state, Move move);
