#include "units/Move.h"

#include "units/TankState.h"

std::int32_t MoveTime(Move move) {
  switch (move) {
    case Move::TurnRight:
    case Move::TurnLeft:
    case Move::Forward: return 1;
    case Move::Back: return 2;
    case Move::None: return 0;
  }
  return 0;
}

void ApplyMove(TankState& state, Move move) {
  switch (move) {
    case Move::TurnRight: state.Turn(true); break;
    case Move::TurnLeft: state.Turn(false); break;
    case Move::Forward: state.Advance(); break;
    case Move::Back: state.Retreat(); break;
    case Move::None: break;
  }
}
