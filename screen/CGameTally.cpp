#include "screen/CGameTally.h"

#include <string>

#include "core/Assert.h"
#include "record/CGame.h"
#include "world/CGameWorld.h"

namespace {

bool IsTeam(std::int32_t team) { return team == 0 || team == 1; }

// The team of the tank on the centre cell, or -1.
std::int32_t TeamOnCentre(const CGameWorld& match) {
  const MapCell centre = match.GetMap().GetCentre();
  for (const CTank* tank : match.GetTanks()) {
    if (tank->GetX() == centre.x && tank->GetY() == centre.y) return tank->GetTeam();
  }
  return -1;
}

}  // namespace

void CGameTally::Reset(std::uint32_t firstTurn) {
  m_sides[0] = SideFigures{};
  m_sides[1] = SideFigures{};
  m_firstTurn = firstTurn;
  m_shooterTeam = -1;
}

void CGameTally::Count(const CGameWorld& match) {
  for (const MatchEvent& event : match.GetEvents()) {
    switch (event.m_kind) {
      case MatchEvent::Kind::Shot: m_shooterTeam = event.m_team; break;
      case MatchEvent::Kind::Hit: {
        if (!IsTeam(event.m_team)) break;
        const auto damage = static_cast<std::uint32_t>(event.m_hit.m_damage > 0 ? event.m_hit.m_damage : 0);
        m_sides[event.m_team].m_damageTaken += damage;
        if (IsTeam(m_shooterTeam) && m_shooterTeam != event.m_team) m_sides[m_shooterTeam].m_damageDealt += damage;
        break;
      }
      case MatchEvent::Kind::TurnEnded: {
        // The events of a tick or of a whole turn end with its turn end: the
        // tanks stand where they stood then.
        const std::int32_t holder = TeamOnCentre(match);
        if (IsTeam(holder)) ++m_sides[holder].m_centreTurns;
        break;
      }
      default: break;
    }
  }
}

bool CGameTally::CountRecord(const CGameRecord& record) {
  CGame game;
  std::string error;
  if (!game.Replay(record, 0, error)) {
    Reset();
    return false;
  }
  Reset(game.Match().GetTurn());
  for (std::size_t turn = 0; turn < record.EndedTurns(); ++turn) {
    if (!game.PlayTurnAtOnce(record.m_turns[turn].m_queues)) return false;
    Count(game.Match());
    game.Match().ClearEvents();
  }
  return true;
}

const SideFigures& CGameTally::GetSide(std::uint32_t team) const {
  KV_ASSERT(team < 2);
  return m_sides[team];
}
