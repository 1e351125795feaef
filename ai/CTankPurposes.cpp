#include "ai/CTankPurposes.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <utility>

#include "ai/CHardWatch.h"
#include "ai/CKnownMatch.h"
#include "ai/DistanceField.h"
#include "core/Assert.h"
#include "units/Heading.h"

namespace {

// Cells this far along a line count as firing cells on it.
constexpr std::int32_t kReach = 10;
// Steps added to a goal that is worth less: the holder's front line, a tank
// away from the centre (per step it stands from it, halved), a cell where a
// tank was long ago, the cells round the centre.
constexpr std::int32_t kFrontPenalty = 30;
constexpr std::int32_t kSearchPenalty = 4;
constexpr std::int32_t kCoverPenalty = 8;
// Steps taken off the holder's lines while the enemy holds the centre, more when all go in.
constexpr std::int32_t kContestBonus = 4;
constexpr std::int32_t kAllInBonus = 8;
// Cells along the centre's lines that tanks with nothing else to do cover, this far from it.
constexpr std::int32_t kCoverReach = 6;
// Rounds of taking goals: in each, every goal takes its room again.
constexpr std::int32_t kRounds = 3;

}  // namespace

CTankPurposes::Purpose CTankPurposes::GetPurpose(std::size_t tank) const {
  return tank < m_purpose.size() ? m_purpose[tank] : Purpose::Cover;
}

const std::vector<std::int32_t>* CTankPurposes::GetField(std::size_t tank) const {
  if (tank >= m_fieldOf.size() || m_fieldOf[tank] < 0) return nullptr;
  return &m_fields[static_cast<std::size_t>(m_fieldOf[tank])];
}

bool CTankPurposes::AddGoal(const CKnownMatch& known, Purpose purpose, std::vector<std::int32_t> field,
                            std::int32_t room, std::int32_t penalty) {
  if (std::find(field.begin(), field.end(), 0) == field.end()) return false;
  m_sources.push_back(field);
  FillDistances(known, field, 1u << known.GetEnemy());
  m_fields.push_back(std::move(field));
  m_goals.push_back(Goal{purpose, m_fields.size() - 1, room, penalty});
  return true;
}

std::size_t CTankPurposes::DetourField(const CKnownMatch& known, std::size_t goal, std::size_t tank) {
  std::vector<std::int32_t> field = m_sources[goal];
  // Round every tank but itself: its friends too.
  FillDistances(known, field, 3u, static_cast<std::int32_t>(tank));
  m_fields.push_back(std::move(field));
  return m_fields.size() - 1;
}

