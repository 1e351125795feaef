#include "ai/players/CLegacyHardGreen.h"

#include <algorithm>
#include <cstdlib>

#include "units/CTank.h"

namespace {

constexpr std::int32_t kTurnBudget = 4;  // steps in a turn
constexpr std::int32_t kFar = 1000;      // distance of a cell no goal reaches
constexpr std::int16_t kNobody = -1;     // occupant of an empty cell
constexpr std::int16_t kFriend = 100;    // occupant code of a tank of the planned team
constexpr std::int32_t kFullHitPoints = CTank::mc_fullHitPoints;
// Cells this far along a target's flank lines count as firing cells.
constexpr std::int32_t kFlankReach = 10;
// Enemies this many steps further from the centre than the nearest one are
// hunted with it.
constexpr std::int32_t kHuntedSpread = 4;
// Cells around the centre where tanks gather when no enemy is known:
// between these Manhattan distances.
constexpr std::int32_t kRingNear = 2;
constexpr std::int32_t kRingFar = 3;

// Weights of an end state's rating.
constexpr float kPerCell = 12.0f;             // one cell nearer the goal
constexpr float kPerDamage = 3.0f;            // one point of damage dealt
constexpr float kKillBonus = 150.0f;          // the target is destroyed
constexpr float kHoldBonus = 250.0f;          // standing on the centre cell
constexpr float kHoldPerTurn = 30.0f;         // ... more for every turn end already held
constexpr float kDeathPenalty = 300.0f;       // the expected fire would destroy the tank
constexpr float kFriendLinePenalty = 400.0f;  // standing in a friend's line of fire: its shells hit
constexpr float kMovedShotFactor = 0.8f;      // a target may have moved before a later shot
constexpr std::int32_t kShotsNextTurn = 2;    // the shots of a whole turn, fired next turn ...
constexpr float kNextTurnFactor = 0.5f;       // ... and worth this much now
constexpr float kRememberedCertainty = 0.5f;  // a tank out of sight is perhaps still there

// Shells an enemy is expected to send along a line in a turn: it faces the
// line, must turn a quarter first, or turn right round.
constexpr float kShotsAhead = 2.0f;
constexpr float kShotsAfterQuarter = 1.5f;
constexpr float kShotsAfterHalf = 1.0f;

enum Move : std::uint8_t { kTurnRight, kTurnLeft, kForward, kBack };

std::int32_t Opposite(std::int32_t d) { return (d + 2) & 3; }

// Damage of a shell travelling along heading index `shot` into a tank with
// heading index `heading` (-1: unknown, taken as a side hit).
std::int32_t Damage(std::int32_t shot, std::int32_t heading, bool onRepairCell) {
  if (onRepairCell) return CTank::mc_damageOnRepairCell;
  if (heading < 0) return CTank::mc_damageInTheSide;
  if (shot == heading) return CTank::mc_damageFromBehind;
  if (shot == Opposite(heading)) return CTank::mc_damageInTheFront;
  return CTank::mc_damageInTheSide;
}

std::int32_t HeadingOf(const TankState& state) { return HeadingIndex(state.dx, state.dy); }

}  // namespace

void CLegacyHardGreen::PlanTurn(CGreenSight& sight) {
  if (sight.GetWidth() == 0) return;
  m_memory.Update(sight);
  Prepare(sight);

  // The taker of the centre: the tank on it, else the healthy tank nearest it.
  std::uint32_t taker = CGreenSight::mc_maxSlots;
  std::int32_t nearest = kFar;
  for (const CGreenSight::Own& tank : sight.GetOwn()) {
    if (!IsOpen(tank.state.x, tank.state.y)) continue;
    const std::int32_t distance = m_centreField[Cell(tank.state.x, tank.state.y)];
    const bool healthy = tank.state.hp > mc_repairBelow;
    if (distance == 0 || (healthy && distance < nearest)) {
      nearest = distance;
      taker = tank.slot;
    }
    if (distance == 0) break;
  }

  for (const CGreenSight::Own& tank : sight.GetOwn()) {
    if (IsOpen(tank.state.x, tank.state.y)) {
      PlanTank(sight, tank, ChooseRole(tank.state, tank.slot == taker));
    } else {
      sight.ClearOrders(tank.slot);
    }
  }
}

bool CLegacyHardGreen::IsRepairCell(std::int32_t x, std::int32_t y) const {
  for (const MapCell& cell : m_repairCells) {
    if (cell.x == x && cell.y == y) return true;
  }
  return false;
}

