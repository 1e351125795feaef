#include <ctime>

#include "audio/SoundTable.h"
#include "engine/Assert.h"
#include "engine/TextFormat.h"
#include "map/Battlefield.h"
#include "units/CAction.h"
#include "units/CTank.h"
#include "world/CEffect.h"
#include "world/CGameWorld.h"
#include "world/CRandomTable.h"
#include "world/SnapshotText.h"
#include "world/WorldChecksum.h"

// The game's record: what it is made of as a game is played, how a record is
// played again unseen (to continue a game) or seen (to watch the last turn),
// and when it is saved.

namespace {

// Keeps sounds silent while a game is re-simulated, then puts them back.
class CSilence {
 public:
  CSilence() : m_wasMuted(SoundsMuted()) { MuteSounds(true); }
  ~CSilence() { MuteSounds(m_wasMuted); }
  CSilence(const CSilence&) = delete;
  CSilence& operator=(const CSilence&) = delete;

 private:
  bool m_wasMuted;  // sounds were muted before
};

// Two snapshots alike in every item they write.
bool SameSnapshots(const GameSnapshot& a, const GameSnapshot& b) {
  std::string textA;
  std::string textB;
  AppendSnapshotText(textA, "", a);
  AppendSnapshotText(textB, "", b);
  return textA == textB;
}

std::string MapText(const std::vector<std::string>& rows) {
  std::string text;
  for (const std::string& row : rows) {
    text += row;
    text += '\n';
  }
  return text;
}

}  // namespace

void CGameWorld::SetRecordFolder(const std::string& folder) {
  m_RecordFolder.SetFolder(folder);
  CGameRecord record;
  std::string error;
  m_CanContinue = m_RecordFolder.LoadAutosave(record, error);
  m_RecordMessage = error;
}

void CGameWorld::BeginRecord() {
  m_Record = CGameRecord{};
  const std::uint32_t width = m_Map.GetWidth();
  const std::uint32_t height = m_Map.GetHeight();
  for (std::uint32_t row = 0; row < height; ++row) {
    std::string cells(width, '.');
    for (std::uint32_t x = 0; x < width; ++x) {
      if (m_Map.IsWall(x, height - 1 - row)) cells[x] = '#';
    }
    m_Record.m_rows.push_back(std::move(cells));
  }
  // The goal marks travel with the cells, so the computer's goals replay.
  for (std::uint32_t row = 0; row < CMap::mc_goalMarks; ++row) {
    MapCell cell{};
    if (m_Map.GetGoalMark(row, cell)) {
      m_Record.m_rows[height - 1 - static_cast<std::uint32_t>(cell.y)][static_cast<std::size_t>(cell.x)] =
          static_cast<char>('1' + row);
    }
  }
  m_Record.m_teamSize[0] = m_TeamSize[0];
  m_Record.m_teamSize[1] = m_TeamSize[1];
  m_Record.m_difficulty = m_Difficulty;
  m_Record.m_seed = GetRandomTable().GetSeed();
  m_Record.m_cursor = GetRandomTable().GetCursor();
}

std::vector<RecordQueue> CGameWorld::CurrentQueues() const {
  std::vector<RecordQueue> queues;
  for (const CTank* tank : m_TeamTanks[0]) {
    RecordQueue queue;
    if (tank) {
      queue.m_kept = static_cast<std::uint32_t>(tank->GetKeptCommands());
      const CTank::CommandQueue& commands = tank->GetCommands();
      for (std::size_t i = queue.m_kept; i < commands.size(); ++i) queue.m_added += commands[i]->Letter();
    }
    queues.push_back(std::move(queue));
  }
  return queues;
}

bool CGameWorld::ApplyQueues(const std::vector<RecordQueue>& queues) {
  const TeamSlots& slots = m_TeamTanks[0];
  if (queues.size() != slots.size()) return false;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    CTank* tank = slots[i];
    const RecordQueue& queue = queues[i];
    if (!tank) {
      if (queue.m_kept != 0 || !queue.m_added.empty()) return false;
      continue;
    }
    if (queue.m_kept > tank->GetCommands().size()) return false;
    while (tank->GetCommands().size() > queue.m_kept) tank->RemoveLastCommand();
    for (const char letter : queue.m_added) {
      if (!tank->AddCommandLetter(letter)) return false;
    }
  }
  return true;
}

void CGameWorld::RecordTurnStart() {
  RecordTurn turn;
  turn.m_queues = CurrentQueues();
  m_Record.m_turns.push_back(std::move(turn));
  m_Record.m_hasPlans = false;
  m_Record.m_openTurn = true;
  // The turn is committed: a game left or killed from now on finishes it.
  if (m_Saving) m_RecordFolder.SaveAutosave(m_Record);
}

