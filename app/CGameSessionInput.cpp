#include <SDL.h>

#include "app/CGameSession.h"
#include "audio/SoundTable.h"
#include "screen/CReplayScreen.h"
#include "screen/KeyTable.h"
#include "screen/RosterLayout.h"
#include "screen/ScreenLayout.h"
#include "units/CPathFinder.h"

// The player's keys and mouse buttons. Their meaning depends on the
// session's state; releases never do anything.

namespace {

constexpr std::uint8_t kLeftButton = 1;
constexpr std::uint8_t kRightButton = 3;
constexpr std::int32_t kWindowHeight = ScreenLayout::mc_windowHeight;

// The map cell under a window point. The difference is taken as a 16-bit
// unsigned number, so a click left of or below the map lands on a column or
// row of 2046 or more, outside every map.
std::int32_t CellUnder(std::int32_t windowOffset) {
  return static_cast<std::uint16_t>(windowOffset) / ScreenLayout::mc_cellSize;
}

}  // namespace

void CGameSession::OnKey(int sym, bool pressed) {
  if (!pressed) return;
  // A replay takes every key; the one that leaves it returns to where it was opened.
  if (m_replay) {
    if (ActionOfKey(kReplayKeys, sym) == KeyAction::Sound) {
      ToggleSound();
    } else if (!m_replay->OnKey(sym)) {
      CloseReplay();
    }
    return;
  }
  // A key may change a plan, the selection or the whole game.
  m_screen.MarkDirty();
  // Any key answers the restart question: 'R' again restarts, anything else keeps the game.
  const bool restartAsked = IsRestartAsked();
  m_restartAskMs = 0;
  m_noticeMs = 0;  // a short answer stays until the next key
  // The help panel takes the next key press and nothing else.
  if (m_screen.IsHelpShown()) {
    m_screen.SetHelpShown(false);
    return;
  }
  // While the last turn is shown again, its key or Escape ends the showing.
  if (m_watch) {
    const KeyAction action = ActionOfKey(kPlayKeys, sym);
    if (action == KeyAction::Leave || action == KeyAction::Watch) StopWatching();
    return;
  }
  if (m_mode == mc_modeStartScreen) {
    OnStartScreenKey(sym);
  } else {
    OnPlayKey(sym, restartAsked);
  }
}

void CGameSession::OnStartScreenKey(int sym) {
  switch (ActionOfKey(kStartKeys, sym)) {
    case KeyAction::Quit: m_quit = true; break;
    case KeyAction::Sound: ToggleSound(); break;
    case KeyAction::Restart:
      ClearGame();
      NewGame();
      break;
    case KeyAction::StepLevel: StepDifficulty(true); break;
    case KeyAction::Pace: StepPace(true); break;
    case KeyAction::Help: m_screen.SetHelpShown(true); break;
    case KeyAction::Start: StartPlay(); break;
    case KeyAction::Continue:
      if (m_canContinue) ContinueGame();
      break;
    case KeyAction::PreviousBattlefield: StepBattlefield(-1); break;
    case KeyAction::NextBattlefield: StepBattlefield(1); break;
    default: break;
  }
}

void CGameSession::OnPlayKey(int sym, bool restartAsked) {
  CGameWorld& match = m_game.Match();
  const KeyAction action = ActionOfKey(kPlayKeys, sym);
  switch (action) {
    case KeyAction::Leave:
      SaveForLater();
      m_mode = mc_modeStartScreen;  // the game stays as it is, not shown
      if (!GetPreview()) PreviewBattlefield();
      return;
    case KeyAction::Sound: ToggleSound(); return;
    case KeyAction::Pace: StepPace(true); return;
    case KeyAction::Restart:
      // One stray key beside 'F' must not throw a game away: in a game in
      // progress the first 'R' only asks.
      if (match.IsInProgress() && !restartAsked) {
        m_restartAskMs = mc_restartAskMs;
        return;
      }
      RestartPlay();
      return;
    case KeyAction::Help: m_screen.SetHelpShown(true); return;
    case KeyAction::Watch:
      // In play the last turn; once the game is over, all of it.
      if (match.IsInProgress()) {
        StartWatching();
      } else {
        WatchGame();
      }
      return;
    case KeyAction::SelectTank: m_screen.Select(match, SlotOfKey(sym)); return;
    case KeyAction::Execute: StartTurn(); return;
    default: break;
  }
  CTank* selected = m_screen.GetSelectedTank(match);
  if (!match.IsExecuting() && selected) GiveCommand(*selected, sym);
}

