#include "screen/CLastSeen.h"

#include "core/TextFormat.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteTable.h"
#include "screen/Draw2D.h"
#include "screen/ScreenLayout.h"
#include "units/CTank.h"
#include "units/Heading.h"
#include "world/CGameWorld.h"

namespace {

using State = CLastSeen::Sighting::State;

constexpr float kMarkAlpha = 0.4f;
constexpr float kTurnColour[4] = {0.85f, 0.85f, 0.85f, 0.9f};
// The turn stands at the mark's bottom left, where no tank number goes.
constexpr float kTurnLeft = -15.0f;
constexpr float kTurnBaseline = -13.0f;

const CLastSeen::Sighting kNeverSeen{};

}  // namespace

void CLastSeen::Clear() { m_enemies.fill(Sighting{}); }

bool CLastSeen::Learn(const CGameWorld& match) {
  const std::uint32_t team = CGameWorld::mc_playerTeam;
  const CMap& map = match.GetMap();
  const CTankSlots<const CTank> enemies = match.GetTeamTanks(1 - team);
  bool changed = false;
  for (std::size_t slot = 0; slot < m_enemies.size(); ++slot) {
    Sighting& sighting = m_enemies[slot];
    const CTank* tank = slot < enemies.size() ? enemies[slot] : nullptr;
    if (tank && match.TeamKnows(team, *tank)) {
      const TankState& state = tank->GetState();
      changed = changed || sighting.m_state == State::Marked;
      sighting = Sighting{State::InSight, state.x, state.y, state.dx, state.dy, match.GetTurn()};
      continue;
    }
    // Out of sight now: marked where it was last seen, until that cell is seen.
    if (sighting.m_state == State::InSight) {
      sighting.m_state = State::Marked;
      changed = true;
    }
    if (sighting.m_state == State::Marked && map.Sees(team, sighting.m_x, sighting.m_y)) {
      sighting.m_state = State::Unknown;
      changed = true;
    }
  }
  return changed;
}

const CLastSeen::Sighting& CLastSeen::Get(std::size_t slot) const {
  return slot < m_enemies.size() ? m_enemies[slot] : kNeverSeen;
}

void CLastSeen::Draw() const {
  const auto enemyTeam = static_cast<std::int32_t>(1 - CGameWorld::mc_playerTeam);
  char turn[16];
  for (const Sighting& sighting : m_enemies) {
    if (sighting.m_state != State::Marked) continue;
    const float x = CellCentre(sighting.m_x);
    const float y = CellCentre(sighting.m_y);
    glColor4f(1.0f, 1.0f, 1.0f, kMarkAlpha);
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glRotatef(static_cast<float>(HeadingAngle(sighting.m_dx, sighting.m_dy)), 0.0f, 0.0f, 1.0f);
    DrawSprite(GetSprite(GetSprites(), TankSprite(enemyTeam)));
    glPopMatrix();
    FormatText(turn, sizeof turn, "T%u", static_cast<unsigned>(sighting.m_turn));
    DrawShadowedText(kSmallFont, x + kTurnLeft, y + kTurnBaseline, turn, kTurnColour);
  }
}
