// What a replay shows over its battlefield: where it stands, how it plays
// and its keys, with the threat lens's legend while the lens is on.
#include "engine/TextFormat.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "world/CReplay.h"
#include "world/ScreenLayout.h"
#include "world/ThreatLens.h"

namespace {

using L = ScreenLayout;

// The replay's status line is formatted here: a frame allocates nothing.
char g_status[160];

}  // namespace

void CReplay::Render() {
  m_world->Render();
  glLoadIdentity();
  const auto total = static_cast<int>(m_record.m_turns.size());
  const bool over = m_turnsDone >= m_record.m_turns.size();
  const int turn = over ? total : static_cast<int>(m_turnsDone) + 1;
  const int step = over ? CGameWorld::mc_turnSteps : static_cast<int>(m_world->GetStepsDone());
  FormatText(g_status, sizeof g_status, "Turn %d of %d  Step %d/%d  x%u  %s%s", turn, total, step,
             static_cast<int>(CGameWorld::mc_turnSteps), static_cast<unsigned>(GetSpeed()),
             BattleViewName(m_world->GetView()), m_playing ? "" : over ? "  End" : "  Paused");
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  DrawGameText(kMainFont, L::mc_topLineLeft, L::mc_topLineBaseline, g_status);
  DrawGameText(kSmallFont, L::mc_replayKeysLeft, L::mc_replayKeysBaseline,
               "Space play/pause  N next step  P previous turn  S speed  G view  T lens  F1 help  Esc leave");
  if (m_world->IsThreatLensShown()) DrawThreatLensLegend(L::mc_lensLegendLeft + 0.0f, L::mc_replayKeysBaseline);
  glFlush();
}
