#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ai/CComputerPlayer.h"
#include "record/CGameRecord.h"
#include "world/CGameWorld.h"

class CMap;

// A game as it is played and recorded: the match, the computer that plans
// Blue at the start and at every turn end, and the record, which grows by a
// turn at every Space and takes the match's checksum when the turn ends. The
// live game, the last turn watched again, a replay and a saved game brought
// back are each one. A value: a copy plays on as the original would.
class CGame {
 public:
  // A new game on the battlefield with these team sizes (1 to 10) and level,
  // the match's random table filled from the seed: the tanks stand on their
  // start cells, Blue is planned, and the record begins.
  void New(const CMap& battlefield, std::uint32_t greenTanks, std::uint32_t blueTanks, Difficulty level,
           std::uint32_t seed);
  // Sets up the record's game and plays its first `turns` turns at once
  // (at most all of them); then, if all were played, puts back the plans in
  // progress. False, with `error` saying why (a battlefield that cannot hold
  // the teams, the first turn that does not fit or does not match), when the
  // record does not play in this game.
  bool Replay(const CGameRecord& record, std::size_t turns, std::string& error);

  // Space: Green's queues as they stand become the record's next turn and
  // the turn begins. False once the game is over or while a turn runs.
  bool StartTurn();
  // Gives Green the queues, then starts the turn as Space does; false when
  // they do not fit the tanks or no turn can start.
  bool StartRecordedTurn(const std::vector<RecordQueue>& queues);
  // One step of the turn under way.
  void RunStep();
  // The turn's end after its fourth step: the centre count and elimination,
  // Blue planned for the next turn unless the game is won, Green's queues
  // kept for it, the record's turn closed with the match's checksum.
  void EndTurn();
  // A won or tied game ends the turn under way; the record's turn closes at
  // the step it stopped in. True when it stopped one.
  bool StopIfFinished();
  // Gives Green the queues and plays the whole turn at once, as Space and the
  // steps after it would. False when they do not fit or the game is over.
  bool PlayTurnAtOnce(const std::vector<RecordQueue>& queues);

  // Gives Green's slots the queues: each keeps its first commands and gets
  // the added ones. False when they do not fit the tanks.
  bool ApplyQueues(const std::vector<RecordQueue>& queues);
  // Green's queues as they stand, in the record's form.
  std::vector<RecordQueue> CurrentQueues() const;

  CGameWorld& Match() { return m_match; }
  const CGameWorld& Match() const { return m_match; }
  CComputerPlayer& Computer() { return m_computer; }
  const CComputerPlayer& Computer() const { return m_computer; }
  const CGameRecord& Record() const { return m_record; }
  // The record's last turn has begun and not yet ended.
  bool IsTurnOpen() const { return m_turnOpen; }

 private:
  // The record of a game just set up: the battlefield, sizes, level and the
  // random table before the first draw.
  void BeginRecord(std::uint32_t greenTanks, std::uint32_t blueTanks, Difficulty level);
  void RecordTurnStart();
  void RecordTurnEnd();

  CGameWorld m_match;          // the match played
  CComputerPlayer m_computer;  // Blue's player
  CGameRecord m_record;        // the game so far, turn by turn
  bool m_turnOpen = false;     // the record's last turn has begun, not ended
};
