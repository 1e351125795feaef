#include "world/CGameWorld.h"
#include "world/CReplay.h"
#include "world/RecordText.h"

// Opening and leaving the replay of a whole game: from a record file, or the
// game just finished.

bool CGameWorld::OpenReplay(const std::string& path) {
  CGameRecord record;
  std::string error;
  if (!ReadRecordFile(path, record, error)) {
    m_RecordMessage = error;
    return false;
  }
  return StartReplay(std::move(record), path);
}

bool CGameWorld::WatchGame() {
  if (m_Replay || m_Watch || m_Record.m_openTurn || m_Record.m_turns.empty()) return false;
  return StartReplay(m_Record, "this game");
}

bool CGameWorld::StartReplay(CGameRecord record, const std::string& name) {
  auto replay = std::make_unique<CReplay>(m_GameEngine, std::move(record));
  std::string error;
  if (!replay->Check(error)) {
    m_RecordMessage = name + ": " + error;
    return false;
  }
  m_Replay = std::move(replay);
  return true;
}

void CGameWorld::CloseReplay() {
  m_Replay.reset();
  MarkStaticLayersDirty();
}
