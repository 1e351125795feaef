#include "screen/BattleOverlay.h"

#include <cmath>
#include <cstring>

#include "core/TextFormat.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "screen/CBattleScreen.h"
#include "screen/Draw2D.h"
#include "screen/GameSummary.h"
#include "screen/HealthBar.h"
#include "screen/LogText.h"
#include "screen/Palette.h"
#include "screen/ScreenLayout.h"
#include "screen/ShotPreview.h"
#include "screen/StatusMessage.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"

namespace {

using palette::kBadNews;
using palette::kHighlight;
using palette::kWhite;
constexpr const float (&kTeamColours)[2][4] = palette::kTeams;
constexpr const float (&kNoPathRed)[4] = palette::kNoPath;
constexpr float kLogHeading[4] = {0.7f, 0.7f, 0.7f, 1.0f};  // "Turn 8, step 3" over its step's lines

// Right of the battlefield, above the status message.
constexpr float kInfoLeft = 854.0f;
constexpr float kInfoRight = 1020.0f;
constexpr float kTurnBaseline = 740.0f;
constexpr float kScoreBaseline = 718.0f;
constexpr float kCentreBaseline = 700.0f;  // and its second line a small line lower
constexpr float kLogTop = 668.0f;
constexpr float kLogBottom = 410.0f;
constexpr float kSmallLine = 16.0f;
constexpr float kWrapIndent = 12.0f;

// A tank's number ends this far right of its cell's centre, on a baseline this far above it.
constexpr float kNumberRight = 15.0f;
constexpr float kNumberBaseline = 4.0f;
constexpr float kNumberLowBaseline = -13.0f;  // at the bottom right instead

constexpr float kRingRadius = 19.0f;
constexpr int kRingSegments = 24;
constexpr float kEnemyBarHalfWidth = 12.0f;

// Every line of the overlay is formatted here: a frame allocates nothing.
char g_text[256];

// Small text over the battlefield, a dark shadow under it so that it reads on any tile.
void DrawLabel(float x, float y, const char* text, const float rgba[4]) {
  DrawShadowedText(kSmallFont, x, y, text, rgba);
}

// An enemy's health bar lies along the top of its cell when its barrel
// points down, else along the bottom.
bool BarOnTop(const CTank& tank) { return tank.GetState().dy < 0; }

// A tank's number at a right corner of its cell, clear of the barrel
// whichever way it points and of the step numbers of plans (at the left
// corners, the bottom right and the muzzle): the top right, or the bottom
// right for an enemy whose health bar takes the top.
void DrawTankNumber(const CTank& tank, bool enemy, const float rgba[4]) {
  FormatText(g_text, sizeof g_text, "%u", static_cast<unsigned>(tank.GetSlot() + 1));
  const float baseline = enemy && BarOnTop(tank) ? kNumberLowBaseline : kNumberBaseline;
  DrawLabel(CellCentre(tank.GetX()) + kNumberRight - GameTextWidth(kSmallFont, g_text),
            CellCentre(tank.GetY()) + baseline, g_text, rgba);
}

void DrawRing(float x, float y) {
  static float ring[kRingSegments][2];
  static const bool made = [] {
    for (int i = 0; i < kRingSegments; ++i) {
      const double a = 6.283185307179586 * i / kRingSegments;
      ring[i][0] = static_cast<float>(kRingRadius * std::cos(a));
      ring[i][1] = static_cast<float>(kRingRadius * std::sin(a));
    }
    return true;
  }();
  (void)made;
  glBindTexture(GL_TEXTURE_2D, 0);
  glLineWidth(2.0f);
  SetColour(kHighlight);
  glBegin(GL_LINE_LOOP);
  for (const auto& point : ring) glVertex2f(x + point[0], y + point[1]);
  glEnd();
  glLineWidth(1.0f);
}

// A short bar along an enemy's cell, never over its barrel (BarOnTop): its
// health in the roster's colours.
void DrawEnemyHealth(const CTank& tank) {
  const float x = CellCentre(tank.GetX());
  const float y = CellCentre(tank.GetY()) + (BarOnTop(tank) ? 11.0f : -16.0f);
  glColor4f(0.15f, 0.15f, 0.15f, 0.9f);
  DrawQuad(x - kEnemyBarHalfWidth - 1.0f, y, x + kEnemyBarHalfWidth + 1.0f, y + 5.0f);
  const std::int32_t hp = tank.GetHitPoints();
  const float share = static_cast<float>(hp < 0 ? 0 : (hp > CTank::mc_fullHitPoints ? CTank::mc_fullHitPoints : hp)) /
                      static_cast<float>(CTank::mc_fullHitPoints);
  if (share <= 0.0f) return;
  SetColour(HealthBarFor(hp).m_rgba);
  DrawQuad(x - kEnemyBarHalfWidth, y + 1.0f, x - kEnemyBarHalfWidth + 2.0f * kEnemyBarHalfWidth * share, y + 4.0f);
}

void DrawNoPathMark(float x, float y) {
  glBindTexture(GL_TEXTURE_2D, 0);
  glLineWidth(3.0f);
  SetColour(kNoPathRed);
  glBegin(GL_LINES);
  glVertex2f(x - 7.0f, y - 7.0f);
  glVertex2f(x + 7.0f, y + 7.0f);
  glVertex2f(x - 7.0f, y + 7.0f);
  glVertex2f(x + 7.0f, y - 7.0f);
  glEnd();
  glLineWidth(1.0f);
  const char* text = "no path";
  // Right of the cross, or left of it at the window's right edge.
  const float width = GameTextWidth(kSmallFont, text);
  const float left = x + 10.0f + width > kInfoRight ? x - 10.0f - width : x + 10.0f;
  DrawLabel(left, y - 5.0f, text, kNoPathRed);
}

// The colour of a log line: good news for the player green, bad news red.
const float* LogColour(const LogEvent& event, std::int32_t playerTeam) {
  if (event.m_kind == LogEvent::Kind::Repair) return kWhite;
  if (event.m_targetTeam == playerTeam) return kBadNews;
  return event.m_actorTeam == playerTeam && event.m_actorSeen ? kTeamColours[0] : kWhite;
}

// Draws the text from the baseline y down, broken at blanks into lines no
// wider than the column, continuation lines indented; returns the baseline
// after the last line.
float DrawWrapped(const char* text, float y) {
  char line[sizeof g_text];
  float indent = 0.0f;
  const char* rest = text;
  while (*rest && y >= kLogBottom) {
    const float room = kInfoRight - kInfoLeft - indent;
    // The longest run of whole words that fits; a word longer than the room goes alone.
    std::size_t take = std::strlen(rest);
    std::memcpy(line, rest, take + 1);
    while (GameTextWidth(kSmallFont, line) > room) {
      const char* blank = std::strrchr(line, ' ');
      if (!blank || blank == line) break;
      take = static_cast<std::size_t>(blank - line);
      line[take] = '\0';
    }
    DrawGameText(kSmallFont, kInfoLeft + indent, y, line);
    rest += take;
    while (*rest == ' ') ++rest;
    indent = kWrapIndent;
    y -= kSmallLine;
  }
  return y;
}

// The team of the tank on the centre cell, or -1.
std::int32_t TeamOnCentre(const CGameWorld& world) {
  const MapCell centre = world.GetMap().GetCentre();
  for (const CTank* tank : world.GetTanks()) {
    if (tank->GetX() == centre.x && tank->GetY() == centre.y) return tank->GetTeam();
  }
  return -1;
}

void DrawScore(const CGameWorld& world) {
  SetColour(kTeamColours[0]);
  DrawGameText(kSmallFont, kInfoLeft, kScoreBaseline,
               FormatText(g_text, sizeof g_text, "%s %d/%d", TeamName(0), static_cast<int>(world.GetKnownAlive(0)),
                          static_cast<int>(world.GetTeamTanks(0).size())));
  SetColour(kTeamColours[1]);
  DrawGameText(kSmallFont, kInfoLeft + 86.0f, kScoreBaseline,
               FormatText(g_text, sizeof g_text, "%s %d/%d", TeamName(1), static_cast<int>(world.GetKnownAlive(1)),
                          static_cast<int>(world.GetTeamTanks(1).size())));
  // While the game goes on, a tank on the centre cell beyond Green's sight is not named.
  std::int32_t onCentre = TeamOnCentre(world);
  const MapCell centre = world.GetMap().GetCentre();
  if (world.IsInProgress() && onCentre != static_cast<std::int32_t>(CGameWorld::mc_playerTeam) &&
      !world.GetMap().Sees(CGameWorld::mc_playerTeam, centre.x, centre.y)) {
    onCentre = -1;
  }
  const CentreLines lines = FormatCentreLines(world.GetHillCount(), world.GetHillTeam(), world.GetAliveCount(0),
                                              world.GetAliveCount(1), onCentre);
  const std::int32_t holder = lines.m_count == 2 ? world.GetHillTeam() : onCentre;
  SetColour(holder == 0 || holder == 1 ? kTeamColours[holder] : kWhite);
  for (std::size_t i = 0; i < lines.m_count; ++i) {
    DrawGameText(kSmallFont, kInfoLeft, kCentreBaseline - kSmallLine * static_cast<float>(i), lines.m_lines[i]);
  }
}

// The turn, and while it runs the step done of its four at the column's right edge.
void DrawTurn(const CGameWorld& world, std::uint32_t turn) {
  SetColour(kWhite);
  if (turn == 0) turn = ShownTurn(world.GetTurn(), world.IsInProgress(), world.GetStepsDone());
  DrawGameText(kMainFont, kInfoLeft, kTurnBaseline,
               FormatText(g_text, sizeof g_text, "Turn %u", static_cast<unsigned>(turn)));
  if (!world.IsExecuting()) return;
  FormatText(g_text, sizeof g_text, "Step %d/%d", static_cast<int>(world.GetStepsDone()),
             static_cast<int>(CGameWorld::mc_turnSteps));
  DrawGameText(kSmallFont, kInfoRight - GameTextWidth(kSmallFont, g_text), kTurnBaseline, g_text);
}

// The finished game's summary where the log stands while it is played.
void DrawSummary(const CGameTally& tally, const CGameWorld& world) {
  const SummaryLines summary = FormatGameSummary(tally, world);
  float y = kLogTop;
  for (std::size_t i = 0; i < summary.m_count; ++i) {
    const std::int32_t team = summary.m_team[i];
    SetColour(team == 0 || team == 1 ? kTeamColours[team] : kWhite);
    // Each side's figures stand a little apart from the line before.
    if (i > 0 && team != summary.m_team[i - 1]) y -= kSmallLine / 2.0f;
    y = DrawWrapped(summary.m_lines[i], y);
  }
}

void DrawRestartQuestion() {
  const char* text = "Press 'R' again to restart";
  const float width = GameTextWidth(kMainFont, text);
  // Centred over the battlefield's top rows.
  const float left = 434.0f - width / 2.0f;
  glColor4f(0.0f, 0.0f, 0.0f, 0.75f);
  DrawQuad(left - 12.0f, 690.0f, left + width + 12.0f, 728.0f);
  SetColour(kHighlight);
  DrawGameText(kMainFont, left, 702.0f, text);
}

}  // namespace

