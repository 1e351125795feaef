#include "screen/CReplayScreen.h"

#include <algorithm>
#include <utility>

#include "core/TextFormat.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "screen/KeyTable.h"
#include "screen/ScreenLayout.h"
#include "screen/StatusMessage.h"
#include "screen/ThreatLens.h"

namespace {

using L = ScreenLayout;

// The replay's status line is formatted here: a frame allocates nothing.
char g_status[160];

}  // namespace

CReplayScreen::CReplayScreen(CGameRecord record) : m_replay(std::move(record)) {}

bool CReplayScreen::Check(std::string& error) {
  if (!m_replay.Check(error)) return false;
  FollowSeeks();
  return true;
}

void CReplayScreen::FollowSeeks() {
  if (m_seeks == m_replay.GetSeeks()) return;
  m_seeks = m_replay.GetSeeks();
  m_screen.Effects().Clear();
  m_screen.GetSounds().StopEngines();
  m_screen.MarkDirty();
}

void CReplayScreen::GameTicked(CGameWorld& match) {
  m_screen.Absorb(match);
  m_screen.Tick();
}

void CReplayScreen::Update(std::uint32_t elapsedMs) {
  m_screen.Update(elapsedMs);
  const std::size_t turns = m_replay.GetTurnsDone();
  const std::int32_t steps = m_replay.GetGame().Match().GetStepsDone();
  m_replay.Update(elapsedMs, *this);
  FollowSeeks();
  // A step or a turn end changes the plans drawn and the computer's lens.
  if (turns != m_replay.GetTurnsDone() || steps != m_replay.GetGame().Match().GetStepsDone()) m_screen.MarkDirty();
}

bool CReplayScreen::OnKey(int sym) {
  m_screen.MarkDirty();
  // The help panel takes the next key press and nothing else.
  if (m_screen.IsHelpShown()) {
    m_screen.SetHelpShown(false);
    return true;
  }
  switch (ActionOfKey(kReplayKeys, sym)) {
    case KeyAction::Leave: return false;
    case KeyAction::PlayPause: m_replay.SetPlaying(!m_replay.IsPlaying()); break;
    case KeyAction::NextStep:
      // The effects of the step before fade as in a step's interval.
      for (std::uint32_t ms = 0; ms < CTurnClock::mc_stepIntervalMs; ms += CTurnClock::mc_tickMs) m_screen.Tick();
      m_replay.NextStep();
      m_screen.Absorb(m_replay.GetGame().Match());
      break;
    case KeyAction::PreviousTurn: m_replay.PreviousTurn(); break;
    case KeyAction::Speed: m_replay.SetSpeedIndex(m_replay.GetSpeedIndex() + 1); break;
    case KeyAction::SpeedOne: m_replay.SetSpeedIndex(0); break;
    case KeyAction::SpeedTwo: m_replay.SetSpeedIndex(1); break;
    case KeyAction::SpeedFour: m_replay.SetSpeedIndex(2); break;
    case KeyAction::NextView: m_screen.SetView(NextBattleView(m_screen.GetView())); break;
    case KeyAction::Lens: m_screen.SetThreatLens(!m_screen.IsThreatLensShown()); break;
    case KeyAction::Help: m_screen.SetHelpShown(true); break;
    default: break;
  }
  FollowSeeks();
  return true;
}

void CReplayScreen::Draw() const {
  const CGameRecord& record = m_replay.GetRecord();
  const CGameWorld& match = m_replay.GetGame().Match();
  // Turns are numbered as they were in play: a record that starts from a
  // snapshot starts at the snapshot's turn.
  const std::uint32_t first = record.m_start ? record.m_start->m_turn : 1;
  const auto last = static_cast<std::uint32_t>(first + record.m_turns.size() - (record.m_turns.empty() ? 0 : 1));
  const bool over = m_replay.GetTurnsDone() >= record.m_turns.size();
  const std::uint32_t turn = std::min(ShownTurn(match.GetTurn(), match.IsInProgress(), match.GetStepsDone()), last);
  // At the end a turn that ran its four steps shows them all; one a tie cut short, where it stopped.
  const int step =
      over && match.GetStepsDone() == 0 ? CGameWorld::mc_turnSteps : static_cast<int>(match.GetStepsDone());
  BattleHud hud;
  hud.m_keys = &kReplayKeys;
  hud.m_hint = false;
  hud.m_turn = turn;
  m_screen.Draw(m_replay.GetGame(), hud);
  glLoadIdentity();
  FormatText(g_status, sizeof g_status, "Turn %u of %u  Step %d/%d  x%u  %s%s", static_cast<unsigned>(turn),
             static_cast<unsigned>(last), step, static_cast<int>(CGameWorld::mc_turnSteps),
             static_cast<unsigned>(m_replay.GetSpeed()), BattleViewName(m_screen.GetView()),
             m_replay.IsPlaying() ? "" : over ? "  End" : "  Paused");
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  DrawGameText(kMainFont, L::mc_topLineLeft, L::mc_topLineBaseline, g_status);
  DrawGameText(kSmallFont, L::mc_replayKeysLeft, L::mc_replayKeysBaseline,
               "Space play/pause  N next step  P previous turn  S speed  G view  T lens  F1 help  Esc leave");
  if (m_screen.IsThreatLensShown()) {
    const bool hard = m_replay.GetGame().Computer().GetLevel() == Difficulty::Hard;
    DrawThreatLensLegend(hard, L::mc_lensLegendLeft + 0.0f, L::mc_replayKeysBaseline);
  }
}
