// Fuzz target: the game record reader. Whatever the bytes, reading never
// fails but by refusing; a record it accepts writes back to text that reads
// to the same record, and replays in a world either to its checksums or to a
// refusal that names a turn, never to a crash. A record the world replays
// is the record the world makes of that game.

#include <cstddef>
#include <cstdint>
#include <string>

#include "record/CGame.h"
#include "fuzz/FuzzSupport.h"
#include "record/CGameRecord.h"
#include "world/CGameWorld.h"
#include "record/RecordText.h"

namespace {

// Bigger battlefields would spend the run in path searches.
constexpr std::size_t kReplayedCells = 40 * 40;

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

  if (record.m_rows.size() * record.m_rows[0].size() > kReplayedCells) return 0;
  CGame game;
  if (game.Replay(record, record.m_turns.size(), error)) {
    CGameRecord made = game.Record();
    made.m_hasPlans = record.m_hasPlans;
    made.m_plans = game.CurrentQueues();
    made.m_selected = record.m_selected;
    FUZZ_CHECK(WriteRecordText(made) == written);
  } else {
    FUZZ_CHECK(!error.empty());
  }
  return 0;
}
