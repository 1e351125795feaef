#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ai/CComputerPlayer.h"
#include "record/CGameRecord.h"
#include "record/GameSnapshot.h"
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
  // Sets up the record's game (a new game's set-up, or the snapshot it
  // starts from) and plays its first `turns` turns at once (at most all of
  // them; a turn under way to its end); then, if all were played, puts back
  // the queues in progress. False, with `error` in words for the player, for
  // a record of other rules ("recorded with rules 3; this game plays rules
  // 4"), a battlefield a map file could not be, or turns that do not fit or
  // do not replay to their checksums (naming the first that disagrees).
  bool Replay(const CGameRecord& record, std::size_t turns, std::string& error);
  // The record's game at its last turn end, its turn under way and plans
  // left out: by its turns, checked against its snapshot, under the rules it
  // was played by; otherwise, or when its turns no longer play, from its
  // snapshot, the record then starting from it. False with `error` when
  // neither brings it back.
  bool Resume(const CGameRecord& record, std::string& error);
  // The game as it stands (GameSnapshot); Resume and a record's start take one back.
  GameSnapshot TakeSnapshot() const;
  // The record takes the game as it stands as its last turn end's snapshot,
  // before it is saved.
  void NoteSnapshot() { m_record.m_now = TakeSnapshot(); }

  // Space: Green's queues as they stand become the record's next turn, under
  // way, and the turn begins. False once the game is over or while a turn runs.
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
  bool IsTurnOpen() const { return m_record.m_openTurn; }

 private:
  // The record of a game just set up: the battlefield, sizes, level and the
  // random table before the first draw.
  void BeginRecord(std::uint32_t greenTanks, std::uint32_t blueTanks, Difficulty level);
  void RecordTurnStart();
  void RecordTurnEnd();
  // The record's battlefield into `battlefield`, checked as a map file is,
  // and its teams; false with `error` when a game cannot be played there.
  static bool LoadRecordedBattlefield(const CGameRecord& record, CMap& battlefield, std::string& error);
  // The record's game before its first turn: under this build's rules only,
  // or, with `anyRules`, under any (its checksums then say whether the turns
  // still play alike here).
  bool SetUpRecordedGame(const CGameRecord& record, std::string& error, bool anyRules = false);
  // Plays the record's first `turns` turns at once, each ended one checked.
  bool PlayRecordedTurns(const CGameRecord& record, std::size_t turns, std::string& error);
  // Sets up the snapshot's game on the record's battlefield (its sizes,
  // level and seed from the record); false with `error` for a tank or a
  // queue where none can be.
  bool RestoreSnapshot(const CGameRecord& record, const GameSnapshot& snapshot, std::string& error);

  CGameWorld m_match;          // the match played
  CComputerPlayer m_computer;  // Blue's player
  CGameRecord m_record;        // the game so far, turn by turn
};
