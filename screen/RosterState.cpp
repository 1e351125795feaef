#include "screen/RosterState.h"

#include "core/TextFormat.h"
#include "units/CTank.h"

RosterState RosterStateOf(const CTank& tank) {
  const CTank::CommandQueue& commands = tank.GetCommands();
  if (commands.empty()) return RosterState{tank.GetDelay() > 0 ? RosterState::Kind::Busy : RosterState::Kind::Idle, 0};
  std::int32_t steps = tank.GetDelay();
  for (const TankCommand& command : commands) steps += CommandSteps(command.m_kind);
  return RosterState{RosterState::Kind::Orders, steps};
}

const char* FormatRosterState(const RosterState& state, char* buffer, std::size_t size) {
  switch (state.m_kind) {
    case RosterState::Kind::Idle: return FormatText(buffer, size, "idle");
    case RosterState::Kind::Busy: return FormatText(buffer, size, "busy");
    case RosterState::Kind::Orders: break;
  }
  return FormatText(buffer, size, "%d st", static_cast<int>(state.m_steps));
}
