#include "world/CTeamView.h"

#include "core/Assert.h"
#include "world/CGameWorld.h"

CTeamView::CTeamView(const CGameWorld& match, std::uint32_t team) : m_match(match), m_team(team), m_map(match.GetMap()) {
  KV_ASSERT(team < CMap::mc_numTeams);
  // Where the other team looks would tell where it stands.
  for (std::uint32_t y = 0; y < m_map.GetHeight(); ++y) {
    for (std::uint32_t x = 0; x < m_map.GetWidth(); ++x) m_map.SetVisible(x, y, GetEnemyTeam(), 0);
  }
}

CTankSlots<const CTank> CTeamView::GetOwnTanks() const { return m_match.GetTeamTanks(m_team); }

std::size_t CTeamView::GetEnemySlots() const { return m_match.GetTeamTanks(GetEnemyTeam()).size(); }

const CTank* CTeamView::GetSeenEnemy(std::size_t slot) const {
  const CTank* tank = m_match.GetTeamTanks(GetEnemyTeam())[slot];
  return tank && Sees(tank->GetX(), tank->GetY()) ? tank : nullptr;
}

bool CTeamView::IsTankAt(std::int32_t x, std::int32_t y, std::int32_t exceptTeam) const {
  if (exceptTeam != static_cast<std::int32_t>(m_team)) {
    for (const CTank* tank : GetOwnTanks()) {
      if (tank && tank->GetX() == x && tank->GetY() == y) return true;
    }
  }
  if (exceptTeam == static_cast<std::int32_t>(GetEnemyTeam()) || !Sees(x, y)) return false;
  for (const CTank* tank : m_match.GetTeamTanks(GetEnemyTeam())) {
    if (tank && tank->GetX() == x && tank->GetY() == y) return true;
  }
  return false;
}

std::int32_t CTeamView::GetHillTeam() const { return m_match.GetHillTeam(); }
std::uint32_t CTeamView::GetHillCount() const { return m_match.GetHillCount(); }
std::uint32_t CTeamView::GetTurn() const { return m_match.GetTurn(); }
