#include "screen/HelpPanel.h"

#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "screen/Draw2D.h"
#include "screen/KeyTable.h"
#include "screen/Palette.h"
#include "screen/ScreenLayout.h"

namespace {

using L = ScreenLayout;

// The rules a player needs, in the small font under the keys.
constexpr const char* kRules[] = {
    "Win: hold the centre cell at 10 turn ends in a row, or destroy every enemy.",
    "Damage by the side hit: rear 50, side 20, front 10; 70 on a repair cell.",
    "A turn has 4 steps. Fire and move back take two steps each.",
    "A tank idle on a repair cell heals 10 a step.",
};

std::size_t ListedRows(const KeyTable& keys) {
  std::size_t rows = 0;
  for (std::size_t i = 0; i < keys.m_count; ++i) rows += keys.m_rows[i].m_keys ? 1 : 0;
  return rows;
}

}  // namespace

void DrawHelpPanel(const KeyTable& keys) {
  // The title, its underline, a blank line, a line a key, then the rules:
  // the panel grows downward with them.
  constexpr float step = L::mc_lineStep;
  constexpr float kRuleStep = 18.0f;
  const float keyLines = static_cast<float>(3 + ListedRows(keys));
  constexpr float kRuleLines = static_cast<float>(sizeof kRules / sizeof kRules[0]);
  const float bottom = -step * keyLines - 8.0f - kRuleStep * kRuleLines;
  glPushMatrix();
  glTranslatef(L::mc_helpLeft, L::mc_helpTop, 0.0f);
  glColor4f(0.6f, 0.6f, 0.6f, 1.0f);
  DrawQuad(-8.0f, bottom, 550.0f, 20.0f);
  SetColour(palette::kWhite);
  glBegin(GL_LINE_LOOP);
  glVertex2f(-8.0f, bottom);
  glVertex2f(-8.0f, 20.0f);
  glVertex2f(550.0f, 20.0f);
  glVertex2f(550.0f, bottom);
  glEnd();
  DrawText(0.0f, 0.0f, "CONTROLS");
  DrawText(0.0f, -step, "------------");
  float y = -3.0f * step;
  for (std::size_t i = 0; i < keys.m_count; ++i) {
    const KeyRow& row = keys.m_rows[i];
    if (!row.m_keys) continue;
    DrawText(0.0f, y, row.m_keys);
    DrawText(200.0f, y, row.m_meaning);
    y -= step;
  }
  y -= 8.0f;
  for (const char* rule : kRules) {
    DrawGameText(kSmallFont, 0.0f, y, rule);
    y -= kRuleStep;
  }
  glPopMatrix();
}
