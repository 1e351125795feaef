#include "record/CGame.h"

#include <algorithm>

#include "core/TextFormat.h"
#include "map/Battlefield.h"
#include "map/CMap.h"
#include "record/RecordText.h"
#include "record/RulesVersion.h"
#include "record/SnapshotText.h"
#include "record/WorldChecksum.h"

namespace {

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

void CGame::New(const CMap& battlefield, std::uint32_t greenTanks, std::uint32_t blueTanks, Difficulty level,
                std::uint32_t seed) {
  m_match.GetRandom().Fill(seed);
  m_match.SetUp(battlefield, greenTanks, blueTanks);
  BeginRecord(greenTanks, blueTanks, level);
  m_computer.SetLevel(level);
  m_computer.StartGame(m_match);
}

void CGame::BeginRecord(std::uint32_t greenTanks, std::uint32_t blueTanks, Difficulty level) {
  m_record = CGameRecord{};
  m_record.m_rows = BattlefieldRows(m_match.GetMap());
  m_record.m_teamSize[0] = greenTanks;
  m_record.m_teamSize[1] = blueTanks;
  m_record.m_difficulty = level;
  m_record.m_seed = m_match.GetRandom().GetSeed();
  m_record.m_cursor = m_match.GetRandom().GetCursor();
}

std::vector<RecordQueue> CGame::CurrentQueues() const {
  std::vector<RecordQueue> queues;
  for (const CTank* tank : m_match.GetTeamTanks(0)) {
    RecordQueue queue;
    if (tank) {
      queue.m_kept = static_cast<std::uint32_t>(tank->GetKeptCommands());
      const CTank::CommandQueue& commands = tank->GetCommands();
      for (std::size_t i = queue.m_kept; i < commands.size(); ++i) queue.m_added += commands[i].Letter();
    }
    queues.push_back(std::move(queue));
  }
  return queues;
}

bool CGame::ApplyQueues(const std::vector<RecordQueue>& queues) {
  CTankSlots<CTank> slots = m_match.GetTeamTanks(0);
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
      if (!tank->AddCommandLetter(letter, m_match.GetMap())) return false;
    }
  }
  return true;
}

void CGame::RecordTurnStart() {
  RecordTurn turn;
  turn.m_queues = CurrentQueues();
  m_record.m_turns.push_back(std::move(turn));
  m_record.m_hasPlans = false;
  m_record.m_openTurn = true;
}

void CGame::RecordTurnEnd() {
  // What is left in the queues is what the next turn's plans start from.
  for (CTank* tank : m_match.GetTeamTanks(0)) {
    if (tank) tank->KeepCommands();
  }
  if (!m_record.m_openTurn) return;
  m_record.m_openTurn = false;
  m_record.m_turns.back().m_checksum = WorldChecksum(m_match);
}

bool CGame::StartTurn() {
  if (m_match.IsExecuting() || !m_match.IsInProgress()) return false;
  RecordTurnStart();
  return m_match.StartTurn();
}

bool CGame::StartRecordedTurn(const std::vector<RecordQueue>& queues) {
  return ApplyQueues(queues) && StartTurn();
}

void CGame::RunStep() { m_match.RunStep(); }

void CGame::EndTurn() {
  m_match.EndTurn();
  if (!m_match.IsGameOver()) m_computer.PlanTurn(m_match);
  RecordTurnEnd();
}

bool CGame::StopIfFinished() {
  if (m_match.IsInProgress()) return false;
  const bool stopped = m_match.StopIfFinished();
  // A turn cut short by a tie has no turn end: its record ends here.
  RecordTurnEnd();
  return stopped;
}

bool CGame::PlayTurnAtOnce(const std::vector<RecordQueue>& queues) {
  if (!m_match.IsInProgress() || !ApplyQueues(queues) || !StartTurn()) return false;
  while (m_match.IsExecuting()) {
    if (m_match.GetStepsDone() >= CGameWorld::mc_turnSteps) {
      EndTurn();
      break;
    }
    if (StopIfFinished()) break;
    RunStep();
  }
  return true;
}

