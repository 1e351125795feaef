#include "units/CTank.h"

#include <algorithm>
#include <cmath>

#include "audio/SoundTable.h"
#include "engine/Assert.h"
#include "map/CMap.h"
#include "units/CActionFire.h"
#include "units/CActionMoveBack.h"
#include "units/CActionMoveFwd.h"
#include "units/CActionTurn.h"
#include "units/CActionWait.h"
#include "units/CommandMarker.h"
#include "units/PathCommands.h"
#include "world/CGameWorld.h"

namespace {

// Angles between the shell's travel and the tank's heading that divide the
// hits from behind, in the side and in the front.
constexpr float kBehindBelow = 45.0f;
constexpr float kSideBelow = 135.0f;

// The command of a record letter planned from `before`; null for any other letter.
std::unique_ptr<CAction> CommandOfLetter(char letter, const TankState& before) {
  switch (letter) {
    case 'A': return std::make_unique<CActionMoveFwd>(before);
    case 'B': return std::make_unique<CActionMoveBack>(before);
    case 'L': return std::make_unique<CActionTurn>(before, false);
    case 'R': return std::make_unique<CActionTurn>(before, true);
    case 'W': return std::make_unique<CActionWait>(before);
    case 'F': return std::make_unique<CActionFire>(before);
    default: return nullptr;
  }
}

// The smaller angle between two directions, 0 to 180 degrees.
float AngleBetween(float a, float b) {
  const float turn = std::fmod(std::fabs(a - b), 360.0f);
  return turn > 180.0f ? 360.0f - turn : turn;
}

}  // namespace

CTank::CTank(CGameWorld* world) : m_World(world) { KV_ASSERT(m_World); }

CTank::~CTank() = default;

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

bool CTank::CanEnter(std::int32_t x, std::int32_t y) const {
  return !m_World->IsTankAt(x, y, mc_noTeam) && !m_World->GetMap().IsWallOrOutside(x, y);
}

bool CTank::StandsOnRepairCell() const { return m_World->IsRepairCell(m_state.x, m_state.y); }

void CTank::RepairOnRepairCell() {
  // A wreck stays a wreck: a tank destroyed earlier in this step is not
  // brought back by the repair cell it stands on.
  if (IsDestroyed() || !StandsOnRepairCell()) return;
  const std::int32_t before = m_state.hp;
  m_state.hp = std::min(m_state.hp + mc_repairPerStep, mc_fullHitPoints);
  if (m_state.hp > before) m_World->NoteRepair(*this, m_state.hp - before);
}

void CTank::MoveForward() {
  m_World->StartEngineSound();
  m_state.Advance();
}

void CTank::MoveBack() {
  ++m_delay;
  m_World->StartEngineSound();
  m_state.Retreat();
}

void CTank::Turn(bool right) {
  m_World->StartEngineSound();
  m_state.Turn(right);
}

void CTank::Wait() { RepairOnRepairCell(); }

void CTank::Fire() {
  KV_ASSERT(IsHeading(m_state.dx, m_state.dy));
  const CMap& map = m_World->GetMap();
  TankState shell = m_state;
  do {
    shell.Advance();
  } while (!map.IsWallOrOutside(shell.x, shell.y) && !m_World->IsTankAt(shell.x, shell.y, mc_noTeam));

  m_World->SpawnShotEffects(CellCentre(m_state.x), CellCentre(m_state.y), CellCentre(shell.x), CellCentre(shell.y));
  m_World->HitTankAt(shell.x, shell.y, static_cast<float>(GetAngle()), this);
  PlaySound(m_team == 0 ? kSoundGreenShot : kSoundBlueShot);
  ++m_delay;
}

TankHit CTank::TakeHit(float shotAngle) {
  // 0 degrees: the shell travels the way the tank faces, so it came from behind.
  const float angle = AngleBetween(shotAngle, static_cast<float>(GetAngle()));
  if (angle < kBehindBelow) m_hitFromBehind = true;
  TankHit hit{HitSide::Front, mc_damageInTheFront};
  if (StandsOnRepairCell()) {
    hit = {HitSide::RepairCell, mc_damageOnRepairCell};
  } else if (angle < kBehindBelow) {
    hit = {HitSide::Rear, mc_damageFromBehind};
  } else if (angle < kSideBelow) {
    hit = {HitSide::Side, mc_damageInTheSide};
  }
  m_state.hp -= hit.m_damage;
  if (m_state.hp <= 0) PlaySound(kSoundTankDestroyed);
  return hit;
}

