// Fuzz target: the game record reader. Whatever the bytes, reading never
// fails but by refusing; a record it accepts writes back to text that reads
// to the same record, and replays in a game either to its checksums or to a
// refusal that says why, never to a crash. A record the game replays is the
// record the game makes of it, and a snapshot the game puts back is the
// snapshot it takes.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "record/CGame.h"
#include "record/CGameRecord.h"
#include "record/RecordText.h"
#include "record/RulesVersion.h"
#include "record/SnapshotText.h"

namespace {

std::string SnapshotOf(const GameSnapshot& snapshot) {
  std::string text;
  AppendSnapshotText(text, "now", snapshot);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CGameRecord record;
  std::string error;
  if (!ReadRecordText(text, record, error)) {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  const std::string written = WriteRecordText(record);
  CGameRecord again;
  FUZZ_CHECK(ReadRecordText(written, again, error));
  FUZZ_CHECK(WriteRecordText(again) == written);

  CGame game;
  if (game.Replay(record, record.m_turns.size(), error)) {
    CGameRecord made = game.Record();
    // The turn under way was played to its end; the record writes it without its check.
    made.m_openTurn = record.m_openTurn;
    made.m_now = record.m_now;
    made.m_hasPlans = record.m_hasPlans;
    made.m_plans = game.CurrentQueues();
    made.m_selected = record.m_selected;
    FUZZ_CHECK(WriteRecordText(made) == written);
  } else {
    FUZZ_CHECK(!error.empty());
  }

  // The game as it stood, put back as a game that starts from it.
  if (!record.m_now) return 0;
  CGameRecord resumed = record;
  resumed.m_rules = kRulesVersion;
  resumed.m_start = record.m_now;
  resumed.m_turns.clear();
  resumed.m_openTurn = false;
  resumed.m_now.reset();
  resumed.m_hasPlans = false;
  if (game.Replay(resumed, 0, error)) {
    FUZZ_CHECK(SnapshotOf(game.TakeSnapshot()) == SnapshotOf(*record.m_now));
  } else {
    FUZZ_CHECK(!error.empty());
  }
  return 0;
}