bool CGame::LoadRecordedBattlefield(const CGameRecord& record, CMap& battlefield, std::string& error) {
  const std::string map = MapText(record.m_rows);
  const bool loaded = battlefield.LoadFromMemory(reinterpret_cast<const unsigned char*>(map.data()), map.size());
  for (const std::uint32_t size : record.m_teamSize) {
    if (size < CGameWorld::mc_minTeamSize || size > CGameWorld::mc_maxTeamSize) {
      error = "its teams are not 1 to 10 tanks";
      return false;
    }
  }
  // A record's battlefield is checked as a map file is.
  const char* problem =
      loaded ? BattlefieldProblem(battlefield, record.m_teamSize[0], record.m_teamSize[1]) : "it holds no cells";
  if (problem) {
    error = std::string("its battlefield cannot hold its teams: ") + problem;
    return false;
  }
  return true;
}

bool CGame::SetUpRecordedGame(const CGameRecord& record, std::string& error, bool anyRules) {
  char text[80];
  if (!anyRules && record.m_rules != kRulesVersion) {
    error = FormatText(text, sizeof text, "recorded with rules %u; this game plays rules %u", record.m_rules,
                       kRulesVersion);
    return false;
  }
  if (record.m_start) {
    if (!RestoreSnapshot(record, *record.m_start, error)) return false;
    m_record.m_start = record.m_start;
    m_record.m_cursor = record.m_cursor;
    return true;
  }
  CMap battlefield;
  if (!LoadRecordedBattlefield(record, battlefield, error)) return false;
  m_match.GetRandom().Fill(record.m_seed);
  m_match.GetRandom().SetCursor(record.m_cursor);
  m_match.SetUp(battlefield, record.m_teamSize[0], record.m_teamSize[1]);
  BeginRecord(record.m_teamSize[0], record.m_teamSize[1], record.m_difficulty);
  m_computer.SetLevel(record.m_difficulty);
  m_computer.StartGame(m_match);
  return true;
}

bool CGame::PlayRecordedTurns(const CGameRecord& record, std::size_t turns, std::string& error) {
  char text[64];
  for (std::size_t i = 0; i < turns && i < record.m_turns.size(); ++i) {
    const RecordTurn& turn = record.m_turns[i];
    if (!PlayTurnAtOnce(turn.m_queues)) {
      error = FormatText(text, sizeof text, "turn %zu does not fit the game", i + 1);
      return false;
    }
    // The turn under way has no checksum yet.
    if (i < record.EndedTurns() && m_record.m_turns.back().m_checksum != turn.m_checksum) {
      error = FormatText(text, sizeof text, "turn %zu does not match this game", i + 1);
      return false;
    }
  }
  m_match.ClearEvents();
  return true;
}

bool CGame::Replay(const CGameRecord& record, std::size_t turns, std::string& error) {
  if (!SetUpRecordedGame(record, error) || !PlayRecordedTurns(record, turns, error)) return false;
  if (turns >= record.m_turns.size() && record.m_hasPlans && !ApplyQueues(record.m_plans)) {
    error = "the plans in progress do not fit the game";
    return false;
  }
  return true;
}

bool CGame::Resume(const CGameRecord& record, std::string& error) {
  const std::size_t ended = record.EndedTurns();
  // Under the rules it was played by, the game is its turns, and the
  // snapshot must agree; under others, or if the turns no longer play, the
  // snapshot brings it back and the record starts again from it.
  // A save without a snapshot (from before snapshots) made under other rules
  // still comes back when every turn plays to its checksum here: a change of
  // rules that did not touch its game loses nothing.
  const bool anyRules = !record.m_now;
  const bool replayed = SetUpRecordedGame(record, error, anyRules) && PlayRecordedTurns(record, ended, error);
  if (replayed && (!record.m_now || SameSnapshots(*record.m_now, TakeSnapshot()))) return true;
  std::string restoreError;
  if (record.m_now && RestoreSnapshot(record, *record.m_now, restoreError)) {
    m_record.m_start = record.m_now;
    return true;
  }
  // A snapshot this game cannot take back: the turns still bring the game back.
  if (replayed) return SetUpRecordedGame(record, error) && PlayRecordedTurns(record, ended, error);
  if (record.m_now && record.m_rules != kRulesVersion) error = restoreError;
  if (!record.m_now && record.m_rules != kRulesVersion) {
    char text[96];
    error = FormatText(text, sizeof text, "recorded with rules %u; this game plays rules %u, and its %s",
                       record.m_rules, kRulesVersion, error.c_str());
  }
  return false;
}

