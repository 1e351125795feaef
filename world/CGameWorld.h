#pragma once

#include <cstdint>
#include <vector>

#include "map/CMap.h"
#include "units/CTank.h"
#include "units/CTankArena.h"
#include "world/CCombatLog.h"
#include "core/CRandomTable.h"
#include "world/CTankOrder.h"
#include "world/CTankSlots.h"
#include "world/MatchEvent.h"
#include "world/MatchTally.h"

// The match: the battlefield, both teams' tanks and what each team sees, the
// turn in its four steps, the centre count and the end of the game. Rules
// only: it draws nothing, plays nothing, reads no file and no clock, and
// plans for nobody (the computer fills Blue's queues from outside). It tells
// what happened through its events, which screens and sound read.
//
// A match is a value: a copy plays on exactly as the original would, and
// assigning one match over another of the same size allocates nothing, so a
// planner can try a turn out thousands of times.
//
// Green (team 0) is the player's team, Blue (team 1) the computer's.
class CGameWorld final : private CTankArena {
 public:
  static constexpr std::uint32_t mc_minTeamSize = 1;
  static constexpr std::uint32_t mc_maxTeamSize = 10;
  // Consecutive turn ends holding the centre cell that win; also the count
  // that marks a finished game.
  static constexpr std::uint32_t mc_victoryHold = 10;
  static constexpr std::int32_t mc_turnSteps = 4;
  // The team whose knowledge the combat log keeps: Green, the player's.
  static constexpr std::uint32_t mc_playerTeam = 0;

  CGameWorld();
  CGameWorld(const CGameWorld& other);
  CGameWorld& operator=(const CGameWorld& other) = default;

  // A new match on the battlefield: the tanks of any earlier one go; Green's
  // stand on their start cells facing up, Blue's on theirs facing down; both
  // teams see from them; turn 1. The random table stays as it is.
  void SetUp(const CMap& battlefield, std::uint32_t greenTanks, std::uint32_t blueTanks);
  // Every tank and the turn, count and log go; the battlefield stays.
  void Clear();
  // Creates a tank of the team with the state, appends it to the list and
  // counts it alive; it takes the team's next slot, or the given one (a game
  // brought back), the slots before it that hold no tank counting as
  // destroyed tanks'. Tests neither walls nor other tanks. A slot taken, or
  // more than mc_maxTanksPerTeam slots for a team, stops the program.
  CTank* AddTank(std::uint32_t team, const TankState& state, std::int32_t slot = -1);

  CMap& GetMap() { return m_map; }
  const CMap& GetMap() const override { return m_map; }
  // Where the match's random draws come from (the computer's choices).
  CRandomTable& GetRandom() { return m_random; }
  const CRandomTable& GetRandom() const { return m_random; }

  // Space: the turn begins. False, and nothing happens, while one runs or
  // once the game is over.
  bool StartTurn();
  // One step of the turn under way: every tank once, those about to fire
  // first; then the destroyed tanks go and both teams' sight is refreshed.
  void RunStep();
  // After the fourth step: the centre count and the elimination are
  // settled and the next turn is planned for.
  void EndTurn();
  // A won or tied game ends the turn under way; true when it stopped one.
  bool StopIfFinished();
  bool IsExecuting() const { return m_executing; }
  std::int32_t GetStepsDone() const { return m_stepsDone; }
  // The turn being planned or played, from 1.
  std::uint32_t GetTurn() const { return m_turn; }

