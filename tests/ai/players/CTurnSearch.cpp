#include "ai/players/CTurnSearch.h"

#include <algorithm>
#include <cstdlib>

#include "units/CTank.h"
#include "units/Heading.h"

namespace {

constexpr std::int32_t kSteps = 4;     // steps in a turn
constexpr std::int32_t kHeadings = 4;  // heading indices
constexpr std::int32_t kSure = 100;    // percent of a sure thing

// How likely Blue fires along a line it can aim at a Green tank from a state
// it reaches after 0, 1, 2 or 3 steps: the sooner, the likelier.
constexpr std::int32_t kAimLikelihood[kSteps] = {100, 55, 40, 30};
// Shells a Blue tank sends at the next planning along its line ahead, to a
// side and behind, in percent: a turn or two come first.
constexpr std::int32_t kExposureAhead = 100;
constexpr std::int32_t kExposureSide = 70;
constexpr std::int32_t kExposureBehind = 30;
// Beyond a Green tank it aims at, a line is half as likely to be fired along:
// only if that tank moves does the shell fly on.
constexpr std::int32_t kBeyondTargetPercent = 50;
// Chance, in percent, that a target is still in the line of a shot fired in
// step 1 to 4: along its own heading it may drive on and stay in it.
constexpr std::int32_t kStillAlongAxis[kSteps] = {100, 80, 65, 55};
constexpr std::int32_t kStillAcross[kSteps] = {100, 60, 45, 35};
// The same for a tank that stood still over the last turn, and the chance it
// is still there at the next turn's first step.
constexpr std::int32_t kStillStaying[kSteps] = {100, 90, 85, 80};
constexpr std::int32_t kNextTurnStaying = 80;
constexpr std::int32_t kNextTurnMoving = 35;
// A remembered Blue tank is perhaps still there: certainty in sight, after a
// turn end, and lost per further turn end.
constexpr std::int32_t kSeenCertainty = 100;
constexpr std::int32_t kRememberedCertainty = 50;
constexpr std::int32_t kCertaintyLostPerTurn = 7;
constexpr std::int32_t kLeastCertainty = 10;

// Blue aims at a Green tank, and plans against a cell, it does not see at a
// turn end this much less: only by memory or through tanks Green does not know.
constexpr std::int32_t kUnseenPercent = 35;
constexpr std::int32_t kSightRadius = 25;  // cells a tank sees ahead, as Green reckons Blue's view

// From this turn on, every turn costs the players this much of their caution,
// down to the least.
constexpr std::int32_t kPatientTurns = 40;
constexpr std::int32_t kCautionLostPerTurn = 2;
constexpr std::int32_t kLeastCaution = 25;

// Points of a hit point dealt or taken, against a goal's points per step:
// a shot in the side is worth many steps.
constexpr std::int32_t kPointsPerDamage = 5;
// Chance, in percent, that a Blue tank that can reach a cell of a shot's line
// by the shot's step is there: a shell at nothing known is not wasted.
constexpr std::int32_t kMaybePercent = 15;
constexpr std::int32_t kKillBonus = 60;            // points for a shot that destroys its target
constexpr std::int32_t kBlindShot = 2;             // points for a spare shot along a watched line
constexpr std::int32_t kIdleShot = -1;             // a shot at nothing, when the line is not watched
constexpr std::int32_t kBusyNextTurnPercent = 50;  // next turn's first shot, when busy at its first step
constexpr std::int32_t kLeashPerCell = 25;         // points per cell beyond the leash
constexpr std::int32_t kUnreachableSteps = 60;     // steps counted for a goal out of reach

std::int32_t Opposite(std::int32_t d) { return (d + 2) & 3; }
std::int32_t LeftOf(std::int32_t d) { return (d + 1) & 3; }
std::int32_t RightOf(std::int32_t d) { return (d + 3) & 3; }

}  // namespace

