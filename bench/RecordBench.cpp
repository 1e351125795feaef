// Game records: resuming a game of 100 turns, ten tanks against ten, from its
// autosave, by playing its record again unseen (and checking it against its
// snapshot) or from its snapshot alone, and what the autosave costs a turn end.
// The battlefield parts the teams with walls, so that no game ends early:
// every turn has both teams' twenty tanks and the computer's planning, whose
// tanks with a goal out of reach search their whole half for it every turn
// (a real game's routes are mostly followed, not searched again).
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "app/CGameSession.h"
#include "app/CSettings.h"
#include "core/CAsyncFileWriter.h"
#include "record/CGame.h"
#include "record/CGameRecord.h"
#include "record/CRecordFolder.h"
#include "record/RulesVersion.h"
#include "support/TempDir.h"
#include "world/CGameWorld.h"

namespace {

constexpr int kTurns = 100;
constexpr std::uint32_t kTanks = 10;
constexpr int kWidth = 25;
constexpr int kHeight = 22;

// Open halves left and right of three columns of wall; the centre cell
// stands alone in the middle column, out of everyone's reach. Three of the
// computer's six goals lie in its half.
std::vector<std::string> PartedRows() {
  std::vector<std::string> rows;
  for (int y = kHeight - 1; y >= 0; --y) {
    std::string row(kWidth, '.');
    row.front() = row.back() = '#';
    row[kWidth / 2 - 1] = row[kWidth / 2] = row[kWidth / 2 + 1] = '#';
    if (y == 0 || y == kHeight - 1) row.assign(kWidth, '#');
    if (y == kHeight / 2) row[kWidth / 2] = '.';
    rows.push_back(row);
  }
  return rows;
}

// A game of kTurns turns in which Green turns and waits at random (its
// shells would only hit its own tanks).
CGameRecord PlayedRecord() {
  CGameRecord record;
  record.m_rows = PartedRows();
  record.m_teamSize[0] = record.m_teamSize[1] = kTanks;
  record.m_seed = 20240601;
  CGame game;
  std::string error;
  if (!game.Replay(record, 0, error)) return record;
  std::mt19937 random(1);
  for (int turn = 0; turn < kTurns; ++turn) {
    std::vector<RecordQueue> queues(kTanks);
    for (RecordQueue& queue : queues) {
      for (int i = 0; i < 3; ++i) queue.m_added += "LRW"[random() % 3];
    }
    if (!game.PlayTurnAtOnce(queues)) break;
  }
  game.NoteSnapshot();
  return game.Record();
}

// Continue from the autosave of that game, read from the disk: its turns
// replayed and checked against its snapshot, or (`rules` other than this
// build's) its snapshot put back.
void Resume(benchmark::State& state, std::uint32_t rules) {
  CGameRecord record = PlayedRecord();
  if (record.m_turns.size() != kTurns) state.SkipWithError("the game did not last 100 turns");
  record.m_rules = rules;
  const TempDir dir;
  CAsyncFileWriter writer;
  CSettings settings;
  CGameSession session(settings, writer);
  session.SetRecordFolder(dir.File("korvane"));
  CRecordFolder folder(&writer, dir.File("korvane"));
  folder.SaveAutosave(record);
  folder.Flush();
  for (auto _ : state) {
    if (!session.ContinueGame()) state.SkipWithError(session.GetRecordMessage().c_str());
  }
  state.counters["from_snapshot"] = session.GetGame().Record().m_start ? 1 : 0;
}

void BM_ResumeHundredTurnsTenAgainstTen(benchmark::State& state) { Resume(state, kRulesVersion); }
BENCHMARK(BM_ResumeHundredTurnsTenAgainstTen)->Unit(benchmark::kMillisecond);

void BM_ResumeFromSnapshotOfOtherRules(benchmark::State& state) { Resume(state, kRulesVersion + 1); }
BENCHMARK(BM_ResumeFromSnapshotOfOtherRules)->Unit(benchmark::kMillisecond);

void BM_AutosaveAfterHundredTurns(benchmark::State& state) {
  const CGameRecord record = PlayedRecord();
  const TempDir dir;
  CAsyncFileWriter writer;
  CRecordFolder folder(&writer, dir.File("korvane"));
  for (auto _ : state) {
    if (!folder.SaveAutosave(record)) state.SkipWithError(folder.GetProblem().c_str());
    // Turn ends are seconds apart: the writer thread has put each autosave on
    // the disk before the next. The turn end pays only for the handover.
    state.PauseTiming();
    folder.Flush();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AutosaveAfterHundredTurns)->Unit(benchmark::kMillisecond);

}  // namespace
