#include "record/RecordText.h"

#include <sys/stat.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/TextFormat.h"
#include "map/CMap.h"
#include "record/CGameRecord.h"
#include "core/CRandomTable.h"
#include "record/RecordWords.h"
#include "record/SnapshotText.h"

namespace {

constexpr char kMagic[] = "korvane-record";
// Records of version 1 were all played by the first rules.
constexpr std::uint32_t kRulesOfVersionOne = 1;
constexpr std::uint32_t kMaxRules = 1000000;
constexpr std::uint32_t kMaxTeamSize = 10;
constexpr std::uint32_t kMaxKept = 100000;
constexpr char kLetters[] = "ABLRWF";

void AppendQueues(std::string& out, const char* key, const std::vector<RecordQueue>& queues) {
  out += key;
  char number[16];
  for (const RecordQueue& queue : queues) {
    out += ' ';
    if (queue.m_kept == 0 && queue.m_added.empty()) {
      out += '-';
      continue;
    }
    if (queue.m_kept > 0) {
      out += FormatText(number, sizeof number, "%u", queue.m_kept);
      out += '+';
    }
    out += queue.m_added;
  }
  out += '\n';
}

bool ParseQueue(const std::string& word, RecordQueue& queue) {
  queue = RecordQueue{};
  if (word == "-") return true;
  std::string letters = word;
  const std::size_t plus = word.find('+');
  if (plus != std::string::npos) {
    if (!ParseRecordNumber(word.substr(0, plus), kMaxKept, queue.m_kept)) return false;
    letters = word.substr(plus + 1);
  }
  if (letters.find_first_not_of(kLetters) != std::string::npos) return false;
  if (plus == std::string::npos && letters.empty()) return false;
  queue.m_added = letters;
  return true;
}

bool ParseChecksum(const std::string& word, std::uint64_t& checksum) {
  if (word.size() != 16) return false;
  checksum = 0;
  for (const char c : word) {
    const char* digit = std::strchr("0123456789abcdef", c);
    if (c == '\0' || !digit) return false;
    checksum = checksum << 4 | static_cast<std::uint64_t>(digit - "0123456789abcdef");
  }
  return true;
}

class CRecordParser {
 public:
  CRecordParser(const std::string& text, CGameRecord& record, std::string& error)
      : m_lines(text), m_record(record), m_error(error) {}

  bool Parse() {
    std::string line;
    if (!m_lines.Next(line)) return Fail(m_lines.TooLong() ? "line too long" : "empty file");
    const std::vector<std::string> magic = RecordWords(line);
    if (magic.size() != 2 || magic[0] != kMagic) return Fail("not a Korvane game record");
    if (!ParseRecordNumber(magic[1], 1000000, m_version) || m_version == 0 || m_version > CGameRecord::mc_version) {
      char supported[64];
      return Fail(
          "record version " + magic[1] + " is not supported" +
          FormatText(supported, sizeof supported, " (this game reads versions 1 to %u)", CGameRecord::mc_version));
    }
    m_record = CGameRecord{};
    m_record.m_rules = kRulesOfVersionOne;
    if (m_version >= 2 && (!Expect("rules", 1) || !ParseRecordNumber(m_words[1], kMaxRules, m_record.m_rules))) {
      return Fail("expected \"rules\" and a number");
    }
    return ParseBattlefield() && ParseStart() && ParseTurns();
  }

 private:
  bool ParseBattlefield() {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // A battlefield is checked as a map file is; one too large is refused before its rows are read.
    if (!Expect("size", 2) || !ParseRecordNumber(m_words[1], CMap::mc_maxShownWidth, width) ||
        !ParseRecordNumber(m_words[2], CMap::mc_maxShownHeight, height) || width == 0 || height == 0) {
      return Fail("expected \"size WIDTH HEIGHT\", at most 25 x 22");
    }
    for (std::uint32_t y = 0; y < height; ++y) {
      if (!Expect("row", 1) || m_words[1].size() != width ||
          m_words[1].find_first_not_of("#.123456") != std::string::npos) {
        return Fail("expected a row of the battlefield");
      }
      m_record.m_rows.push_back(m_words[1]);
    }
    if (!Expect("teams", 2) || !ParseRecordNumber(m_words[1], kMaxTeamSize, m_record.m_teamSize[0]) ||
        !ParseRecordNumber(m_words[2], kMaxTeamSize, m_record.m_teamSize[1]) || m_record.m_teamSize[0] == 0 ||
        m_record.m_teamSize[1] == 0) {
      return Fail("expected \"teams GREEN BLUE\", 1 to 10 each");
    }
    m_bounds = SnapshotBounds{width, height, {m_record.m_teamSize[0], m_record.m_teamSize[1]}};
    // The computer's level; records from before there were levels are Normal.
    if (!Next()) return Fail("expected a seed");
    if (m_words[0] == "computer") {
      if (m_words.size() != 2 || !ParseDifficulty(m_words[1].c_str(), m_record.m_difficulty)) {
        return Fail("expected \"computer normal\" or \"computer hard\"");
      }
      if (!Next()) return Fail("expected a seed");
    }
    if (m_words[0] != "seed" || m_words.size() != 2 || !ParseRecordNumber(m_words[1], UINT32_MAX, m_record.m_seed)) {
      return Fail("expected a seed");
    }
    if (!Expect("cursor", 1) || !ParseRecordNumber(m_words[1], CRandomTable::mc_size - 1, m_record.m_cursor)) {
      return Fail("expected a cursor");
    }
    return true;
  }

