#include "units/TankCommand.h"

namespace {

// Letters in the order of CommandKind.
constexpr char kLetters[] = "RLABWF";

}  // namespace

char TankCommand::Letter() const { return kLetters[static_cast<int>(m_kind)]; }

TankCommand MakeCommand(CommandKind kind, const TankState& before) {
  TankCommand command{kind, before, before};
  switch (kind) {
    case CommandKind::TurnRight: command.m_after.Turn(true); break;
    case CommandKind::TurnLeft: command.m_after.Turn(false); break;
    case CommandKind::Forward: command.m_after.Advance(); break;
    case CommandKind::Back: command.m_after.Retreat(); break;
    case CommandKind::Wait:
    case CommandKind::Fire: break;
  }
  return command;
}

bool CommandKindOfLetter(char letter, CommandKind& kind) {
  for (int i = 0; kLetters[i] != '\0'; ++i) {
    if (kLetters[i] == letter && letter != '\0') {
      kind = static_cast<CommandKind>(i);
      return true;
    }
  }
  return false;
}

bool CommandKindOfMove(Move move, CommandKind& kind) {
  switch (move) {
    case Move::TurnRight: kind = CommandKind::TurnRight; return true;
    case Move::TurnLeft: kind = CommandKind::TurnLeft; return true;
    case Move::Forward: kind = CommandKind::Forward; return true;
    case Move::Back: kind = CommandKind::Back; return true;
    case Move::None: break;
  }
  return false;
}

std::int32_t CommandSteps(CommandKind kind) { return kind == CommandKind::Fire || kind == CommandKind::Back ? 2 : 1; }
