#pragma once

#include <cstdint>
#include <string>

#include "record/TurnPace.h"
#include "screen/BattleView.h"
#include "screen/CEffects.h"
#include "screen/CLastSeen.h"
#include "screen/CSoundCues.h"
#include "screen/KeyTable.h"

class CGame;
class CGameTally;
class CGameWorld;
class CTank;

// What the battle screen shows beside the game itself: the help panel's
// keys and the lines over the battlefield.
struct BattleHud {
  const KeyTable* m_keys = &kPlayKeys;      // the keys the help panel lists
  bool m_hint = true;                       // "Press F1 for help." under the battlefield
  bool m_offerWatch = false;                // "Press 'V' to watch the game" above it
  bool m_restartAsked = false;              // the question of a first 'R'
  const std::string* m_mapProblem = nullptr;  // why the chosen battlefield is not played, or null
  bool m_cannotSave = false;                // "Games cannot be saved."
  const CGameTally* m_summary = nullptr;    // a finished game's figures: its summary instead of the log
  const char* m_notice = "";                // a short answer to a key, over the battlefield, or empty
  bool m_playNotes = false;                 // the pace and "Sound off" under the battlefield (the live game)
  TurnPace m_pace = TurnPace::Normal;       // the live turn's pace
  bool m_soundOff = false;                  // sound is off
  std::uint32_t m_turn = 0;                 // the turn shown right of the battlefield; 0: the match's (ShownTurn)
};

// A game shown on the battle screen, as one player looks at it: its effects
// and sounds made from the match's events, whose fog it is seen through, the
// computer's threat lens, the selected tank, the help panel and the mark of
// a click that gave no path. The live game, the last turn watched again and
// a replay each have one.
class CBattleScreen {
 public:
  // How long the mark of a click that gave no path shows.
  static constexpr std::uint32_t mc_noPathMarkMs = 1200;

  CBattleScreen();

  // A new game shown: no effects, engines silent, nothing selected, no help,
  // no enemy remembered.
  void Reset();
  // Makes the effects and sounds of the match's events, and clears them;
  // learns where the player's team sees the enemy (CLastSeen).
  void Absorb(CGameWorld& match);
  // One tick of the game's clock: the effects fade.
  void Tick() { m_effects.Age(); }
  // Wall-clock time for the marks that run out.
  void Update(std::uint32_t elapsedMs);
  // The tanks the battlefield shows through the screen's fog.
  bool Shows(const CGameWorld& match, const CTank& tank) const;

  // The player's tank in slot n - 1 is selected, or nothing when it has none.
  void Select(const CGameWorld& match, std::uint32_t n);
  // The selected slot + 1; 0 for none.
  std::uint32_t GetSelected() const { return m_selected; }
  // The selected tank, or null when the selection is empty or its tank destroyed.
  CTank* GetSelectedTank(CGameWorld& match) const;
  const CTank* GetSelectedTank(const CGameWorld& match) const;

  void SetView(BattleView view);
  BattleView GetView() const { return m_view; }
  void SetThreatLens(bool shown);
  bool IsThreatLensShown() const { return m_lens; }
  void SetHelpShown(bool shown) { m_help = shown; }
  bool IsHelpShown() const { return m_help; }
  // Shows the no-path mark at (x, y), drawing coordinates, for a while.
  void MarkNoPath(std::int32_t x, std::int32_t y);
  // Where the mark stands; false when none shows.
  bool GetNoPathMark(std::int32_t& x, std::int32_t& y) const;
  bool IsNoPathMarkShown() const { return m_noPathMs > 0; }

  // The effects alive now, and their keeper.
  const std::vector<CEffect>& GetEffects() const { return m_effects.Get(); }
  const CEffects& Effects() const { return m_effects; }
  CEffects& Effects() { return m_effects; }
  // Where the player's team last saw the enemies out of its sight.
  const CLastSeen& GetLastSeen() const { return m_lastSeen; }
  const CSoundCues& GetSounds() const { return m_sounds; }
  CSoundCues& GetSounds() { return m_sounds; }

  // Anything that changes what the static layers show calls this: input,
  // steps, sight, plans, selection, a new game. Epochs are unique among all
  // screens, so one kept picture serves any of them.
  void MarkDirty();
  std::uint64_t GetEpoch() const { return m_epoch; }

  // Draws the battlefield and the heads-up display. The static layers
  // (tiles, fog, centre and repair marks, the lens, the player's planned
  // commands) come from the picture kept of them while the epoch stands.
  void Draw(const CGame& game, const BattleHud& hud) const;
  // Whether the last battle frame of any screen drew its static layers from
  // the kept picture rather than in full.
  static bool LastFrameDrewKeptLayers();

 private:
  CEffects m_effects;                       // effects alive now
  CSoundCues m_sounds;                      // engines and shots
  CLastSeen m_lastSeen;                     // the enemies out of sight, where last seen
  BattleView m_view = BattleView::GreenFog; // whose fog the battlefield is drawn with
  bool m_lens = false;                      // the computer's threat layers drawn over it
  bool m_help = false;                      // the help panel is shown
  std::uint32_t m_selected = 0;             // the player's selected tank as slot + 1; 0 none
  std::uint32_t m_noPathMs = 0;             // ms left to show the no-path mark
  std::int32_t m_noPathX = 0;               // where that click was, drawing coordinates
  std::int32_t m_noPathY = 0;
  std::uint64_t m_epoch = 0;                // changes whenever the static layers' picture does
};
