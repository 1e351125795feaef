#include "ai/players/CSniperGreen.h"

#include <algorithm>
#include <cstdlib>

#include "units/Heading.h"

namespace {

constexpr std::int32_t kRepairBelow = 40;  // hit points under which a tank goes to mend
constexpr std::int32_t kRepairedAt = 90;   // ... and at which it comes back
constexpr std::int32_t kFlankReach = 8;    // firing cells this far along a flank line
// Blue tanks this much further from the centre than the nearest are quarry too.
constexpr std::int32_t kQuarrySpread = 4;
constexpr std::int32_t kHoldBonus = 150;   // points for the taker ending on the centre
constexpr std::int32_t kBoldCaution = 60;  // caution under which a dragging game is ended by fighting
constexpr std::int32_t kLurkNear = 3;      // with no Blue known: wait this far from the centre ...
constexpr std::int32_t kLurkFar = 5;       // ... up to this far

}  // namespace

std::vector<std::int32_t> CSniperGreen::AmbushField(const CGreenSight& sight) const {
  // The quarry: a Blue tank on the centre, else the known ones nearest the centre.
  const MapCell centre = sight.GetCentre();
  const std::vector<std::int32_t> toCentre = m_search.FieldTo(centre);
  std::int32_t nearest = CTurnSearch::mc_far;
  for (const CTurnSearch::Blue& blue : m_search.GetBlue()) {
    nearest = std::min(nearest, m_search.StepsFrom(toCentre, blue.state.x, blue.state.y));
  }
  const bool bold = m_search.GetCaution() < kBoldCaution && !m_search.GetBlue().empty();
  std::vector<std::int32_t> firing = m_search.EmptyField();
  for (const CTurnSearch::Blue& blue : m_search.GetBlue()) {
    const std::int32_t steps = m_search.StepsFrom(toCentre, blue.state.x, blue.state.y);
    const std::int32_t spread = nearest == 0 ? 0 : kQuarrySpread;
    if (steps <= nearest + spread) m_search.MarkFiringCells(firing, blue, kFlankReach, bold);
  }
  // A game that drags on is ended by fighting: the sniper goes for the
  // firing cells themselves, the quarry's front among them.
  if (bold) {
    m_search.Fill(firing);
    return firing;
  }

  // Wait out of every known line, one move from a firing cell; where every
  // such cell is in a line, wait beside the firing cells all the same.
  std::vector<std::int32_t> field = m_search.EmptyField();
  auto markBeside = [&](bool safeOnly) {
    bool any = false;
    for (std::int32_t y = 0; y < m_search.GetHeight(); ++y) {
      for (std::int32_t x = 0; x < m_search.GetWidth(); ++x) {
        if (!m_search.IsOpen(x, y) || (safeOnly && m_search.Exposure(x, y) != 0)) continue;
        for (std::int32_t d = 0; d < 4; ++d) {
          const HeadingVector step = HeadingFromIndex(d);
          if (m_search.IsOpen(x + step.dx, y + step.dy) && m_search.StepsFrom(firing, x + step.dx, y + step.dy) == 0) {
            field[static_cast<std::size_t>(m_search.Cell(x, y))] = 0;
            any = true;
          }
        }
      }
    }
    return any;
  };
  const bool any = markBeside(true) || markBeside(false);
  if (!any) {
    // No Blue tank known: round the centre, out of the known lines.
    for (std::int32_t y = 0; y < m_search.GetHeight(); ++y) {
      for (std::int32_t x = 0; x < m_search.GetWidth(); ++x) {
        const std::int32_t away = std::abs(x - centre.x) + std::abs(y - centre.y);
        if (m_search.IsOpen(x, y) && away >= kLurkNear && away <= kLurkFar && m_search.Exposure(x, y) == 0) {
          field[static_cast<std::size_t>(m_search.Cell(x, y))] = 0;
        }
      }
    }
  }
  m_search.Fill(field);
  return field;
}

void CSniperGreen::PlanTurn(CGreenSight& sight) {
  m_memory.Update(sight);
  m_search.Begin(sight, m_memory, m_seed * 7919u + sight.GetTurn());
  const std::vector<std::int32_t> ambush = AmbushField(sight);
  const std::vector<std::int32_t> repair = m_search.RepairField();

  CTurnSearch::Aim sniping;
  sniping.field = &ambush;
  sniping.perStep = 10;
  // The longer Blue holds the centre, the more risk its holder is worth.
  const std::int32_t held =
      sight.GetHolder() == CGreenSight::Holder::Blue ? static_cast<std::int32_t>(sight.GetHoldCount()) : 0;
  sniping.dangerPercent = std::max(25, 70 - 7 * held);
  sniping.exposurePercent = std::max(20, 55 - 5 * held);
  sniping.frontShotPercent = 40;
  CTurnSearch::Aim mending = sniping;
  mending.field = &repair;
  mending.perStep = 14;

  // A game that drags on is ended on the centre, when no Blue tank stands
  // on it: by the healthy tank nearest it, for ever more points.
  const MapCell centre = sight.GetCentre();
  const std::vector<std::int32_t> toCentre = m_search.FieldTo(centre);
  const bool takeCentre = !m_search.IsBlueAt(centre.x, centre.y) && m_search.GetCaution() < kBoldCaution;
  std::int32_t taker = -1;
  std::int32_t nearest = CTurnSearch::mc_far;
  for (const CGreenSight::Own& tank : sight.GetOwn()) {
    const std::int32_t steps = m_search.StepsFrom(toCentre, tank.state.x, tank.state.y);
    if (takeCentre && tank.state.hp >= kRepairBelow && steps < nearest) {
      nearest = steps;
      taker = static_cast<std::int32_t>(tank.slot);
    }
  }
  CTurnSearch::Aim holding = sniping;
  holding.field = &toCentre;
  holding.goalBonus = kHoldBonus * 100 / m_search.GetCaution();

  // The tanks nearest a flank plan first: theirs are the shots.
  std::vector<CGreenSight::Own> tanks = sight.GetOwn();
  std::stable_sort(tanks.begin(), tanks.end(), [&](const CGreenSight::Own& a, const CGreenSight::Own& b) {
    return m_search.StepsFrom(ambush, a.state.x, a.state.y) < m_search.StepsFrom(ambush, b.state.x, b.state.y);
  });
  for (const CGreenSight::Own& tank : tanks) {
    bool& mend = m_mending[tank.slot];
    if (tank.state.hp < kRepairBelow) mend = true;
    if (tank.state.hp >= kRepairedAt) mend = false;
    const bool takes = static_cast<std::int32_t>(tank.slot) == taker;
    m_search.Plan(sight, tank, mend ? mending : takes ? holding : sniping);
  }
}
