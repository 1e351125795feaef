#include <cmath>
#include <cstring>

#include "audio/SoundTable.h"
#include "engine/TextFormat.h"
#include "gfx/SpriteId.h"
#include "units/CTank.h"
#include "world/CEffect.h"
#include "world/CGameWorld.h"
#include "world/ScreenLayout.h"

// The world's effects (shell trails, flashes, impacts and wrecks) and its
// looping engine sound.

namespace {

constexpr int kEngineFadeMs = 500;
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

}  // namespace

void CGameWorld::StartEngineSound() {
  if (m_EnginePlaying || SoundsMuted()) return;
  m_EnginePlaying = true;
  CSound* engine = GetSound(GetSounds(), kSoundEngine);
  m_EngineChannel = engine ? engine->Play(true) : -1;
}

void CGameWorld::StopEngineSound() {
  if (!m_EnginePlaying) return;
  m_EnginePlaying = false;
  // Channel -1 would fade every channel: when the engine sound got none (no
  // sound file, no free channel) there is nothing to fade.
  if (m_EngineChannel >= 0) FadeOutChannel(m_EngineChannel, kEngineFadeMs);
  m_EngineChannel = -1;
}

void CGameWorld::SpawnShotEffects(float fromX, float fromY, float toX, float toY) {
  const float dx = toX - fromX;
  const float dy = toY - fromY;
  const float length = std::sqrt(dx * dx + dy * dy);
  // A shot of no length (or of no sensible length) has no direction to show.
  if (!(length > 0.0f) || !std::isfinite(length)) return;
  const float ux = dx / length;
  const float uy = dy / length;
  const float angle = ShotAngle(ux, uy);

  for (float t = kPuffSpacing; t <= length - kHalfCell; t += kPuffSpacing) {
    m_Effects.push_back(std::make_unique<CEffect>(
        CEffect{kSpritePuff, fromX + t * ux, fromY + t * uy, 1.0f, angle, 1000.0f, 1.0f, 1.0f, 1.0f, false}));
  }
  m_Effects.push_back(std::make_unique<CEffect>(CEffect{kSpriteFlash, fromX + kHalfCell * ux, fromY + kHalfCell * uy,
                                                        1.0f, angle, 300.0f, 1.0f, 0.9f, 0.6f, true}));
  m_Effects.push_back(std::make_unique<CEffect>(CEffect{kSpriteFlash, toX - kHalfCell * ux, toY - kHalfCell * uy, 0.7f,
                                                        angle, 3000.0f, 1.0f, 0.9f, 0.0f, false}));
}

void CGameWorld::AddWreck(const CTank& tank) {
  // The wreck stays until its turn ends, then fades.
  auto wreck = std::make_unique<CEffect>(CEffect{TankSprite(tank.GetTeam()), CellCentre(tank.GetX()),
                                                 CellCentre(tank.GetY()), 1.0f,
                                                 static_cast<float>(tank.GetAngle()) * kRadiansPerDegree, kWreckFadeMs,
                                                 kWreckGrey, kWreckGrey, kWreckGrey, false});
  wreck->m_held = true;
  m_Effects.push_back(std::move(wreck));
}

void CGameWorld::SpawnHitEffects(const CTank& tank, std::int32_t damage, bool destroyed) {
  const float x = CellCentre(tank.GetX());
  const float y = CellCentre(tank.GetY());
  if (destroyed) {
    auto blast = std::make_unique<CEffect>(
        CEffect{kSpriteFlash, x, y, 1.0f, 0.0f, kExplosionFadeMs, 1.0f, 0.55f, 0.1f, true});
    blast->m_scale = kExplosionScale;
    m_Effects.push_back(std::move(blast));
  }
  // A text, not a sprite: the sprite id is never drawn.
  auto loss = std::make_unique<CEffect>(
      CEffect{kSpriteFlash, x, y + kHalfCell, 1.0f, 0.0f, kDamageTextFadeMs, 1.0f, 0.35f, 0.25f, false});
  FormatText(loss->m_text, sizeof loss->m_text, "-%d", static_cast<int>(damage));
  loss->m_rise = kDamageTextRise;
  m_Effects.push_back(std::move(loss));
}

void CGameWorld::ReleaseWrecks() {
  for (const auto& effect : m_Effects) effect->m_held = false;
}

void CGameWorld::AgeEffects() {
  const float tick = static_cast<float>(mc_tickMs);
  std::size_t i = 0;
  while (i < m_Effects.size()) {
    CEffect& effect = *m_Effects[i];
    if (effect.m_held) {
      ++i;
      continue;
    }
    effect.m_alpha -= tick / effect.m_fadeTime;
    if (effect.m_alpha <= 0.0f) {
      // The last effect takes the hole, and is aged in its turn.
      std::swap(m_Effects[i], m_Effects.back());
      m_Effects.pop_back();
    } else {
      ++i;
    }
  }
}
