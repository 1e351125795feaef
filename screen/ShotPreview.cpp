#include "screen/ShotPreview.h"

#include "core/TextFormat.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "screen/CBattleScreen.h"
#include "screen/Draw2D.h"
#include "screen/LogText.h"
#include "screen/Palette.h"
#include "screen/ScreenLayout.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"
#include "world/ShotForecast.h"

namespace {

using Outcome = ShotForecast::Outcome;

constexpr float kHalfCell = ScreenLayout::mc_halfCell;
// A shell that strikes a tank stops this far short of its cell's centre: at its hull.
constexpr float kHullReach = 10.0f;
// Half the bar across the line's end where it strikes a tank.
constexpr float kStopBar = 6.0f;
// The label's baseline above the struck tank's cell centre: clear of its cell.
constexpr float kLabelRise = 19.0f;
constexpr float kFaint = 0.45f;  // other tanks' lines
constexpr float kEnemyHit[4] = {1.0f, 0.85f, 0.2f, 1.0f};
constexpr float kWallStop[4] = {1.0f, 1.0f, 1.0f, 0.6f};
constexpr GLushort kDotted = 0x3333;

// Every label is formatted here: a frame allocates nothing.
char g_label[64];

bool SameState(const TankState& a, const TankState& b) {
  return a.x == b.x && a.y == b.y && a.dx == b.dx && a.dy == b.dy;
}

// Calls visit(tank, selected, from, forecast) for each planned shot shown.
template <class Visit>
void ForEachPlannedShot(const CGameWorld& match, const CBattleScreen& screen, Visit visit) {
  if (match.IsExecuting() || screen.GetView() != BattleView::GreenFog) return;
  const CTank* selected = screen.GetSelectedTank(match);
  for (const CTank* tank : match.GetTeamTanks(CGameWorld::mc_playerTeam)) {
    if (!tank) continue;
    const TankState* last = nullptr;
    for (const TankCommand& command : tank->GetCommands()) {
      if (!command.IsFire()) continue;
      const TankState& from = command.GetBefore();
      if (last && SameState(*last, from)) continue;
      last = &from;
      visit(*tank, tank == selected, from, ForecastShot(match, *tank, from));
    }
  }
}

const float* LineColour(Outcome outcome) {
  switch (outcome) {
    case Outcome::Enemy: return kEnemyHit;
    case Outcome::Friend: return palette::kNoPath;
    case Outcome::Wall:
    case Outcome::Fog: break;
  }
  return kWallStop;
}

}  // namespace

void DrawShotLines(const CGameWorld& match, const CBattleScreen& screen) {
  glBindTexture(GL_TEXTURE_2D, 0);
  ForEachPlannedShot(match, screen, [](const CTank&, bool selected, const TankState& from, const ShotForecast& shot) {
    const float dx = static_cast<float>(from.dx);
    const float dy = static_cast<float>(from.dy);
    const bool struck = shot.m_outcome == Outcome::Enemy || shot.m_outcome == Outcome::Friend;
    // To the struck tank's hull, or to the near edge of the wall's cell.
    const float reach = struck ? kHullReach : kHalfCell;
    const float x0 = CellCentre(from.x) + kHalfCell * dx;
    const float y0 = CellCentre(from.y) + kHalfCell * dy;
    const float x1 = CellCentre(shot.m_x) - reach * dx;
    const float y1 = CellCentre(shot.m_y) - reach * dy;
    const float* rgba = LineColour(shot.m_outcome);
    // A friend struck shows as strongly from every tank.
    const float alpha = selected || shot.m_outcome == Outcome::Friend ? rgba[3] : rgba[3] * kFaint;
    glColor4f(rgba[0], rgba[1], rgba[2], alpha);
    glLineWidth(selected ? 2.0f : 1.0f);
    const bool dotted = shot.m_outcome == Outcome::Fog;
    if (dotted) {
      glLineStipple(2, kDotted);
      glEnable(GL_LINE_STIPPLE);
    }
    glBegin(GL_LINES);
    glVertex2f(x0, y0);
    glVertex2f(x1, y1);
    if (struck) {
      // A bar across the end: the shell stops here.
      glVertex2f(x1 - kStopBar * dy, y1 - kStopBar * dx);
      glVertex2f(x1 + kStopBar * dy, y1 + kStopBar * dx);
    }
    glEnd();
    if (dotted) glDisable(GL_LINE_STIPPLE);
  });
  glLineWidth(1.0f);
}

void DrawShotLabels(const CGameWorld& match, const CBattleScreen& screen) {
  ForEachPlannedShot(match, screen, [&](const CTank&, bool selected, const TankState&, const ShotForecast& shot) {
    const bool friendly = shot.m_outcome == Outcome::Friend;
    if (!(friendly || (selected && shot.m_outcome == Outcome::Enemy))) return;
    char name[16];
    const std::int32_t team = friendly ? static_cast<std::int32_t>(CGameWorld::mc_playerTeam)
                                       : static_cast<std::int32_t>(1 - CGameWorld::mc_playerTeam);
    FormatTankName(team, shot.m_slot + 1, name, sizeof name);
    if (friendly) {
      FormatText(g_label, sizeof g_label, "%s own tank -%d", name, static_cast<int>(shot.m_hit.m_damage));
    } else {
      FormatText(g_label, sizeof g_label, "%s %s -%d", name, HitSideName(shot.m_hit.m_side),
                 static_cast<int>(shot.m_hit.m_damage));
    }
    const float width = GameTextWidth(kSmallFont, g_label);
    DrawOutlinedText(kSmallFont, CellCentre(shot.m_x) - width / 2.0f, CellCentre(shot.m_y) + kLabelRise, g_label,
                     friendly ? palette::kNoPath : kEnemyHit);
  });
}