bool CGameSession::GiveCommand(CTank& tank, int sym) {
  const CMap& map = m_game.Match().GetMap();
  switch (ActionOfKey(kPlayKeys, sym)) {
    case KeyAction::MoveForward: tank.AddMoveForward(map); return true;
    case KeyAction::MoveBack: tank.AddMoveBack(map); return true;
    case KeyAction::TurnLeft: tank.AddTurn(false); return true;
    case KeyAction::TurnRight: tank.AddTurn(true); return true;
    case KeyAction::Wait: tank.AddWait(); return true;
    case KeyAction::Fire: tank.AddFire(); return true;
    case KeyAction::EraseLast: tank.RemoveLastCommand(); return true;
    case KeyAction::EraseAll: tank.ClearCommands(); return true;
    default: return false;
  }
}

void CGameSession::OnMouseButton(std::uint8_t button, bool pressed, std::uint16_t x, std::uint16_t y) {
  if (!pressed || m_replay) return;
  m_screen.MarkDirty();
  m_restartAskMs = 0;  // a click keeps the game
  if (m_screen.IsHelpShown()) {
    m_screen.SetHelpShown(false);
    return;
  }
  if (m_mode == mc_modeStartScreen) {
    if (button == kLeftButton) OnStartScreenClick(x, y);
    return;
  }
  if (m_watch) return;
  CGameWorld& match = m_game.Match();
  if (button == kRightButton) {
    CTank* selected = m_screen.GetSelectedTank(match);
    if (!match.IsExecuting() && selected) selected->ClearCommands();
  } else if (button == kLeftButton) {
    if (!match.IsExecuting()) OnBattleClick(x, y);
  }
}

void CGameSession::OnStartScreenClick(std::uint16_t x, std::uint16_t y) {
  const std::int32_t yy = kWindowHeight - y;
  if (StartScreenControls::mc_greenLess.Contains(x, yy)) {
    StepTeamSize(0, false);
  } else if (StartScreenControls::mc_greenMore.Contains(x, yy)) {
    StepTeamSize(0, true);
  } else if (StartScreenControls::mc_blueLess.Contains(x, yy)) {
    StepTeamSize(1, false);
  } else if (StartScreenControls::mc_blueMore.Contains(x, yy)) {
    StepTeamSize(1, true);
  } else if (StartScreenControls::mc_levelLess.Contains(x, yy)) {
    StepDifficulty(false);
  } else if (StartScreenControls::mc_levelMore.Contains(x, yy)) {
    StepDifficulty(true);
  } else if (StartScreenControls::mc_paceLess.Contains(x, yy)) {
    StepPace(false);
  } else if (StartScreenControls::mc_paceMore.Contains(x, yy)) {
    StepPace(true);
  } else if (StartScreenControls::mc_mapLess.Contains(x, yy)) {
    StepBattlefield(-1);
  } else if (StartScreenControls::mc_mapMore.Contains(x, yy)) {
    StepBattlefield(1);
  } else if (StartScreenControls::mc_start.Contains(x, yy)) {
    StartPlay();
  } else if (m_canContinue && StartScreenControls::mc_continue.Contains(x, yy)) {
    ContinueGame();
  }
}

void CGameSession::OnBattleClick(std::uint16_t x, std::uint16_t y) {
  CGameWorld& match = m_game.Match();
  const std::int32_t yy = kWindowHeight - y;
  const CTankSlots<CTank> slots = match.GetTeamTanks(CGameWorld::mc_playerTeam);
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (RosterLayout::SlotBox(i).Contains(x, yy)) {
      m_screen.Select(match, static_cast<std::uint32_t>(i) + 1);
      return;
    }
  }
  // The window's y of the bottom edge of the map's row 0 is the window's
  // height less the drawing y.
  const MapPlacement place = PlaceMap(match.GetMap());
  const std::int32_t column = CellUnder(x - place.Left());
  const std::int32_t row = CellUnder(kWindowHeight - place.Bottom() - y);
  // A click on one of the player's own tanks selects it; any other cell,
  // an enemy's included, is where the selected tank should go.
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i] && slots[i]->GetX() == column && slots[i]->GetY() == row) {
      m_screen.Select(match, static_cast<std::uint32_t>(i) + 1);
      return;
    }
  }
  // A click that gives no path (a wall, an enclosed cell, the margin) keeps
  // the plan and says so where it was.
  CTank* selected = m_screen.GetSelectedTank(match);
  if (selected && !PlotPath(*selected, column, row)) m_screen.MarkNoPath(x, yy);
}

bool CGameSession::PlotPath(CTank& tank, std::int32_t column, std::int32_t row) {
  const CMap& map = m_game.Match().GetMap();
  if (column < 0 || row < 0 || static_cast<std::uint32_t>(column) >= map.GetWidth() ||
      static_cast<std::uint32_t>(row) >= map.GetHeight()) {
    return false;
  }
  const TankState& state = tank.GetState();
  const PathNode start{state.x, state.y, HeadingIndex(state.dx, state.dy)};
  // Walls are avoided.
  CPathFinder finder(map);
  finder.Start(start, PathNode{column, row, kAnyHeading}, true);
  while (finder.IsActive()) finder.Update();
  if (!finder.IsFound()) return false;
  tank.SetPath(finder, map);
  return true;
}
