#include "world/ShotForecast.h"

#include "core/Assert.h"
#include "world/CGameWorld.h"

namespace {

// The tank of the team on the cell, other than `except`; null when none.
const CTank* TeamTankAt(const CGameWorld& match, std::uint32_t team, std::int32_t x, std::int32_t y,
                        const CTank* except) {
  for (const CTank* tank : match.GetTeamTanks(team)) {
    if (tank && tank != except && tank->GetX() == x && tank->GetY() == y) return tank;
  }
  return nullptr;
}

}  // namespace

ShotForecast ForecastShot(const CGameWorld& match, const CTank& shooter, const TankState& from) {
  KV_ASSERT(IsHeading(from.dx, from.dy));
  const CMap& map = match.GetMap();
  const auto team = static_cast<std::uint32_t>(shooter.GetTeam());
  const std::int32_t shot = HeadingIndex(from.dx, from.dy);
  ShotForecast forecast;
  bool unseen = false;
  TankState shell = from;
  // Every map has a wall or an edge ahead: the walk ends.
  for (;;) {
    shell.Advance();
    forecast.m_x = shell.x;
    forecast.m_y = shell.y;
    if (map.IsWallOrOutside(shell.x, shell.y)) {
      forecast.m_outcome = unseen ? ShotForecast::Outcome::Fog : ShotForecast::Outcome::Wall;
      return forecast;
    }
    const bool seen = map.Sees(team, shell.x, shell.y);
    const CTank* own = TeamTankAt(match, team, shell.x, shell.y, &shooter);
    const CTank* enemy = seen ? TeamTankAt(match, 1 - team, shell.x, shell.y, nullptr) : nullptr;
    const CTank* struck = own ? own : enemy;
    if (struck) {
      forecast.m_outcome = own ? ShotForecast::Outcome::Friend : ShotForecast::Outcome::Enemy;
      forecast.m_slot = struck->GetSlot();
      const TankState& target = struck->GetState();
      forecast.m_hit = HitOf(shot, HeadingIndex(target.dx, target.dy), map.IsRepairCell(shell.x, shell.y));
      return forecast;
    }
    unseen = unseen || !seen;
  }
}