bool CLegacyHardGreen::IsOpen(std::int32_t x, std::int32_t y) const {
  return x >= 0 && y >= 0 && x < m_width && y < m_height && m_walls[static_cast<std::size_t>(Cell(x, y))] == 0;
}

void CLegacyHardGreen::Prepare(const CGreenSight& sight) {
  m_width = sight.GetWidth();
  m_height = sight.GetHeight();
  m_repairCells = sight.GetRepairCells();
  const std::size_t cells = static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height);
  m_walls.assign(cells, 0);
  for (std::int32_t y = 0; y < m_height; ++y) {
    for (std::int32_t x = 0; x < m_width; ++x) m_walls[static_cast<std::size_t>(Cell(x, y))] = !sight.IsOpen(x, y);
  }
  m_occupant.assign(cells, kNobody);
  for (std::vector<float>& shots : m_shots) shots.assign(cells, 0.0f);
  m_friendLine.assign(cells, 0);
  m_centreCell = sight.GetCentre();
  m_centre = Cell(m_centreCell.x, m_centreCell.y);

  const bool enemyHolds = sight.GetHolder() == CGreenSight::Holder::Blue;
  m_enemyHold = enemyHolds ? sight.GetHoldCount() : 0;
  m_ownHold = enemyHolds ? 0 : sight.GetHoldCount();

  for (const CGreenSight::Own& tank : sight.GetOwn()) {
    if (IsOpen(tank.state.x, tank.state.y)) m_occupant[Cell(tank.state.x, tank.state.y)] = kFriend;
  }
  GatherEnemies();
  for (std::int32_t i = 0; i < m_enemyCount; ++i) AddEnemyFire(m_enemies[i]);
  for (const CGreenSight::Own& tank : sight.GetOwn()) {
    if (tank.hitFromBehind && IsOpen(tank.state.x, tank.state.y)) AddFireFromBehind(tank.state);
  }

  m_centreField.assign(cells, kFar);
  if (m_walls[static_cast<std::size_t>(m_centre)] == 0) m_centreField[static_cast<std::size_t>(m_centre)] = 0;
  FillField(m_centreField);

  m_repairField.assign(cells, kFar);
  bool anyRepair = false;
  for (const MapCell& repair : m_repairCells) {
    // A repair cell an enemy stands on is no place to mend.
    if (!IsOpen(repair.x, repair.y)) continue;
    const std::int16_t occupant = m_occupant[Cell(repair.x, repair.y)];
    if (occupant != kNobody && occupant < kFriend) continue;
    m_repairField[Cell(repair.x, repair.y)] = 0;
    anyRepair = true;
  }
  if (anyRepair) {
    FillField(m_repairField);
  } else {
    m_repairField = m_centreField;
  }

  m_ringField.assign(cells, kFar);
  for (std::int32_t y = 0; y < m_height; ++y) {
    for (std::int32_t x = 0; x < m_width; ++x) {
      const std::int32_t away = std::abs(x - m_centreCell.x) + std::abs(y - m_centreCell.y);
      if (away >= kRingNear && away <= kRingFar && IsOpen(x, y)) m_ringField[Cell(x, y)] = 0;
    }
  }
  FillField(m_ringField);

  // The flank goal: the known enemies nearest the centre (the holder among
  // them), whose flanks and backs are the cells to make for.
  std::int32_t nearest = kFar;
  for (std::int32_t i = 0; i < m_enemyCount; ++i) {
    const TankState& s = m_enemies[i].m_state;
    nearest = std::min(nearest, m_centreField[Cell(s.x, s.y)]);
  }
  m_flankField.assign(cells, kFar);
  m_heldFiringCell.assign(cells, 0);
  m_hasFlankGoal = false;
  for (std::int32_t i = 0; i < m_enemyCount; ++i) {
    const TankState& s = m_enemies[i].m_state;
    if (m_centreField[Cell(s.x, s.y)] > nearest + kHuntedSpread) continue;
    MarkFlankCells(m_flankField, m_enemies[i]);
    m_hasFlankGoal = true;
  }
  if (m_hasFlankGoal) FillField(m_flankField);
}

