#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ai/Difficulty.h"
#include "map/CBattlefieldList.h"
#include "record/CGame.h"
#include "record/CRecordFolder.h"
#include "record/CTurnClock.h"
#include "screen/CBattleScreen.h"
#include "screen/CGameTally.h"
#include "screen/Motion.h"

class CAsyncFileWriter;
class CMap;
class CReplayScreen;
class CSettings;
class CWatchScreen;

// The player's session, from the start screen to a game and back: the
// choices on the start screen (team sizes, the computer's level, the
// battlefield, the pace of turns, remembered in the settings), the game in
// play with its battle screen, its pace and its figures, the records (the
// autosave after every turn, Continue, the history), the last turn watched
// again and a whole game watched in a replay. It takes the player's keys
// and clicks and the time, and draws the picture.
class CGameSession {
 public:
  static constexpr std::uint32_t mc_modeStartScreen = 0;
  static constexpr std::uint32_t mc_modePlay = 1;
  // How long a first 'R' in a game in progress waits for the second.
  static constexpr std::uint32_t mc_restartAskMs = 3000;
  // How long a short answer to a key shows ("Nothing to watch yet").
  static constexpr std::uint32_t mc_noticeMs = 2500;

  // The settings remember the start screen's choices and the sound; the
  // writer does the records' disk work. Both must outlive the session.
  CGameSession(CSettings& settings, CAsyncFileWriter& writer);
  ~CGameSession();
  CGameSession(const CGameSession&) = delete;
  CGameSession& operator=(const CGameSession&) = delete;

  // New games fill their random tables from this seed and the ones after it
  // (the program takes the time; tests a fixed number).
  void SetSeed(std::uint32_t seed) { m_seed = seed; }
  // Takes the start screen's choices the player made in an earlier run from the settings.
  void RestoreChoices();
  // Sets up a game on the chosen battlefield behind whatever shows, and
  // shows it as the start screen's picture; the mode stays.
  void NewGame();
  // Loads the chosen battlefield for the start screen's picture (and its
  // problem line) without setting a game up.
  void PreviewBattlefield();
  // Removes the game and returns to the start screen. Choices stay.
  void ClearGame();
  // The player asked to quit (Escape on the start screen).
  bool WantsToQuit() const { return m_quit; }

  // A key was pressed (pressed = true) or released; sym is the SDL 1.2 key symbol.
  void OnKey(int sym, bool pressed);
  // A mouse button was pressed or released at window point (x, y), origin top-left.
  void OnMouseButton(std::uint8_t button, bool pressed, std::uint16_t x, std::uint16_t y);
  // Advances the game by at most one 16 ms tick; time not used is kept.
  void Update(std::uint32_t elapsedMs);
  // How the picture moves while no input comes.
  Motion GetMotion() const;
  // Time handed over and not yet used by a tick.
  std::uint32_t GetAccumulator() const;
  // Draws the picture: the start screen, the battle, the turn watched again or the replay.
  void Render();