std::int32_t CTurnSearch::Damage(std::int32_t shot, std::int32_t heading, bool onRepairCell) {
  if (onRepairCell) return CTank::mc_damageOnRepairCell;
  if (shot == heading) return CTank::mc_damageFromBehind;
  if (shot == Opposite(heading)) return CTank::mc_damageInTheFront;
  return CTank::mc_damageInTheSide;
}

bool CTurnSearch::IsOpen(std::int32_t x, std::int32_t y) const {
  return x >= 0 && y >= 0 && x < m_width && y < m_height && m_walls[static_cast<std::size_t>(Cell(x, y))] == 0;
}

bool CTurnSearch::IsBlueAt(std::int32_t x, std::int32_t y) const {
  return IsOpen(x, y) && m_blueBlocks[static_cast<std::size_t>(Cell(x, y))] != 0;
}

std::vector<std::int32_t> CTurnSearch::EmptyField() const {
  return std::vector<std::int32_t>(static_cast<std::size_t>(m_width * m_height), mc_far);
}

void CTurnSearch::Fill(std::vector<std::int32_t>& field) const {
  std::vector<std::int32_t> queue;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == 0) queue.push_back(static_cast<std::int32_t>(i));
  }
  for (std::size_t head = 0; head < queue.size(); ++head) {
    const std::int32_t cell = queue[head];
    for (std::int32_t d = 0; d < kHeadings; ++d) {
      const HeadingVector step = HeadingFromIndex(d);
      const std::int32_t x = cell % m_width + step.dx;
      const std::int32_t y = cell / m_width + step.dy;
      if (!IsOpen(x, y)) continue;
      const auto next = static_cast<std::size_t>(Cell(x, y));
      if (field[next] != mc_far || m_blueBlocks[next] != 0) continue;
      field[next] = field[static_cast<std::size_t>(cell)] + 1;
      queue.push_back(static_cast<std::int32_t>(next));
    }
  }
}

std::vector<std::int32_t> CTurnSearch::FieldTo(const MapCell& cell) const {
  std::vector<std::int32_t> field = EmptyField();
  if (IsOpen(cell.x, cell.y)) field[static_cast<std::size_t>(Cell(cell.x, cell.y))] = 0;
  Fill(field);
  return field;
}

std::vector<std::int32_t> CTurnSearch::RepairField() const {
  std::vector<std::int32_t> field = EmptyField();
  bool any = false;
  for (const MapCell& repair : m_repairCells) {
    if (!IsOpen(repair.x, repair.y) || m_blueAt[static_cast<std::size_t>(Cell(repair.x, repair.y))] >= 0) continue;
    field[static_cast<std::size_t>(Cell(repair.x, repair.y))] = 0;
    any = true;
  }
  if (any) Fill(field);
  return field;
}

void CTurnSearch::MarkFiringCells(std::vector<std::int32_t>& field, const Blue& blue, std::int32_t reach,
                                  bool front) const {
  const std::int32_t facing = HeadingIndex(blue.state.dx, blue.state.dy);
  for (std::int32_t d = 0; d < kHeadings; ++d) {
    if (d == facing && !front) continue;
    const HeadingVector step = HeadingFromIndex(d);
    std::int32_t x = blue.state.x + step.dx;
    std::int32_t y = blue.state.y + step.dy;
    for (std::int32_t cells = 0; cells < reach && IsOpen(x, y); ++cells, x += step.dx, y += step.dy) {
      const auto cell = static_cast<std::size_t>(Cell(x, y));
      if (m_blueAt[cell] >= 0) break;
      field[cell] = 0;
    }
  }
}

std::int32_t CTurnSearch::Exposure(std::int32_t x, std::int32_t y) const {
  if (!IsOpen(x, y)) return 0;
  std::int32_t sum = 0;
  for (const std::vector<std::int32_t>& exposure : m_exposure) sum += exposure[static_cast<std::size_t>(Cell(x, y))];
  return sum;
}

