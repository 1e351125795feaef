#include "record/SnapshotText.h"

#include <algorithm>
#include <vector>

#include "ai/CEnemyMemory.h"
#include "ai/CHardWatch.h"
#include "ai/CJamWatch.h"
#include "core/TextFormat.h"
#include "units/CTank.h"
#include "world/CGameWorld.h"
#include "core/CRandomTable.h"
#include "record/GameSnapshot.h"
#include "record/RecordWords.h"

namespace {

constexpr char kLetters[] = "ABLRWF";

void AppendState(std::string& out, const TankState& state) {
  char text[64];
  out += FormatText(text, sizeof text, " %d %d %d %d %d", state.x, state.y, state.dx, state.dy, state.hp);
}

class CSnapshotReader {
 public:
  CSnapshotReader(CRecordLines& lines, const SnapshotBounds& bounds, GameSnapshot& snapshot, std::string& error)
      : m_lines(lines), m_bounds(bounds), m_snapshot(snapshot), m_error(error) {}

  bool Read() {
    m_snapshot = GameSnapshot{};
    const std::uint32_t limit = SnapshotText::mc_maxCount;
    if (!Expect("turn-number", 1) || !Number(1, limit, m_snapshot.m_turn) || m_snapshot.m_turn == 0) {
      return Fail("expected \"turn-number\" and a turn from 1");
    }
    if (!Expect("cursor", 1) || !Number(1, CRandomTable::mc_size - 1, m_snapshot.m_cursor)) {
      return Fail("expected \"cursor\" and a cursor");
    }
    std::uint32_t hillTeam = 0;
    if (!Expect("hill", 2) || !Number(1, 1, hillTeam) ||
        !Number(2, CGameWorld::mc_victoryHold, m_snapshot.m_hillCount)) {
      return Fail("expected \"hill TEAM COUNT\"");
    }
    m_snapshot.m_hillTeam = static_cast<std::int32_t>(hillTeam);
    if (!Expect("seen", 2) || !Number(1, m_bounds.m_teamSize[0], m_snapshot.m_seenDestroyed[0]) ||
        !Number(2, m_bounds.m_teamSize[1], m_snapshot.m_seenDestroyed[1])) {
      return Fail("expected \"seen GREEN BLUE\", at most the teams");
    }
    if (!Next()) return Fail("expected the tanks");
    while (m_words[0] == "tank") {
      if (!ReadTank()) return false;
      if (!Next()) return Fail("expected the sight");
    }
    for (std::uint32_t team = 0; team < 2; ++team) {
      if ((team > 0 && !Next()) || !ReadSight(team))
        return Fail("expected \"sight\" and a word per row of the battlefield");
    }
    if (!Next()) return Fail("expected \"jam\"");
    while (m_words[0] == "memory") {
      if (!ReadSighting()) return Fail("a remembered tank is out of bounds or not after the one before");
      if (!Next()) return Fail("expected \"jam\"");
    }
    if (m_words[0] != "jam" || m_words.size() != 2 || !Number(1, limit, m_snapshot.m_plannings)) {
      return Fail("expected \"jam\" and the plannings");
    }
    const std::uint32_t watched = std::min<std::uint32_t>(m_bounds.m_teamSize[1], CJamWatch::mc_maxTanks);
    for (std::uint32_t slot = 0; slot < watched; ++slot) {
      if (!Expect("jammed", 6) || !ReadJam()) return Fail("expected \"jammed\" for every Blue slot, within bounds");
    }
    if (!Next()) return Fail("expected \"end\"");
    if (m_words[0] == "watch") {
      if (!ReadWatch()) return Fail("expected \"watch\", the pressing and the positions, within bounds");
      const std::uint32_t kept = std::min<std::uint32_t>(m_bounds.m_teamSize[1], CHardWatch::mc_maxTanks);
      for (std::uint32_t slot = 0; slot < kept; ++slot) {
        if (!Expect("watched", 5) || !ReadWatched()) {
          return Fail("expected \"watched\" for every Blue slot, within bounds");
        }
      }
      if (!Next()) return Fail("expected \"end\"");
    }
    if (m_words[0] != "end" || m_words.size() != 1) return Fail("expected \"end\"");
    return true;
  }