void CLegacyHardGreen::GatherEnemies() {
  m_enemyCount = 0;
  m_holder = -1;
  for (std::uint32_t slot = 0; slot < CGreenSight::mc_maxSlots; ++slot) {
    const CBlueSightings::Sighting& sighting = m_memory.Get(slot);
    if (!sighting.known || !IsOpen(sighting.state.x, sighting.state.y)) continue;
    const std::int32_t cell = Cell(sighting.state.x, sighting.state.y);
    if (m_occupant[cell] != kNobody) continue;  // a friend stands there now
    const float certainty =
        sighting.age == 0 ? 1.0f
                          : kRememberedCertainty * (1.0f - static_cast<float>(sighting.age) /
                                                               static_cast<float>(CBlueSightings::mc_forgetAfter + 1));
    m_enemies[m_enemyCount] = Enemy{sighting.state, true, certainty, sighting.state.hp};
    if (cell == m_centre && sighting.age == 0) m_holder = m_enemyCount;
    m_occupant[cell] = static_cast<std::int16_t>(m_enemyCount);
    ++m_enemyCount;
  }
  // The count on the screen tells that an enemy stands on the centre, seen or not.
  const bool centreFree = m_occupant[static_cast<std::size_t>(m_centre)] == kNobody;
  if (m_holder < 0 && m_enemyHold > 0 && m_walls[static_cast<std::size_t>(m_centre)] == 0 && centreFree) {
    TankState state;
    state.x = m_centreCell.x;
    state.y = m_centreCell.y;
    state.hp = kFullHitPoints;
    m_enemies[m_enemyCount] = Enemy{state, false, 1.0f, kFullHitPoints};
    m_holder = m_enemyCount;
    m_occupant[static_cast<std::size_t>(m_centre)] = static_cast<std::int16_t>(m_enemyCount);
    ++m_enemyCount;
  }
  if (m_holder < 0 && m_occupant[static_cast<std::size_t>(m_centre)] >= 0 &&
      m_occupant[static_cast<std::size_t>(m_centre)] < kFriend) {
    m_holder = m_occupant[static_cast<std::size_t>(m_centre)];
  }
}

void CLegacyHardGreen::AddEnemyFire(const Enemy& enemy) {
  const std::int32_t facing = enemy.m_headingKnown ? HeadingOf(enemy.m_state) : -1;
  for (std::int32_t d = 0; d < 4; ++d) {
    float shots = kShotsAfterQuarter;
    if (facing == d) shots = kShotsAhead;
    if (facing >= 0 && d == Opposite(facing)) shots = kShotsAfterHalf;
    shots *= enemy.m_certainty;
    const HeadingVector step = HeadingFromIndex(d);
    // The shell stops at the first wall or known enemy; friends do not stop
    // the line, since they may move out of it.
    for (std::int32_t x = enemy.m_state.x + step.dx, y = enemy.m_state.y + step.dy; IsOpen(x, y);
         x += step.dx, y += step.dy) {
      const std::int16_t occupant = m_occupant[Cell(x, y)];
      if (occupant != kNobody && occupant < kFriend) break;
      m_shots[d][Cell(x, y)] += shots;
    }
  }
}

void CLegacyHardGreen::AddFireFromBehind(const TankState& tank) {
  // A shell came from behind: someone unseen sits on that line.
  const std::int32_t d = HeadingOf(tank);
  const HeadingVector step = HeadingFromIndex(d);
  for (std::int32_t x = tank.x, y = tank.y; IsOpen(x, y); x -= step.dx, y -= step.dy) {
    m_shots[d][Cell(x, y)] += kShotsAfterHalf;
  }
}

void CLegacyHardGreen::FillField(std::vector<std::int32_t>& field) {
  m_queue.clear();
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == 0) m_queue.push_back(static_cast<std::int32_t>(i));
  }
  for (std::size_t head = 0; head < m_queue.size(); ++head) {
    const std::int32_t cell = m_queue[head];
    const std::int32_t x = cell % m_width;
    const std::int32_t y = cell / m_width;
    for (std::int32_t d = 0; d < 4; ++d) {
      const HeadingVector step = HeadingFromIndex(d);
      const std::int32_t nx = x + step.dx;
      const std::int32_t ny = y + step.dy;
      if (!IsOpen(nx, ny)) continue;
      const std::int32_t next = Cell(nx, ny);
      const std::int16_t occupant = m_occupant[next];
      if (field[next] != kFar || (occupant != kNobody && occupant < kFriend)) continue;
      field[next] = field[cell] + 1;
      m_queue.push_back(next);
    }
  }
}