  // The team's slots (CTankSlots); a team other than 0 or 1 stops the program.
  CTankSlots<const CTank> GetTeamTanks(std::uint32_t team) const;
  CTankSlots<CTank> GetTeamTanks(std::uint32_t team);
  // Every tank on the battlefield in list order.
  CTankOrder GetTanks() const { return CTankOrder(m_order, m_tanks[0].data(), m_tanks[1].data()); }
  std::int32_t GetAliveCount(std::uint32_t team) const;
  // A tank stands on (x, y) whose team is not exceptTeam (CTank::mc_noTeam: any tank).
  bool IsTankAt(std::int32_t x, std::int32_t y, std::int32_t exceptTeam) const override;
  // The team sees the tank: one of its own, or one on a cell it sees.
  bool TeamKnows(std::uint32_t team, const CTank& tank) const;
  // The team's living tanks as far as the player's team knows: its own all,
  // the other's all but those it saw destroyed.
  std::int32_t GetKnownAlive(std::uint32_t team) const;
  // Both teams' sight from every tank's cell and heading.
  void RefreshVisibility();

  std::int32_t GetHillTeam() const { return m_hillTeam; }
  std::uint32_t GetHillCount() const { return m_hillCount; }
  // The counts of the game so far: each team's slots, the turn, the centre's
  // holder and count, the tanks the player's team saw destroyed. A game
  // brought back takes them as they were, its tanks added first: slots
  // beyond the last tank's stay empty (destroyed tanks'), none goes.
  MatchTally GetTally() const;
  void SetTally(const MatchTally& tally);
  // The game goes on: nobody has won and it is no tie.
  bool IsInProgress() const { return !IsGameOver() && !IsTie(); }
  // A team has won: by holding the centre cell or by eliminating the other.
  bool IsGameOver() const { return m_hillCount >= mc_victoryHold; }
  // Neither team has a tank left: both lost their last ones (or no game is set up).
  bool IsTie() const { return m_aliveCount[0] == 0 && m_aliveCount[1] == 0; }
  // What the player's team saw in the last turn played.
  const CCombatLog& GetLog() const { return m_log; }

  // What happened since the events were last cleared, oldest first.
  const std::vector<MatchEvent>& GetEvents() const { return m_events; }
  void ClearEvents() { m_events.clear(); }

 private:
  static constexpr std::uint32_t mc_numTeams = CMap::mc_numTeams;
  // Tanks a team may have at most, tests' battles included.
  static constexpr std::uint32_t mc_maxTanksPerTeam = 32;

  // The tanks reach the match through these while they take their steps.
  void ShellLands(const CTank& shooter, std::int32_t x, std::int32_t y) override;
  void TankMoved(const CTank& tank) override;
  void TankRepaired(const CTank& tank, std::int32_t amount) override;

  CTank& TankOf(std::uint16_t id) { return m_tanks[id >> 8][id & 0xFF]; }
  // The first tank standing on (x, y) takes a shell travelling along heading
  // index `shot`, fired by shooter. What the player's team sees of it goes
  // into the log.
  void HitTankAt(std::int32_t x, std::int32_t y, std::int32_t shot, const CTank& shooter);
  void RemoveDestroyedTanks();
  void Note(const MatchEvent& event) { m_events.push_back(event); }

  CMap m_map;                                       // the battlefield and both teams' sight
  std::vector<CTank> m_tanks[mc_numTeams];          // per team, its tanks by slot, destroyed ones too
  std::vector<std::uint8_t> m_present[mc_numTeams]; // per team and slot, 1 while the tank is on the battlefield
  std::vector<std::uint16_t> m_order;               // the tanks on the battlefield in list order (team * 256 + slot)
  std::int32_t m_aliveCount[mc_numTeams] = {};      // per team, its tanks on the battlefield
  std::int32_t m_seenDestroyed[mc_numTeams] = {};   // per team, its tanks the player's team saw destroyed
  bool m_executing = false;                         // a turn is being carried out
  std::int32_t m_stepsDone = 0;                     // steps run in the current turn
  std::uint32_t m_turn = 1;                         // the turn being planned or played
  std::int32_t m_hillTeam = 0;                      // team that held the centre cell at the last turn end
  std::uint32_t m_hillCount = 0;                    // consecutive turn ends it held it; 10: it has won
  CCombatLog m_log;                                 // what the player's team saw in the last turn played
  CRandomTable m_random;                            // the match's random draws
  std::vector<MatchEvent> m_events;                 // what happened, for screens and sound
};