GameSnapshot CGame::TakeSnapshot() const {
  GameSnapshot snapshot;
  const MatchTally tally = m_match.GetTally();
  snapshot.m_turn = tally.m_turn;
  snapshot.m_cursor = m_match.GetRandom().GetCursor();
  snapshot.m_hillTeam = tally.m_hillTeam;
  snapshot.m_hillCount = tally.m_hillCount;
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    snapshot.m_seenDestroyed[team] = static_cast<std::uint32_t>(tally.m_seenDestroyed[team]);
  }
  for (const CTank* tank : m_match.GetTanks()) {
    SnapshotTank saved;
    saved.m_team = static_cast<std::uint32_t>(tank->GetTeam());
    saved.m_slot = tank->GetSlot();
    saved.m_state = tank->GetState();
    saved.m_busy = tank->GetDelay();
    saved.m_hitFromBehind = tank->WasHitFromBehind();
    saved.m_objective = tank->GetObjective();
    saved.m_kept = static_cast<std::uint32_t>(tank->GetKeptCommands());
    const CTank::CommandQueue& commands = tank->GetCommands();
    if (!commands.empty()) saved.m_planFrom = commands.front().GetBefore();
    for (const TankCommand& command : commands) saved.m_commands += command.Letter();
    snapshot.m_tanks.push_back(std::move(saved));
  }
  const CMap& map = m_match.GetMap();
  const std::uint32_t width = map.GetWidth();
  const std::uint32_t height = map.GetHeight();
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    for (std::uint32_t row = 0; row < height && map.HasGrid(); ++row) {
      std::string cells(width, '0');
      for (std::uint32_t x = 0; x < width; ++x) {
        if (map.GetVisible(x, height - 1 - row, team)) cells[x] = '1';
      }
      snapshot.m_sight[team].push_back(std::move(cells));
    }
  }
  const CEnemyMemory& memory = m_computer.GetHardPlanner().GetMemory();
  for (std::uint32_t slot = 0; slot < CEnemyMemory::mc_maxTanks; ++slot) {
    const CEnemyMemory::Sighting& sighting = memory.Get(slot);
    if (sighting.m_known) {
      snapshot.m_memory.push_back(SnapshotSighting{slot, sighting.m_state, sighting.m_age, sighting.m_moved});
    }
  }
  const CJamWatch& jams = m_computer.GetJamWatch();
  snapshot.m_plannings = jams.GetPlannings();
  const std::size_t watched = std::min<std::size_t>(tally.m_slots[CComputerPlayer::mc_team], CJamWatch::mc_maxTanks);
  for (std::size_t slot = 0; slot < watched; ++slot) snapshot.m_jams.push_back(jams.GetKept(slot));
  const CHardWatch& watch = m_computer.GetHardPlanner().GetWatch();
  snapshot.m_press = watch.GetPress();
  for (std::size_t age = 0; age < CHardWatch::mc_history; ++age) snapshot.m_positions.push_back(watch.GetPosition(age));
  const std::size_t kept = std::min<std::size_t>(tally.m_slots[CComputerPlayer::mc_team], CHardWatch::mc_maxTanks);
  for (std::size_t slot = 0; slot < kept; ++slot) snapshot.m_watched.push_back(watch.GetKept(slot));
  return snapshot;
}