  // The start screen's choices.
  void SetTeamSize(std::uint32_t team, std::uint32_t size);
  std::uint32_t GetTeamSize(std::uint32_t team) const;
  // How the computer plans the next game; Normal unless changed.
  void SetDifficulty(Difficulty level) { m_level = level; }
  Difficulty GetDifficulty() const { return m_level; }
  // The battlefield file a new game reads: a shipped one, or else a file of
  // the player's own, which joins the start screen's choice.
  void SetMapFile(const std::string& path) { m_battlefields.ChooseFile(path); }
  const std::string& GetMapFile() const { return m_battlefields.GetFile(); }
  const CBattlefieldList& GetBattlefields() const { return m_battlefields; }
  CBattlefieldList& GetBattlefields() { return m_battlefields; }
  // The start screen's '<' and '>': the previous or next battlefield, set up
  // at once behind the start screen so that its picture shows.
  void StepBattlefield(int direction);
  // Why the chosen battlefield could not be played, naming it, when the
  // default is played instead, or what makes the one played one-sided;
  // empty otherwise.
  const std::string& GetMapProblem() const { return m_mapProblem; }
  // The battlefield a new game would be played on, as the start screen
  // shows it; null until PreviewBattlefield or NewGame loaded it.
  const CMap* GetPreview() const { return m_hasPreview ? &m_preview : nullptr; }
  // The live turn's pace, remembered; display time only.
  TurnPace GetPace() const { return m_clock.GetPace(); }
  std::uint32_t GetMode() const { return m_mode; }
  CGame& GetGame() { return m_game; }
  const CGame& GetGame() const { return m_game; }
  CGameWorld& GetMatch() { return m_game.Match(); }
  const CGameWorld& GetMatch() const { return m_game.Match(); }
  CBattleScreen& GetScreen() { return m_screen; }
  const CBattleScreen& GetScreen() const { return m_screen; }
  const CTurnClock& GetClock() const { return m_clock; }
  // Whatever shows is to draw its static layers anew (CBattleScreen::MarkDirty).
  void MarkDirty();
  // A first 'R' waits for the second.
  bool IsRestartAsked() const { return m_restartAskMs > 0; }

  // Where records are kept; an empty folder (the default) keeps none. Looks
  // for an autosave to continue and checks it (CheckSavedGame).
  void SetRecordFolder(const std::string& folder);
  // The same without the check, which can wait for the first frame: Continue
  // is offered when an autosave is there.
  void UseRecordFolder(const std::string& folder);
  // Reads the autosave: an unreadable one is moved aside with a line for the
  // start screen, a readable one is described for Continue. Nothing while a
  // game played in this run owns the autosave.
  void CheckSavedGame();
  // What Continue brings back: "Borderland, turn 7, Normal, 3 v 3" (a
  // battlefield that is not in the list by its size, "19 x 16"); empty
  // before the check or when there is nothing to continue.
  const std::string& GetContinueText() const { return m_continueText; }
  const CRecordFolder& GetRecordFolder() const { return m_recordFolder; }
  // The player leaves the game (start screen or quit): the autosave keeps it
  // with the plans in progress, or with the turn under way, which Space
  // committed.
  void SaveForLater();
  // The start screen offers to continue the autosaved game.
  bool CanContinue() const { return m_canContinue; }
  // Brings the autosave back to the planning screen as it was left: its
  // turns replayed (and checked against its snapshot), or, when they are of
  // other rules or no longer replay, its snapshot put back; a turn under way
  // is then played to its end at once. False (the autosave moved aside, and
  // a line for the start screen) when it cannot.
  bool ContinueGame();
  // One line about the records for the player: a refused record, or that
  // games cannot be saved. Empty when there is nothing to say.
  const std::string& GetRecordMessage() const { return m_recordMessage; }
  // The last turn is being shown again.
  bool IsWatching() const { return m_watch != nullptr; }
  const CWatchScreen* GetWatch() const { return m_watch.get(); }
  // Watching a whole game again: a record file, or the game just finished
  // (from the game-over screen). A record that does not play to its
  // checksums in this build is refused: false, and the record message names
  // the file and the first turn that disagrees.
  bool OpenReplay(const std::string& path);
  bool WatchGame();
  // Leaves the replay for the screen it was opened from.
  void CloseReplay();
  // The figures of the game in play, for its summary once it is over.
  const CGameTally& GetTally() const { return m_tally; }
  // The game in play is over: the whole battlefield and its summary show.
  bool IsGameOverShown() const { return m_overShown; }
  // The short answer to a key showing now, or empty.
  const char* GetNotice() const { return m_noticeMs > 0 ? m_notice : ""; }
  // The replay shown, or null.
  const CReplayScreen* GetReplay() const { return m_replay.get(); }
  CReplayScreen* GetReplay() { return m_replay.get(); }

