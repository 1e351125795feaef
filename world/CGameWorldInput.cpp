#include <SDL.h>

#include "engine/Assert.h"
#include "audio/SoundTable.h"
#include "engine/CGameEngine.h"
#include "engine/SettingKeys.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"
#include "world/CReplay.h"
#include "world/RosterLayout.h"
#include "world/ScreenLayout.h"

// The player's keys and mouse buttons. Their meaning depends on the game's
// state; releases never do anything.

namespace {

constexpr std::uint8_t kLeftButton = 1;
constexpr std::uint8_t kRightButton = 3;
constexpr std::int32_t kWindowHeight = ScreenLayout::mc_windowHeight;
// The window's y of the bottom edge of the map's row 0.
constexpr std::int32_t kMapBottomInWindow = kWindowHeight - ScreenLayout::mc_mapBottom;
constexpr std::uint32_t kTenthSlot = 10;

// The map cell under a window point. The difference is taken as a 16-bit
// unsigned number, so a click left of or below the map lands on a column or
// row of 2046 or more, outside every map.
std::int32_t CellUnder(std::int32_t windowOffset) {
  return static_cast<std::uint16_t>(windowOffset) / ScreenLayout::mc_cellSize;
}

}  // namespace

void CGameWorld::OnKey(int sym, bool pressed) {
  KV_ASSERT(m_GameEngine);
  if (!pressed) return;
  // A replay takes every key; the one that leaves it returns to where it was opened.
  if (m_Replay) {
    if (sym == SDLK_m) {
      ToggleSound();
    } else if (!m_Replay->OnKey(sym)) {
      CloseReplay();
    }
    return;
  }
  // A key may change a plan, the selection or the whole game.
  MarkStaticLayersDirty();
  // Any key answers the restart question: 'R' again restarts, anything else keeps the game.
  const bool restartAsked = IsRestartAsked();
  m_RestartAskMs = 0;
  // The help panel takes the next key press and nothing else.
  if (m_ShowHelp) {
    m_ShowHelp = false;
    return;
  }
  // While the last turn is shown again, its key or Escape ends the showing.
  if (m_Watch) {
    if (sym == SDLK_ESCAPE || sym == SDLK_v) StopWatching();
    return;
  }
  if (sym == SDLK_ESCAPE) {
    if (m_Mode == mc_modeStartScreen) {
      m_GameEngine->Stop();
    } else {
      SaveForLater();
      m_Mode = mc_modeStartScreen;  // the game stays as it is, not shown
    }
  } else if (sym == SDLK_m) {
    ToggleSound();
  } else if (sym == SDLK_r) {
    // One stray key beside 'F' must not throw a game away: in a game in
    // progress the first 'R' only asks.
    if (m_Mode == mc_modePlay && IsInProgress() && !restartAsked) {
      m_RestartAskMs = mc_restartAskMs;
      return;
    }
    if (m_Mode == mc_modeStartScreen) {
      ClearGame();
      NewGame();
    } else {
      StartPlay();
    }
  }
  if (m_Mode == mc_modeStartScreen) {
    if (sym == SDLK_d) StepDifficulty(true);
    if (sym == SDLK_RETURN) {
      StartPlay();
    } else if (sym == SDLK_c && m_CanContinue) {
      ContinueGame();
    } else if (sym == SDLK_LEFTBRACKET || sym == SDLK_RIGHTBRACKET) {
      StepBattlefield(sym == SDLK_LEFTBRACKET ? -1 : 1);
    }
    return;
  }

  if (sym == SDLK_F1) m_ShowHelp = true;
  if (sym == SDLK_v) {
    // In play the last turn; once the game is over, all of it.
    if (IsInProgress()) {
      StartWatching();
    } else {
      WatchGame();
    }
  }
  if (!m_Executing && IsSelectionValid() && GiveCommand(*GetSelectedTank(), sym)) return;
  if (sym == SDLK_0) {
    SelectSlot(kTenthSlot);
  } else if (sym >= SDLK_1 && sym <= SDLK_9) {
    SelectSlot(static_cast<std::uint32_t>(sym - SDLK_1) + 1);
  } else if (sym == SDLK_SPACE) {
    // The turn starts on the next tick; a finished game refuses it there.
    if (!m_Executing && !IsGameOver() && !IsTie()) RecordTurnStart();
    m_Executing = true;
  }
}

void CGameWorld::ToggleSound() {
  SetSoundOn(!IsSoundOn());
  m_GameEngine->GetSettings().Set(kv::kSound, IsSoundOn());
}

bool CGameWorld::GiveCommand(CTank& tank, int sym) {
  switch (sym) {
    case SDLK_UP: tank.AddMoveForward(); return true;
    case SDLK_DOWN: tank.AddMoveBack(); return true;
    case SDLK_LEFT: tank.AddTurn(false); return true;
    case SDLK_RIGHT: tank.AddTurn(true); return true;
    case SDLK_w: tank.AddWait(); return true;
    case SDLK_f: tank.AddFire(); return true;
    case SDLK_BACKSPACE: tank.RemoveLastCommand(); return true;
    case SDLK_DELETE: tank.ClearCommands(); return true;
    default: return false;
  }
}