void CLegacyHardGreen::MarkFlankCells(std::vector<std::int32_t>& field, const Enemy& enemy) {
  const std::int32_t facing = enemy.m_headingKnown ? HeadingOf(enemy.m_state) : -1;
  for (std::int32_t d = 0; d < 4; ++d) {
    // The line in front of the enemy is where it shoots back hardest.
    if (d == facing) continue;
    const HeadingVector step = HeadingFromIndex(d);
    std::int32_t x = enemy.m_state.x + step.dx;
    std::int32_t y = enemy.m_state.y + step.dy;
    for (std::int32_t reach = 0; reach < kFlankReach && IsOpen(x, y); ++reach, x += step.dx, y += step.dy) {
      const std::int16_t occupant = m_occupant[Cell(x, y)];
      if (occupant != kNobody && occupant < kFriend) break;
      // A friend in the line holds this firing cell (no other tank can take
      // it), and the cells behind it have no shot.
      if (occupant == kFriend) {
        m_heldFiringCell[Cell(x, y)] = 1;
        break;
      }
      field[Cell(x, y)] = 0;
    }
  }
}

CLegacyHardGreen::Role CLegacyHardGreen::ChooseRole(const TankState& tank, bool taker) const {
  const std::int32_t hp = tank.hp;
  // Damage costs more the weaker the tank; the nearer the enemy is to
  // winning on the centre, the less it counts.
  float danger = 1.0f + static_cast<float>(kFullHitPoints - hp) / 40.0f;
  if (m_holder >= 0) danger *= std::max(0.3f, 1.0f - static_cast<float>(m_enemyHold) / 10.0f);
  const bool mending = hp <= mc_repairBelow || (IsRepairCell(tank.x, tank.y) && hp < mc_repairedAt);
  // With the enemy five turn ends from winning, every tank goes for the holder.
  const bool allIn = m_holder >= 0 && m_enemyHold >= 5;
  if (mending && !allIn) return Role{&m_repairField, false, danger};
  if (m_holder >= 0) return Role{&m_flankField, false, danger};
  if (taker) return Role{&m_centreField, true, danger};
  return Role{m_hasFlankGoal ? &m_flankField : &m_ringField, true, danger};
}

void CLegacyHardGreen::PlanTank(CGreenSight& sight, const CGreenSight::Own& tank, const Role& role) {
  m_home = Cell(tank.state.x, tank.state.y);
  // The tank's own cell is free for its plan.
  m_occupant[m_home] = kNobody;
  Plan path{};
  path.m_target = -1;
  Plan best{};
  best.m_target = -1;
  best.m_score = -1.0e30f;
  Search(tank.state, kTurnBudget, path, role, best);
  Commit(sight, tank.slot, best);
}

void CLegacyHardGreen::Search(const TankState& state, std::int32_t budget, Plan& path, const Role& role,
                              Plan& best) const {
  const float score = Rate(state, budget, path, role);
  if (score > best.m_score) {
    best = path;
    best.m_score = score;
    best.m_end = state;
  }
  if (budget <= 0 || path.m_moveCount >= 4) return;
  for (std::uint8_t move = kTurnRight; move <= kBack; ++move) {
    TankState next = state;
    std::int32_t cost = 1;
    switch (move) {
      case kTurnRight: next.Turn(true); break;
      case kTurnLeft: next.Turn(false); break;
      case kForward: next.Advance(); break;
      default:
        next.Retreat();
        cost = 2;
        break;
    }
    if (move == kForward || move == kBack) {
      if (!IsOpen(next.x, next.y) || m_occupant[Cell(next.x, next.y)] != kNobody) continue;
    }
    path.m_moves[path.m_moveCount++] = move;
    Search(next, budget - cost, path, role, best);
    --path.m_moveCount;
  }
}