void CTurnSearch::Begin(const CGreenSight& sight, const CBlueSightings& memory, std::uint32_t seed) {
  m_seed = seed;
  // A game that drags on makes every tank bolder, so that it ends.
  const auto turn = static_cast<std::int32_t>(sight.GetTurn());
  m_caution = std::max(kLeastCaution, kSure - std::max(0, turn - kPatientTurns) * kCautionLostPerTurn);
  m_width = sight.GetWidth();
  m_height = sight.GetHeight();
  const auto cells = static_cast<std::size_t>(m_width * m_height);
  m_walls.assign(cells, 0);
  for (std::int32_t y = 0; y < m_height; ++y) {
    for (std::int32_t x = 0; x < m_width; ++x) m_walls[static_cast<std::size_t>(Cell(x, y))] = !sight.IsOpen(x, y);
  }
  m_repairCells = sight.GetRepairCells();
  for (std::vector<std::uint8_t>& at : m_friendAt) at.assign(cells, 0);
  for (std::vector<std::uint8_t>& line : m_friendLine) line.assign(cells, 0);
  // Until planned, every Green tank stands still.
  for (const CGreenSight::Own& tank : sight.GetOwn()) {
    if (!IsOpen(tank.state.x, tank.state.y)) continue;
    for (std::vector<std::uint8_t>& at : m_friendAt) at[static_cast<std::size_t>(Cell(tank.state.x, tank.state.y))] = 1;
  }
  GatherBlue(sight, memory);
  for (auto& byStep : m_danger) {
    for (std::vector<std::int32_t>& danger : byStep) danger.assign(cells, 0);
  }
  for (std::vector<std::int32_t>& exposure : m_exposure) exposure.assign(cells, 0);
  m_blueSees.assign(cells, 0);
  for (const Blue& blue : m_blue) {
    if (blue.certainty >= kRememberedCertainty) AddBlueSight(blue);
  }
  for (std::vector<std::int16_t>& maybe : m_maybeBlue) maybe.assign(cells, -1);
  for (const Blue& blue : m_blue) {
    AddAimedFire(blue);
    AddExposure(blue);
  }
}

void CTurnSearch::GatherBlue(const CGreenSight& sight, const CBlueSightings& memory) {
  m_blue.clear();
  const auto cells = static_cast<std::size_t>(m_width * m_height);
  m_blueAt.assign(cells, -1);
  m_blueBlocks.assign(cells, 0);
  for (std::uint32_t slot = 0; slot < CGreenSight::mc_maxSlots; ++slot) {
    const CBlueSightings::Sighting& sighting = memory.Get(slot);
    if (!sighting.known || !IsOpen(sighting.state.x, sighting.state.y)) continue;
    const auto cell = static_cast<std::size_t>(Cell(sighting.state.x, sighting.state.y));
    // A Green tank stands there now: the memory is out of date.
    if (m_friendAt[0][cell] != 0 || m_blueAt[cell] >= 0) continue;
    const auto age = static_cast<std::int32_t>(sighting.age);
    const std::int32_t certainty =
        age == 0 ? kSeenCertainty : std::max(kLeastCertainty, kRememberedCertainty - kCertaintyLostPerTurn * (age - 1));
    m_blueAt[cell] = static_cast<std::int16_t>(m_blue.size());
    if (age == 0) m_blueBlocks[cell] = 1;
    m_blue.push_back(Blue{sighting.state, certainty, sighting.state.hp, sighting.stayed});
  }
  // The count tells that Blue holds the centre, seen or not: a tank of
  // unknown heading stands there.
  const MapCell centre = sight.GetCentre();
  if (sight.GetHolder() == CGreenSight::Holder::Blue && IsOpen(centre.x, centre.y)) {
    const auto cell = static_cast<std::size_t>(Cell(centre.x, centre.y));
    if (m_blueAt[cell] < 0 && m_friendAt[0][cell] == 0) {
      TankState holder;
      holder.x = centre.x;
      holder.y = centre.y;
      m_blueAt[cell] = static_cast<std::int16_t>(m_blue.size());
      m_blueBlocks[cell] = 1;
      m_blue.push_back(Blue{holder, kSeenCertainty, CTank::mc_fullHitPoints, true});
    }
  }
}