void DrawBattlefieldMarks(const CGameWorld& match, const CBattleScreen& screen) {
  const auto team = static_cast<std::int32_t>(CGameWorld::mc_playerTeam);
  for (const CTank* tank : match.GetTanks()) {
    if (tank->GetTeam() != team && screen.Shows(match, *tank)) DrawEnemyHealth(*tank);
  }
  const CTank* selected = screen.GetSelectedTank(match);
  if (selected) DrawRing(CellCentre(selected->GetX()), CellCentre(selected->GetY()));
  // Every tank shown carries its number: the player's white (the selected
  // one highlighted), the enemy's in its team's colour.
  for (const CTank* tank : match.GetTanks()) {
    if (!screen.Shows(match, *tank)) continue;
    const bool own = tank->GetTeam() == team;
    DrawTankNumber(*tank, !own, !own ? kTeamColours[1] : tank == selected ? kHighlight : kWhite);
  }
  DrawShotLabels(match, screen);
}

void DrawBattleInfo(const CGameWorld& world, const CBattleScreen& screen, bool restartAsked, const CGameTally* summary,
                    std::uint32_t turn) {
  DrawTurn(world, turn);
  DrawScore(world);
  if (summary) {
    DrawSummary(*summary, world);
  } else {
    // Newest first, each step's lines under its heading.
    const CCombatLog& log = world.GetLog();
    float y = kLogTop;
    for (std::size_t age = 0; age < log.Size() && y >= kLogBottom; ++age) {
      const LogEvent& event = log.Newest(age);
      const bool newStep =
          age == 0 || log.Newest(age - 1).m_step != event.m_step || log.Newest(age - 1).m_turn != event.m_turn;
      if (newStep) {
        SetColour(kLogHeading);
        y = DrawWrapped(FormatLogStep(event, g_text, sizeof g_text), y);
      }
      SetColour(LogColour(event, static_cast<std::int32_t>(CGameWorld::mc_playerTeam)));
      y = DrawWrapped(FormatLogEvent(event, g_text, sizeof g_text), y);
    }
  }
  std::int32_t x = 0;
  std::int32_t markY = 0;
  if (screen.GetNoPathMark(x, markY)) DrawNoPathMark(static_cast<float>(x), static_cast<float>(markY));
  if (restartAsked) DrawRestartQuestion();
}
