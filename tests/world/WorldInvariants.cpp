#include "world/WorldInvariants.h"

#include <cstddef>
#include <cstdint>

#include "app/CGameSession.h"
#include "map/CMap.h"
#include "screen/CEffect.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"

namespace worldtest {

namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

// The checks run after every call of long random streams: no allocation, and
// plain scans over at most twenty tanks.
bool IsInPlay(const CGameWorld& world, const CTank* tank) {
  for (const CTank* living : world.GetTanks()) {
    if (living == tank) return true;
  }
  return false;
}

AssertionResult TankHolds(const CGameWorld& world, const CTank& tank, std::size_t index) {
  const CMap& map = world.GetMap();
  const std::int32_t x = tank.GetX();
  const std::int32_t y = tank.GetY();
  if (map.IsWallOrOutside(x, y)) return AssertionFailure() << "a tank on a wall or off the map at " << x << "," << y;
  const CTankOrder tanks = world.GetTanks();
  for (std::size_t other = 0; other < index; ++other) {
    if (tanks[other]->GetX() == x && tanks[other]->GetY() == y) return AssertionFailure() << "two tanks on " << x << "," << y;
  }
  if (tank.GetHitPoints() > CTank::mc_fullHitPoints || tank.IsDestroyed()) {
    return AssertionFailure() << "a tank in play with " << tank.GetHitPoints() << " hit points";
  }
  if (tank.GetTeam() < 0 || static_cast<std::uint32_t>(tank.GetTeam()) >= CMap::mc_numTeams) {
    return AssertionFailure() << "a tank of team " << tank.GetTeam();
  }
  // The visibility is refreshed after every step, the only time tanks move.
  if (map.GetVisible(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), static_cast<std::uint32_t>(tank.GetTeam())) == 0) {
    return AssertionFailure() << "team " << tank.GetTeam() << " does not see its own tank at " << x << "," << y;
  }
  return QueueIsAChain(tank);
}

AssertionResult SlotsHold(const CGameWorld& world) {
  std::size_t slotted = 0;
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    std::int32_t filled = 0;
    for (const CTank* tank : world.GetTeamTanks(team)) {
      if (!tank) continue;
      ++filled;
      if (!IsInPlay(world, tank) || tank->GetTeam() != static_cast<std::int32_t>(team)) {
        return AssertionFailure() << "team " << team << " holds a slot for a tank not in play or not its own";
      }
    }
    slotted += static_cast<std::size_t>(filled);
    if (filled != world.GetAliveCount(team)) {
      return AssertionFailure() << "team " << team << " counts " << world.GetAliveCount(team) << " alive in "
                                << filled << " slots";
    }
  }
  if (slotted != world.GetTanks().size()) return AssertionFailure() << "tanks without exactly one slot";
  return AssertionSuccess();
}

AssertionResult GameStateHolds(const CGameWorld& world) {
  if (world.GetHillCount() > CGameWorld::mc_victoryHold) return AssertionFailure() << "hill count " << world.GetHillCount();
  if (world.GetHillTeam() < 0 || static_cast<std::uint32_t>(world.GetHillTeam()) >= CMap::mc_numTeams) {
    return AssertionFailure() << "hill team " << world.GetHillTeam();
  }
  if (world.GetStepsDone() < 0 || world.GetStepsDone() > CGameWorld::mc_turnSteps) {
    return AssertionFailure() << "steps done " << world.GetStepsDone();
  }
  return AssertionSuccess();
}

AssertionResult SessionHolds(const CGameSession& session) {
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    if (session.GetTeamSize(team) < CGameWorld::mc_minTeamSize ||
        session.GetTeamSize(team) > CGameWorld::mc_maxTeamSize) {
      return AssertionFailure() << "team size " << session.GetTeamSize(team);
    }
  }
  if (session.GetMode() != CGameSession::mc_modeStartScreen && session.GetMode() != CGameSession::mc_modePlay) {
    return AssertionFailure() << "mode " << session.GetMode();
  }
  if (session.GetScreen().GetSelected() > session.GetMatch().GetTeamTanks(CGameWorld::mc_playerTeam).size()) {
    return AssertionFailure() << "slot " << session.GetScreen().GetSelected() << " selected";
  }
  for (const CEffect& effect : session.GetScreen().GetEffects()) {
    if (!(effect.m_alpha > 0.0f && effect.m_alpha <= 1.0f)) {
      return AssertionFailure() << "an effect of opacity " << effect.m_alpha;
    }
  }
  return AssertionSuccess();
}

}  // namespace

AssertionResult QueueIsAChain(const CTank& tank) {
  TankState expected = tank.GetState();
  for (const TankCommand& command : tank.GetCommands()) {
    const TankState& before = command.GetBefore();
    if (before.x != expected.x || before.y != expected.y || before.dx != expected.dx || before.dy != expected.dy) {
      return AssertionFailure() << "team " << tank.GetTeam() << " tank at " << tank.GetX() << "," << tank.GetY()
                                << " has a command planned from " << before.x << "," << before.y << " instead of "
                                << expected.x << "," << expected.y;
    }
    expected = command.GetAfter();
  }
  return AssertionSuccess();
}

AssertionResult MatchHolds(const CGameWorld& world) {
  const CTankOrder tanks = world.GetTanks();
  for (std::size_t i = 0; i < tanks.size(); ++i) {
    const AssertionResult tank = TankHolds(world, *tanks[i], i);
    if (!tank) return tank;
  }
  const AssertionResult slots = SlotsHold(world);
  if (!slots) return slots;
  return GameStateHolds(world);
}

AssertionResult HoldsInvariants(const CGameSession& session) {
  const AssertionResult match = MatchHolds(session.GetMatch());
  if (!match) return match;
  return SessionHolds(session);
}

}  // namespace worldtest
