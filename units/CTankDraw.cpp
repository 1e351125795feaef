// The tank's drawing, kept apart so that the rules in CTank.cpp need no window.
#include <cmath>

#include "engine/ProgramClock.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteTable.h"
#include "units/CAction.h"
#include "units/CTank.h"
#include "units/CommandMarker.h"

namespace {

constexpr float kUnselectedMarkerAlpha = 0.3f;

}  // namespace

void CTank::Draw() const {
  if (m_selected) {
    // Between half and full brightness, once every pi / 2 seconds.
    const float grey = static_cast<float>(0.5 + 0.5 * (0.5 + 0.5 * std::sin(4.0 * SecondsSinceProgramStart())));
    glColor4f(grey, grey, grey, 1.0f);
  } else {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }
  glPushMatrix();
  glTranslatef(CellCentre(m_state.x), CellCentre(m_state.y), 0.0f);
  glRotatef(static_cast<float>(GetAngle()), 0.0f, 0.0f, 1.0f);
  DrawSprite(GetSprite(GetSprites(), TankSprite(m_team)));
  glPopMatrix();
}

void CTank::DrawCommands() const {
  glBindTexture(GL_TEXTURE_2D, 0);
  glColor4f(1.0f, 1.0f, 1.0f, m_selected ? 1.0f : kUnselectedMarkerAlpha);
  // Last first, so that the marker of the earliest command lies on top.
  for (auto command = m_commands.rbegin(); command != m_commands.rend(); ++command) (*command)->Draw();
}