void CGameWorld::RecordTurnEnd() {
  // What is left in the queues is what the next turn's plans start from.
  for (CTank* tank : m_TeamTanks[0]) {
    if (tank) tank->KeepCommands();
  }
  if (!m_Record.m_openTurn) return;
  m_Record.m_openTurn = false;
  m_Record.m_turns.back().m_checksum = WorldChecksum(*this);
  if (!m_Saving) return;
  m_Record.m_now = TakeSnapshot();
  if (IsGameOver() || IsTie()) {
    m_RecordFolder.FinishGame(m_Record, std::time(nullptr));
    m_Saving = false;
  } else {
    m_RecordFolder.SaveAutosave(m_Record);
  }
  m_CanContinue = m_RecordFolder.HasAutosave();
}

bool CGameWorld::StartRecordedTurn(const std::vector<RecordQueue>& queues) {
  if (!ApplyQueues(queues)) return false;
  RecordTurnStart();
  m_Mode = mc_modePlay;
  m_Executing = true;
  // The first step after a step's interval: the turn is seen from its start.
  m_StepTimer = mc_stepIntervalMs;
  MarkStaticLayersDirty();
  return true;
}

bool CGameWorld::PlayTurnAtOnce(const std::vector<RecordQueue>& queues) {
  if (IsGameOver() || IsTie() || !ApplyQueues(queues)) return false;
  RecordTurnStart();
  ExecuteTurnAtOnce();
  return true;
}

void CGameWorld::ExecuteTurnAtOnce() {
  StopFinishedGame();
  if (IsGameOver() || IsTie()) return;
  m_Executing = true;
  while (m_Executing) {
    if (m_StepsDone >= mc_turnSteps) {
      EndTurn();
      break;
    }
    StopFinishedGame();
    if (m_Executing) RunStep();
  }
}

void CGameWorld::StopFinishedGame() {
  if (!IsGameOver() && !IsTie()) return;
  m_Executing = false;
  StopEngineSound();
  // A turn cut short by a tie has no turn end: its record ends here.
  RecordTurnEnd();
}

bool CGameWorld::LoadRecordedBattlefield(const CGameRecord& record, std::string& error) {
  ClearGame();
  const std::string map = MapText(record.m_rows);
  const bool loaded = m_Map.LoadFromMemory(reinterpret_cast<const unsigned char*>(map.data()), map.size());
  if (record.m_teamSize[0] < mc_minTeamSize || record.m_teamSize[0] > mc_maxTeamSize ||
      record.m_teamSize[1] < mc_minTeamSize || record.m_teamSize[1] > mc_maxTeamSize) {
    error = "its teams are not 1 to 10 tanks";
    return false;
  }
  // A record's battlefield is checked as a map file is.
  const char* problem =
      loaded ? BattlefieldProblem(m_Map, record.m_teamSize[0], record.m_teamSize[1]) : "it holds no cells";
  if (problem) {
    error = std::string("its battlefield cannot hold its teams: ") + problem;
    return false;
  }
  m_TeamSize[0] = record.m_teamSize[0];
  m_TeamSize[1] = record.m_teamSize[1];
  m_Difficulty = record.m_difficulty;
  GetRandomTable().Fill(record.m_seed);
  return true;
}

bool CGameWorld::SetUpRecordedGame(const CGameRecord& record, std::string& error) {
  char text[80];
  if (record.m_rules != kRulesVersion) {
    error = FormatText(text, sizeof text, "recorded with rules %u; this game plays rules %u", record.m_rules,
                       kRulesVersion);
    return false;
  }
  if (!LoadRecordedBattlefield(record, error)) return false;
  if (record.m_start) {
    if (!RestoreSnapshot(*record.m_start, error)) return false;
    m_Record.m_start = record.m_start;
    m_Record.m_cursor = record.m_cursor;
  } else {
    GetRandomTable().SetCursor(record.m_cursor);
    SetUpGame();
  }
  return true;
}

bool CGameWorld::PlayRecordedTurns(const CGameRecord& record, std::size_t turns, std::string& error) {
  char text[64];
  for (std::size_t i = 0; i < turns; ++i) {
    const RecordTurn& turn = record.m_turns[i];
    if (!PlayTurnAtOnce(turn.m_queues)) {
      error = FormatText(text, sizeof text, "turn %zu does not fit the game", i + 1);
      return false;
    }
    // The turn under way has no checksum yet.
    if (i < record.EndedTurns() && m_Record.m_turns.back().m_checksum != turn.m_checksum) {
      error = FormatText(text, sizeof text, "turn %zu does not match this game", i + 1);
      return false;
    }
  }
  m_Effects.clear();
  return true;
}

