#include "ai/players/CCentreHolderGreen.h"

#include <algorithm>
#include <cstdlib>

#include "units/Heading.h"

namespace {

constexpr std::int32_t kRepairBelow = 40;  // hit points under which a tank goes to mend
constexpr std::int32_t kRepairedAt = 90;   // ... and at which it comes back
constexpr std::int32_t kFlankReach = 10;   // firing cells this far along a Blue tank's flank lines
constexpr std::int32_t kHoldBonus = 150;   // points for the holder ending on the centre ...
constexpr std::int32_t kHoldPerTurn = 20;  // ... and for every turn end it held it already
constexpr std::int32_t kPostBonus = 40;    // points for a guard ending on its post
constexpr std::int32_t kFacingBonus = 5;   // ... facing out

std::int32_t LeftOf(std::int32_t d) { return (d + 1) & 3; }
std::int32_t RightOf(std::int32_t d) { return (d + 3) & 3; }
std::int32_t Opposite(std::int32_t d) { return (d + 2) & 3; }

}  // namespace

std::int32_t CCentreHolderGreen::HolderHeading(const CGreenSight& sight) const {
  const MapCell centre = sight.GetCentre();
  std::int32_t best = -1;
  std::int32_t nearest = 1 << 30;
  for (const CTurnSearch::Blue& blue : m_search.GetBlue()) {
    const std::int32_t dx = blue.state.x - centre.x;
    const std::int32_t dy = blue.state.y - centre.y;
    const std::int32_t away = std::abs(dx) + std::abs(dy);
    if (away == 0 || away >= nearest) continue;
    nearest = away;
    best = std::abs(dx) >= std::abs(dy) ? (dx > 0 ? 0 : 2) : (dy > 0 ? 1 : 3);
  }
  if (best >= 0) return best;
  // Blue starts at the top right: face up or right, whichever sees further.
  std::int32_t longest = -1;
  for (const std::int32_t d : {1, 0}) {
    const HeadingVector step = HeadingFromIndex(d);
    std::int32_t open = 0;
    for (std::int32_t x = centre.x + step.dx, y = centre.y + step.dy; sight.IsOpen(x, y); x += step.dx, y += step.dy) {
      ++open;
    }
    if (open > longest) {
      longest = open;
      best = d;
    }
  }
  return best;
}

std::vector<CCentreHolderGreen::Post> CCentreHolderGreen::Posts(const CGreenSight& sight, std::int32_t heading) const {
  const MapCell centre = sight.GetCentre();
  const std::int32_t left = LeftOf(heading);
  const std::int32_t right = RightOf(heading);
  const std::int32_t back = Opposite(heading);
  auto at = [&](std::int32_t d, std::int32_t e) {
    const HeadingVector a = HeadingFromIndex(d);
    const HeadingVector b = e < 0 ? HeadingVector{0, 0} : HeadingFromIndex(e);
    return MapCell{centre.x + a.dx + b.dx, centre.y + a.dy + b.dy};
  };
  // Beside and behind the holder, facing out: every line into it meets a
  // front. Then the diagonals, covering the guards' sides.
  const Post wanted[] = {{at(back, -1), back},         {at(left, -1), left},          {at(right, -1), right},
                         {at(left, heading), heading}, {at(right, heading), heading}, {at(left, back), left},
                         {at(right, back), right}};
  std::vector<Post> posts;
  for (const Post& post : wanted) {
    if (sight.IsOpen(post.cell.x, post.cell.y)) posts.push_back(post);
  }
  return posts;
}

