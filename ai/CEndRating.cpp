#include "ai/CEndRating.h"

#include <algorithm>

#include "ai/CKnownMatch.h"
#include "ai/CTankPurposes.h"
#include "ai/DistanceField.h"
#include "units/CTank.h"
#include "units/Heading.h"
#include "units/TankHit.h"
#include "world/CGameWorld.h"

namespace {

constexpr std::int32_t kEmpty = -1;
constexpr std::int32_t kBlocked = -2;
// Points per step between a tank and its goal, by its purpose (Mend,
// TakeCentre, Contest, Hunt, Search, Cover), and the most steps counted. A
// contest of the centre weighs more per turn end the enemy has held it.
constexpr std::int64_t kPerStep[] = {40, 14, 14, 10, 7, 7};
constexpr std::int64_t kContestPerHold = 6;
constexpr std::int32_t kMostSteps = 40;
// While the enemy holds the centre, the team's hit points count this many
// percent less per turn end it has held it, down to the least.
constexpr std::int64_t kHpLostPerHold = 8;
constexpr std::int64_t kLeastHpPercent = 40;
// The centre count: points of holding it for the team, per turn end held,
// and for the enemy the same and more per turn end squared.
constexpr std::int64_t kHoldBase = 300;
constexpr std::int64_t kHoldPerTurn = 100;
constexpr std::int64_t kEnemyHoldSquared = 40;
// Percent of the next turn's first shots counted, and the points of a kill among them.
constexpr std::int64_t kNextShotsPercent = 80;
constexpr std::int64_t kNextKill = 400;
// Percent that a shot in step 1 to 4 of the next turn is worth, and the second shot of a pair.
constexpr std::int64_t kShotInStep[4] = {100, 85, 70, 55};
constexpr std::int64_t kSecondShot = 50;
// Percent of a duel's outcome counted (either tank may yet break off), and
// the most steps it is fought out for.
constexpr std::int64_t kDuelPercent = 15;
constexpr std::int32_t kDuelSteps = 40;
// Pressing on, the enemy's tanks and the team's hold count this much, in percent.
constexpr std::int64_t kPressEnemyPercent = 125;
constexpr std::int64_t kPressHoldPercent = 200;

// Quarter turns a tank facing heading index `from` takes to face `to`.
std::int32_t TurnsToFace(std::int32_t from, std::int32_t to) {
  const std::int32_t turns = QuarterTurns(from, to);
  return turns == 3 ? 1 : turns;
}

}  // namespace

void CEndRating::Prepare(const CKnownMatch& known, const CTankPurposes& purposes, bool press) {
  m_known = &known;
  m_purposes = &purposes;
  m_press = press;
  m_at.assign(static_cast<std::size_t>(known.CellCount()), static_cast<std::int16_t>(kEmpty));
  m_standing.clear();
  m_standing.reserve(known.GetTanks().size());
  const std::int64_t enemyHold =
      known.GetHillTeam() == static_cast<std::int32_t>(known.GetEnemy()) ? known.GetHillCount() : 0;
  m_hpPercent = std::max(kLeastHpPercent, 100 - kHpLostPerHold * enemyHold);
  m_perStep.assign(known.GetTanks().size(), 0);
  for (std::size_t i = 0; i < m_perStep.size(); ++i) {
    const CTankPurposes::Purpose purpose = purposes.GetPurpose(i);
    m_perStep[i] = kPerStep[static_cast<std::size_t>(purpose)] +
                   (purpose == CTankPurposes::Purpose::Contest ? kContestPerHold * enemyHold : 0);
  }
}

std::int32_t CEndRating::At(std::int32_t x, std::int32_t y) const {
  if (!m_known->IsOpen(x, y)) return kBlocked;
  return m_at[static_cast<std::size_t>(m_known->Cell(x, y))];
}