 private:
  bool ReadTank() {
    SnapshotTank tank;
    std::uint32_t behind = 0;
    const bool read = m_words.size() == 14 && Number(1, 1, tank.m_team) && m_bounds.m_teamSize[tank.m_team] > 0 &&
                      Number(2, m_bounds.m_teamSize[tank.m_team] - 1, tank.m_slot) && State(3, tank.m_state) &&
                      Signed(8, 0, CGameWorld::mc_turnSteps, tank.m_busy) && Number(9, 1, behind) &&
                      Signed(10, 0, Last(m_bounds.m_width), tank.m_objective.x) &&
                      Signed(11, 0, Last(m_bounds.m_height), tank.m_objective.y) &&
                      Signed(12, 0, kAnyHeading, tank.m_objective.heading) &&
                      Number(13, static_cast<std::uint32_t>(CTank::mc_maxCommands), tank.m_kept);
    if (!read) return Fail("a tank's line is out of bounds");
    tank.m_hitFromBehind = behind != 0;
    for (const SnapshotTank& other : m_snapshot.m_tanks) {
      if (other.m_team == tank.m_team && other.m_slot == tank.m_slot) return Fail("a slot holds two tanks");
    }
    if (!Next() || m_words[0] != "queue" || (m_words.size() != 2 && m_words.size() != 7)) {
      return Fail("expected the tank's queue");
    }
    if (m_words.size() == 2) {
      if (m_words[1] != "-") return Fail("expected the tank's queue");
    } else {
      const std::string& letters = m_words[6];
      if (!State(1, tank.m_planFrom) || letters.empty() || letters.size() > CTank::mc_maxCommands ||
          letters.find_first_not_of(kLetters) != std::string::npos) {
        return Fail("a queue is out of bounds");
      }
      tank.m_commands = letters;
    }
    if (tank.m_kept > tank.m_commands.size()) return Fail("a tank keeps more commands than it has");
    m_snapshot.m_tanks.push_back(std::move(tank));
    return true;
  }

  bool ReadSight(std::uint32_t team) {
    if (m_words[0] != "sight" || m_words.size() != m_bounds.m_height + 2 || m_words[1] != (team ? "1" : "0")) {
      return false;
    }
    for (std::size_t row = 2; row < m_words.size(); ++row) {
      const std::string& cells = m_words[row];
      if (cells.size() != m_bounds.m_width || cells.find_first_not_of("01") != std::string::npos) return false;
      m_snapshot.m_sight[team].push_back(cells);
    }
    return true;
  }

  bool ReadSighting() {
    SnapshotSighting sighting;
    const std::uint32_t slots = std::min<std::uint32_t>(m_bounds.m_teamSize[0], CEnemyMemory::mc_maxTanks);
    std::uint32_t moved = 0;
    if ((m_words.size() != 8 && m_words.size() != 9) || slots == 0 || !Number(1, slots - 1, sighting.m_slot) ||
        !State(2, sighting.m_state) || !Number(7, CEnemyMemory::mc_forgetAfter, sighting.m_age) ||
        (m_words.size() == 9 && !Number(8, 1, moved))) {
      return false;
    }
    sighting.m_moved = moved != 0;
    if (!m_snapshot.m_memory.empty() && m_snapshot.m_memory.back().m_slot >= sighting.m_slot) return false;
    m_snapshot.m_memory.push_back(sighting);
    return true;
  }

  bool ReadWatch() {
    if (m_words.size() != 2 + CHardWatch::mc_history || !Number(1, CHardWatch::mc_pressTurns, m_snapshot.m_press)) {
      return false;
    }
    m_snapshot.m_positions.assign(CHardWatch::mc_history, 0);
    for (std::size_t age = 0; age < CHardWatch::mc_history; ++age) {
      if (!Number(2 + age, 0xffffffffu, m_snapshot.m_positions[age])) return false;
    }
    return true;
  }

  bool ReadWatched() {
    CHardWatch::Kept kept;
    std::uint32_t moving = 0;
    if (!Signed(1, 0, Last(m_bounds.m_width), kept.fromX) || !Signed(2, 0, Last(m_bounds.m_height), kept.fromY) ||
        !Number(3, 1, moving) || !Number(4, SnapshotText::mc_maxCount, kept.blocked) ||
        !Number(5, CHardWatch::mc_detourTurns, kept.detour)) {
      return false;
    }
    kept.moving = moving != 0;
    m_snapshot.m_watched.push_back(kept);
    return true;
  }

  bool ReadJam() {
    CJamWatch::Kept kept{};
    std::uint32_t queued = 0;
    if (!Signed(1, 0, Last(m_bounds.m_width), kept.x) || !Signed(2, 0, Last(m_bounds.m_height), kept.y) ||
        !Signed(3, -1, 1, kept.dx) || !Signed(4, -1, 1, kept.dy) ||
        !Number(5, static_cast<std::uint32_t>(CTank::mc_maxCommands), queued) ||
        !Number(6, SnapshotText::mc_maxCount, kept.jammedTurns)) {
      return false;
    }
    kept.queued = queued;
    m_snapshot.m_jams.push_back(kept);
    return true;
  }

  // Five words from `at`: a cell on the battlefield, a heading, hit points of a living tank.
  bool State(std::size_t at, TankState& state) {
    return Signed(at, 0, Last(m_bounds.m_width), state.x) && Signed(at + 1, 0, Last(m_bounds.m_height), state.y) &&
           Signed(at + 2, -1, 1, state.dx) && Signed(at + 3, -1, 1, state.dy) && IsHeading(state.dx, state.dy) &&
           Signed(at + 4, 1, CTank::mc_fullHitPoints, state.hp);
  }

