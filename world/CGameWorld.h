#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ai/CJamWatch.h"
#include "map/Battlefield.h"
#include "map/CBattlefieldList.h"
#include "map/CFieldOfView.h"
#include "map/CMap.h"
#include "units/CPathFinder.h"
#include "world/BattleView.h"
#include "world/Difficulty.h"
#include "world/CGameRecord.h"
#include "world/CRecordFolder.h"
#include "units/TankHit.h"
#include "world/CCombatLog.h"

class CGameEngine;
class CHardPlanner;
class CReplay;
class CTank;
struct CEffect;
struct TankState;

// The game itself: the battlefield, the tanks of both teams and the effects of
// their shots, the state of the game flow from the start screen to victory,
// the execution of turns in timed steps and the player's keys and clicks.
//
// Green (team 0) is the player's team, Blue (team 1) the computer's. A game
// lives from NewGame to the next ClearGame; the world lives as long as the
// engine that holds it.
class CGameWorld {
 public:
  static constexpr std::uint32_t mc_numTeams = CMap::mc_numTeams;
  static constexpr std::uint32_t mc_minTeamSize = 1;
  static constexpr std::uint32_t mc_maxTeamSize = 10;
  static constexpr std::uint32_t mc_modeStartScreen = 0;
  static constexpr std::uint32_t mc_modePlay = 1;
  // Consecutive turn ends holding the centre cell that win; also the count
  // that marks a finished game.
  static constexpr std::uint32_t mc_victoryHold = 10;
  static constexpr std::int32_t mc_turnSteps = 4;
  static constexpr std::uint32_t mc_tickMs = 16;
  static constexpr std::uint32_t mc_stepIntervalMs = 300;
  // How long a first 'R' in a game in progress waits for the second.
  static constexpr std::uint32_t mc_restartAskMs = 3000;
  // How long the mark of a click that gave no path shows.
  static constexpr std::uint32_t mc_noPathMarkMs = 1200;

  // Every living tank of both teams; owned.
  using TankList = std::vector<std::unique_ptr<CTank>>;
  // One slot per tank created for a team, null once the tank is destroyed.
  using TeamSlots = std::vector<CTank*>;
  using EffectList = std::vector<std::unique_ptr<CEffect>>;

  explicit CGameWorld(CGameEngine* engine);
  ~CGameWorld();
  CGameWorld(const CGameWorld&) = delete;
  CGameWorld& operator=(const CGameWorld&) = delete;

  // Sets up a game: the map, both teams' tanks, Blue's objectives, the first
  // visibility and the computer's first plan. The mode stays as it is.
  void NewGame();
  // Removes the game (tanks, effects, turn and victory state) and returns to
  // the start screen. Team sizes and the map stay.
  void ClearGame();

  // Advances the game by at most one 16 ms tick; time not used is kept.
  void Update(std::uint32_t elapsedMs);
  // Draws the picture. The battlefield's static layers (tiles, fog, centre
  // and repair marks, the player's planned commands) come from the picture
  // kept of them as long as the static layers epoch has not changed.
  void Render();

  // How the picture moves while no input comes: not at all, only the pulse
  // of the selected tank, or with every tick (a turn runs, effects fade).
  enum class Motion { Still, Pulse, Moving };
  Motion GetMotion() const;
  // Anything that changes what the static layers show calls this: input,
  // steps, visibility, plans, selection, a new game. Epochs are unique
  // among all worlds, so one kept picture serves any of them.
  void MarkStaticLayersDirty();
  std::uint64_t GetStaticLayersEpoch() const { return m_StaticLayersEpoch; }
  // Whether the last battle frame of any world drew its static layers from
  // the kept picture rather than in full.
  static bool LastFrameDrewKeptLayers();
  // A key was pressed (pressed = true) or released; sym is the SDL 1.2 key symbol.
  void OnKey(int sym, bool pressed);
  // A mouse button was pressed or released at window point (x, y), origin top-left.
  void OnMouseButton(std::uint8_t button, bool pressed, std::uint16_t x, std::uint16_t y);

