// The picture of the world, drawn once per frame: the start screen, or the
// battlefield with the heads-up display over it.
#include <algorithm>
#include <cmath>
#include <string>

#include "engine/Assert.h"
#include "engine/TextFormat.h"
#include "gfx/CLayerCache.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteId.h"
#include "gfx/SpriteTable.h"
#include "units/CTank.h"
#include "world/CEffect.h"
#include "world/CGameWorld.h"
#include "world/ControlKeys.h"
#include "world/BattleOverlay.h"
#include "world/CReplay.h"
#include "world/ThreatLens.h"
#include "world/HealthBar.h"
#include "world/RosterLayout.h"
#include "world/ScreenLayout.h"
#include "world/StartScreenControls.h"
#include "world/StatusMessage.h"

namespace {

using L = ScreenLayout;
constexpr float kCellSize = L::mc_cellSize;

constexpr float kWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr float kHighlight[4] = {1.0f, 0.85f, 0.2f, 1.0f};

// Every formatted line of a frame goes through this one buffer: a frame
// allocates nothing.
char g_line[1024];

void SetColour(const float rgba[4]) { glColor4f(rgba[0], rgba[1], rgba[2], rgba[3]); }

// Text in the main font with the start of its baseline at (x, y) of the current frame.
void DrawText(float x, float y, const char* text) { DrawGameText(kMainFont, x, y, text); }

// Text in the font from (x, y), no wider than `room`: a line too long (one
// naming a file deep in its folders) loses its start to "...", so that it
// never runs into what stands beside it or off the window.
void DrawFitted(GameFont font, float x, float y, const std::string& text, float room) {
  const char* start = text.c_str();
  FormatText(g_line, sizeof g_line, "%s", start);
  while (*start && GameTextWidth(font, g_line) > room) {
    do {
      ++start;
    } while ((*start & 0xC0) == 0x80);  // never into the middle of a character
    FormatText(g_line, sizeof g_line, "...%s", start);
  }
  DrawGameText(font, x, y, g_line);
}

// The corners of a rectangle, for a batch of quads.
void EmitQuad(float left, float bottom, float right, float top) {
  glVertex2f(left, bottom);
  glVertex2f(left, top);
  glVertex2f(right, top);
  glVertex2f(right, bottom);
}

// An untextured rectangle between two corners of the current frame.
void DrawQuad(float left, float bottom, float right, float top) {
  glBindTexture(GL_TEXTURE_2D, 0);
  glBegin(GL_QUADS);
  EmitQuad(left, bottom, right, top);
  glEnd();
}

void DrawSpriteAt(SpriteId id, float x, float y) {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  DrawSprite(GetSprite(GetSprites(), id));
  glPopMatrix();
}

// One square per cell of the battlefield: the picture of it beside its
// name on the start screen, as large as fits the picture's box and centred
// there. Walls light, ground dark, the centre cell yellow, the repair cells
// cyan, the start cells in their team's colour.
void DrawMapPicture(const CGameWorld& world) {
  const CMap& map = world.GetMap();
  if (!map.HasGrid()) return;
  const ClickBox& box = StartScreenControls::mc_mapPicture;
  const std::int32_t w = static_cast<std::int32_t>(map.GetWidth());
  const std::int32_t h = static_cast<std::int32_t>(map.GetHeight());
  const std::int32_t cell = std::max(1, std::min((box.right - box.left) / w, (box.top - box.bottom) / h));
  const float left = static_cast<float>(box.left + (box.right - box.left - cell * w) / 2);
  const float bottom = static_cast<float>(box.bottom + (box.top - box.bottom - cell * h) / 2);
  const float size = static_cast<float>(cell);
  auto square = [&](std::int32_t x, std::int32_t y) {
    EmitQuad(left + size * static_cast<float>(x), bottom + size * static_cast<float>(y),
             left + size * static_cast<float>(x + 1), bottom + size * static_cast<float>(y + 1));
  };
  glBindTexture(GL_TEXTURE_2D, 0);
  glBegin(GL_QUADS);
  glColor4f(0.3f, 0.36f, 0.24f, 1.0f);
  EmitQuad(left, bottom, left + size * static_cast<float>(w), bottom + size * static_cast<float>(h));
  glColor4f(0.75f, 0.75f, 0.72f, 1.0f);
  for (std::int32_t y = 0; y < h; ++y) {
    for (std::int32_t x = 0; x < w; ++x) {
      if (map.IsWall(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y))) square(x, y);
    }
  }
  glColor4f(0.95f, 0.85f, 0.2f, 1.0f);
  square(w / 2, h / 2);
  glColor4f(0.3f, 0.85f, 0.9f, 1.0f);
  square(1, h - 2);
  square(w - 2, 1);
  glColor4f(0.2f, 0.8f, 0.2f, 1.0f);
  for (std::int32_t i = 0; i < static_cast<std::int32_t>(world.GetTeamSize(0)) && i + 1 < w; ++i) square(i + 1, 1);
  glColor4f(0.25f, 0.4f, 1.0f, 1.0f);
  for (std::int32_t i = 0; i < static_cast<std::int32_t>(world.GetTeamSize(1)) && i + 2 <= w; ++i) {
    square(w - i - 2, h - 2);
  }
  glEnd();
}

