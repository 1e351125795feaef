#pragma once

#include <cstdint>

#include "units/Move.h"
#include "units/TankState.h"

// What a queued command does: one of the four moves, a wait or a fire.
enum class CommandKind : std::uint8_t { TurnRight, TurnLeft, Forward, Back, Wait, Fire };

// One planned command of a tank, a plain value. A queue of them is a chain:
// each records the state the tank is planned to have before and after it.
// Carrying a command out (CTank::Step) works from the tank's state at that
// moment, not from these: a turn turns whatever way the tank faces then.
struct TankCommand {
  CommandKind m_kind = CommandKind::Wait;  // what the command does
  TankState m_before;                      // the tank's planned state when it starts
  TankState m_after;                       // the tank's planned state when it is done

  const TankState& GetBefore() const { return m_before; }
  const TankState& GetAfter() const { return m_after; }
  bool IsFire() const { return m_kind == CommandKind::Fire; }
  // The command's letter in a game record: A forward, B back, L and R the
  // turns, W wait, F fire.
  char Letter() const;
};

// The command of that kind planned from `before`, its after-state worked out
// (walls and tanks are not looked at).
TankCommand MakeCommand(CommandKind kind, const TankState& before);
// The kind a record letter stands for; false for any other letter.
bool CommandKindOfLetter(char letter, CommandKind& kind);
// The command that carries out a move; false for Move::None.
bool CommandKindOfMove(Move move, CommandKind& kind);
// Steps the command takes out of a turn: a fire and a move back keep the
// tank busy for one more, every other command takes one.
std::int32_t CommandSteps(CommandKind kind);