  // Creates a tank of the team with the state, appends it to the list of all
  // tanks and to the team's slots, and counts it alive. Tests neither walls
  // nor other tanks.
  CTank* AddTank(std::uint32_t team, const TankState& state);

  CMap& GetMap() { return m_Map; }
  const CMap& GetMap() const { return m_Map; }
  // A tank stands on (x, y) whose team is not exceptTeam (CTank::mc_noTeam: any tank).
  bool IsTankAt(std::int32_t x, std::int32_t y, std::int32_t exceptTeam) const;
  // The first tank standing on (x, y) takes a shell travelling at angle
  // degrees, fired by shooter (null: by nobody known). What the player's team
  // sees of it goes into the log and onto the battlefield.
  void HitTankAt(std::int32_t x, std::int32_t y, float angle, const CTank* shooter = nullptr);
  // The tank regained hit points on a repair cell.
  void NoteRepair(const CTank& tank, std::int32_t amount);
  // The player's team sees the tank: one of its own, or one on a cell it sees.
  bool PlayerKnows(const CTank& tank) const;
  // The team sees the tank: one of its own, or one on a cell it sees.
  bool TeamKnows(std::uint32_t team, const CTank& tank) const;
  // Whose fog the battlefield is drawn with; the player's team's unless changed.
  void SetView(BattleView view);
  BattleView GetView() const { return m_View; }
  // The battlefield shows the tank in the view.
  bool Shows(const CTank& tank) const;
  // The computer's threat and attack layers drawn over the battlefield.
  void SetThreatLens(bool shown);
  bool IsThreatLensShown() const { return m_ThreatLens; }
  // (1, height - 2) and (width - 2, 1).
  bool IsRepairCell(std::int32_t x, std::int32_t y) const;
  // The centre cell, with any heading.
  PathNode GetCentreGoal() const;

  // The computer's turn planning for a team: its threat and vulnerability
  // layers first, then every living tank of the team in slot order.
  void PlanComputerTeam(int team);
  // Rebuilds the computer's threat and vulnerability layers.
  void UpdateThreatMaps();
  // Plans one computer tank's commands for the coming turn.
  void PlanTankTurn(CTank& tank);

  // Both teams' visibility layers from every tank's cell and field of view.
  void RefreshVisibility();
  // Shows a shot between two points of map drawing space: a puff every 32
  // pixels along it, a muzzle flash near the start and an impact near the end.
  void SpawnShotEffects(float fromX, float fromY, float toX, float toY);
  // Starts the looping engine sound unless it plays already.
  void StartEngineSound();
  // Fades the engine sound out, if it plays.
  void StopEngineSound();

  // The battlefield file a new game reads: a shipped one, or else a file of
  // the player's own, which joins the start screen's choice.
  void SetMapFile(const std::string& path) { m_Battlefields.ChooseFile(path); }
  const std::string& GetMapFile() const { return m_Battlefields.GetFile(); }
  // The battlefields to choose from and the chosen one.
  CBattlefieldList& GetBattlefields() { return m_Battlefields; }
  const CBattlefieldList& GetBattlefields() const { return m_Battlefields; }
  // The start screen's '<' and '>': the previous or next battlefield, set up
  // at once behind the start screen so that its picture shows.
  void StepBattlefield(int direction);
  // Why the chosen battlefield could not be played, naming it, when the
  // default is played instead; empty otherwise.
  const std::string& GetMapProblem() const { return m_MapProblem; }
  // The cell the computer's goal table row (0 to 5) stands for on this battlefield.
  const MapCell& GetGoalCell(std::uint32_t row) const;
  // The number of tanks a new game creates for the team, 1 to 10.
  void SetTeamSize(std::uint32_t team, std::uint32_t size);
  // How the computer plans Blue from the next turn end on; Normal unless changed.
  void SetDifficulty(Difficulty level) { m_Difficulty = level; }
  Difficulty GetDifficulty() const { return m_Difficulty; }
  // The Hard level's planner, with what it remembers of Green.
  const CHardPlanner& GetHardPlanner() const { return *m_HardPlanner; }
  // Takes the start screen's choices the player made in an earlier run from
  // the engine's settings.
  void RestoreChoices();