void DrawStartScreen(const CGameWorld& world) {
  DrawMapPicture(world);
  SetColour(kWhite);
  constexpr float left = L::mc_startTextLeft;
  DrawText(left, L::mc_titleBaseline, "Korvane");
  DrawText(left, L::mc_goalBaseline, "Goal: hold the centre 10 turns or destroy every enemy.");
  DrawText(left, L::mc_greenSizeBaseline,
           FormatText(g_line, sizeof g_line, "Green Team Size: %d", static_cast<int>(world.GetTeamSize(0))));
  DrawText(left, L::mc_blueSizeBaseline,
           FormatText(g_line, sizeof g_line, "Blue Team Size:  %d", static_cast<int>(world.GetTeamSize(1))));
  DrawText(left, L::mc_startBaseline, "Start");
  DrawText(left, L::mc_levelBaseline,
           FormatText(g_line, sizeof g_line, "Computer: %s", DifficultyName(world.GetDifficulty())));
  DrawText(L::mc_sizeMarksLeft, L::mc_greenSizeBaseline, "< >");
  DrawText(L::mc_sizeMarksLeft, L::mc_blueSizeBaseline, "< >");
  DrawText(L::mc_sizeMarksLeft, L::mc_levelBaseline, "< >");
  if (world.CanContinue()) DrawText(left, L::mc_continueBaseline, "Continue");
  // A refused record, or why games cannot be saved.
  const std::string& problem = world.GetRecordFolder().GetProblem();
  const std::string& message = world.GetRecordMessage().empty() ? problem : world.GetRecordMessage();
  if (!message.empty()) DrawText(L::mc_recordMessageLeft, L::mc_recordMessageBaseline, message.c_str());
  DrawText(left, L::mc_battlefieldBaseline,
           FormatText(g_line, sizeof g_line, "Battlefield: %s", world.GetBattlefields().GetName().c_str()));
  DrawText(L::mc_battlefieldMarksLeft, L::mc_battlefieldBaseline, "< >");
  if (!world.GetMapProblem().empty()) {
    DrawFitted(kMainFont, L::mc_mapLeft, L::mc_mapProblemStartBaseline, world.GetMapProblem(),
               L::mc_mapProblemStartRoom);
  }
}

