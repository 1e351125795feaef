#include "record/CGame.h"

#include "core/TextFormat.h"
#include "map/CMap.h"
#include "record/WorldChecksum.h"

namespace {

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
  m_turnOpen = false;
  const CMap& map = m_match.GetMap();
  const std::uint32_t width = map.GetWidth();
  const std::uint32_t height = map.GetHeight();
  for (std::uint32_t row = 0; row < height; ++row) {
    std::string cells(width, '.');
    for (std::uint32_t x = 0; x < width; ++x) {
      if (map.IsWall(x, height - 1 - row)) cells[x] = '#';
    }
    m_record.m_rows.push_back(std::move(cells));
  }
  // The goal marks travel with the cells, so the computer's goals replay.
  for (std::uint32_t row = 0; row < CMap::mc_goalMarks; ++row) {
    MapCell cell{};
    if (map.GetGoalMark(row, cell)) {
      m_record.m_rows[height - 1 - static_cast<std::uint32_t>(cell.y)][static_cast<std::size_t>(cell.x)] =
          static_cast<char>('1' + row);
    }
  }
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
  m_turnOpen = true;
}

void CGame::RecordTurnEnd() {
  // What is left in the queues is what the next turn's plans start from.
  for (CTank* tank : m_match.GetTeamTanks(0)) {
    if (tank) tank->KeepCommands();
  }
  if (!m_turnOpen) return;
  m_turnOpen = false;
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

bool CGame::Replay(const CGameRecord& record, std::size_t turns, std::string& error) {
  CMap battlefield;
  const std::string map = MapText(record.m_rows);
  const bool loaded = battlefield.LoadFromMemory(reinterpret_cast<const unsigned char*>(map.data()), map.size());
  if (!loaded || record.m_teamSize[0] < CGameWorld::mc_minTeamSize ||
      record.m_teamSize[0] > CGameWorld::mc_maxTeamSize || record.m_teamSize[1] < CGameWorld::mc_minTeamSize ||
      record.m_teamSize[1] > CGameWorld::mc_maxTeamSize ||
      !battlefield.CanHoldGame(record.m_teamSize[0], record.m_teamSize[1])) {
    error = "its battlefield cannot hold its teams";
    return false;
  }
  m_match.GetRandom().Fill(record.m_seed);
  m_match.GetRandom().SetCursor(record.m_cursor);
  m_match.SetUp(battlefield, record.m_teamSize[0], record.m_teamSize[1]);
  BeginRecord(record.m_teamSize[0], record.m_teamSize[1], record.m_difficulty);
  m_computer.SetLevel(record.m_difficulty);
  m_computer.StartGame(m_match);
  char text[64];
  for (std::size_t i = 0; i < turns && i < record.m_turns.size(); ++i) {
    const RecordTurn& turn = record.m_turns[i];
    if (!PlayTurnAtOnce(turn.m_queues)) {
      error = FormatText(text, sizeof text, "turn %zu does not fit the game", i + 1);
      return false;
    }
    if (m_record.m_turns.back().m_checksum != turn.m_checksum) {
      error = FormatText(text, sizeof text, "turn %zu does not match this game", i + 1);
      return false;
    }
  }
  m_match.ClearEvents();
  if (turns >= record.m_turns.size() && record.m_hasPlans && !ApplyQueues(record.m_plans)) {
    error = "the plans in progress do not fit the game";
    return false;
  }
  return true;
}