  // Read access for the renderer, the planner and tests.
  std::uint32_t GetAccumulator() const;
  const TankList& GetTanks() const { return m_Tanks; }
  const TeamSlots& GetTeamTanks(std::uint32_t team) const;
  std::int32_t GetAliveCount(std::uint32_t team) const;
  std::uint32_t GetTeamSize(std::uint32_t team) const;
  std::uint32_t GetSelected() const { return m_Selected; }
  // The selected tank, or null when the selection is empty or its tank destroyed.
  CTank* GetSelectedTank() const;
  std::uint32_t GetPlayerTeam() const { return m_PlayerTeam; }
  bool IsExecuting() const { return m_Executing; }
  std::int32_t GetStepsDone() const { return m_StepsDone; }
  std::uint32_t GetStepTimer() const { return m_StepTimer; }
  const EffectList& GetEffects() const { return m_Effects; }
  std::int32_t GetHillTeam() const { return m_HillTeam; }
  std::uint32_t GetHillCount() const { return m_HillCount; }
  // Sets the centre count as another battle's stands: the team that held the
  // centre at the last turn end and for how many turn ends in a row, for a
  // world that plays another's battle out with the teams swapped (the tests'
  // planners playing Green). A team out of range counts as Green, a count
  // over mc_victoryHold as mc_victoryHold.
  void SetCentreHold(std::int32_t team, std::uint32_t count);
  bool IsEnginePlaying() const { return m_EnginePlaying; }
  std::int32_t GetEngineChannel() const { return m_EngineChannel; }
  std::uint32_t GetMode() const { return m_Mode; }
  bool IsHelpShown() const { return m_ShowHelp; }
  // The turn being planned or played, from 1.
  std::uint32_t GetTurn() const { return m_Turn; }
  const CCombatLog& GetLog() const { return m_Log; }
  // The team's living tanks as far as the player's team knows: its own all,
  // the other's all but those it saw destroyed.
  std::int32_t GetKnownAlive(std::uint32_t team) const;
  // A first 'R' waits for the second.
  bool IsRestartAsked() const { return m_RestartAskMs > 0; }
  // Where a click gave no path, in drawing coordinates; false when no mark shows.
  bool GetNoPathMark(std::int32_t& x, std::int32_t& y) const;
  // The game goes on: nobody has won and it is no tie.
  bool IsInProgress() const { return !IsGameOver() && !IsTie(); }
  // A team has won: by holding the centre cell or by eliminating the other.
  bool IsGameOver() const { return m_HillCount >= mc_victoryHold; }
  // Neither team has a tank left: both lost their last ones (or no game is set up).
  bool IsTie() const { return m_AliveCount[0] == 0 && m_AliveCount[1] == 0; }

  // Game records. The record of the game in the world grows by a turn at
  // every Space and gets the world's checksum at the turn's end; games the
  // player plays are saved to the record folder after every turn end.

  // Where records are kept; an empty folder (the default) keeps none. Looks
  // for an autosave to continue; an unreadable one is moved aside.
  void SetRecordFolder(const std::string& folder);
  const CRecordFolder& GetRecordFolder() const { return m_RecordFolder; }
  const CGameRecord& GetRecord() const { return m_Record; }
  // Sets up the record's game and plays its first `turns` turns at once,
  // silently; then, if all turns were played, puts back the plans in
  // progress. False, with `error` naming the first turn that disagrees, when
  // the record does not replay to its checksums.
  bool ReplayRecord(const CGameRecord& record, std::size_t turns, std::string& error);
  // Gives Green's slots the queues: each keeps its first commands and gets
  // the added ones. False when they do not fit the tanks.
  bool ApplyQueues(const std::vector<RecordQueue>& queues);
  // Green's queues as they stand, in the record's form.
  std::vector<RecordQueue> CurrentQueues() const;
  // Gives Green the queues and runs the turn's four steps and its end at
  // once, without time, effects fading or drawing, as Space and the ticks
  // after it would; the record gets the turn. False when the queues do not
  // fit or the game is over.
  bool PlayTurnAtOnce(const std::vector<RecordQueue>& queues);
  // Gives Green the queues and starts the turn as Space does, to be run by
  // the ticks from its start (a turn watched again). False when they do not fit.
  bool StartRecordedTurn(const std::vector<RecordQueue>& queues);
  // The player leaves the game (start screen or quit): the autosave keeps it
  // with the plans in progress.
  void SaveForLater();
  // The start screen offers to continue the autosaved game.
  bool CanContinue() const { return m_CanContinue; }
  // Replays the autosave to the planning screen as it was left; false (and
  // a line for the start screen) when it cannot.
  bool ContinueGame();
  // One line about the records for the player: a refused record, or that
  // games cannot be saved. Empty when there is nothing to say.
  const std::string& GetRecordMessage() const { return m_RecordMessage; }
  // The last turn is being shown again.
  bool IsWatching() const { return m_Watch != nullptr; }