void CTurnSearch::AddBlueSight(const Blue& blue) {
  const std::int32_t r = kSightRadius;
  for (std::int32_t y = std::max(0, blue.state.y - r); y <= std::min(m_height - 1, blue.state.y + r); ++y) {
    for (std::int32_t x = std::max(0, blue.state.x - r); x <= std::min(m_width - 1, blue.state.x + r); ++x) {
      const std::int32_t dx = x - blue.state.x;
      const std::int32_t dy = y - blue.state.y;
      if (dx * dx + dy * dy > r * r || dx * blue.state.dx + dy * blue.state.dy < 0 || !IsOpen(x, y)) continue;
      const auto cell = static_cast<std::size_t>(Cell(x, y));
      if (m_blueSees[cell] == 0 && ClearSight(blue.state.x, blue.state.y, x, y)) m_blueSees[cell] = 1;
    }
  }
}

bool CTurnSearch::ClearSight(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) const {
  // Bresenham's walk from one cell to the other.
  const std::int32_t dx = std::abs(x1 - x0);
  const std::int32_t dy = -std::abs(y1 - y0);
  const std::int32_t sx = x0 < x1 ? 1 : -1;
  const std::int32_t sy = y0 < y1 ? 1 : -1;
  std::int32_t error = dx + dy;
  std::int32_t x = x0;
  std::int32_t y = y0;
  while (x != x1 || y != y1) {
    const std::int32_t twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
    if ((x != x1 || y != y1) && !IsOpen(x, y)) return false;
  }
  return true;
}