void DrawEffect(const CEffect& effect) {
  if (effect.m_text[0] != '\0') {
    // Centred over its point, floating up as it fades.
    glColor4f(effect.m_red, effect.m_green, effect.m_blue, effect.m_alpha);
    DrawGameText(kSmallFont, effect.m_x - GameTextWidth(kSmallFont, effect.m_text) / 2.0f,
                 effect.m_y + effect.m_rise * (1.0f - effect.m_alpha), effect.m_text);
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

// The layers of the battlefield that stay as they are until the world marks
// them dirty, in map space: tiles, fog, the centre and repair marks, the
// threat lens when it is on, and the player's planned commands, which lie
// under every tank.
void DrawStaticLayers(const CGameWorld& world) {
  const CMap& map = world.GetMap();
  const std::uint32_t team = world.GetPlayerTeam();
  const float width = static_cast<float>(map.GetWidth());
  const float height = static_cast<float>(map.GetHeight());
  map.Draw();
  // Whose fog: the player's team's in play, either team's or none in a replay.
  if (world.GetView() != BattleView::Everything) map.DrawVisibility(world.GetView() == BattleView::GreenFog ? 0 : 1);
  SetColour(kWhite);
  DrawSpriteAt(kSpriteCentreMark, kCellSize * static_cast<float>(map.GetWidth() / 2),
               kCellSize * static_cast<float>(map.GetHeight() / 2));
  DrawSpriteAt(kSpriteRepairMark, kCellSize * (width - 2.0f), kCellSize);
  DrawSpriteAt(kSpriteRepairMark, kCellSize, kCellSize * (height - 2.0f));
  if (world.IsThreatLensShown()) DrawThreatLens(world);

  // The planned commands lie under every tank, the selected tank's over the
  // others'; the selection's change marks the static layers dirty.
  const std::int32_t nextStep = world.IsExecuting() ? world.GetStepsDone() + 1 : 1;
  for (const auto& tank : world.GetTanks()) {
    const bool own = tank->GetTeam() == static_cast<std::int32_t>(team);
    if (own && !tank->IsSelected() && world.Shows(*tank)) tank->DrawCommands(nextStep);
  }
  if (const CTank* selected = world.GetSelectedTank()) selected->DrawCommands(nextStep);
}

struct WindowRect {
  int left, bottom, width, height;
};

// The window rectangle the static layers can touch: the map's cells, widened
// by as far as the largest sprite reaches past a cell (none with the shipped
// sprites), cut to the viewport.
WindowRect StaticLayersRect(const CMap& map) {
  float reach = 0.0f;
  for (const Sprite& sprite : GetSprites()) {
    reach = std::max(reach, std::max(sprite.halfWidth, sprite.halfHeight) - kCellSize / 2);
  }
  const int margin = static_cast<int>(std::ceil(reach));
  const int cellsLeft = L::mc_mapLeft - margin;
  const int cellsBottom = L::mc_mapBottom - margin;
  const int cellsRight = cellsLeft + L::mc_cellSize * static_cast<int>(map.GetWidth()) + 2 * margin;
  const int cellsTop = cellsBottom + L::mc_cellSize * static_cast<int>(map.GetHeight()) + 2 * margin;
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  const int left = std::max(cellsLeft, 0);
  const int bottom = std::max(cellsBottom, 0);
  const int right = std::min(cellsRight, static_cast<int>(viewport[2]));
  const int top = std::min(cellsTop, static_cast<int>(viewport[3]));
  return WindowRect{left, bottom, std::max(right - left, 0), std::max(top - bottom, 0)};
}

// The picture of the static layers, kept for every frame that shows them
// unchanged.
CLayerCache& StaticLayersCache() {
  static CLayerCache cache;
  return cache;
}

bool g_layersFromCache = false;  // the last battle frame drew its static layers from the cache

// The static layers as one quad from the cache when it holds the world's
// present epoch; otherwise drawn in full and kept. Feedback and selection
// modes draw in full: they leave no pixels to keep.
void DrawStaticLayersKept(const CGameWorld& world) {
  CLayerCache& cache = StaticLayersCache();
  const WindowRect rect = StaticLayersRect(world.GetMap());
  GLint mode = GL_RENDER;
  glGetIntegerv(GL_RENDER_MODE, &mode);
  const bool rendering = mode == GL_RENDER;
  g_layersFromCache = rendering && cache.Holds(world.GetStaticLayersEpoch(), rect.left, rect.bottom, rect.width,
                                               rect.height);
  if (g_layersFromCache) {
    cache.Draw();
    return;
  }
  glPushMatrix();
  glTranslatef(L::mc_mapOriginX, L::mc_mapOriginY, 0.0f);
  DrawStaticLayers(world);
  glPopMatrix();
  if (rendering) cache.Fill(world.GetStaticLayersEpoch(), rect.left, rect.bottom, rect.width, rect.height);
}

// The battlefield in map space: cell (x, y) centred on (cell size) * (x, y).
void DrawBattlefield(const CGameWorld& world) {
  DrawStaticLayersKept(world);
  glTranslatef(L::mc_mapOriginX, L::mc_mapOriginY, 0.0f);
  for (const auto& tank : world.GetTanks()) {
    if (world.Shows(*tank)) tank->Draw();
  }
  DrawBattlefieldMarks(world);
  // Effects show through the fog.
  for (const auto& effect : world.GetEffects()) DrawEffect(*effect);
}

void DrawStatusMessage(const CGameWorld& world) {
  const StatusMessage message =
      ChooseStatusMessage(world.GetHillCount(), world.GetAliveCount(0), world.GetAliveCount(1));
  SetColour(kWhite);
  for (std::size_t i = 0; i < message.m_count; ++i) {
    const StatusLine& line = message.m_lines[i];
    DrawText(L::mc_statusLeft, static_cast<float>(line.m_y),
             FormatStatusLine(line.m_text, world.GetHillCount(), world.GetHillTeam(), g_line, sizeof g_line));
  }
}

// The health bar with its top centre 5 pixels above the origin.
void DrawHealthBar(std::int32_t hitPoints) {
  glColor4f(0.4f, 0.4f, 0.4f, 1.0f);
  DrawQuad(-11.0f, -68.0f, 11.0f, 5.0f);
  const HealthBar bar = HealthBarFor(hitPoints);
  SetColour(bar.m_rgba);
  // The segments are one batch, each 7 pixels below the one before.
  glBegin(GL_QUADS);
  for (std::int32_t i = 0; i < bar.m_segments; ++i) {
    const float y = -7.0f * static_cast<float>(i);
    EmitQuad(-8.0f, y - 2.0f, 8.0f, y + 2.0f);
  }
  glEnd();
}

// One slot of the player's roster: its number, the tank's icon (black once
// destroyed) and the tank's health.
void DrawRosterSlot(const CGameWorld& world, std::size_t slot, const CTank* tank) {
  static constexpr const char* kLabels[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
  // Shifts that centre each label over its icon.
  static constexpr float kLabelShifts[] = {-2, -5, -5, -5, -5, -5, -5, -5, -5, -6};
  if (slot >= sizeof kLabels / sizeof kLabels[0]) return;

  glPushMatrix();
  glTranslatef(RosterLayout::SlotX(slot), RosterLayout::SlotY(slot), 0.0f);
  if (tank && world.GetSelected() == slot + 1) {
    // The selected slot is framed and its label highlighted.
    SetColour(kHighlight);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBegin(GL_LINE_LOOP);
    glVertex2f(-15.5f, -112.5f);
    glVertex2f(-15.5f, 21.5f);
    glVertex2f(15.5f, 21.5f);
    glVertex2f(15.5f, -112.5f);
    glEnd();
  } else {
    SetColour(kWhite);
  }
  DrawText(kLabelShifts[slot], 0.0f, kLabels[slot]);

  glTranslatef(0.0f, -20.0f, 0.0f);
  SetColour(tank ? kWhite : kBlack);
  glPushMatrix();
  glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  DrawSprite(GetSprite(GetSprites(), TankSprite(static_cast<std::int32_t>(world.GetPlayerTeam()))));
  glPopMatrix();

  if (tank) {
    glTranslatef(0.0f, -23.0f, 0.0f);
    DrawHealthBar(tank->GetHitPoints());
  }
  glPopMatrix();
}

template <std::size_t N>
void DrawHelpPanel(const ControlKey (&keys)[N]) {
  // The rules a player needs, in the small font under the keys.
  static constexpr const char* kRules[] = {
      "Win: hold the centre cell at 10 turn ends in a row, or destroy every enemy.",
      "Damage by the side hit: rear 50, side 20, front 10; 70 on a repair cell.",
      "A turn has 4 steps. Fire and move back take two steps each.",
      "A tank idle on a repair cell heals 10 a step.",
  };
  // The title, its underline, a blank line, a line a key, then the rules:
  // the panel grows downward with them.
  constexpr float step = L::mc_lineStep;
  constexpr float kRuleStep = 18.0f;
  constexpr float kKeyLines = static_cast<float>(3 + N);
  constexpr float kRuleLines = static_cast<float>(sizeof kRules / sizeof kRules[0]);
  constexpr float kBottom = -step * kKeyLines - 8.0f - kRuleStep * kRuleLines;
  glPushMatrix();
  glTranslatef(L::mc_helpLeft, L::mc_helpTop, 0.0f);
  glColor4f(0.6f, 0.6f, 0.6f, 1.0f);
  DrawQuad(-8.0f, kBottom, 550.0f, 20.0f);
  SetColour(kWhite);
  glBegin(GL_LINE_LOOP);
  glVertex2f(-8.0f, kBottom);
  glVertex2f(-8.0f, 20.0f);
  glVertex2f(550.0f, 20.0f);
  glVertex2f(550.0f, kBottom);
  glEnd();
  DrawText(0.0f, 0.0f, "CONTROLS");
  DrawText(0.0f, -step, "------------");
  float y = -3.0f * step;
  for (const ControlKey& row : keys) {
    DrawText(0.0f, y, row.m_Key);
    DrawText(200.0f, y, row.m_Meaning);
    y -= step;
  }
  y -= 8.0f;
  for (const char* rule : kRules) {
    DrawGameText(kSmallFont, 0.0f, y, rule);
    y -= kRuleStep;
  }
  glPopMatrix();
}

void DrawHud(const CGameWorld& world) {
  glLoadIdentity();
  DrawStatusMessage(world);
  const CGameWorld::TeamSlots& slots = world.GetTeamTanks(world.GetPlayerTeam());
  for (std::size_t i = 0; i < slots.size(); ++i) DrawRosterSlot(world, i, slots[i]);
  DrawBattleInfo(world);
  // A replay shows its own keys in the place of the hint.
  if (world.IsHelpShown()) {
    if (world.IsReplayWorld()) {
      DrawHelpPanel(kReplayKeys);
    } else {
      DrawHelpPanel(kControlKeys);
    }
  } else if (!world.IsReplayWorld()) {
    SetColour(kWhite);
    DrawText(L::mc_hintLeft, L::mc_hintBaseline, "Press F1 for help.");
  }
  // Above the battlefield, kept in view: the offer to watch a finished game,
  // then why the chosen battlefield is not the one played, else that the game
  // plays on without its records (the start screen shows that too).
  SetColour(kWhite);
  const bool canWatch = !world.IsInProgress() && !world.IsReplayWorld() && !world.GetRecord().m_turns.empty();
  if (canWatch) DrawText(L::mc_topLineLeft, L::mc_topLineBaseline, "Press 'V' to watch the game");
  const std::int32_t left = canWatch ? L::mc_topLineRight : L::mc_topLineLeft;
  const std::string& problem = world.GetRecordFolder().GetProblem();
  if (!world.GetMapProblem().empty()) {
    DrawFitted(kSmallFont, left, L::mc_topLineBaseline, world.GetMapProblem(),
               L::mc_mapProblemPlayRoom - (left - L::mc_topLineLeft));
  } else if (!problem.empty()) {
    DrawText(left, L::mc_topLineBaseline, "Games cannot be saved.");
  }
}

}  // namespace

bool CGameWorld::LastFrameDrewKeptLayers() { return g_layersFromCache; }

void CGameWorld::Render() {
  KV_ASSERT(m_GameEngine);
  if (m_Replay) {
    m_Replay->Render();
    return;
  }
  if (m_Watch) {
    m_Watch->Render();
    glLoadIdentity();
    SetColour(kWhite);
    DrawText(L::mc_topLineLeft, L::mc_topLineBaseline,
             FormatText(g_line, sizeof g_line, "Turn %d again: 'V' or Escape to skip",
                        static_cast<int>(m_Record.m_turns.size())));
    return;
  }
  glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);

  if (m_Mode == mc_modeStartScreen) {
    DrawStartScreen(*this);
  } else {
    DrawBattlefield(*this);
    DrawHud(*this);
  }
  glFlush();
}