  // Watching a whole game again. A record that does not play to its
  // checksums in this build is refused: false, and the record message
  // names the file and the first turn that disagrees.
  bool OpenReplay(const std::string& path);
  // The game just finished, from the game-over screen.
  bool WatchGame();
  // Leaves the replay for the screen it was opened from.
  void CloseReplay();
  // The replay shown, or null.
  const CReplay* GetReplay() const { return m_Replay.get(); }
  // This world is a replay's: the help lists the replay's keys.
  bool IsReplayWorld() const { return m_InReplay; }

 private:
  // A replay runs its world's turns a step at a time.
  friend class CReplay;
  bool StartReplay(CGameRecord record, const std::string& name);

  // Removes tanks, effects, selection and the turn and victory state.
  void ReleaseGame();
  // Sends a computer tank jammed with another elsewhere: its queue is
  // dropped and its objective is another goal row.
  void DropRoute(std::size_t slot, CTank& tank);
  // Loads the chosen battlefield, or the default with a reason when it cannot hold the game.
  void LoadBattlefield();
  // Writes the reason the chosen battlefield is not played to standard error, unless already said.
  void SayMapProblem();
  void PlaceTeams();
  // On the loaded map: the record's start, both teams, visibility, Blue's plan.
  void SetUpGame();
  // Ends execution in a won or tied game.
  void StopFinishedGame();
  // Gives m_Vision the world's blocking test and reveal action.
  void ConnectVision();

  // One step of a turn: every tank once, those about to fire first.
  void RunStep();
  void RemoveDestroyedTanks();
  void EndTurn();
  void AddWreck(const CTank& tank);
  void AgeEffects();

  bool IsSelectionValid() const;
  // Selects the player's tank in slot n - 1, or nothing when there is none.
  void SelectSlot(std::uint32_t n);
  // Sound on or off, remembered.
  void ToggleSound();
  // A command key for the selected tank; false when sym is none.
  bool GiveCommand(CTank& tank, int sym);
  void OnStartScreenClick(std::uint16_t x, std::uint16_t y);
  // Changes a team's size by one within 1 to 10 and remembers it.
  void StepTeamSize(std::uint32_t team, bool larger);
  // Steps the computer's level through the list and remembers it.
  void StepDifficulty(bool forward);
  void OnBattleClick(std::uint16_t x, std::uint16_t y);
  // Replaces the tank's plan by a path to the cell; false (the plan kept) when
  // there is none.
  bool PlotPath(CTank& tank, std::int32_t column, std::int32_t row);
  // Slot + 1 of a tank in its team's slots; 0 when it has none.
  std::uint32_t SlotOf(const CTank& tank) const;
  // A floating loss of hit points over a tank the player sees, with an
  // explosion when it was destroyed.
  void SpawnHitEffects(const CTank& tank, std::int32_t damage, bool destroyed);
  // Wrecks held since they fell start to fade.
  void ReleaseWrecks();

  // Clears the game, sets up a new one in play and saves it as the autosave.
  void StartPlay();
  // A new game's record: the battlefield, sizes and the random table now.
  void BeginRecord();
  void RecordTurnStart();
  void RecordTurnEnd();
  void ExecuteTurnAtOnce();
  void StartWatching();
  void StopWatching();