void CGameWorld::OnMouseButton(std::uint8_t button, bool pressed, std::uint16_t x, std::uint16_t y) {
  if (!pressed || m_Replay) return;
  MarkStaticLayersDirty();
  m_RestartAskMs = 0;  // a click keeps the game
  if (m_Mode == mc_modeStartScreen) {
    if (button == kLeftButton) OnStartScreenClick(x, y);
    return;
  }
  if (m_ShowHelp) {
    m_ShowHelp = false;
    return;
  }
  if (m_Watch) return;
  if (button == kRightButton) {
    if (!m_Executing && IsSelectionValid()) GetSelectedTank()->ClearCommands();
  } else if (button == kLeftButton) {
    if (!m_Executing) OnBattleClick(x, y);
  }
}

void CGameWorld::OnStartScreenClick(std::uint16_t x, std::uint16_t y) {
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
  } else if (StartScreenControls::mc_mapLess.Contains(x, yy)) {
    StepBattlefield(-1);
  } else if (StartScreenControls::mc_mapMore.Contains(x, yy)) {
    StepBattlefield(1);
  } else if (StartScreenControls::mc_start.Contains(x, yy)) {
    StartPlay();
  } else if (m_CanContinue && StartScreenControls::mc_continue.Contains(x, yy)) {
    ContinueGame();
  }
}

void CGameWorld::StepTeamSize(std::uint32_t team, bool larger) {
  std::uint32_t& size = m_TeamSize[team];
  if (larger && size < mc_maxTeamSize) ++size;
  if (!larger && size > mc_minTeamSize) --size;
  m_GameEngine->GetSettings().Set(team == 0 ? kv::kGreenTeamSize : kv::kBlueTeamSize, static_cast<int>(size));
}

void CGameWorld::StepDifficulty(bool forward) {
  m_Difficulty = NextDifficulty(m_Difficulty, forward);
  m_GameEngine->GetSettings().Set(kv::kComputer, static_cast<int>(m_Difficulty));
}

void CGameWorld::OnBattleClick(std::uint16_t x, std::uint16_t y) {
  const std::int32_t yy = kWindowHeight - y;
  const TeamSlots& slots = m_TeamTanks[m_PlayerTeam];
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (RosterLayout::SlotBox(i).Contains(x, yy)) {
      SelectSlot(static_cast<std::uint32_t>(i) + 1);
      return;
    }
  }
  const std::int32_t column = CellUnder(x - ScreenLayout::mc_mapLeft);
  const std::int32_t row = CellUnder(kMapBottomInWindow - y);
  // A click on one of the player's own tanks selects it; any other cell,
  // an enemy's included, is where the selected tank should go.
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i] && slots[i]->GetX() == column && slots[i]->GetY() == row) {
      SelectSlot(static_cast<std::uint32_t>(i) + 1);
      return;
    }
  }
  // A click that gives no path (a wall, an enclosed cell, the margin) keeps
  // the plan and says so where it was.
  if (IsSelectionValid() && !PlotPath(*GetSelectedTank(), column, row)) {
    m_NoPathMs = mc_noPathMarkMs;
    m_NoPathX = x;
    m_NoPathY = yy;
  }
}

bool CGameWorld::PlotPath(CTank& tank, std::int32_t column, std::int32_t row) {
  if (column < 0 || row < 0 || static_cast<std::uint32_t>(column) >= m_Map.GetWidth() ||
      static_cast<std::uint32_t>(row) >= m_Map.GetHeight()) {
    return false;
  }
  const TankState& state = tank.GetState();
  const PathNode start{state.x, state.y, HeadingIndex(state.dx, state.dy)};
  // Walls are avoided.
  m_PathFinder.Start(start, PathNode{column, row, kAnyHeading}, true);
  while (m_PathFinder.IsActive()) m_PathFinder.Update();
  if (!m_PathFinder.IsFound()) return false;
  tank.SetPath(m_PathFinder);
  return true;
}

bool CGameWorld::IsSelectionValid() const { return GetSelectedTank() != nullptr; }

CTank* CGameWorld::GetSelectedTank() const {
  const TeamSlots& slots = m_TeamTanks[m_PlayerTeam];
  if (m_Selected == 0 || m_Selected > slots.size()) return nullptr;
  return slots[m_Selected - 1];
}

void CGameWorld::SelectSlot(std::uint32_t n) {
  if (CTank* selected = GetSelectedTank()) selected->SetSelected(false);
  const TeamSlots& slots = m_TeamTanks[m_PlayerTeam];
  if (n >= 1 && n <= slots.size() && slots[n - 1]) {
    m_Selected = n;
    slots[n - 1]->SetSelected(true);
  } else {
    m_Selected = 0;
  }
}
