#include "units/CTank.h"

#include <algorithm>

#include "core/Assert.h"
#include "map/CMap.h"
#include "units/CTankArena.h"
#include "units/PathCommands.h"

void CTank::SetPosition(std::int32_t x, std::int32_t y) {
  m_state.x = x;
  m_state.y = y;
}

void CTank::SetState(const TankState& state) {
  KV_ASSERT(IsHeading(state.dx, state.dy));
  m_state = state;
}

void CTank::SetHeading(std::int32_t dx, std::int32_t dy) {
  // Every trace walks along the heading: without one it would never end.
  KV_ASSERT(IsHeading(dx, dy));
  m_state.dx = dx;
  m_state.dy = dy;
}

bool CTank::CanEnter(const CTankArena& arena, std::int32_t x, std::int32_t y) const {
  return !arena.IsTankAt(x, y, mc_noTeam) && !arena.GetMap().IsWallOrOutside(x, y);
}

void CTank::RepairOnRepairCell(CTankArena& arena) {
  // A wreck stays a wreck: a tank destroyed earlier in this step is not
  // brought back by the repair cell it stands on.
  if (IsDestroyed() || !arena.GetMap().IsRepairCell(m_state.x, m_state.y)) return;
  const std::int32_t before = m_state.hp;
  m_state.hp = std::min(m_state.hp + mc_repairPerStep, mc_fullHitPoints);
  if (m_state.hp > before) arena.TankRepaired(*this, m_state.hp - before);
}

void CTank::MoveForward(CTankArena& arena) {
  m_state.Advance();
  arena.TankMoved(*this);
}

void CTank::MoveBack(CTankArena& arena) {
  ++m_delay;
  m_state.Retreat();
  arena.TankMoved(*this);
}

void CTank::Turn(CTankArena& arena, bool right) {
  m_state.Turn(right);
  arena.TankMoved(*this);
}

void CTank::Wait(CTankArena& arena) { RepairOnRepairCell(arena); }

void CTank::Fire(CTankArena& arena) {
  KV_ASSERT(IsHeading(m_state.dx, m_state.dy));
  const CMap& map = arena.GetMap();
  TankState shell = m_state;
  do {
    shell.Advance();
  } while (!map.IsWallOrOutside(shell.x, shell.y) && !arena.IsTankAt(shell.x, shell.y, mc_noTeam));
  arena.ShellLands(*this, shell.x, shell.y);
  ++m_delay;
}

TankHit CTank::TakeHit(std::int32_t shot, bool onRepairCell) {
  const TankHit hit = HitOf(shot, HeadingIndex(m_state.dx, m_state.dy), onRepairCell);
  // On a repair cell the side still tells where the shell came from.
  if (shot == HeadingIndex(m_state.dx, m_state.dy)) m_hitFromBehind = true;
  m_state.hp -= hit.m_damage;
  return hit;
}

TankState CTank::PlannedState() const { return m_commands.empty() ? m_state : m_commands.back().GetAfter(); }

bool CTank::Queue(const TankCommand& command, const CMap* map) {
  const bool moves = command.m_kind == CommandKind::Forward || command.m_kind == CommandKind::Back;
  if (m_commands.size() >= mc_maxCommands) return false;
  if (moves && (!map || map->IsWallOrOutside(command.m_after.x, command.m_after.y))) return false;
  m_commands.push_back(command);
  return true;
}

void CTank::AddFire() { Queue(MakeCommand(CommandKind::Fire, PlannedState()), nullptr); }

void CTank::AddWait() { Queue(MakeCommand(CommandKind::Wait, PlannedState()), nullptr); }

void CTank::AddTurn(bool right) {
  Queue(MakeCommand(right ? CommandKind::TurnRight : CommandKind::TurnLeft, PlannedState()), nullptr);
}

void CTank::AddMoveForward(const CMap& map) { Queue(MakeCommand(CommandKind::Forward, PlannedState()), &map); }

void CTank::AddMoveBack(const CMap& map) { Queue(MakeCommand(CommandKind::Back, PlannedState()), &map); }

void CTank::RemoveLastCommand() {
  if (!m_commands.empty()) m_commands.pop_back();
  m_keptCommands = std::min(m_keptCommands, m_commands.size());
}

void CTank::ClearCommands() {
  m_commands.clear();
  m_keptCommands = 0;
}

bool CTank::AddCommandLetter(char letter, const CMap& map) {
  CommandKind kind = CommandKind::Wait;
  return CommandKindOfLetter(letter, kind) && Queue(MakeCommand(kind, PlannedState()), &map);
}

bool CTank::RestoreQueue(const TankState& from, const std::string& letters, std::size_t kept, const CMap& map) {
  ClearCommands();
  TankState before = from;
  for (const char letter : letters) {
    CommandKind kind = CommandKind::Wait;
    if (!CommandKindOfLetter(letter, kind)) return false;
    const TankCommand command = MakeCommand(kind, before);
    if (!Queue(command, &map)) return false;
    before = command.m_after;
  }
  if (kept > m_commands.size()) return false;
  m_keptCommands = kept;
  return true;
}

void CTank::SetPath(const CPathFinder& finder, const CMap& map) {
  ClearCommands();
  for (const Move move : CommandsForPath(finder)) AddMove(move, map);
}

void CTank::AddMove(Move move, const CMap& map) {
  switch (move) {
    case Move::TurnRight: AddTurn(true); break;
    case Move::TurnLeft: AddTurn(false); break;
    case Move::Forward: AddMoveForward(map); break;
    case Move::Back: AddMoveBack(map); break;
    case Move::None: break;
  }
}

bool CTank::NextIsFire() const { return !m_commands.empty() && m_commands.front().IsFire(); }

void CTank::Step(CTankArena& arena) {
  if (m_delay > 0) {
    --m_delay;
    RepairOnRepairCell(arena);
    return;
  }
  if (m_commands.empty()) {
    RepairOnRepairCell(arena);
    return;
  }
  const TankCommand command = m_commands.front();
  bool done = true;
  switch (command.m_kind) {
    case CommandKind::Forward:
    case CommandKind::Back:
      // A blocked move is tried again in the next step; the tank idles meanwhile.
      done = CanEnter(arena, command.m_after.x, command.m_after.y);
      if (done && command.m_kind == CommandKind::Forward) MoveForward(arena);
      if (done && command.m_kind == CommandKind::Back) MoveBack(arena);
      break;
    case CommandKind::TurnRight: Turn(arena, true); break;
    case CommandKind::TurnLeft: Turn(arena, false); break;
    case CommandKind::Wait: Wait(arena); break;
    case CommandKind::Fire: Fire(arena); break;
  }
  if (done) {
    m_commands.erase(m_commands.begin());
  } else {
    RepairOnRepairCell(arena);
  }
}
