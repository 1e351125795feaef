#include "engine/Assert.h"
#include "gfx/OpenGL.h"
#include "world/CGameWorld.h"

// The picture of the world, drawn once per frame. For now the background only.

void CGameWorld::Render() {
  KV_ASSERT(m_GameEngine);
  glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glFlush();
}