void CCentreHolderGreen::PlanTurn(CGreenSight& sight) {
  m_memory.Update(sight);
  m_search.Begin(sight, m_memory, m_seed * 7919u + sight.GetTurn());
  const MapCell centre = sight.GetCentre();
  auto stepsOn = [&](const std::vector<std::int32_t>& field, const CGreenSight::Own& tank) {
    return m_search.StepsFrom(field, tank.state.x, tank.state.y);
  };
  const std::vector<std::int32_t> repair = m_search.RepairField();
  const std::vector<std::int32_t> toCentre = m_search.FieldTo(centre);

  // A Blue tank on the centre: every healthy tank goes for its sides and
  // back. Otherwise the spare tanks hunt the flanks of every known one.
  const CTurnSearch::Blue* blueHolder = nullptr;
  for (const CTurnSearch::Blue& blue : m_search.GetBlue()) {
    if (blue.state.x == centre.x && blue.state.y == centre.y && blue.certainty == 100) blueHolder = &blue;
  }
  std::vector<std::int32_t> attack = m_search.EmptyField();
  for (const CTurnSearch::Blue& blue : m_search.GetBlue()) {
    if (!blueHolder || &blue == blueHolder) m_search.MarkFiringCells(attack, blue, kFlankReach, false);
  }
  m_search.Fill(attack);

  std::vector<CGreenSight::Own> tanks;  // the healthy ones
  for (const CGreenSight::Own& tank : sight.GetOwn()) {
    bool& mend = m_mending[tank.slot];
    if (tank.state.hp < kRepairBelow) mend = true;
    if (tank.state.hp >= kRepairedAt) mend = false;
    if (!mend) tanks.push_back(tank);
  }

  // The holder: the one on the centre, else the one that went for it last
  // turn, else the healthy tank nearest it.
  const CGreenSight::Own* holder = nullptr;
  for (const CGreenSight::Own& tank : tanks) {
    if (tank.state.x == centre.x && tank.state.y == centre.y) holder = &tank;
  }
  for (const CGreenSight::Own& tank : tanks) {
    if (!holder && static_cast<std::int32_t>(tank.slot) == m_holderSlot) holder = &tank;
  }
  for (const CGreenSight::Own& tank : tanks) {
    if (!holder || (holder->slot != static_cast<std::uint32_t>(m_holderSlot) &&
                    stepsOn(toCentre, tank) < stepsOn(toCentre, *holder))) {
      holder = &tank;
    }
  }
  m_holderSlot = holder ? static_cast<std::int32_t>(holder->slot) : -1;
  const std::int32_t facing = HolderHeading(sight);
  if (holder) {
    const std::uint32_t held = sight.GetHolder() == CGreenSight::Holder::Green ? sight.GetHoldCount() : 0;
    CTurnSearch::Aim hold;
    hold.field = blueHolder ? &attack : &toCentre;
    hold.goalBonus = blueHolder ? 0 : kHoldBonus + kHoldPerTurn * static_cast<std::int32_t>(held);
    hold.heading = facing;
    hold.headingBonus = kFacingBonus;
    hold.dangerPercent = 60;
    hold.exposurePercent = 40;
    hold.blindFire = true;
    m_search.Plan(sight, *holder, hold);
  }

  // Posts go out in order, each to the nearest healthy tank still free.
  std::vector<bool> taken(tanks.size(), false);
  for (std::size_t i = 0; i < tanks.size(); ++i) taken[i] = holder && tanks[i].slot == holder->slot;
  const std::vector<Post> posts = blueHolder ? std::vector<Post>() : Posts(sight, facing);
  for (const Post& post : posts) {
    const std::vector<std::int32_t> toPost = m_search.FieldTo(post.cell);
    std::size_t nearest = tanks.size();
    for (std::size_t i = 0; i < tanks.size(); ++i) {
      if (!taken[i] && (nearest == tanks.size() || stepsOn(toPost, tanks[i]) < stepsOn(toPost, tanks[nearest]))) {
        nearest = i;
      }
    }
    if (nearest == tanks.size()) break;
    taken[nearest] = true;
    CTurnSearch::Aim guard;
    guard.field = &toPost;
    guard.goalBonus = kPostBonus;
    guard.heading = post.heading;
    guard.headingBonus = kFacingBonus;
    guard.dangerPercent = 80;
    guard.exposurePercent = 50;
    guard.blindFire = true;
    m_search.Plan(sight, tanks[nearest], guard);
  }
  CTurnSearch::Aim hunt;
  hunt.field = &attack;
  hunt.dangerPercent = 80;
  hunt.exposurePercent = 50;
  for (std::size_t i = 0; i < tanks.size(); ++i) {
    if (!taken[i]) m_search.Plan(sight, tanks[i], hunt);
  }
  CTurnSearch::Aim mending;
  mending.field = &repair;
  mending.perStep = 14;
  mending.dangerPercent = 150;
  mending.exposurePercent = 120;
  for (const CGreenSight::Own& tank : sight.GetOwn()) {
    if (m_mending[tank.slot]) m_search.Plan(sight, tank, mending);
  }
}