 private:
  // The chosen battlefield into `map`, or the default with a reason when it cannot hold the game.
  void LoadBattlefield(CMap& map);
  // Writes the reason the chosen battlefield is not played to standard error, unless already said.
  void SayMapProblem();
  // Clears the game, sets up a new one in play and saves it as the autosave;
  // an unfinished game in the autosave goes into the history first.
  void StartPlay();
  // 'R' in play: a new game on the same battlefield, with the same team
  // sizes and level as the game played, in play and autosaved.
  void RestartPlay();
  // A new game on the battlefield with these sizes and level, behind
  // whatever shows: a clean screen, clock and tally; the mode stays.
  void SetUpGame(const CMap& battlefield, std::uint32_t green, std::uint32_t blue, Difficulty level);
  // Makes `battlefield` the game in play with these sizes and level, saved.
  void PlayNew(const CMap& battlefield, std::uint32_t green, std::uint32_t blue, Difficulty level);
  // The game in play has just ended: its figures are complete, and the
  // whole battlefield shows with its summary.
  void ShowGameOver();
  // Shows a short answer to a key for a while.
  void Notice(const char* text);
  // Space: the turn begins, committed in the autosave.
  void StartTurn();
  // A turn of the record closed: the autosave, or the history for a finished game.
  void SaveTurn();
  void StartWatching();
  void StopWatching();
  bool StartReplay(CGameRecord record, const std::string& name);
  // Sound on or off, remembered.
  void ToggleSound();
  // Changes a team's size by one within 1 to 10 and remembers it.
  void StepTeamSize(std::uint32_t team, bool larger);
  // Steps the computer's level through the list and remembers it.
  void StepDifficulty(bool forward);
  // Steps the live turn's pace, slow, normal, fast, and remembers it.
  void StepPace(bool faster);
  void OnStartScreenKey(int sym);
  void OnPlayKey(int sym, bool restartAsked);
  void OnStartScreenClick(std::uint16_t x, std::uint16_t y);
  void OnBattleClick(std::uint16_t x, std::uint16_t y);
  // A command key for the selected tank; false when the key gives none.
  bool GiveCommand(CTank& tank, int sym);
  // Replaces the tank's plan by a path to the cell; false (the plan kept) when there is none.
  bool PlotPath(CTank& tank, std::int32_t column, std::int32_t row);

  CSettings& m_settings;                      // the remembered choices
  std::uint32_t m_mode = mc_modeStartScreen;  // start screen or in play
  bool m_quit = false;                        // Escape on the start screen
  std::uint32_t m_seed = 1;                   // the next game's random seed
  std::uint32_t m_teamSize[CMap::mc_numTeams] = {3, 3};  // the tanks a new game creates per team
  Difficulty m_level = Difficulty::Normal;    // how the computer plans a new game
  CBattlefieldList m_battlefields;            // the battlefields to choose from and the chosen one
  std::string m_mapProblem;                   // why the chosen battlefield is not played, or empty
  std::string m_mapProblemSaid;               // the last such reason written to standard error
  CMap m_preview;                             // the chosen battlefield, for the start screen's picture
  bool m_hasPreview = false;                  // m_preview is loaded
  CGame m_game;                               // the game behind the start screen or in play
  CBattleScreen m_screen;                     // how the game in play is shown
  CTurnClock m_clock;                         // its pace
  std::uint32_t m_restartAskMs = 0;           // ms left for a second 'R' to restart; 0: not asked
  CRecordFolder m_recordFolder;               // where records are kept
  bool m_saving = false;                      // the player plays this game: it is autosaved
  bool m_canContinue = false;                 // an unfinished autosave waits
  std::string m_recordMessage;                // a line about records for the player
  std::string m_continueText;                 // what Continue brings back, once checked
  CGameTally m_tally;                         // the figures of the game in play
  bool m_tallyFromRecord = false;             // the game was brought back: its record gives its figures at its end
  bool m_overShown = false;                   // the game in play ended and shows its summary
  const char* m_notice = "";                  // a short answer to a key
  std::uint32_t m_noticeMs = 0;               // ms it still shows
  std::unique_ptr<CWatchScreen> m_watch;      // the last turn played again, or null
  std::unique_ptr<CReplayScreen> m_replay;    // a whole game watched again, or null
};
