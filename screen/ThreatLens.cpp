#include "screen/ThreatLens.h"

#include <algorithm>

#include "ai/CComputerPlayer.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "map/CMap.h"
#include "screen/ScreenLayout.h"

namespace {

// The values drawn at full strength: a threat of four lines of fire, the best
// attack value; a Hard computer's shells of the plan it feared most, and of
// the others.
constexpr float kFullThreat = 400.0f;
constexpr float kFullAttack = 300.0f;
constexpr float kFearedShot = 0.8f;
constexpr float kOtherShot = 0.25f;
constexpr float kThreatRgb[3] = {1.0f, 0.15f, 0.1f};
constexpr float kAttackRgb[3] = {1.0f, 0.9f, 0.15f};
constexpr float kHalf = ScreenLayout::mc_halfCell;
constexpr float kCore = ScreenLayout::mc_halfCell / 2.0f;

// A cell's square of half side `half` in the colour, its strength (0 to 1) the opacity.
void EmitCell(std::uint32_t x, std::uint32_t y, float half, const float rgb[3], float strength) {
  if (strength <= 0.0f) return;
  glColor4f(rgb[0], rgb[1], rgb[2], 0.15f + 0.45f * std::min(strength, 1.0f));
  const float cx = CellCentre(static_cast<int>(x));
  const float cy = CellCentre(static_cast<int>(y));
  glVertex2f(cx - half, cy - half);
  glVertex2f(cx - half, cy + half);
  glVertex2f(cx + half, cy + half);
  glVertex2f(cx + half, cy - half);
}

// A Hard computer's forecast: the cells the shells it expected of the enemy
// cross (the plan it feared most at full strength, the others fainter) and,
// as cores, the cells the enemy's tanks pass in that plan.
void EmitExpected(const CHardPlanner& planner, const CMap& map) {
  for (std::size_t plan = 0; plan < planner.GetExpectedPlans(); ++plan) {
    const bool feared = plan == planner.GetWorstPlan();
    for (const TurnOrders& orders : planner.GetExpected(plan)) {
      for (std::int32_t step = 0; step < TurnOrders::mc_steps; ++step) {
        if (!orders.m_fires[step]) continue;
        const TankState& from = orders.m_poses[step];
        for (std::int32_t x = from.x + from.dx, y = from.y + from.dy; !map.IsWallOrOutside(x, y);
             x += from.dx, y += from.dy) {
          EmitCell(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), kHalf, kThreatRgb,
                   feared ? kFearedShot : kOtherShot);
        }
      }
      for (std::int32_t step = 1; feared && step <= TurnOrders::mc_steps; ++step) {
        const TankState& at = orders.m_poses[step];
        const TankState& before = orders.m_poses[step - 1];
        if ((at.x != before.x || at.y != before.y) && !map.IsWallOrOutside(at.x, at.y)) {
          EmitCell(static_cast<std::uint32_t>(at.x), static_cast<std::uint32_t>(at.y), kCore, kAttackRgb, 1.0f);
        }
      }
    }
  }
}

}  // namespace

void DrawThreatLens(const CComputerPlayer& computer, const CMap& map) {
  if (!map.HasGrid()) return;
  glBindTexture(GL_TEXTURE_2D, 0);
  glBegin(GL_QUADS);
  if (computer.GetLevel() == Difficulty::Hard) {
    EmitExpected(computer.GetHardPlanner(), map);
    glEnd();
    return;
  }
  const CThreatMaps& layers = computer.GetThreatMaps();
  // Layers made for another battlefield (none yet) show nothing.
  if (layers.GetWidth() == map.GetWidth() && layers.GetHeight() == map.GetHeight()) {
    for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
      for (std::uint32_t x = 0; x < map.GetWidth(); ++x) {
        EmitCell(x, y, kHalf, kThreatRgb, static_cast<float>(layers.GetThreat(x, y)) / kFullThreat);
        EmitCell(x, y, kCore, kAttackRgb, static_cast<float>(layers.GetVuln(x, y)) / kFullAttack);
      }
    }
  }
  glEnd();
}

void DrawThreatLensLegend(bool hard, float left, float baseline) {
  const char* threatName = hard ? "Green's expected shots" : "Blue's threat";
  const char* attackName = hard ? "Green's expected moves" : "attack cell";
  const float swatchTop = baseline + 10.0f;
  glBindTexture(GL_TEXTURE_2D, 0);
  glBegin(GL_QUADS);
  glColor4f(kThreatRgb[0], kThreatRgb[1], kThreatRgb[2], 0.6f);
  const float attackLeft = left + 20.0f + GameTextWidth(kSmallFont, threatName) + 12.0f;
  for (const float x : {left, attackLeft}) {
    glVertex2f(x, baseline);
    glVertex2f(x, swatchTop);
    glVertex2f(x + 12.0f, swatchTop);
    glVertex2f(x + 12.0f, baseline);
    glColor4f(kAttackRgb[0], kAttackRgb[1], kAttackRgb[2], 0.6f);
  }
  glEnd();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  DrawGameText(kSmallFont, left + 16.0f, baseline, threatName);
  DrawGameText(kSmallFont, attackLeft + 16.0f, baseline, attackName);
}