bool CGameWorld::ApplyPlans(const CGameRecord& record, std::string& error) {
  if (!ApplyQueues(record.m_plans)) {
    error = "the plans in progress do not fit the game";
    return false;
  }
  SelectSlot(record.m_selected);
  return true;
}

bool CGameWorld::ReplayRecord(const CGameRecord& record, std::size_t turns, std::string& error) {
  KV_ASSERT(turns <= record.m_turns.size());
  const CSilence silence;
  if (!SetUpRecordedGame(record, error) || !PlayRecordedTurns(record, turns, error)) return false;
  return turns < record.m_turns.size() || !record.m_hasPlans || ApplyPlans(record, error);
}

bool CGameWorld::ResumeRecord(const CGameRecord& record, std::string& error) {
  const CSilence silence;
  const std::size_t ended = record.EndedTurns();
  // Under the rules it was played by, the game is its turns, and the
  // snapshot must agree; under others, or if the turns no longer play, the
  // snapshot brings it back and the record starts again from it.
  const bool replayed = SetUpRecordedGame(record, error) && PlayRecordedTurns(record, ended, error);
  if (replayed && (!record.m_now || SameSnapshots(*record.m_now, TakeSnapshot()))) return true;
  std::string restoreError;
  if (record.m_now && LoadRecordedBattlefield(record, restoreError) && RestoreSnapshot(*record.m_now, restoreError)) {
    m_Record.m_start = record.m_now;
    return true;
  }
  // A snapshot this game cannot take back: the turns still bring the game back.
  if (replayed) return SetUpRecordedGame(record, error) && PlayRecordedTurns(record, ended, error);
  if (record.m_now && record.m_rules != kRulesVersion) error = restoreError;
  return false;
}

void CGameWorld::StartPlay() {
  ClearGame();
  NewGame();
  SayMapProblem();
  m_Mode = mc_modePlay;
  m_Saving = true;
  m_Record.m_now = TakeSnapshot();
  m_RecordFolder.SaveAutosave(m_Record);
  m_CanContinue = m_RecordFolder.HasAutosave();
}

bool CGameWorld::ContinueGame() {
  CGameRecord record;
  std::string error;
  if (!m_RecordFolder.LoadAutosave(record, error)) {
    m_CanContinue = false;
    m_RecordMessage = error;
    return false;
  }
  bool resumed = ResumeRecord(record, error);
  if (resumed) {
    m_Record.m_now = TakeSnapshot();
    m_Mode = mc_modePlay;
    m_Saving = true;
    if (record.m_openTurn) {
      // A turn committed with Space is finished, never planned again; its end saves the game.
      const CSilence silence;
      resumed = PlayTurnAtOnce(record.m_turns.back().m_queues);
      m_Effects.clear();
      if (!resumed) error = "its turn under way does not fit the game";
    } else if (record.m_hasPlans) {
      resumed = ApplyPlans(record, error);
    }
  }
  if (!resumed) {
    m_RecordFolder.SetAsideAutosave();
    m_CanContinue = false;
    m_RecordMessage = m_RecordFolder.AutosavePath() + ": " + error;
    ClearGame();
    return false;
  }
  m_RecordMessage.clear();
  return true;
}

void CGameWorld::SaveForLater() {
  if (!m_Saving || IsGameOver() || IsTie()) return;
  CGameRecord saved = m_Record;
  // A turn under way was committed with Space: it stays, to be finished on
  // Continue. Otherwise the plans in progress are kept.
  if (!saved.m_openTurn) {
    saved.m_plans = CurrentQueues();
    saved.m_hasPlans = true;
    saved.m_selected = m_Selected;
  }
  m_RecordFolder.SaveAutosave(saved);
  m_CanContinue = m_RecordFolder.HasAutosave();
}

void CGameWorld::StartWatching() {
  if (m_Executing || m_StepsDone != 0 || m_Record.m_openTurn || m_Record.m_turns.empty()) return;
  m_WatchCursor = GetRandomTable().GetCursor();
  auto watch = std::make_unique<CGameWorld>(m_GameEngine);
  const std::size_t last = m_Record.m_turns.size() - 1;
  std::string error;
  if (!watch->ReplayRecord(m_Record, last, error) || !watch->StartRecordedTurn(m_Record.m_turns[last].m_queues)) {
    GetRandomTable().SetCursor(m_WatchCursor);
    return;
  }
  m_Watch = std::move(watch);
}

void CGameWorld::StopWatching() {
  m_Watch.reset();
  // The turn end shown planned the computer again from the table.
  GetRandomTable().SetCursor(m_WatchCursor);
}