std::int64_t CEndRating::BestShot(const Standing& shooter) const {
  std::int64_t best = 0;
  auto rate = [&](std::int32_t d, std::int32_t x, std::int32_t y, std::int32_t firstStep, bool pair) {
    const HeadingVector step = HeadingFromIndex(d);
    std::int32_t at = kEmpty;
    for (x += step.dx, y += step.dy; (at = At(x, y)) == kEmpty; x += step.dx, y += step.dy) {
    }
    if (at < 0 || firstStep > 3) return;
    const Standing& target = m_standing[static_cast<std::size_t>(at)];
    if (target.team == shooter.team) return;
    const std::int64_t first = HitOf(d, target.heading, target.repairing).m_damage;
    // The target faces the shooter for the second shot, if it comes in the turn.
    const bool second = pair && firstStep + 2 <= 3;
    const std::int64_t next = second ? (target.repairing ? kDamageOnRepairCell : kDamageInTheFront) : 0;
    const std::int64_t hp = target.hp;
    const std::int64_t dealt = std::min(first, hp) * kShotInStep[firstStep] +
                               std::min(next, std::max<std::int64_t>(0, hp - first)) * kSecondShot;
    std::int64_t points = dealt * CEndRating::mc_pointsPerHp / 100;
    if (first + next >= hp) points += kNextKill * kShotInStep[firstStep] / 100;
    best = std::max(best, points * target.certainty / 100);
  };
  for (std::int32_t d = 0; d < 4; ++d) {
    const std::int32_t turns = QuarterTurns(shooter.heading, d);
    const std::int32_t first = (turns == 0 ? 0 : turns == 2 ? 2 : 1) + shooter.busy;
    rate(d, shooter.x, shooter.y, first, turns != 2);
  }
  // A step forward and a quarter turn: the shot of the third step.
  const HeadingVector ahead = HeadingFromIndex(shooter.heading);
  const std::int32_t ax = shooter.x + ahead.dx;
  const std::int32_t ay = shooter.y + ahead.dy;
  if (At(ax, ay) == kEmpty) {
    for (const std::int32_t d : {(shooter.heading + 1) & 3, (shooter.heading + 3) & 3}) {
      rate(d, ax, ay, 2 + shooter.busy, false);
    }
  }
  return best * shooter.certainty / 100;
}

std::int64_t CEndRating::Duel(const Standing& own, const Standing& enemy, std::int32_t d) const {
  const std::int32_t back = (d + 2) & 3;
  // Steps from the next turn's start at which each fires first: after what
  // keeps it busy and the turns that bring it to face the other.
  const std::int32_t ownReady = own.busy + TurnsToFace(own.heading, d);
  const std::int32_t enemyReady = enemy.busy + TurnsToFace(enemy.heading, back);
  std::int32_t ownHp = own.hp;
  std::int32_t enemyHp = enemy.hp;
  for (std::int32_t step = 0; step < kDuelSteps && ownHp > 0 && enemyHp > 0; ++step) {
    // Shells of one step strike together; each fires every other step.
    const bool ownFires = step >= ownReady && (step - ownReady) % 2 == 0;
    const bool enemyFires = step >= enemyReady && (step - enemyReady) % 2 == 0;
    if (ownFires) enemyHp -= HitOf(d, step >= enemyReady ? back : enemy.heading, enemy.repairing).m_damage;
    if (enemyFires) ownHp -= HitOf(back, step >= ownReady ? d : own.heading, own.repairing).m_damage;
  }
  // The tank that falls, and what the other loses on the way; nothing if neither falls.
  std::int64_t points = 0;
  if (enemyHp <= 0) points += enemy.hp * mc_pointsPerHp + mc_aliveBonus;
  if (ownHp <= 0) points -= own.hp * mc_pointsPerHp + mc_aliveBonus;
  if (ownHp > 0 && enemyHp <= 0) points -= (own.hp - ownHp) * mc_pointsPerHp;
  if (enemyHp > 0 && ownHp <= 0) points += (enemy.hp - enemyHp) * mc_pointsPerHp;
  return points * kDuelPercent / 100 * enemy.certainty / 100;
}

