#include "world/CGameWorld.h"

#include <cmath>
#include <cstring>

#include "audio/SoundTable.h"
#include "engine/Assert.h"
#include "engine/CGameEngine.h"
#include "gfx/OpenGL.h"
#include "units/CTank.h"
#include "world/CEffect.h"

namespace {
constexpr int kKeyEscape = 27;
constexpr int kEngineFadeMs = 500;
constexpr std::int32_t kPuffSprite = 4;
constexpr std::int32_t kFlashSprite = 6;
constexpr float kPuffSpacing = 32.0f;
constexpr float kHalfCell = 16.0f;
constexpr float kFullTurn = 6.2831855f;

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

CGameWorld::CGameWorld(CGameEngine* engine) : m_GameEngine(engine) { KV_ASSERT(m_GameEngine); }

CGameWorld::~CGameWorld() { StopEngineSound(); }

void CGameWorld::NewGame() { KV_ASSERT(m_GameEngine); }

void CGameWorld::Update(std::uint32_t) { KV_ASSERT(m_GameEngine); }

void CGameWorld::Render() {
  KV_ASSERT(m_GameEngine);
  glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glFlush();
}

void CGameWorld::OnKey(int sym, bool pressed) {
  KV_ASSERT(m_GameEngine);
  if (pressed && sym == kKeyEscape) m_GameEngine->Stop();
}

void CGameWorld::OnMouseButton(std::uint8_t, bool, std::uint16_t, std::uint16_t) {}

CTank* CGameWorld::AddTank(std::uint32_t team, const TankState& state) {
  KV_ASSERT(team < mc_numTeams);
  auto tank = std::make_unique<CTank>(this);
  tank->SetState(state);
  tank->SetTeam(static_cast<std::int32_t>(team));
  CTank* added = tank.get();
  m_Tanks.push_back(std::move(tank));
  m_TeamTanks[team].push_back(added);
  ++m_AliveCount[team];
  return added;
}

const CGameWorld::TeamSlots& CGameWorld::GetTeamTanks(std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  return m_TeamTanks[team];
}

std::int32_t CGameWorld::GetAliveCount(std::uint32_t team) const {
  KV_ASSERT(team < mc_numTeams);
  return m_AliveCount[team];
}

bool CGameWorld::IsTankAt(std::int32_t x, std::int32_t y, std::int32_t exceptTeam) const {
  for (const auto& tank : m_Tanks) {
    if (tank->GetX() == x && tank->GetY() == y && tank->GetTeam() != exceptTeam) return true;
  }
  return false;
}

void CGameWorld::HitTankAt(std::int32_t x, std::int32_t y, float angle) {
  for (const auto& tank : m_Tanks) {
    if (tank->GetX() == x && tank->GetY() == y) {
      tank->TakeHit(angle);
      return;
    }
  }
}

bool CGameWorld::IsRepairCell(std::int32_t x, std::int32_t y) const {
  // Only cells of the grid: a map too small to hold a repair cell has none.
  const std::int64_t width = m_Map.GetWidth();
  const std::int64_t height = m_Map.GetHeight();
  if (x < 0 || y < 0 || x >= width || y >= height) return false;
  return (x == 1 && y == height - 2) || (x == width - 2 && y == 1);
}

PathNode CGameWorld::GetCentreGoal() const {
  return PathNode{static_cast<std::int32_t>(m_Map.GetWidth() / 2), static_cast<std::int32_t>(m_Map.GetHeight() / 2),
                  kAnyHeading};
}

void CGameWorld::StartEngineSound() {
  if (m_EnginePlaying) return;
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
        CEffect{kPuffSprite, fromX + t * ux, fromY + t * uy, 1.0f, angle, 1000.0f, 1.0f, 1.0f, 1.0f, false}));
  }
  m_Effects.push_back(std::make_unique<CEffect>(CEffect{kFlashSprite, fromX + kHalfCell * ux, fromY + kHalfCell * uy,
                                                        1.0f, angle, 300.0f, 1.0f, 0.9f, 0.6f, true}));
  m_Effects.push_back(std::make_unique<CEffect>(CEffect{kFlashSprite, toX - kHalfCell * ux, toY - kHalfCell * uy, 0.7f,
                                                        angle, 3000.0f, 1.0f, 0.9f, 0.0f, false}));
}