void CTankPurposes::Assign(const CKnownMatch& known, const CHardWatch& watch) {
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  m_fields.clear();
  m_sources.clear();
  m_goals.clear();
  m_purpose.assign(tanks.size(), Purpose::Cover);
  m_fieldOf.assign(tanks.size(), -1);
  const std::uint32_t team = known.GetTeam();
  const MapCell centre = known.GetCentre();
  if (!known.IsOpen(centre.x, centre.y)) return;
  auto cellOf = [&](std::size_t i) {
    return static_cast<std::size_t>(known.Cell(tanks[i].m_state.x, tanks[i].m_state.y));
  };

  std::vector<std::int32_t> field = EmptyField(known);
  field[static_cast<std::size_t>(known.Cell(centre.x, centre.y))] = 0;
  AddGoal(known, Purpose::TakeCentre, field, 1, 0);
  const std::size_t centreGoal = 0;
  const std::vector<std::int32_t> toCentre = m_fields[0];
  // Steps from the centre through every tank: how near the centre an enemy stands.
  std::vector<std::int32_t> fromCentre = EmptyField(known);
  fromCentre[static_cast<std::size_t>(known.Cell(centre.x, centre.y))] = 0;
  FillDistances(known, fromCentre, 0u);

  field = EmptyField(known);
  for (std::int32_t y = 0; y < known.GetHeight(); ++y) {
    for (std::int32_t x = 0; x < known.GetWidth(); ++x) {
      const std::int32_t at = known.TankAt(x, y);
      const bool enemyThere = at != CKnownMatch::mc_none && tanks[static_cast<std::size_t>(at)].m_team != team;
      if (known.IsRepairCell(x, y) && !enemyThere) field[static_cast<std::size_t>(known.Cell(x, y))] = 0;
    }
  }
  const bool canMend = AddGoal(known, Purpose::Mend, field, static_cast<std::int32_t>(tanks.size()), 0);
  const std::size_t mendGoal = canMend ? m_goals.size() - 1 : 0;

  const std::int32_t centreTank = known.TankAt(centre.x, centre.y);
  const std::int32_t holder =
      centreTank != CKnownMatch::mc_none && tanks[static_cast<std::size_t>(centreTank)].m_team != team
          ? centreTank
          : static_cast<std::int32_t>(CKnownMatch::mc_none);
  const std::uint32_t enemyHold =
      known.GetHillTeam() == static_cast<std::int32_t>(known.GetEnemy()) ? known.GetHillCount() : 0;
  const bool allIn = holder != CKnownMatch::mc_none && enemyHold >= mc_allInHold;
  const bool press = watch.IsPressing();

  const std::size_t firstRoundGoal = m_goals.size();
  if (holder != CKnownMatch::mc_none) {
    const TankState& h = tanks[static_cast<std::size_t>(holder)].m_state;
    const std::int32_t facing = HeadingIndex(h.dx, h.dy);
    for (std::int32_t d = 0; d < 4; ++d) {
      field = EmptyField(known);
      const HeadingVector step = HeadingFromIndex(d);
      std::int32_t x = h.x + step.dx;
      std::int32_t y = h.y + step.dy;
      for (std::int32_t n = 0; n < kReach && known.IsOpen(x, y); ++n, x += step.dx, y += step.dy) {
        const std::int32_t at = known.TankAt(x, y);
        if (at != CKnownMatch::mc_none && tanks[static_cast<std::size_t>(at)].m_team != team) break;
        field[static_cast<std::size_t>(known.Cell(x, y))] = 0;
      }
      const std::int32_t bonus = allIn ? kAllInBonus : kContestBonus;
      AddGoal(known, Purpose::Contest, field, 1, (d == facing ? kFrontPenalty : 0) - bonus);
    }
  }
  for (std::size_t i = 0; i < tanks.size(); ++i) {
    if (tanks[i].m_team == team || static_cast<std::int32_t>(i) == holder) continue;
    field = EmptyField(known);
    if (tanks[i].m_age >= CKnownMatch::mc_lostAge) {
      // Seen too long ago to be where it was: looked for there.
      field[cellOf(i)] = 0;
      AddGoal(known, Purpose::Search, field, 1, kSearchPenalty);
      continue;
    }
    MarkFiringCells(known, field, static_cast<std::int32_t>(i), kReach, false);
    if (std::find(field.begin(), field.end(), 0) == field.end()) {
      MarkFiringCells(known, field, static_cast<std::int32_t>(i), kReach, true);
    }
    const std::int32_t away = std::min(fromCentre[cellOf(i)], kFarAway / 4);
    AddGoal(known, Purpose::Hunt, field, 2, away / 2);
  }
  // The cells whose shells reach the centre: whoever stands on it is under fire.
  field = EmptyField(known);
  for (std::int32_t d = 0; d < 4; ++d) {
    const HeadingVector step = HeadingFromIndex(d);
    std::int32_t x = centre.x + step.dx;
    std::int32_t y = centre.y + step.dy;
    for (std::int32_t n = 0; n < kCoverReach && known.IsOpen(x, y); ++n, x += step.dx, y += step.dy) {
      field[static_cast<std::size_t>(known.Cell(x, y))] = 0;
    }
  }
  AddGoal(known, Purpose::Cover, field, static_cast<std::int32_t>(tanks.size()), kCoverPenalty);

  // Mending first, then the taker of the centre, then the rest by distance.
  std::vector<std::int32_t> goalOf(tanks.size(), -1);
  for (std::size_t i = 0; i < tanks.size(); ++i) {
    const TankState& s = tanks[i].m_state;
    if (tanks[i].m_team != team) continue;
    bool mend = s.hp <= mc_mendBelow || (known.IsRepairCell(s.x, s.y) && s.hp < mc_mendedAt);
    if (press) mend = s.hp <= mc_pressMendBelow;
    if (mend && !allIn && canMend && m_fields[m_goals[mendGoal].field][cellOf(i)] < kFarAway) {
      goalOf[i] = static_cast<std::int32_t>(mendGoal);
    }
  }
  if (holder == CKnownMatch::mc_none) {
    std::int32_t taker = -1;
    for (std::size_t i = 0; i < tanks.size(); ++i) {
      if (tanks[i].m_team != team || goalOf[i] >= 0 || toCentre[cellOf(i)] >= kFarAway) continue;
      if (taker < 0 || toCentre[cellOf(i)] < toCentre[cellOf(static_cast<std::size_t>(taker))]) {
        taker = static_cast<std::int32_t>(i);
      }
    }
    if (taker >= 0) goalOf[static_cast<std::size_t>(taker)] = static_cast<std::int32_t>(centreGoal);
  }
  for (std::int32_t round = 0; round < kRounds; ++round) {
    std::vector<std::tuple<std::int32_t, std::size_t, std::size_t>> offers;  // cost, tank, goal
    for (std::size_t i = 0; i < tanks.size(); ++i) {
      if (tanks[i].m_team != team || goalOf[i] >= 0) continue;
      for (std::size_t g = firstRoundGoal; g < m_goals.size(); ++g) {
        const std::int32_t steps = m_fields[m_goals[g].field][cellOf(i)];
        if (steps < kFarAway) offers.emplace_back(steps + m_goals[g].penalty, i, g);
      }
    }
    if (offers.empty()) break;
    std::sort(offers.begin(), offers.end());
    std::vector<std::int32_t> room(m_goals.size());
    for (std::size_t g = 0; g < m_goals.size(); ++g) room[g] = m_goals[g].room;
    for (const auto& offer : offers) {
      const std::size_t i = std::get<1>(offer);
      const std::size_t g = std::get<2>(offer);
      if (goalOf[i] >= 0 || room[g] <= 0) continue;
      --room[g];
      goalOf[i] = static_cast<std::int32_t>(g);
    }
  }
  for (std::size_t i = 0; i < tanks.size(); ++i) {
    if (tanks[i].m_team != team) continue;
    // A tank no goal leads anywhere makes for the centre all the same.
    const std::size_t goal = goalOf[i] >= 0 ? static_cast<std::size_t>(goalOf[i]) : centreGoal;
    m_purpose[i] = m_goals[goal].purpose;
    const bool detour = watch.IsDetouring(tanks[i].m_slot);
    m_fieldOf[i] = static_cast<std::int32_t>(detour ? DetourField(known, goal, i) : m_goals[goal].field);
  }
}