bool CTank::CanHit(std::int32_t px, std::int32_t py, std::int32_t dx, std::int32_t dy) const {
  const CMap& map = m_World->GetMap();
  std::int32_t x = px;
  std::int32_t y = py;
  for (;;) {
    if (map.IsWallOrOutside(x, y)) return false;
    const bool seen = map.GetVisible(x, y, m_team) != 0;
    if (seen && m_World->IsTankAt(x, y, m_team)) return true;
    const bool start = x == px && y == py;
    if (!start && seen && m_World->IsTankAt(x, y, mc_noTeam)) return false;
    // A shell that does not travel meets nothing beyond its start.
    if (dx == 0 && dy == 0) return false;
    x += dx;
    y += dy;
  }
}

TankState CTank::PlannedState() const { return m_commands.empty() ? m_state : m_commands.back()->GetAfter(); }

bool CTank::Queue(std::unique_ptr<CAction> command) {
  // Moves into a wall or off the map are not planned.
  const TankState& from = command->GetBefore();
  const TankState& to = command->GetAfter();
  const bool moves = to.x != from.x || to.y != from.y;
  if (m_commands.size() >= mc_maxCommands || (moves && m_World->GetMap().IsWallOrOutside(to.x, to.y))) return false;
  m_commands.push_back(std::move(command));
  m_World->MarkStaticLayersDirty();
  return true;
}

void CTank::AddFire() { Queue(std::make_unique<CActionFire>(PlannedState())); }

void CTank::AddWait() { Queue(std::make_unique<CActionWait>(PlannedState())); }

void CTank::AddTurn(bool right) { Queue(std::make_unique<CActionTurn>(PlannedState(), right)); }

void CTank::AddMoveForward() { Queue(std::make_unique<CActionMoveFwd>(PlannedState())); }

void CTank::AddMoveBack() { Queue(std::make_unique<CActionMoveBack>(PlannedState())); }

void CTank::RemoveLastCommand() {
  if (!m_commands.empty()) m_commands.pop_back();
  m_keptCommands = std::min(m_keptCommands, m_commands.size());
  m_World->MarkStaticLayersDirty();
}

void CTank::ClearCommands() {
  while (!m_commands.empty()) m_commands.pop_back();
  m_keptCommands = 0;
  m_World->MarkStaticLayersDirty();
}

void CTank::SetSelected(bool selected) {
  m_selected = selected;
  m_World->MarkStaticLayersDirty();  // the plan's markers show the selection
}

bool CTank::AddCommandLetter(char letter) {
  std::unique_ptr<CAction> command = CommandOfLetter(letter, PlannedState());
  return command && Queue(std::move(command));
}

bool CTank::RestoreQueue(const TankState& from, const std::string& letters, std::size_t kept) {
  ClearCommands();
  TankState before = from;
  for (const char letter : letters) {
    std::unique_ptr<CAction> command = CommandOfLetter(letter, before);
    if (!command) return false;
    before = command->GetAfter();
    if (!Queue(std::move(command))) return false;
  }
  if (kept > m_commands.size()) return false;
  m_keptCommands = kept;
  return true;
}

void CTank::SetPath(const CPathFinder& finder) {
  ClearCommands();
  for (const Move move : CommandsForPath(finder)) AddMove(move);
}

void CTank::AddMove(Move move) {
  switch (move) {
    case Move::TurnRight: AddTurn(true); break;
    case Move::TurnLeft: AddTurn(false); break;
    case Move::Forward: AddMoveForward(); break;
    case Move::Back: AddMoveBack(); break;
    case Move::None: break;
  }
}

bool CTank::NextIsFire() const { return !m_commands.empty() && m_commands.front()->IsFire(); }

void CTank::Step() {
  if (m_delay > 0) {
    --m_delay;
    RepairOnRepairCell();
    return;
  }
  if (m_commands.empty()) {
    RepairOnRepairCell();
    return;
  }
  if (m_commands.front()->Execute(*this)) {
    m_commands.pop_front();
  } else {
    // A blocked move stays at the front and is tried again in the next step.
    RepairOnRepairCell();
  }
}