bool CGame::RestoreSnapshot(const CGameRecord& record, const GameSnapshot& snapshot, std::string& error) {
  CMap battlefield;
  if (!LoadRecordedBattlefield(record, battlefield, error)) return false;
  m_match.GetRandom().Fill(record.m_seed);
  m_match.GetRandom().SetCursor(snapshot.m_cursor);
  m_match.SetUp(battlefield, 0, 0);
  BeginRecord(record.m_teamSize[0], record.m_teamSize[1], record.m_difficulty);
  m_computer.SetLevel(record.m_difficulty);
  // The record reader kept every number within the battlefield and the
  // teams; what it cannot know is where the walls are.
  const CMap& map = m_match.GetMap();
  std::vector<std::uint8_t> taken[CMap::mc_numTeams];
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) taken[team].assign(record.m_teamSize[team], 0);
  for (const SnapshotTank& saved : snapshot.m_tanks) {
    const TankState& state = saved.m_state;
    if (saved.m_team >= CMap::mc_numTeams || saved.m_slot >= taken[saved.m_team].size() ||
        taken[saved.m_team][saved.m_slot] || !IsHeading(state.dx, state.dy) || map.IsWallOrOutside(state.x, state.y) ||
        m_match.IsTankAt(state.x, state.y, CTank::mc_noTeam)) {
      error = "a tank of its snapshot stands where no tank can";
      return false;
    }
    taken[saved.m_team][saved.m_slot] = 1;
    CTank* tank = m_match.AddTank(saved.m_team, state, static_cast<std::int32_t>(saved.m_slot));
    tank->SetDelay(saved.m_busy);
    tank->SetHitFromBehind(saved.m_hitFromBehind);
    tank->SetObjective(saved.m_objective);
    const TankState& from = saved.m_planFrom;
    const bool planned = !saved.m_commands.empty();
    if ((planned && map.IsWallOrOutside(from.x, from.y)) ||
        !tank->RestoreQueue(from, saved.m_commands, saved.m_kept, map)) {
      error = "a queue of its snapshot runs into a wall";
      return false;
    }
  }
  MatchTally tally;
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    tally.m_slots[team] = record.m_teamSize[team];
    tally.m_seenDestroyed[team] = static_cast<std::int32_t>(snapshot.m_seenDestroyed[team]);
  }
  tally.m_turn = snapshot.m_turn;
  tally.m_hillTeam = snapshot.m_hillTeam;
  tally.m_hillCount = snapshot.m_hillCount;
  m_match.SetTally(tally);
  CMap& sight = m_match.GetMap();
  const std::uint32_t width = sight.GetWidth();
  const std::uint32_t height = sight.GetHeight();
  for (std::uint32_t team = 0; team < CMap::mc_numTeams; ++team) {
    const std::vector<std::string>& rows = snapshot.m_sight[team];
    if (rows.size() != height) {
      error = "its snapshot's sight does not fit the battlefield";
      return false;
    }
    for (std::uint32_t row = 0; row < height; ++row) {
      for (std::uint32_t x = 0; x < width && x < rows[row].size(); ++x) {
        sight.SetVisible(x, height - 1 - row, team, rows[row][x] == '1' ? 1 : 0);
      }
    }
  }
  m_computer.Resume(m_match);
  CEnemyMemory& memory = m_computer.GetHardPlanner().GetMemory();
  for (const SnapshotSighting& sighting : snapshot.m_memory) {
    if (sighting.m_slot < CEnemyMemory::mc_maxTanks) {
      memory.Set(sighting.m_slot, CEnemyMemory::Sighting{sighting.m_state, sighting.m_age, true, sighting.m_moved});
    }
  }
  CJamWatch& jams = m_computer.GetJamWatch();
  jams.SetPlannings(snapshot.m_plannings);
  for (std::size_t slot = 0; slot < snapshot.m_jams.size() && slot < CJamWatch::mc_maxTanks; ++slot) {
    jams.SetKept(slot, snapshot.m_jams[slot]);
  }
  // A snapshot of an older build holds no watch: it starts afresh.
  CHardWatch& watch = m_computer.GetHardPlanner().GetWatch();
  watch.SetPress(std::min(snapshot.m_press, CHardWatch::mc_pressTurns));
  for (std::size_t age = 0; age < snapshot.m_positions.size() && age < CHardWatch::mc_history; ++age) {
    watch.SetPosition(age, snapshot.m_positions[age]);
  }
  for (std::size_t slot = 0; slot < snapshot.m_watched.size() && slot < CHardWatch::mc_maxTanks; ++slot) {
    watch.SetKept(slot, snapshot.m_watched[slot]);
  }
  m_match.ClearEvents();
  return true;
}
