// The battle screen's picture, drawn once per frame: the battlefield with
// the heads-up display over it.
#include <algorithm>
#include <cmath>

#include "core/TextFormat.h"
#include "gfx/CLayerCache.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteId.h"
#include "gfx/SpriteTable.h"
#include "record/CGame.h"
#include "screen/BattleOverlay.h"
#include "screen/CBattleScreen.h"
#include "screen/Draw2D.h"
#include "screen/HealthBar.h"
#include "screen/HelpPanel.h"
#include "screen/MapDraw.h"
#include "screen/Palette.h"
#include "screen/RosterLayout.h"
#include "screen/RosterState.h"
#include "screen/ScreenLayout.h"
#include "screen/ShotPreview.h"
#include "screen/StatusMessage.h"
#include "screen/TankDraw.h"
#include "screen/ThreatLens.h"

namespace {

using L = ScreenLayout;
constexpr float kCellSize = L::mc_cellSize;

// Every formatted line of a frame goes through this one buffer: a frame
// allocates nothing.
char g_line[1024];

// The roster state's baseline below the icon's centre: over the icon's bottom edge.
constexpr float kRosterStateBaseline = -14.0f;

// The layers of the battlefield that stay as they are until the screen marks
// them dirty, in map space: tiles, the centre mark, fog, the repair marks, the
// threat lens when it is on, and the player's planned shots and commands,
// which lie under every tank.
void DrawStaticLayers(const CGame& game, const CBattleScreen& screen) {
  const CGameWorld& match = game.Match();
  const CMap& map = match.GetMap();
  DrawMapTiles(map);
  // The centre mark is part of its cell's ground: the fog dims it like the cell.
  SetColour(palette::kWhite);
  const MapCell centre = map.GetCentre();
  DrawSpriteAt(kSpriteCentreMark, CellCentre(centre.x), CellCentre(centre.y));
  // Whose fog: the player's team's in play, either team's or none in a replay.
  if (screen.GetView() != BattleView::Everything) DrawMapFog(map, screen.GetView() == BattleView::GreenFog ? 0 : 1);
  SetColour(palette::kWhite);
  for (std::uint32_t i = CMap::mc_repairCells; i-- > 0;) {
    const MapCell repair = map.GetRepairCell(i);
    DrawSpriteAt(kSpriteRepairMark, CellCentre(repair.x), CellCentre(repair.y));
  }
  if (screen.IsThreatLensShown()) DrawThreatLens(game.Computer(), map);
  // Green's memory of the enemies it lost sight of, in Green's fog only.
  if (screen.GetView() == BattleView::GreenFog) screen.GetLastSeen().Draw();

  // The planned shots' lines under their fire markers.
  DrawShotLines(match, screen);
  // The planned commands lie under every tank, the selected tank's over the
  // others'; the selection's change marks the static layers dirty.
  const std::int32_t nextStep = match.IsExecuting() ? match.GetStepsDone() + 1 : 1;
  const CTank* selected = screen.GetSelectedTank(match);
  for (const CTank* tank : match.GetTanks()) {
    const bool own = tank->GetTeam() == static_cast<std::int32_t>(CGameWorld::mc_playerTeam);
    if (own && tank != selected && screen.Shows(match, *tank)) DrawTankCommands(*tank, false, nextStep);
  }
  if (selected) DrawTankCommands(*selected, true, nextStep);
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
  const MapPlacement place = PlaceMap(map);
  const int cellsLeft = place.Left() - margin;
  const int cellsBottom = place.Bottom() - margin;
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

// The static layers as one quad from the cache when it holds the screen's
// present epoch; otherwise drawn in full and kept. Feedback and selection
// modes draw in full: they leave no pixels to keep.
void DrawStaticLayersKept(const CGame& game, const CBattleScreen& screen) {
  CLayerCache& cache = StaticLayersCache();
  const WindowRect rect = StaticLayersRect(game.Match().GetMap());
  GLint mode = GL_RENDER;
  glGetIntegerv(GL_RENDER_MODE, &mode);
  const bool rendering = mode == GL_RENDER;
  g_layersFromCache = rendering && cache.Holds(screen.GetEpoch(), rect.left, rect.bottom, rect.width, rect.height);
  if (g_layersFromCache) {
    cache.Draw();
    return;
  }
  const MapPlacement place = PlaceMap(game.Match().GetMap());
  glPushMatrix();
  glTranslatef(static_cast<float>(place.m_originX), static_cast<float>(place.m_originY), 0.0f);
  DrawStaticLayers(game, screen);
  glPopMatrix();
  if (rendering) cache.Fill(screen.GetEpoch(), rect.left, rect.bottom, rect.width, rect.height);
}

// The battlefield in map space: cell (x, y) centred on (cell size) * (x, y).
void DrawBattlefield(const CGame& game, const CBattleScreen& screen) {
  const CGameWorld& match = game.Match();
  DrawStaticLayersKept(game, screen);
  const MapPlacement place = PlaceMap(match.GetMap());
  glTranslatef(static_cast<float>(place.m_originX), static_cast<float>(place.m_originY), 0.0f);
  const CTank* selected = screen.GetSelectedTank(match);
  for (const CTank* tank : match.GetTanks()) {
    if (screen.Shows(match, *tank)) DrawTank(*tank, tank == selected);
  }
  DrawBattlefieldMarks(match, screen);
  // Effects show through the fog.
  screen.Effects().Draw();
}

void DrawStatusMessage(const CGameWorld& match) {
  const StatusMessage message =
      ChooseStatusMessage(match.GetHillCount(), match.GetAliveCount(0), match.GetAliveCount(1));
  SetColour(palette::kWhite);
  for (std::size_t i = 0; i < message.m_count; ++i) {
    const StatusLine& line = message.m_lines[i];
    DrawText(L::mc_statusLeft, static_cast<float>(line.m_y),
             FormatStatusLine(line.m_text, match.GetHillCount(), match.GetHillTeam(), g_line, sizeof g_line));
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

// What the tank is about to do, over the bottom of its icon, on a dark band
// that keeps it readable: idle tanks stand out, busy ones are bad news.
void DrawRosterState(const CTank& tank) {
  const RosterState state = RosterStateOf(tank);
  FormatRosterState(state, g_line, sizeof g_line);
  glColor4f(0.0f, 0.0f, 0.0f, 0.65f);
  DrawQuad(-15.0f, kRosterStateBaseline - 3.0f, 15.0f, kRosterStateBaseline + 10.0f);
  const float* rgba = state.m_kind == RosterState::Kind::Idle   ? palette::kHighlight
                      : state.m_kind == RosterState::Kind::Busy ? palette::kBadNews
                                                                : palette::kWhite;
  SetColour(rgba);
  DrawGameText(kSmallFont, -GameTextWidth(kSmallFont, g_line) / 2.0f, kRosterStateBaseline, g_line);
}

// One slot of the player's roster: its number, the tank's icon (black once
// destroyed) with what the tank is about to do over it, and its health.
void DrawRosterSlot(const CBattleScreen& screen, std::size_t slot, const CTank* tank) {
  static constexpr const char* kLabels[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
  // Shifts that centre each label over its icon.
  static constexpr float kLabelShifts[] = {-2, -5, -5, -5, -5, -5, -5, -5, -5, -6};
  if (slot >= sizeof kLabels / sizeof kLabels[0]) return;

  glPushMatrix();
  glTranslatef(RosterLayout::SlotX(slot), RosterLayout::SlotY(slot), 0.0f);
  if (tank && screen.GetSelected() == slot + 1) {
    // The selected slot is framed and its label highlighted.
    SetColour(palette::kHighlight);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBegin(GL_LINE_LOOP);
    glVertex2f(-15.5f, -112.5f);
    glVertex2f(-15.5f, 21.5f);
    glVertex2f(15.5f, 21.5f);
    glVertex2f(15.5f, -112.5f);
    glEnd();
  } else {
    SetColour(palette::kWhite);
  }
  DrawText(kLabelShifts[slot], 0.0f, kLabels[slot]);

  glTranslatef(0.0f, -20.0f, 0.0f);
  SetColour(tank ? palette::kWhite : palette::kBlack);
  glPushMatrix();
  glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  DrawSprite(GetSprite(GetSprites(), TankSprite(static_cast<std::int32_t>(CGameWorld::mc_playerTeam))));
  glPopMatrix();
  if (tank) DrawRosterState(*tank);

  if (tank) {
    glTranslatef(0.0f, -23.0f, 0.0f);
    DrawHealthBar(tank->GetHitPoints());
  }
  glPopMatrix();
}

void DrawHud(const CGame& game, const CBattleScreen& screen, const BattleHud& hud) {
  const CGameWorld& match = game.Match();
  glLoadIdentity();
  DrawStatusMessage(match);
  const CTankSlots<const CTank> slots = match.GetTeamTanks(CGameWorld::mc_playerTeam);
  for (std::size_t i = 0; i < slots.size(); ++i) DrawRosterSlot(screen, i, slots[i]);
  DrawBattleInfo(match, screen, hud.m_restartAsked, hud.m_summary, hud.m_turn);
  if (screen.IsHelpShown()) {
    DrawHelpPanel(*hud.m_keys);
  } else if (hud.m_hint) {
    SetColour(palette::kWhite);
    DrawText(L::mc_hintLeft, L::mc_hintBaseline, "Press F1 for help.");
  }
  if (hud.m_playNotes) {
    SetColour(palette::kWhite);
    DrawGameText(kSmallFont, L::mc_paceNoteLeft, L::mc_playNotesBaseline,
                 FormatText(g_line, sizeof g_line, "Turn pace: %s (P)", TurnPaceName(hud.m_pace)));
    if (hud.m_soundOff) DrawGameText(kSmallFont, L::mc_soundNoteLeft, L::mc_playNotesBaseline, "Sound off (M)");
  }
  // Above the battlefield, kept in view: a short answer to a key, or the
  // offer to watch a finished game, then why the chosen battlefield is not
  // the one played, else that the game plays on without its records (the
  // start screen shows that too).
  if (hud.m_notice[0] != '\0') {
    SetColour(palette::kHighlight);
    DrawText(L::mc_topLineLeft, L::mc_topLineBaseline, hud.m_notice);
    return;
  }
  SetColour(palette::kWhite);
  if (hud.m_offerWatch) DrawText(L::mc_topLineLeft, L::mc_topLineBaseline, "Press 'V' to watch the game");
  const std::int32_t left = hud.m_offerWatch ? L::mc_topLineRight : L::mc_topLineLeft;
  if (hud.m_mapProblem && !hud.m_mapProblem->empty()) {
    DrawFitted(kSmallFont, left, L::mc_topLineBaseline, hud.m_mapProblem->c_str(),
               L::mc_mapProblemPlayRoom - (left - L::mc_topLineLeft));
  } else if (hud.m_cannotSave) {
    DrawText(left, L::mc_topLineBaseline, "Games cannot be saved.");
  }
}

}  // namespace

bool CBattleScreen::LastFrameDrewKeptLayers() { return g_layersFromCache; }

void CBattleScreen::Draw(const CGame& game, const BattleHud& hud) const {
  DrawBattlefield(game, *this);
  DrawHud(game, *this, hud);
}