  // The snapshot the turns start from, if any; leaves the next item in m_words.
  bool ParseStart() {
    m_more = Next();
    if (!m_more || !IsSnapshot("start")) return true;
    m_record.m_start.emplace();
    if (!ReadSnapshot(*m_record.m_start)) return false;
    m_more = Next();
    return true;
  }

  bool ParseTurns() {
    const std::size_t slots = m_record.m_teamSize[0];
    while (m_more && m_words[0] == "turn") {
      if (m_record.m_turns.size() >= RecordText::mc_maxTurns) return Fail("too many turns");
      RecordTurn turn;
      if (!ParseQueues(slots, turn.m_queues)) return Fail("expected one queue per Green tank");
      m_record.m_turns.push_back(std::move(turn));
      m_more = Next();
      // The last turn may be under way.
      if (!m_more && m_version >= 2) return EndOfText(true);
      if (!m_more || m_words[0] != "check" || m_words.size() != 2 ||
          !ParseChecksum(m_words[1], m_record.m_turns.back().m_checksum)) {
        return Fail("expected \"check\" and 16 hexadecimal digits");
      }
      m_more = Next();
    }
    if (m_more && IsSnapshot("now")) {
      m_record.m_now.emplace();
      if (!ReadSnapshot(*m_record.m_now)) return false;
      m_more = Next();
    }
    if (!m_more) return EndOfText(false);
    if (m_words[0] == "turn" && m_version >= 2) {
      RecordTurn turn;
      if (!ParseQueues(slots, turn.m_queues)) return Fail("expected one queue per Green tank");
      m_record.m_turns.push_back(std::move(turn));
      if (Next()) return Fail("nothing may follow a turn under way");
      return EndOfText(true);
    }
    if (m_words[0] == "plans") {
      if (!ParseQueues(slots, m_record.m_plans)) return Fail("expected one queue per Green tank");
      if (!Expect("selected", 1) ||
          !ParseRecordNumber(m_words[1], static_cast<std::uint32_t>(slots), m_record.m_selected)) {
        return Fail("expected \"selected\" and a tank number");
      }
      m_record.m_hasPlans = true;
      if (Next()) return Fail("nothing may follow the plans");
      return EndOfText(false);
    }
    return Fail("unknown item \"" + m_words[0].substr(0, 40) + "\"");
  }

  // The text ended (or a line was too long): the record is read unless it was.
  bool EndOfText(bool openTurn) {
    if (m_lines.TooLong()) return Fail("line too long");
    m_record.m_openTurn = openTurn;
    return true;
  }

  bool IsSnapshot(const char* kind) const {
    return m_words.size() == 2 && m_words[0] == "snapshot" && m_words[1] == kind;
  }

  bool ReadSnapshot(GameSnapshot& snapshot) {
    if (m_version < 2) return Fail("a version 1 record has no snapshot");
    std::string what;
    return ReadSnapshotText(m_lines, m_bounds, snapshot, what) || Fail(what);
  }

  bool ParseQueues(std::size_t slots, std::vector<RecordQueue>& queues) {
    if (m_words.size() != slots + 1) return false;
    queues.assign(slots, RecordQueue{});
    for (std::size_t i = 0; i < slots; ++i) {
      if (!ParseQueue(m_words[i + 1], queues[i])) return false;
    }
    return true;
  }

  // The next line's words in m_words; an empty last line (the file's final line end) ends the record.
  bool Next() { return m_lines.NextWords(m_words); }