void CTurnSearch::AddAimedFire(const Blue& blue) {
  const auto cells = static_cast<std::size_t>(m_width * m_height);
  // The states the tank reaches in 0 to 3 steps, by the earliest step.
  std::vector<std::int8_t> reached(cells * kHeadings, -1);
  std::vector<std::int32_t> frontier[kSteps];
  const std::int32_t self = Cell(blue.state.x, blue.state.y);
  auto reach = [&](std::int32_t cell, std::int32_t heading, std::int32_t time) {
    if (time >= kSteps) return;
    const auto index = static_cast<std::size_t>(cell) * kHeadings + static_cast<std::size_t>(heading);
    if (reached[index] >= 0 && reached[index] <= time) return;
    reached[index] = static_cast<std::int8_t>(time);
    frontier[time].push_back(static_cast<std::int32_t>(index));
  };
  auto free = [&](std::int32_t x, std::int32_t y) {
    if (!IsOpen(x, y)) return false;
    const auto cell = static_cast<std::size_t>(Cell(x, y));
    return m_friendAt[0][cell] == 0 && (m_blueAt[cell] < 0 || static_cast<std::int32_t>(cell) == self);
  };
  reach(self, HeadingIndex(blue.state.dx, blue.state.dy), 0);

  // The greatest likelihood of this tank's shell per step, heading and cell:
  // it follows one plan, so its options do not add up.
  std::vector<std::int32_t> most(static_cast<std::size_t>(kSteps * kHeadings) * cells, 0);
  for (std::int32_t time = 0; time < kSteps; ++time) {
    for (std::size_t i = 0; i < frontier[time].size(); ++i) {
      const std::int32_t index = frontier[time][i];
      if (reached[static_cast<std::size_t>(index)] != time) continue;
      const std::int32_t cell = index / kHeadings;
      const std::int32_t heading = index % kHeadings;
      const std::int32_t x = cell % m_width;
      const std::int32_t y = cell / m_width;
      const HeadingVector step = HeadingFromIndex(heading);
      // The tank may have come here by the shots of step time + 1 on.
      if (cell != self) {
        for (std::int32_t shot = time; shot < kSteps; ++shot) {
          std::int16_t& maybe = m_maybeBlue[shot][static_cast<std::size_t>(cell)];
          if (maybe < 0) maybe = static_cast<std::int16_t>(&blue - m_blue.data());
        }
      }
      reach(cell, LeftOf(heading), time + 1);
      reach(cell, RightOf(heading), time + 1);
      if (free(x + step.dx, y + step.dy)) reach(Cell(x + step.dx, y + step.dy), heading, time + 1);
      if (free(x - step.dx, y - step.dy)) reach(Cell(x - step.dx, y - step.dy), heading, time + 2);

      // Blue fires along the line only at a Green tank on it, most likely
      // one it sees.
      std::int32_t aimed = 0;
      for (std::int32_t lx = x + step.dx, ly = y + step.dy; IsOpen(lx, ly); lx += step.dx, ly += step.dy) {
        const auto lcell = static_cast<std::size_t>(Cell(lx, ly));
        if (m_blueAt[lcell] >= 0) break;
        if (m_friendAt[0][lcell] != 0) {
          aimed = m_blueSees[lcell] != 0 ? kSure : kUnseenPercent;
          break;
        }
      }
      if (aimed == 0) continue;
      const std::int32_t likelihood = kAimLikelihood[time] * blue.certainty / kSure * aimed / kSure;
      for (std::int32_t shot = time; shot < kSteps; shot += 2) {
        std::int32_t weight = likelihood;
        for (std::int32_t lx = x + step.dx, ly = y + step.dy; IsOpen(lx, ly); lx += step.dx, ly += step.dy) {
          const auto lcell = static_cast<std::size_t>(Cell(lx, ly));
          if (m_blueAt[lcell] >= 0) break;
          std::int32_t& slot = most[(static_cast<std::size_t>(shot * kHeadings + heading)) * cells + lcell];
          slot = std::max(slot, weight);
          if (m_friendAt[0][lcell] != 0) weight = likelihood * kBeyondTargetPercent / kSure;
        }
      }
    }
  }
  for (std::int32_t shot = 0; shot < kSteps; ++shot) {
    for (std::int32_t heading = 0; heading < kHeadings; ++heading) {
      std::vector<std::int32_t>& danger = m_danger[shot][heading];
      const std::size_t base = static_cast<std::size_t>(shot * kHeadings + heading) * cells;
      for (std::size_t cell = 0; cell < cells; ++cell) danger[cell] += most[base + cell];
    }
  }
}

void CTurnSearch::AddExposure(const Blue& blue) {
  const std::int32_t facing = HeadingIndex(blue.state.dx, blue.state.dy);
  for (std::int32_t d = 0; d < kHeadings; ++d) {
    std::int32_t weight = kExposureSide;
    if (d == facing) weight = kExposureAhead;
    if (d == Opposite(facing)) weight = kExposureBehind;
    weight = weight * blue.certainty / kSure;
    const HeadingVector step = HeadingFromIndex(d);
    for (std::int32_t x = blue.state.x + step.dx, y = blue.state.y + step.dy; IsOpen(x, y);
         x += step.dx, y += step.dy) {
      const auto cell = static_cast<std::size_t>(Cell(x, y));
      if (m_blueAt[cell] >= 0) break;
      m_exposure[d][cell] += weight;
    }
  }
}

std::int32_t CTurnSearch::TargetAlong(std::int32_t x, std::int32_t y, std::int32_t heading, std::int32_t step) const {
  const HeadingVector dir = HeadingFromIndex(heading);
  for (x += dir.dx, y += dir.dy; IsOpen(x, y); x += dir.dx, y += dir.dy) {
    const auto cell = static_cast<std::size_t>(Cell(x, y));
    if (m_friendAt[step][cell] != 0) return -2;
    if (m_blueAt[cell] >= 0) return m_blueAt[cell];
  }
  return -1;
}

