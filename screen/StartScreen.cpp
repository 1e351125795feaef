#include "screen/StartScreen.h"

#include <algorithm>

#include "core/TextFormat.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "map/CMap.h"
#include "screen/Draw2D.h"
#include "screen/Palette.h"
#include "screen/ScreenLayout.h"
#include "screen/StartScreenControls.h"

namespace {

using L = ScreenLayout;

// The start screen's lines are formatted and laid out here: a frame allocates nothing.
char g_line[256];
FittedText g_fitted;

float FontWidth(int font, const char* text) { return GameTextWidth(static_cast<GameFont>(font), text); }

// The text in at most `lines` lines of the font from (x, y) down, each no
// wider than `room`, a line step apart (FitText); the baseline a next line
// would take.
float DrawLines(GameFont font, float x, float y, const char* text, float room, std::size_t lines) {
  FitText(text, room, lines, font, FontWidth, g_fitted);
  for (std::size_t i = 0; i < g_fitted.m_count; ++i) {
    DrawGameText(font, x, y, g_fitted.m_lines[i]);
    y -= static_cast<float>(L::mc_lineStep);
  }
  return y;
}

// The battlefield's name after "Battlefield: ", clear of its "<": in the
// main font, else the small one, else shortened in its middle.
void DrawBattlefieldLine(const char* name) {
  constexpr float left = L::mc_startTextLeft;
  const char* label = "Battlefield: ";
  DrawText(left, L::mc_battlefieldBaseline, label);
  const float nameLeft = left + GameTextWidth(kMainFont, label);
  // A blank's width clear of the marks.
  const float room = L::mc_battlefieldMarksLeft - GameTextWidth(kMainFont, " ") - nameLeft;
  const GameFont font = GameTextWidth(kMainFont, name) <= room ? kMainFont : kSmallFont;
  DrawLines(font, nameLeft, L::mc_battlefieldBaseline, name, room, 1);
}

// One square per cell of the battlefield: the picture of it beside its
// name, as large as fits the picture's box and centred there. Walls light,
// ground dark, the centre cell yellow, the repair cells cyan, the start
// cells in their team's colour.
void DrawMapPicture(const CMap& map, const std::uint32_t teamSize[2]) {
  if (!map.HasGrid()) return;
  const ClickBox& box = StartScreenControls::mc_mapPicture;
  const std::int32_t w = static_cast<std::int32_t>(map.GetWidth());
  const std::int32_t h = static_cast<std::int32_t>(map.GetHeight());
  const std::int32_t cell = std::max(1, std::min((box.right - box.left) / w, (box.top - box.bottom) / h));
  const float left = static_cast<float>(box.left + (box.right - box.left - cell * w) / 2);
  const float bottom = static_cast<float>(box.bottom + (box.top - box.bottom - cell * h) / 2);
  const float size = static_cast<float>(cell);
  auto square = [&](MapCell at) {
    EmitQuad(left + size * static_cast<float>(at.x), bottom + size * static_cast<float>(at.y),
             left + size * static_cast<float>(at.x + 1), bottom + size * static_cast<float>(at.y + 1));
  };
  glBindTexture(GL_TEXTURE_2D, 0);
  glBegin(GL_QUADS);
  glColor4f(0.3f, 0.36f, 0.24f, 1.0f);
  EmitQuad(left, bottom, left + size * static_cast<float>(w), bottom + size * static_cast<float>(h));
  glColor4f(0.75f, 0.75f, 0.72f, 1.0f);
  for (std::int32_t y = 0; y < h; ++y) {
    for (std::int32_t x = 0; x < w; ++x) {
      if (map.IsWall(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y))) square(MapCell{x, y});
    }
  }
  glColor4f(0.95f, 0.85f, 0.2f, 1.0f);
  square(map.GetCentre());
  glColor4f(0.3f, 0.85f, 0.9f, 1.0f);
  for (std::uint32_t i = 0; i < CMap::mc_repairCells; ++i) square(map.GetRepairCell(i));
  glColor4f(0.2f, 0.8f, 0.2f, 1.0f);
  for (std::uint32_t i = 0; i < teamSize[0] && static_cast<std::int32_t>(i) + 1 < w; ++i) square(map.GetStartCell(0, i));
  glColor4f(0.25f, 0.4f, 1.0f, 1.0f);
  for (std::uint32_t i = 0; i < teamSize[1] && static_cast<std::int32_t>(i) + 2 <= w; ++i) square(map.GetStartCell(1, i));
  glEnd();
}

}  // namespace

void DrawStartScreen(const StartScreenView& view) {
  if (view.m_battlefield) DrawMapPicture(*view.m_battlefield, view.m_teamSize);
  SetColour(palette::kWhite);
  constexpr float left = L::mc_startTextLeft;
  DrawText(left, L::mc_titleBaseline, "Korvane");
  DrawText(left, L::mc_goalBaseline, "Goal: hold the centre 10 turns or destroy every enemy.");
  DrawText(left, L::mc_greenSizeBaseline,
           FormatText(g_line, sizeof g_line, "Green Team Size: %d", static_cast<int>(view.m_teamSize[0])));
  DrawText(left, L::mc_blueSizeBaseline,
           FormatText(g_line, sizeof g_line, "Blue Team Size:  %d", static_cast<int>(view.m_teamSize[1])));
  DrawText(left, L::mc_startBaseline, "Start");
  DrawText(left, L::mc_levelBaseline, FormatText(g_line, sizeof g_line, "Computer: %s", DifficultyName(view.m_level)));
  DrawText(left, L::mc_paceBaseline, FormatText(g_line, sizeof g_line, "Turn pace: %s", TurnPaceName(view.m_pace)));
  DrawText(L::mc_sizeMarksLeft, L::mc_greenSizeBaseline, "< >");
  DrawText(L::mc_sizeMarksLeft, L::mc_blueSizeBaseline, "< >");
  DrawText(L::mc_sizeMarksLeft, L::mc_levelBaseline, "< >");
  DrawText(L::mc_sizeMarksLeft, L::mc_paceBaseline, "< >");
  if (view.m_soundOff) DrawText(left, L::mc_soundBaseline, "Sound: Off");
  if (view.m_canContinue) {
    DrawText(left, L::mc_continueBaseline, "Continue");
    DrawLines(kSmallFont, L::mc_continueTextLeft, L::mc_continueBaseline, view.m_continueText, L::mc_continueTextRoom,
              1);
  }
  // The line about the battlefield stands lower when the one about the
  // records takes a third line.
  float below = L::mc_mapProblemStartBaseline;
  if (view.m_message[0] != '\0') {
    const float next = DrawLines(kMainFont, L::mc_recordMessageLeft, L::mc_recordMessageBaseline, view.m_message,
                                 L::mc_recordMessageRoom, 3);
    below = std::min(below, next - L::mc_lineStep / 2);
  }
  DrawBattlefieldLine(view.m_battlefieldName);
  DrawText(L::mc_battlefieldMarksLeft, L::mc_battlefieldBaseline, "< >");
  if (view.m_mapProblem[0] != '\0') {
    DrawLines(kMainFont, L::mc_playLeft, below, view.m_mapProblem, L::mc_mapProblemStartRoom, 3);
  }
}