std::int64_t CEndRating::Rate(const CGameWorld& played) {
  const std::uint32_t team = m_known->GetTeam();
  const std::uint32_t enemy = m_known->GetEnemy();
  if (played.GetAliveCount(team) == 0) return played.GetAliveCount(enemy) == 0 ? -mc_win / 2 : -mc_win;
  // The enemy tanks the team knows of all destroyed is no win: others may
  // be out of sight. The centre count goes on as the tanks stand.
  std::int32_t hillTeam = played.GetHillTeam();
  std::int64_t count = played.GetHillCount();
  if (played.GetAliveCount(enemy) == 0) {
    const MapCell centre = m_known->GetCentre();
    const bool held = played.IsTankAt(centre.x, centre.y, static_cast<std::int32_t>(enemy));
    const bool before = m_known->GetHillTeam() == static_cast<std::int32_t>(team);
    hillTeam = static_cast<std::int32_t>(team);
    count = held ? (before ? m_known->GetHillCount() : 0) + 1 : 0;
    if (count >= CGameWorld::mc_victoryHold) return mc_win;
  } else if (played.IsGameOver()) {
    return hillTeam == static_cast<std::int32_t>(team) ? mc_win : -mc_win;
  }

  std::int64_t score = 0;
  m_standing.clear();
  const std::vector<CKnownMatch::Tank>& tanks = m_known->GetTanks();
  for (std::size_t i = 0; i < tanks.size(); ++i) {
    const CTank* tank = played.GetTeamTanks(tanks[i].m_team)[tanks[i].m_slot];
    if (!tank) continue;
    const TankState& s = tank->GetState();
    const bool own = tanks[i].m_team == team;
    std::int64_t value = s.hp * mc_pointsPerHp + mc_aliveBonus;
    if (own) {
      value = s.hp * mc_pointsPerHp * m_hpPercent / 100 + mc_aliveBonus;
      const std::vector<std::int32_t>* field = m_purposes->GetField(i);
      const std::int32_t steps = field ? (*field)[static_cast<std::size_t>(m_known->Cell(s.x, s.y))] : 0;
      value -= m_perStep[i] * std::min(steps, kMostSteps);
    } else {
      value = value * tanks[i].m_certainty / 100;
      if (m_press) value = value * kPressEnemyPercent / 100;
    }
    score += own ? value : -value;
    m_standing.push_back(Standing{s.x, s.y, HeadingIndex(s.dx, s.dy), s.hp, tank->GetDelay(), tanks[i].m_team,
                                  m_known->IsRepairCell(s.x, s.y), tanks[i].m_certainty});
  }

  if (count > 0 && hillTeam == static_cast<std::int32_t>(team)) {
    score += (kHoldBase + kHoldPerTurn * count) * (m_press ? kPressHoldPercent : 100) / 100;
  } else if (count > 0) {
    score -= kHoldBase + kHoldPerTurn * count + kEnemyHoldSquared * count * count;
  }

  for (std::size_t i = 0; i < m_standing.size(); ++i) {
    m_at[static_cast<std::size_t>(m_known->Cell(m_standing[i].x, m_standing[i].y))] = static_cast<std::int16_t>(i);
  }
  std::int64_t shots = 0;
  for (const Standing& shooter : m_standing) shots += shooter.team == team ? BestShot(shooter) : -BestShot(shooter);
  for (const Standing& own : m_standing) {
    if (own.team != team) continue;
    for (std::int32_t d = 0; d < 4; ++d) {
      const HeadingVector step = HeadingFromIndex(d);
      std::int32_t at = kEmpty;
      for (std::int32_t x = own.x + step.dx, y = own.y + step.dy; (at = At(x, y)) == kEmpty;
           x += step.dx, y += step.dy) {
      }
      if (at >= 0 && m_standing[static_cast<std::size_t>(at)].team != team) {
        score += Duel(own, m_standing[static_cast<std::size_t>(at)], d);
      }
    }
  }
  for (const Standing& standing : m_standing) {
    m_at[static_cast<std::size_t>(m_known->Cell(standing.x, standing.y))] = static_cast<std::int16_t>(kEmpty);
  }
  return score + shots * kNextShotsPercent / 100;
}