bool CTurnSearch::RateShot(const Pose& pose, std::int32_t step, const Aim& aim, std::int32_t& points) const {
  // The shell flies before anything moves in the step: friends stand where
  // the step before left them.
  const std::int32_t target = TargetAlong(pose.x, pose.y, pose.heading, step - 1);
  if (target == -2) return false;
  points = ShotValue(pose, target, step, aim);
  if (target >= 0) return true;
  // No known tank in the line: perhaps one that moves into it.
  const HeadingVector dir = HeadingFromIndex(pose.heading);
  for (std::int32_t x = pose.x + dir.dx, y = pose.y + dir.dy; IsOpen(x, y); x += dir.dx, y += dir.dy) {
    const std::int16_t maybe = m_maybeBlue[step - 1][static_cast<std::size_t>(Cell(x, y))];
    if (maybe < 0) continue;
    const Blue& blue = m_blue[static_cast<std::size_t>(maybe)];
    if (blue.hpLeft <= 0) break;
    const std::int32_t damage = std::min(CTank::mc_damageInTheSide, blue.hpLeft);
    points = std::max(points, kPointsPerDamage * damage * kMaybePercent / kSure);
    break;
  }
  return true;
}

std::int32_t CTurnSearch::ShotValue(const Pose& pose, std::int32_t target, std::int32_t step, const Aim& aim) const {
  if (target < 0) return aim.blindFire ? kBlindShot : kIdleShot;
  const Blue& blue = m_blue[static_cast<std::size_t>(target)];
  if (blue.hpLeft <= 0) return kIdleShot;
  const std::int32_t facing = HeadingIndex(blue.state.dx, blue.state.dy);
  const std::int32_t damage = Damage(pose.heading, facing, IsRepair(blue.state.x, blue.state.y));
  std::int32_t chance = Still(blue, pose.heading, step) * blue.certainty / kSure;
  if (pose.heading == Opposite(facing)) {
    // Caution spares a front; boldness does not.
    const std::int32_t front = kSure - (kSure - aim.frontShotPercent) * m_caution / kSure;
    chance = chance * front / kSure;
  }
  const std::int32_t dealt = std::min(damage, blue.hpLeft);
  // The weaker the target, the more a point is worth: shots go together.
  std::int32_t value = dealt * (2 * CTank::mc_fullHitPoints - blue.hpLeft) / CTank::mc_fullHitPoints;
  if (damage >= blue.hpLeft) value += kKillBonus;
  return kPointsPerDamage * value * chance / kSure;
}

std::int32_t CTurnSearch::Still(const Blue& blue, std::int32_t shot, std::int32_t step) {
  if (blue.stays) return kStillStaying[step - 1];
  const bool alongAxis = (shot & 1) == (HeadingIndex(blue.state.dx, blue.state.dy) & 1);
  return (alongAxis ? kStillAlongAxis : kStillAcross)[step - 1];
}

bool CTurnSearch::IsRepair(std::int32_t x, std::int32_t y) const {
  for (const MapCell& repair : m_repairCells) {
    if (repair.x == x && repair.y == y) return true;
  }
  return false;
}

std::int32_t CTurnSearch::RateStepDanger(const Pose& pose, std::int32_t step, const Aim& aim) const {
  const auto cell = static_cast<std::size_t>(Cell(pose.x, pose.y));
  const bool onRepair = IsRepair(pose.x, pose.y);
  std::int32_t expected = 0;
  for (std::int32_t d = 0; d < kHeadings; ++d) {
    const std::int32_t likelihood = m_danger[step - 1][d][cell];
    if (likelihood != 0) expected += likelihood * Damage(d, pose.heading, onRepair);
  }
  return kPointsPerDamage * expected * aim.dangerPercent / kSure * m_caution / (kSure * kSure);
}

