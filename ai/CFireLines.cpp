#include "ai/CFireLines.h"

#include "ai/CKnownMatch.h"
#include "units/Heading.h"
#include "units/TankHit.h"

namespace {

// Percent of a shell this turn along a line the shooter faces (in steps 1
// and 3), a side line (steps 2 and 4), the line behind (step 3) and a side
// line of the cell ahead (step 3): nobody reacts within a turn, so these are
// the shots it may have planned at a tank that stood there at the turn end.
constexpr std::int32_t kAheadPercent = 30;
constexpr std::int32_t kSidePercent = 20;
constexpr std::int32_t kBehindPercent = 12;
constexpr std::int32_t kStepAsidePercent = 12;
// The same at the next planning's first shots, for a tank that ends there.
constexpr std::int32_t kAheadExposure = 100;
constexpr std::int32_t kSideExposure = 75;
constexpr std::int32_t kBehindExposure = 45;
constexpr std::int32_t kStepAsideExposure = 35;

std::int32_t Damage(const CKnownMatch& known, std::int32_t shot, const TankState& target) {
  return HitOf(shot, HeadingIndex(target.dx, target.dy), known.IsRepairCell(target.x, target.y)).m_damage;
}

}  // namespace

void CFireLines::Build(const CKnownMatch& known, std::uint32_t shooters) {
  const auto cells = static_cast<std::size_t>(known.CellCount());
  for (auto& step : m_shells) {
    for (std::vector<std::int32_t>& table : step) table.assign(cells, 0);
  }
  for (std::vector<std::int32_t>& table : m_exposure) table.assign(cells, 0);
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  for (std::size_t i = 0; i < tanks.size(); ++i) {
    if (tanks[i].m_team != shooters) continue;
    const TankState& s = tanks[i].m_state;
    const std::int32_t facing = HeadingIndex(s.dx, s.dy);
    const auto self = static_cast<std::int32_t>(i);
    // A tank perhaps no longer there fires perhaps.
    const std::int32_t sure = tanks[i].m_certainty;
    for (std::int32_t d = 0; d < 4; ++d) {
      const std::int32_t turns = QuarterTurns(facing, d);
      if (turns == 0) {
        AddLine(known, m_shells[0][d], s.x, s.y, d, kAheadPercent * sure / 100, self);
        AddLine(known, m_shells[2][d], s.x, s.y, d, kAheadPercent * sure / 100, self);
        AddLine(known, m_exposure[d], s.x, s.y, d, kAheadExposure * sure / 100, self);
      } else if (turns == 2) {
        AddLine(known, m_shells[2][d], s.x, s.y, d, kBehindPercent * sure / 100, self);
        AddLine(known, m_exposure[d], s.x, s.y, d, kBehindExposure * sure / 100, self);
      } else {
        AddLine(known, m_shells[1][d], s.x, s.y, d, kSidePercent * sure / 100, self);
        AddLine(known, m_shells[3][d], s.x, s.y, d, kSidePercent * sure / 100, self);
        AddLine(known, m_exposure[d], s.x, s.y, d, kSideExposure * sure / 100, self);
      }
    }
    // A step forward and a quarter turn open two more lines.
    const std::int32_t ax = s.x + s.dx;
    const std::int32_t ay = s.y + s.dy;
    if (!known.IsOpen(ax, ay) || known.TankAt(ax, ay) != CKnownMatch::mc_none) continue;
    for (const std::int32_t d : {(facing + 1) & 3, (facing + 3) & 3}) {
      AddLine(known, m_shells[2][d], ax, ay, d, kStepAsidePercent * sure / 100, self);
      AddLine(known, m_exposure[d], ax, ay, d, kStepAsideExposure * sure / 100, self);
    }
  }
}

void CFireLines::AddShot(const CKnownMatch& known, std::int32_t step, const TankState& from, std::int32_t percent,
                         std::int32_t shooter) {
  if (step < 0 || step >= TurnOrders::mc_steps) return;
  const std::int32_t d = HeadingIndex(from.dx, from.dy);
  AddLine(known, m_shells[step][d], from.x, from.y, d, percent, shooter);
}

void CFireLines::AddLine(const CKnownMatch& known, std::vector<std::int32_t>& table, std::int32_t x, std::int32_t y,
                         std::int32_t d, std::int32_t percent, std::int32_t shooter) {
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  const std::uint32_t team = tanks[static_cast<std::size_t>(shooter)].m_team;
  const HeadingVector step = HeadingFromIndex(d);
  for (x += step.dx, y += step.dy; known.IsOpen(x, y); x += step.dx, y += step.dy) {
    table[static_cast<std::size_t>(known.Cell(x, y))] += percent;
    // The shooter's friends stop its shells; the targets may move out of the way.
    const std::int32_t at = known.TankAt(x, y);
    if (at != CKnownMatch::mc_none && at != shooter && tanks[static_cast<std::size_t>(at)].m_team == team) return;
  }
}

std::int32_t CFireLines::Shells(std::int32_t step, std::int32_t d, std::int32_t cell) const {
  return m_shells[step][d][static_cast<std::size_t>(cell)];
}

std::int32_t CFireLines::DangerAt(const CKnownMatch& known, std::int32_t step, const TankState& pose) const {
  if (!known.IsOpen(pose.x, pose.y)) return 0;
  const auto cell = static_cast<std::size_t>(known.Cell(pose.x, pose.y));
  std::int32_t danger = 0;
  for (std::int32_t d = 0; d < 4; ++d) {
    const std::int32_t shells = m_shells[step][d][cell];
    if (shells != 0) danger += shells * Damage(known, d, pose);
  }
  return danger;
}

std::int32_t CFireLines::ExposureAt(const CKnownMatch& known, const TankState& pose) const {
  if (!known.IsOpen(pose.x, pose.y)) return 0;
  const auto cell = static_cast<std::size_t>(known.Cell(pose.x, pose.y));
  std::int32_t exposure = 0;
  for (std::int32_t d = 0; d < 4; ++d) {
    const std::int32_t shells = m_exposure[d][cell];
    if (shells != 0) exposure += shells * Damage(known, d, pose);
  }
  return exposure;
}