float CLegacyHardGreen::Rate(const TankState& state, std::int32_t budget, Plan& path, const Role& role) const {
  const std::int32_t cell = Cell(state.x, state.y);
  const std::int32_t heading = HeadingOf(state);
  const bool onRepairCell = IsRepairCell(state.x, state.y);
  float score = static_cast<float>(std::max(budget, 0));
  // A tank on a firing cell that is its own is at its goal.
  const bool ownFiringCell = role.m_field == &m_flankField && cell == m_home && m_heldFiringCell[cell] != 0;
  if (role.m_field && !ownFiringCell) score -= kPerCell * static_cast<float>((*role.m_field)[cell]);
  if (role.m_holdsCentre && cell == m_centre) score += kHoldBonus + kHoldPerTurn * static_cast<float>(m_ownHold);
  if (m_friendLine[cell] != 0) score -= kFriendLinePenalty;

  float danger = 0.0f;
  for (std::int32_t d = 0; d < 4; ++d) {
    danger += m_shots[d][cell] * static_cast<float>(Damage(d, heading, onRepairCell));
  }
  score -= role.m_dangerWeight * danger;
  if (danger >= static_cast<float>(state.hp)) score -= kDeathPenalty;

  // Whatever budget is left goes into shots: a shot takes a step and keeps
  // the tank busy for the next; the last may run into the next turn.
  path.m_shots = budget > 0 ? (budget + 1) / 2 : 0;
  path.m_target = TargetAlong(state.x, state.y, heading);
  // Facing a target with no step left is worth part of next turn's shots.
  const bool nextTurn = path.m_shots == 0;
  const std::int32_t shots = nextTurn ? kShotsNextTurn : path.m_shots;
  if (path.m_target >= 0) {
    const Enemy& enemy = m_enemies[path.m_target];
    if (enemy.m_hpLeft > 0) {
      const std::int32_t facing = enemy.m_headingKnown ? HeadingOf(enemy.m_state) : -1;
      const bool targetRepairing = IsRepairCell(enemy.m_state.x, enemy.m_state.y);
      const std::int32_t damage = Damage(heading, facing, targetRepairing) * shots;
      const std::int32_t dealt = std::min(damage, enemy.m_hpLeft);
      // The weaker the target, the more each point is worth: focus fire.
      const float focus = 1.0f + static_cast<float>(kFullHitPoints - enemy.m_hpLeft) / 100.0f;
      float value = kPerDamage * static_cast<float>(dealt) * focus;
      if (damage >= enemy.m_hpLeft) value += kKillBonus;
      if (path.m_target == m_holder) value *= 1.0f + static_cast<float>(m_enemyHold) / 3.0f;
      value *= enemy.m_certainty;
      if (path.m_moveCount > 0) value *= kMovedShotFactor;
      if (nextTurn) value *= kNextTurnFactor;
      score += value;
    }
  }
  if (nextTurn || (path.m_target >= 0 && m_enemies[path.m_target].m_hpLeft <= 0)) path.m_target = -1;
  return score;
}

std::int32_t CLegacyHardGreen::TargetAlong(std::int32_t x, std::int32_t y, std::int32_t d) const {
  const HeadingVector step = HeadingFromIndex(d);
  for (x += step.dx, y += step.dy; IsOpen(x, y); x += step.dx, y += step.dy) {
    const std::int16_t occupant = m_occupant[Cell(x, y)];
    if (occupant == kNobody) continue;
    return occupant < kFriend ? occupant : -1;
  }
  return -1;
}

void CLegacyHardGreen::Commit(CGreenSight& sight, std::uint32_t slot, const Plan& plan) {
  sight.ClearOrders(slot);
  for (std::int32_t i = 0; i < plan.m_moveCount; ++i) {
    switch (plan.m_moves[i]) {
      case kTurnRight: sight.Give(slot, GreenOrder::TurnRight); break;
      case kTurnLeft: sight.Give(slot, GreenOrder::TurnLeft); break;
      case kForward: sight.Give(slot, GreenOrder::Forward); break;
      default: sight.Give(slot, GreenOrder::Back); break;
    }
  }
  const TankState& end = plan.m_end;
  m_occupant[Cell(end.x, end.y)] = kFriend;
  if (plan.m_target < 0) return;
  for (std::int32_t i = 0; i < plan.m_shots; ++i) sight.Give(slot, GreenOrder::Fire);
  Enemy& enemy = m_enemies[plan.m_target];
  const std::int32_t facing = enemy.m_headingKnown ? HeadingOf(enemy.m_state) : -1;
  enemy.m_hpLeft -= Damage(HeadingOf(end), facing, IsRepairCell(enemy.m_state.x, enemy.m_state.y)) * plan.m_shots;
  // Later tanks keep out of this line of fire.
  const HeadingVector step = HeadingFromIndex(HeadingOf(end));
  for (std::int32_t x = end.x + step.dx, y = end.y + step.dy;
       IsOpen(x, y) && !(x == enemy.m_state.x && y == enemy.m_state.y); x += step.dx, y += step.dy) {
    m_friendLine[Cell(x, y)] = 1;
  }
}