std::int32_t CTurnSearch::RateEnd(const Candidate& path, std::int32_t busy, const Aim& aim) const {
  const Pose& pose = path.poses[kSteps];
  const auto cell = static_cast<std::size_t>(Cell(pose.x, pose.y));
  std::int32_t score = -path.count;
  if (aim.field) {
    const std::int32_t steps = (*aim.field)[cell];
    score -= aim.perStep * std::min(steps, kUnreachableSteps);
    if (steps == 0) {
      score += aim.goalBonus;
      if (aim.heading == pose.heading) score += aim.headingBonus;
    }
  }
  const bool onRepair = IsRepair(pose.x, pose.y);
  std::int32_t exposure = 0;
  for (std::int32_t d = 0; d < kHeadings; ++d) {
    const std::int32_t likelihood = m_exposure[d][cell];
    if (likelihood != 0) exposure += likelihood * Damage(d, pose.heading, onRepair);
  }
  if (m_blueSees[cell] == 0) exposure = exposure * kUnseenPercent / kSure;
  score -= kPointsPerDamage * exposure * aim.exposurePercent / kSure * m_caution / (kSure * kSure);

  const std::int32_t target = TargetAlong(pose.x, pose.y, pose.heading, kSteps);
  if (target >= 0) {
    const bool stays = m_blue[static_cast<std::size_t>(target)].stays;
    std::int32_t points = ShotValue(pose, target, 1, aim) * (stays ? kNextTurnStaying : kNextTurnMoving) / kSure;
    if (busy > 0) points = points * kBusyNextTurnPercent / kSure;
    score += points;
  }
  if (aim.leash >= 0) {
    const std::int32_t away = std::abs(pose.x - aim.anchor.x) + std::abs(pose.y - aim.anchor.y);
    if (away > aim.leash) score -= kLeashPerCell * (away - aim.leash);
  }
  return score;
}

std::uint32_t CTurnSearch::Jitter(const Candidate& path) const {
  std::uint32_t hash = m_seed * 2654435761u + m_slot * 40503u + 17u;
  for (std::int32_t i = 0; i < path.count; ++i) hash = (hash ^ static_cast<std::uint32_t>(path.orders[i])) * 16777619u;
  return (hash >> 13) % 3u;
}

void CTurnSearch::Search(Candidate& path, std::int32_t step, std::int32_t busy, std::int32_t score, const Aim& aim) {
  const Pose pose = path.poses[step];
  const auto cell = static_cast<std::size_t>(Cell(pose.x, pose.y));
  if (step > 0 && m_friendAt[step][cell] != 0) return;
  if (step == kSteps) {
    const std::int32_t total = score + RateEnd(path, busy, aim) + static_cast<std::int32_t>(Jitter(path));
    if (total > m_best.score) {
      m_best = path;
      m_best.score = total;
    }
    return;
  }
  // A planned friend's shell crosses the cell in this step.
  if (m_friendLine[step][cell] != 0) return;
  score -= RateStepDanger(pose, step + 1, aim);
  const bool onRepair = IsRepair(pose.x, pose.y);
  // An idle step on a repair cell mends the tank.
  const std::int32_t mend =
      onRepair ? kPointsPerDamage * std::min(CTank::mc_repairPerStep, CTank::mc_fullHitPoints - m_startHp) : 0;

  path.fires[step] = false;
  path.poses[step + 1] = pose;
  if (busy > 0) {
    Search(path, step + 1, busy - 1, score + mend, aim);
    return;
  }
  const HeadingVector dir = HeadingFromIndex(pose.heading);
  const GreenOrder last = path.count > 0 ? path.orders[path.count - 1] : GreenOrder::Wait;
  for (const GreenOrder order : {GreenOrder::Wait, GreenOrder::Fire, GreenOrder::Forward, GreenOrder::Back,
                                 GreenOrder::TurnLeft, GreenOrder::TurnRight}) {
    Pose next = pose;
    std::int32_t points = 0;
    std::int32_t nextBusy = 0;
    switch (order) {
      case GreenOrder::Wait: points = mend; break;
      case GreenOrder::Fire:
        if (!RateShot(pose, step + 1, aim, points)) continue;
        nextBusy = 1;
        break;
      case GreenOrder::Forward:
      case GreenOrder::Back: {
        const std::int32_t sign = order == GreenOrder::Forward ? 1 : -1;
        next.x += sign * dir.dx;
        next.y += sign * dir.dy;
        if (!IsOpen(next.x, next.y)) continue;
        const auto to = static_cast<std::size_t>(Cell(next.x, next.y));
        if (m_blueBlocks[to] != 0 || m_friendAt[step][to] != 0) continue;
        if (order == GreenOrder::Back) nextBusy = 1;
        break;
      }
      case GreenOrder::TurnLeft:
        // Two right turns end as two left ones; a turn undone is no plan.
        if (last == GreenOrder::TurnRight) continue;
        next.heading = LeftOf(pose.heading);
        break;
      case GreenOrder::TurnRight:
        if (last == GreenOrder::TurnLeft || last == GreenOrder::TurnRight) continue;
        next.heading = RightOf(pose.heading);
        break;
    }
    path.orders[path.count++] = order;
    path.fires[step] = order == GreenOrder::Fire;
    path.poses[step + 1] = next;
    Search(path, step + 1, nextBusy, score + points, aim);
    --path.count;
  }
  path.fires[step] = false;
}

