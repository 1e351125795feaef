#include "ai/CTurnOptions.h"

#include <algorithm>

#include "ai/CKnownMatch.h"
#include "world/CGameWorld.h"

namespace {

constexpr std::int32_t kSteps = TurnOrders::mc_steps;

class CWalker {
 public:
  CWalker(const CKnownMatch& known, std::size_t tank, std::vector<TurnOrders>& out)
      : m_known(known), m_self(static_cast<std::int32_t>(tank)), m_team(known.GetTanks()[tank].m_team), m_out(out) {}

  void Walk(const TankState& start, std::int32_t busy) {
    m_path = TurnOrders{};
    m_path.m_poses[0] = start;
    Expand(0, busy);
  }

 private:
  // The prefix walked so far ends at `step` (its pose there set), the tank
  // busy for `busy` more steps: it is kept as a sequence, then extended.
  void Expand(std::int32_t step, std::int32_t busy) {
    const CommandKind last = m_path.m_count > 0 ? m_path.m_commands[m_path.m_count - 1] : CommandKind::Wait;
    const bool endsWaiting = m_path.m_count > 0 && last == CommandKind::Wait;
    if (!endsWaiting) Keep(step, busy);
    const std::int32_t at = step + busy;
    if (at >= kSteps) return;
    const TankState pose = m_path.m_poses[step];
    for (std::int32_t s = step; s <= at; ++s) {
      m_path.m_poses[s] = pose;
      m_path.m_fires[s] = false;
    }
    const CommandKind before = m_path.m_count > 1 ? m_path.m_commands[m_path.m_count - 2] : CommandKind::Wait;
    for (const CommandKind kind : {CommandKind::Fire, CommandKind::Forward, CommandKind::TurnLeft,
                                   CommandKind::TurnRight, CommandKind::Back, CommandKind::Wait}) {
      if (m_path.m_count > 0 && !Follows(before, last, kind)) continue;
      TankState next = pose;
      std::int32_t nextBusy = 0;
      switch (kind) {
        case CommandKind::Fire: nextBusy = 1; break;
        case CommandKind::Forward: next.Advance(); break;
        case CommandKind::Back:
          next.Retreat();
          nextBusy = 1;
          break;
        case CommandKind::TurnLeft: next.Turn(false); break;
        case CommandKind::TurnRight: next.Turn(true); break;
        case CommandKind::Wait: break;
      }
      if ((kind == CommandKind::Forward || kind == CommandKind::Back) && !CanEnter(next, at)) continue;
      m_path.m_commands[m_path.m_count++] = kind;
      m_path.m_fires[at] = kind == CommandKind::Fire;
      m_path.m_poses[at + 1] = next;
      Expand(at + 1, nextBusy);
      m_path.m_fires[at] = false;
      --m_path.m_count;
    }
  }

  // Whether `kind` may follow the last two commands.
  static bool Follows(CommandKind before, CommandKind last, CommandKind kind) {
    using K = CommandKind;
    // A wait is only worth it before a shot.
    if (last == K::Wait) return kind == K::Wait || kind == K::Fire;
    if ((last == K::TurnLeft && kind == K::TurnRight) || (last == K::TurnRight && kind == K::TurnLeft)) return false;
    if ((last == K::Forward && kind == K::Back) || (last == K::Back && kind == K::Forward)) return false;
    // Three quarter turns one way are one the other way.
    return !((kind == K::TurnLeft || kind == K::TurnRight) && before == kind && last == kind);
  }

  bool CanEnter(const TankState& next, std::int32_t step) const {
    if (!m_known.IsOpen(next.x, next.y)) return false;
    const std::int32_t other = m_known.TankAt(next.x, next.y);
    if (other == CKnownMatch::mc_none || other == m_self) return true;
    return m_known.GetTanks()[static_cast<std::size_t>(other)].m_team == m_team && step > 0;
  }

  // Keeps the prefix as a sequence: the steps after it idle.
  void Keep(std::int32_t step, std::int32_t busy) {
    TurnOrders kept = m_path;
    for (std::int32_t s = step; s < kSteps; ++s) {
      kept.m_poses[s + 1] = kept.m_poses[step];
      kept.m_fires[s] = false;
    }
    kept.m_busyAfter = std::max(0, step + busy - kSteps);
    m_out.push_back(kept);
  }

  const CKnownMatch& m_known;      // the match walked in
  std::int32_t m_self;             // the tank's index in its list
  std::uint32_t m_team;            // its team
  std::vector<TurnOrders>& m_out;  // the sequences found
  TurnOrders m_path;               // the prefix being walked
};

}  // namespace

void CTurnOptions::Collect(const CKnownMatch& known, std::size_t tank, std::vector<TurnOrders>& out) {
  out.clear();
  if (tank >= known.GetTanks().size()) return;
  const CKnownMatch::Tank& own = known.GetTanks()[tank];
  const CTank* real = known.GetMatch().GetTeamTanks(own.m_team)[own.m_slot];
  const std::int32_t busy = real ? std::max(0, real->GetDelay()) : 0;
  CWalker(known, tank, out).Walk(own.m_state, busy);
}