  bool Expect(const char* key, std::size_t count) { return Next() && m_words[0] == key && m_words.size() == count + 1; }

  bool Fail(const std::string& what) {
    char where[32];
    m_error = m_lines.Number() == 0 ? "" : FormatText(where, sizeof where, "line %zu: ", m_lines.Number());
    m_error += m_lines.TooLong() ? "line too long" : what;
    return false;
  }

  CRecordLines m_lines;              // the record's lines
  CGameRecord& m_record;             // what is read
  std::string& m_error;              // why reading failed
  std::uint32_t m_version = 0;       // the record's format version
  SnapshotBounds m_bounds;           // what a snapshot of the record must fit
  std::vector<std::string> m_words;  // the line read last
  bool m_more = false;               // m_words holds a line not yet taken
};

}  // namespace

std::string WriteRecordText(const CGameRecord& record) {
  std::string out;
  char line[64];
  out += FormatText(line, sizeof line, "%s %u\nrules %u\n", kMagic, CGameRecord::mc_version, record.m_rules);
  const std::size_t width = record.m_rows.empty() ? 0 : record.m_rows[0].size();
  out += FormatText(line, sizeof line, "size %zu %zu\n", width, record.m_rows.size());
  for (const std::string& row : record.m_rows) {
    out += "row ";
    out += row;
    out += '\n';
  }
  out += FormatText(line, sizeof line, "teams %u %u\n", record.m_teamSize[0], record.m_teamSize[1]);
  out += record.m_difficulty == Difficulty::Hard ? "computer hard\n" : "computer normal\n";
  out += FormatText(line, sizeof line, "seed %u\ncursor %u\n", record.m_seed, record.m_cursor);
  if (record.m_start) AppendSnapshotText(out, "start", *record.m_start);
  const std::size_t ended = record.EndedTurns();
  for (std::size_t i = 0; i < ended; ++i) {
    AppendQueues(out, "turn", record.m_turns[i].m_queues);
    out += FormatText(line, sizeof line, "check %016" PRIx64 "\n", record.m_turns[i].m_checksum);
  }
  if (record.m_now) AppendSnapshotText(out, "now", *record.m_now);
  if (record.m_openTurn) {
    AppendQueues(out, "turn", record.m_turns.back().m_queues);
  } else if (record.m_hasPlans) {
    AppendQueues(out, "plans", record.m_plans);
    out += FormatText(line, sizeof line, "selected %u\n", record.m_selected);
  }
  return out;
}

bool ReadRecordText(const std::string& text, CGameRecord& record, std::string& error) {
  // The last line's line end makes no empty line of its own.
  const std::string body = !text.empty() && text.back() == '\n' ? text.substr(0, text.size() - 1) : text;
  return CRecordParser(body, record, error).Parse();
}

bool ReadRecordFile(const std::string& path, CGameRecord& record, std::string& error) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    error = path + ": cannot be opened";
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    error = path + ": not a file";
    return false;
  }
  if (static_cast<std::uint64_t>(info.st_size) > RecordText::mc_maxFileBytes) {
    error = path + ": too large for a game record";
    return false;
  }
  std::ifstream file(path, std::ios::binary);
  std::string text;
  if (file) text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (!file && !file.eof()) {
    error = path + ": cannot be read";
    return false;
  }
  if (text.size() > RecordText::mc_maxFileBytes) {
    error = path + ": too large for a game record";
    return false;
  }
  if (!ReadRecordText(text, record, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

std::vector<std::string> BattlefieldRows(const CMap& map) {
  std::vector<std::string> rows;
  if (!map.HasGrid()) return rows;
  const std::uint32_t width = map.GetWidth();
  const std::uint32_t height = map.GetHeight();
  for (std::uint32_t row = 0; row < height; ++row) {
    std::string cells(width, '.');
    for (std::uint32_t x = 0; x < width; ++x) {
      if (map.IsWall(x, height - 1 - row)) cells[x] = '#';
    }
    rows.push_back(std::move(cells));
  }
  // The goal marks travel with the cells, so the computer's goals replay.
  for (std::uint32_t row = 0; row < CMap::mc_goalMarks; ++row) {
    MapCell cell{};
    if (map.GetGoalMark(row, cell)) {
      rows[height - 1 - static_cast<std::uint32_t>(cell.y)][static_cast<std::size_t>(cell.x)] =
          static_cast<char>('1' + row);
    }
  }
  return rows;
}
