#include "world/CGameWorld.h"

#include "engine/Assert.h"
#include "engine/CGameEngine.h"
#include "gfx/OpenGL.h"

namespace {
constexpr int kKeyEscape = 27;
}

CGameWorld::CGameWorld(CGameEngine* engine) : m_GameEngine(engine) { KV_ASSERT(m_GameEngine); }

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