  CGameEngine* m_GameEngine;                      // the engine; never null
  std::uint32_t m_Accumulator = 0;                // ms not yet used by 16 ms ticks
  CMap m_Map;                                     // the battlefield
  TankList m_Tanks;                               // every living tank, both teams; owned
  TeamSlots m_TeamTanks[mc_numTeams];             // per team, a slot per tank created, null once destroyed
  std::int32_t m_AliveCount[mc_numTeams] = {};    // per team, its living tanks
  std::uint32_t m_TeamSize[mc_numTeams] = {3, 3}; // per team, the tanks a new game creates
  std::uint32_t m_Selected = 0;                   // the player's selected tank as slot + 1; 0 none
  std::uint32_t m_PlayerTeam = 0;                 // the team the player commands and sees: Green
  bool m_Executing = false;                       // a turn is being carried out
  std::int32_t m_StepsDone = 0;                   // steps run in the current turn
  std::uint32_t m_StepTimer = 0;                  // ms until the next step
  EffectList m_Effects;                           // effects alive now; owned
  std::int32_t m_HillTeam = 0;                    // team that held the centre cell at the last turn end
  std::uint32_t m_HillCount = 0;                  // consecutive turn ends it held it; 10: it has won
  CFieldOfView m_Vision;                          // casts what a tank sees
  bool m_EnginePlaying = false;                   // the looping engine sound plays
  std::int32_t m_EngineChannel = -1;              // the mixer channel it plays on
  CPathFinder m_PathFinder;                       // plots the player's paths on m_Map
  std::uint32_t m_Mode = mc_modeStartScreen;      // start screen or in play
  bool m_ShowHelp = false;                        // the help panel is shown
  Difficulty m_Difficulty = Difficulty::Normal;   // which planner plans Blue
  std::unique_ptr<CHardPlanner> m_HardPlanner;    // the Hard planner, with its memory of the enemy
  std::uint64_t m_StaticLayersEpoch = 0;          // changes whenever the static layers' picture does
  CGameRecord m_Record;                           // the game in the world, turn by turn
  bool m_TurnOpen = false;                        // the record's last turn has begun, not ended
  bool m_Saving = false;                          // the player plays this game: it is autosaved
  CRecordFolder m_RecordFolder;                   // where records are kept
  bool m_CanContinue = false;                     // an unfinished autosave waits
  std::string m_RecordMessage;                    // a line about records for the player
  std::unique_ptr<CGameWorld> m_Watch;            // the last turn played again, or null
  std::uint32_t m_WatchCursor = 0;                // the random cursor to restore after it
  std::unique_ptr<CReplay> m_Replay;              // a whole game watched again, or null
  bool m_InReplay = false;                        // a replay shows this world
  BattleView m_View = BattleView::GreenFog;       // whose fog the battlefield is drawn with
  bool m_ThreatLens = false;                      // the computer's threat layers are drawn over it
  std::uint32_t m_Turn = 1;                       // the turn being planned or played
  CCombatLog m_Log;                               // what the player's team saw in the last turn played
  std::int32_t m_SeenDestroyed[mc_numTeams] = {}; // per team, its tanks the player's team saw destroyed
  std::uint32_t m_RestartAskMs = 0;               // ms left for a second 'R' to restart; 0: not asked
  std::uint32_t m_NoPathMs = 0;                   // ms left to show the no-path mark
  std::int32_t m_NoPathX = 0;                     // where that click was, drawing coordinates
  std::int32_t m_NoPathY = 0;
  CBattlefieldList m_Battlefields;                // the battlefields to choose from and the chosen one
  std::string m_MapProblem;                       // why the chosen battlefield is not played, or empty
  std::string m_MapProblemSaid;                   // the last such reason written to standard error
  MapCell m_GoalCells[kGoalRows - 1] = {};        // the goal table's cells on this battlefield
  CJamWatch m_JamWatch;                           // computer tanks jammed in a cycle, to give up their routes
};