  static std::int32_t Last(std::uint32_t size) { return static_cast<std::int32_t>(size) - 1; }

  bool Number(std::size_t at, std::uint32_t limit, std::uint32_t& value) const {
    return at < m_words.size() && ParseRecordNumber(m_words[at], limit, value);
  }
  bool Signed(std::size_t at, std::int32_t low, std::int32_t high, std::int32_t& value) const {
    return at < m_words.size() && ParseRecordSigned(m_words[at], low, high, value);
  }

  bool Next() { return m_lines.NextWords(m_words); }
  bool Expect(const char* key, std::size_t count) { return Next() && m_words[0] == key && m_words.size() == count + 1; }
  bool Fail(const char* what) {
    m_error = what;
    return false;
  }

  CRecordLines& m_lines;             // the record's lines
  const SnapshotBounds& m_bounds;    // what the snapshot must fit
  GameSnapshot& m_snapshot;          // what is read
  std::string& m_error;              // why reading failed
  std::vector<std::string> m_words;  // the line read last
};

// The Hard computer's watch holds nothing: none was kept (a Normal game, a
// save from before the watch) or it has watched nothing yet. Such a watch is
// not written, so that a game put back from either writes the same text.
bool IsClearWatch(const GameSnapshot& snapshot) {
  if (snapshot.m_press > 0) return false;
  for (const std::uint32_t position : snapshot.m_positions) {
    if (position != 0) return false;
  }
  for (const CHardWatch::Kept& kept : snapshot.m_watched) {
    if (kept.fromX != 0 || kept.fromY != 0 || kept.moving || kept.blocked != 0 || kept.detour != 0) return false;
  }
  return true;
}

}  // namespace

void AppendSnapshotText(std::string& out, const char* kind, const GameSnapshot& snapshot) {
  char line[96];
  out += FormatText(line, sizeof line, "snapshot %s\nturn-number %u\ncursor %u\n", kind, snapshot.m_turn,
                    snapshot.m_cursor);
  out += FormatText(line, sizeof line, "hill %d %u\nseen %u %u\n", snapshot.m_hillTeam, snapshot.m_hillCount,
                    snapshot.m_seenDestroyed[0], snapshot.m_seenDestroyed[1]);
  for (const SnapshotTank& tank : snapshot.m_tanks) {
    out += FormatText(line, sizeof line, "tank %u %u", tank.m_team, tank.m_slot);
    AppendState(out, tank.m_state);
    out += FormatText(line, sizeof line, " %d %d %d %d %d %u\nqueue", tank.m_busy, tank.m_hitFromBehind ? 1 : 0,
                      tank.m_objective.x, tank.m_objective.y, tank.m_objective.heading, tank.m_kept);
    if (tank.m_commands.empty()) {
      out += " -";
    } else {
      AppendState(out, tank.m_planFrom);
      out += ' ';
      out += tank.m_commands;
    }
    out += '\n';
  }
  for (std::uint32_t team = 0; team < 2; ++team) {
    out += team ? "sight 1" : "sight 0";
    for (const std::string& row : snapshot.m_sight[team]) {
      out += ' ';
      out += row;
    }
    out += '\n';
  }
  for (const SnapshotSighting& sighting : snapshot.m_memory) {
    out += FormatText(line, sizeof line, "memory %u", sighting.m_slot);
    AppendState(out, sighting.m_state);
    out += FormatText(line, sizeof line, " %u %d\n", sighting.m_age, sighting.m_moved ? 1 : 0);
  }
  out += FormatText(line, sizeof line, "jam %u\n", snapshot.m_plannings);
  for (const CJamWatch::Kept& kept : snapshot.m_jams) {
    out += FormatText(line, sizeof line, "jammed %d %d %d %d %zu %u\n", kept.x, kept.y, kept.dx, kept.dy, kept.queued,
                      kept.jammedTurns);
  }
  if (!IsClearWatch(snapshot)) {
    out += FormatText(line, sizeof line, "watch %u", snapshot.m_press);
    for (const std::uint32_t position : snapshot.m_positions) out += FormatText(line, sizeof line, " %u", position);
    out += '\n';
    for (const CHardWatch::Kept& kept : snapshot.m_watched) {
      out += FormatText(line, sizeof line, "watched %d %d %d %u %u\n", kept.fromX, kept.fromY, kept.moving ? 1 : 0,
                        kept.blocked, kept.detour);
    }
  }
  out += "end\n";
}

bool ReadSnapshotText(CRecordLines& lines, const SnapshotBounds& bounds, GameSnapshot& snapshot, std::string& error) {
  return CSnapshotReader(lines, bounds, snapshot, error).Read();
}