TankState CTurnSearch::Plan(CGreenSight& sight, const CGreenSight::Own& tank, const Aim& aim) {
  TankState end = tank.state;
  if (!IsOpen(tank.state.x, tank.state.y)) {
    sight.ClearOrders(tank.slot);
    return end;
  }
  m_slot = tank.slot;
  m_start = Pose{tank.state.x, tank.state.y, HeadingIndex(tank.state.dx, tank.state.dy)};
  m_startHp = tank.state.hp;
  const auto home = static_cast<std::size_t>(Cell(m_start.x, m_start.y));
  // The tank's own cell is its own while it is planned.
  for (std::vector<std::uint8_t>& at : m_friendAt) at[home] = 0;
  Candidate path{};
  path.poses[0] = m_start;
  m_best = Candidate{};
  m_best.score = -(1 << 30);
  m_best.poses[kSteps] = m_start;
  Search(path, 0, std::max(0, tank.busySteps), 0, aim);
  Commit(sight, tank.slot, m_best);
  const Pose& last = m_best.poses[kSteps];
  const HeadingVector heading = HeadingFromIndex(last.heading);
  end.x = last.x;
  end.y = last.y;
  end.dx = heading.dx;
  end.dy = heading.dy;
  return end;
}

void CTurnSearch::Commit(CGreenSight& sight, std::uint32_t slot, const Candidate& plan) {
  sight.ClearOrders(slot);
  std::int32_t count = plan.count;
  // Waits at the end are the idling of an empty queue.
  while (count > 0 && plan.orders[count - 1] == GreenOrder::Wait) --count;
  for (std::int32_t i = 0; i < count; ++i) sight.Give(slot, plan.orders[i]);

  for (std::int32_t moment = 0; moment <= kSteps; ++moment) {
    const Pose& pose = plan.poses[moment];
    m_friendAt[moment][static_cast<std::size_t>(Cell(pose.x, pose.y))] = 1;
  }
  for (std::int32_t step = 0; step < kSteps; ++step) {
    if (!plan.fires[step]) continue;
    const Pose& pose = plan.poses[step];
    const HeadingVector dir = HeadingFromIndex(pose.heading);
    for (std::int32_t x = pose.x + dir.dx, y = pose.y + dir.dy; IsOpen(x, y); x += dir.dx, y += dir.dy) {
      const auto cell = static_cast<std::size_t>(Cell(x, y));
      if (m_blueAt[cell] >= 0) {
        Blue& blue = m_blue[static_cast<std::size_t>(m_blueAt[cell])];
        const std::int32_t facing = HeadingIndex(blue.state.dx, blue.state.dy);
        const std::int32_t chance = Still(blue, pose.heading, step + 1) * blue.certainty / kSure;
        blue.hpLeft -= Damage(pose.heading, facing, IsRepair(x, y)) * chance / kSure;
        break;
      }
      m_friendLine[step][cell] = 1;
    }
  }
}
