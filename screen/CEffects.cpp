#include "screen/CEffects.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "core/TextFormat.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteId.h"
#include "gfx/SpriteTable.h"
#include "record/CTurnClock.h"
#include "screen/Draw2D.h"
#include "screen/ScreenLayout.h"
#include "units/Heading.h"

namespace {

constexpr float kPuffSpacing = 32.0f;
constexpr float kHalfCell = ScreenLayout::mc_halfCell;
constexpr float kFullTurn = 6.2831855f;
constexpr float kWreckFadeMs = 3000.0f;
// A wreck is the tank's picture burnt dark.
constexpr float kWreckGrey = 0.35f;
constexpr float kExplosionScale = 2.5f;
constexpr float kExplosionFadeMs = 700.0f;
constexpr float kDamageTextFadeMs = 1500.0f;
constexpr float kDamageTextRise = 24.0f;

// 1 / sqrt(s) from the bit pattern of s, refined once. Horizontal shots get
// their slight tilt from the error left in it.
float FastInverseSqrt(float s) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &s, sizeof bits);
  bits = 0x5F3759DFu - (bits >> 1);
  float r = 0.0f;
  std::memcpy(&r, &bits, sizeof r);
  return r * (1.5f - 0.5f * s * r * r);
}

// Angle of the unit vector (ux, uy) in radians, in (0, 2 pi].
float ShotAngle(float ux, float uy) {
  const float s = ux * ux + uy * uy;
  const float a = std::acos(ux * FastInverseSqrt(s));
  return uy > 0.0f ? a : kFullTurn - a;
}

void DrawEffect(const CEffect& effect) {
  if (effect.m_text[0] != '\0') {
    // Centred over its point, floating up as it fades, outlined so that it
    // reads over the threat lens's colours too.
    const float rgba[4] = {effect.m_red, effect.m_green, effect.m_blue, effect.m_alpha};
    DrawOutlinedText(kSmallFont, effect.m_x - GameTextWidth(kSmallFont, effect.m_text) / 2.0f,
                     effect.m_y + effect.m_rise * (1.0f - effect.m_alpha), effect.m_text, rgba);
    return;
  }
  glPushMatrix();
  glTranslatef(effect.m_x, effect.m_y, 0.0f);
  glRotatef(effect.m_angle * kDegreesPerRadian, 0.0f, 0.0f, 1.0f);
  glScalef(effect.m_scale, effect.m_scale, 1.0f);
  glColor4f(effect.m_red, effect.m_green, effect.m_blue, effect.m_alpha);
  if (effect.m_additive) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  DrawSprite(GetSprite(GetSprites(), effect.m_sprite));
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glPopMatrix();
}

}  // namespace

CEffects::CEffects() { m_effects.reserve(mc_room); }

void CEffects::Absorb(const std::vector<MatchEvent>& events) {
  for (const MatchEvent& event : events) {
    switch (event.m_kind) {
      case MatchEvent::Kind::Shot:
        SpawnShot(CellCentre(event.m_fromX), CellCentre(event.m_fromY), CellCentre(event.m_x), CellCentre(event.m_y));
        break;
      case MatchEvent::Kind::Hit:
        if (event.m_playerSees) AddHit(event);
        break;
      case MatchEvent::Kind::Removed:
        if (event.m_playerSees) AddWreck(event);
        break;
      case MatchEvent::Kind::TurnEnded:
        // Wrecks held since they fell start to fade.
        for (CEffect& effect : m_effects) effect.m_held = false;
        break;
      default:
        break;
    }
  }
}

void CEffects::SpawnShot(float fromX, float fromY, float toX, float toY) {
  const float dx = toX - fromX;
  const float dy = toY - fromY;
  const float length = std::sqrt(dx * dx + dy * dy);
  // A shot of no length (or of no sensible length) has no direction to show.
  if (!(length > 0.0f) || !std::isfinite(length)) return;
  const float ux = dx / length;
  const float uy = dy / length;
  const float angle = ShotAngle(ux, uy);

  for (float t = kPuffSpacing; t <= length - kHalfCell; t += kPuffSpacing) {
    m_effects.push_back(CEffect{kSpritePuff, fromX + t * ux, fromY + t * uy, 1.0f, angle, 1000.0f, 1.0f, 1.0f, 1.0f, false});
  }
  m_effects.push_back(
      CEffect{kSpriteFlash, fromX + kHalfCell * ux, fromY + kHalfCell * uy, 1.0f, angle, 300.0f, 1.0f, 0.9f, 0.6f, true});
  m_effects.push_back(
      CEffect{kSpriteFlash, toX - kHalfCell * ux, toY - kHalfCell * uy, 0.7f, angle, 3000.0f, 1.0f, 0.9f, 0.0f, false});
}

void CEffects::AddWreck(const MatchEvent& removed) {
  // The wreck stays until its turn ends, then fades.
  const HeadingVector heading = HeadingFromIndex(removed.m_heading);
  CEffect wreck{TankSprite(removed.m_team), CellCentre(removed.m_x), CellCentre(removed.m_y), 1.0f,
                static_cast<float>(HeadingAngle(heading.dx, heading.dy)) * kRadiansPerDegree, kWreckFadeMs, kWreckGrey,
                kWreckGrey, kWreckGrey, false};
  wreck.m_held = true;
  m_effects.push_back(wreck);
}

void CEffects::AddHit(const MatchEvent& hit) {
  const float x = CellCentre(hit.m_x);
  const float y = CellCentre(hit.m_y);
  if (hit.m_killed) {
    CEffect blast{kSpriteFlash, x, y, 1.0f, 0.0f, kExplosionFadeMs, 1.0f, 0.55f, 0.1f, true};
    blast.m_scale = kExplosionScale;
    m_effects.push_back(blast);
  }
  // A text, not a sprite: the sprite id is never drawn.
  CEffect loss{kSpriteFlash, x, y + kHalfCell, 1.0f, 0.0f, kDamageTextFadeMs, 1.0f, 0.35f, 0.25f, false};
  FormatText(loss.m_text, sizeof loss.m_text, "-%d", static_cast<int>(hit.m_hit.m_damage));
  loss.m_rise = kDamageTextRise;
  m_effects.push_back(loss);
}

void CEffects::Age() {
  const float tick = static_cast<float>(CTurnClock::mc_tickMs);
  std::size_t i = 0;
  while (i < m_effects.size()) {
    CEffect& effect = m_effects[i];
    if (effect.m_held) {
      ++i;
      continue;
    }
    effect.m_alpha -= tick / effect.m_fadeTime;
    if (effect.m_alpha <= 0.0f) {
      // The last effect takes the hole, and is aged in its turn.
      std::swap(m_effects[i], m_effects.back());
      m_effects.pop_back();
    } else {
      ++i;
    }
  }
}

void CEffects::Draw() const {
  for (const CEffect& effect : m_effects) DrawEffect(effect);
}
