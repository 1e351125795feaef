#include "screen/ThreatLens.h"

#include <algorithm>

#include "ai/CComputerPlayer.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "map/CMap.h"
#include "screen/ScreenLayout.h"

namespace {

// The values drawn at full strength: a threat of four lines of fire, the best
// attack value, one shell expected.
constexpr float kFullThreat = 400.0f;
constexpr float kFullAttack = 300.0f;
constexpr float kFullShells = 1.0f;
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

}  // namespace

void DrawThreatLens(const CComputerPlayer& computer, const CMap& map) {
  if (!map.HasGrid()) return;
  const bool hard = computer.GetLevel() == Difficulty::Hard;
  const CHardPlanner& planner = computer.GetHardPlanner();
  const CThreatMaps& layers = computer.GetThreatMaps();
  // Layers made for another battlefield (none yet) show nothing.
  const bool layered = layers.GetWidth() == map.GetWidth() && layers.GetHeight() == map.GetHeight();
  glBindTexture(GL_TEXTURE_2D, 0);
  glBegin(GL_QUADS);
  for (std::uint32_t y = 0; y < map.GetHeight(); ++y) {
    for (std::uint32_t x = 0; x < map.GetWidth(); ++x) {
      const auto ix = static_cast<std::int32_t>(x);
      const auto iy = static_cast<std::int32_t>(y);
      const float threat = hard       ? planner.ExpectedShells(ix, iy) / kFullShells
                           : layered ? static_cast<float>(layers.GetThreat(x, y)) / kFullThreat
                                     : 0.0f;
      const float attack = hard       ? (planner.IsFlankCell(ix, iy) ? 1.0f : 0.0f)
                           : layered ? static_cast<float>(layers.GetVuln(x, y)) / kFullAttack
                                     : 0.0f;
      EmitCell(x, y, kHalf, kThreatRgb, threat);
      EmitCell(x, y, kCore, kAttackRgb, attack);
    }
  }
  glEnd();
}

void DrawThreatLensLegend(float left, float baseline) {
  static constexpr const char* kThreatName = "Blue's threat";
  static constexpr const char* kAttackName = "attack cell";
  const float swatchTop = baseline + 10.0f;
  glBindTexture(GL_TEXTURE_2D, 0);
  glBegin(GL_QUADS);
  glColor4f(kThreatRgb[0], kThreatRgb[1], kThreatRgb[2], 0.6f);
  const float attackLeft = left + 20.0f + GameTextWidth(kSmallFont, kThreatName) + 12.0f;
  for (const float x : {left, attackLeft}) {
    glVertex2f(x, baseline);
    glVertex2f(x, swatchTop);
    glVertex2f(x + 12.0f, swatchTop);
    glVertex2f(x + 12.0f, baseline);
    glColor4f(kAttackRgb[0], kAttackRgb[1], kAttackRgb[2], 0.6f);
  }
  glEnd();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  DrawGameText(kSmallFont, left + 16.0f, baseline, kThreatName);
  DrawGameText(kSmallFont, attackLeft + 16.0f, baseline, kAttackName);
}
