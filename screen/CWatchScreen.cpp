#include "screen/CWatchScreen.h"

#include <string>

#include "core/TextFormat.h"
#include "gfx/OpenGL.h"
#include "screen/Draw2D.h"
#include "screen/Palette.h"
#include "screen/ScreenLayout.h"

namespace {

// The watch's line is formatted here: a frame allocates nothing.
char g_line[96];

}  // namespace

bool CWatchScreen::Start(const CGameRecord& record, TurnPace pace) {
  if (record.m_turns.empty()) return false;
  const std::size_t last = record.m_turns.size() - 1;
  std::string error;
  if (!m_game.Replay(record, last, error) || !m_game.StartRecordedTurn(record.m_turns[last].m_queues)) return false;
  m_clock.SetPace(pace);
  m_clock.WaitAStep();
  m_turn = m_game.Match().GetTurn();
  m_screen.Reset();
  return true;
}

void CWatchScreen::Update(std::uint32_t elapsedMs) {
  m_screen.Update(elapsedMs);
  if (!m_clock.TakeTick(elapsedMs)) return;
  const std::int32_t steps = m_game.Match().GetStepsDone();
  m_clock.Tick(m_game);
  m_screen.Absorb(m_game.Match());
  m_screen.Tick();
  if (steps != m_game.Match().GetStepsDone()) m_screen.MarkDirty();
}

void CWatchScreen::Draw() const {
  m_screen.Draw(m_game, BattleHud{});
  glLoadIdentity();
  SetColour(palette::kWhite);
  DrawText(ScreenLayout::mc_topLineLeft, ScreenLayout::mc_topLineBaseline,
           FormatText(g_line, sizeof g_line, "Turn %u again: 'V' or Escape to skip", static_cast<unsigned>(m_turn)));
}
