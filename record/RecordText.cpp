#include "record/RecordText.h"

#include <sys/stat.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/TextFormat.h"
#include "record/CGameRecord.h"

namespace {

constexpr char kMagic[] = "korvane-record";
constexpr std::uint32_t kMaxTeamSize = 10;
constexpr std::uint32_t kMaxKept = 100000;
constexpr std::uint32_t kCursorLimit = 16384;
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

// The text split at spaces; empty words (two spaces) are kept, so that a line
// reads back only as it was written.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::size_t start = 0;
  for (;;) {
    const std::size_t space = line.find(' ', start);
    words.push_back(line.substr(start, space == std::string::npos ? std::string::npos : space - start));
    if (space == std::string::npos) return words;
    start = space + 1;
  }
}

// Decimal digits only, no sign, at most the limit.
bool ParseNumber(const std::string& word, std::uint64_t limit, std::uint64_t& value) {
  if (word.empty() || word.size() > 20) return false;
  value = 0;
  for (const char c : word) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > limit) return false;
  }
  return true;
}

bool ParseU32(const std::string& word, std::uint32_t limit, std::uint32_t& value) {
  std::uint64_t wide = 0;
  if (!ParseNumber(word, limit, wide)) return false;
  value = static_cast<std::uint32_t>(wide);
  return true;
}

bool ParseQueue(const std::string& word, RecordQueue& queue) {
  queue = RecordQueue{};
  if (word == "-") return true;
  std::string letters = word;
  const std::size_t plus = word.find('+');
  if (plus != std::string::npos) {
    if (!ParseU32(word.substr(0, plus), kMaxKept, queue.m_kept)) return false;
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

// Walks the lines of a record, keeping the number of the line read last.
class CRecordLines {
 public:
  explicit CRecordLines(const std::string& text) : m_text(text) {}

  // The next line without its line end; false at the end of the text or for
  // a line too long (then TooLong is true).
  bool Next(std::string& line) {
    if (m_pos >= m_text.size()) return false;
    std::size_t end = m_text.find('\n', m_pos);
    if (end == std::string::npos) end = m_text.size();
    ++m_number;
    if (end - m_pos > RecordText::mc_maxLineBytes) {
      m_tooLong = true;
      return false;
    }
    line.assign(m_text, m_pos, end - m_pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    m_pos = end + 1;
    return true;
  }
  bool TooLong() const { return m_tooLong; }
  std::size_t Number() const { return m_number; }

 private:
  const std::string& m_text;  // the whole record
  std::size_t m_pos = 0;      // start of the next line
  std::size_t m_number = 0;   // 1-based number of the line read last
  bool m_tooLong = false;     // the last line exceeded the limit
};

class CRecordParser {
 public:
  CRecordParser(const std::string& text, CGameRecord& record, std::string& error)
      : m_lines(text), m_record(record), m_error(error) {}

  bool Parse() {
    std::string line;
    if (!m_lines.Next(line)) return Fail(m_lines.TooLong() ? "line too long" : "empty file");
    const std::vector<std::string> magic = Words(line);
    if (magic.size() != 2 || magic[0] != kMagic) return Fail("not a Korvane game record");
    std::uint32_t version = 0;
    if (!ParseU32(magic[1], 1000000, version) || version != CGameRecord::mc_version) {
      return Fail("record version " + magic[1] + " is not supported (this game reads version 1)");
    }
    std::vector<std::string> words;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!Expect("size", 2, words) || !ParseU32(words[1], RecordText::mc_maxSide, width) ||
        !ParseU32(words[2], RecordText::mc_maxSide, height) || width == 0 || height == 0) {
      return Fail("expected \"size WIDTH HEIGHT\"");
    }
    m_record.m_rows.clear();
    for (std::uint32_t y = 0; y < height; ++y) {
      if (!Expect("row", 1, words) || words[1].size() != width ||
          words[1].find_first_not_of("#.123456") != std::string::npos) {
        return Fail("expected a row of the battlefield");
      }
      m_record.m_rows.push_back(words[1]);
    }
    if (!Expect("teams", 2, words) || !ParseU32(words[1], kMaxTeamSize, m_record.m_teamSize[0]) ||
        !ParseU32(words[2], kMaxTeamSize, m_record.m_teamSize[1]) || m_record.m_teamSize[0] == 0 ||
        m_record.m_teamSize[1] == 0) {
      return Fail("expected \"teams GREEN BLUE\", 1 to 10 each");
    }
    // The computer's level; records from before there were levels are Normal.
    m_record.m_difficulty = Difficulty::Normal;
    if (!NextWords(words)) return Fail("expected a seed");
    if (words[0] == "computer") {
      if (words.size() != 2 || !ParseDifficulty(words[1].c_str(), m_record.m_difficulty)) {
        return Fail("expected \"computer normal\" or \"computer hard\"");
      }
      if (!NextWords(words)) return Fail("expected a seed");
    }
    if (words[0] != "seed" || words.size() != 2 || !ParseU32(words[1], UINT32_MAX, m_record.m_seed)) {
      return Fail("expected a seed");
    }
    if (!Expect("cursor", 1, words) || !ParseU32(words[1], kCursorLimit - 1, m_record.m_cursor)) {
      return Fail("expected a cursor");
    }
    return ParseTurns();
  }

 private:
  bool ParseTurns() {
    const std::size_t slots = m_record.m_teamSize[0];
    m_record.m_turns.clear();
    m_record.m_hasPlans = false;
    std::vector<std::string> words;
    while (NextWords(words)) {
      if (words[0] == "turn") {
        if (m_record.m_turns.size() >= RecordText::mc_maxTurns) return Fail("too many turns");
        RecordTurn turn;
        if (!ParseQueues(words, slots, turn.m_queues)) return Fail("expected one queue per Green tank");
        if (!Expect("check", 1, words) || !ParseChecksum(words[1], turn.m_checksum)) {
          return Fail("expected \"check\" and 16 hexadecimal digits");
        }
        m_record.m_turns.push_back(std::move(turn));
      } else if (words[0] == "plans") {
        if (!ParseQueues(words, slots, m_record.m_plans)) return Fail("expected one queue per Green tank");
        if (!Expect("selected", 1, words) || !ParseU32(words[1], static_cast<std::uint32_t>(slots), m_record.m_selected)) {
          return Fail("expected \"selected\" and a tank number");
        }
        m_record.m_hasPlans = true;
        if (NextWords(words)) return Fail("nothing may follow the plans");
        break;
      } else {
        return Fail("unknown item \"" + words[0].substr(0, 40) + "\"");
      }
    }
    return !m_lines.TooLong() || Fail("line too long");
  }

  bool ParseQueues(const std::vector<std::string>& words, std::size_t slots, std::vector<RecordQueue>& queues) {
    if (words.size() != slots + 1) return false;
    queues.assign(slots, RecordQueue{});
    for (std::size_t i = 0; i < slots; ++i) {
      if (!ParseQueue(words[i + 1], queues[i])) return false;
    }
    return true;
  }

  // The next line's words; an empty last line (the file's final line end) ends the record.
  bool NextWords(std::vector<std::string>& words) {
    std::string line;
    if (!m_lines.Next(line)) return false;
    words = Words(line);
    return true;
  }

  bool Expect(const char* key, std::size_t count, std::vector<std::string>& words) {
    return NextWords(words) && words[0] == key && words.size() == count + 1;
  }

  bool Fail(const std::string& what) {
    char where[32];
    m_error = m_lines.Number() == 0 ? "" : FormatText(where, sizeof where, "line %zu: ", m_lines.Number());
    m_error += m_lines.TooLong() ? "line too long" : what;
    return false;
  }

  CRecordLines m_lines;    // the record's lines
  CGameRecord& m_record;   // what is read
  std::string& m_error;    // why reading failed
};

}  // namespace

std::string WriteRecordText(const CGameRecord& record) {
  std::string out;
  char line[64];
  out += FormatText(line, sizeof line, "%s %u\n", kMagic, CGameRecord::mc_version);
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
  for (const RecordTurn& turn : record.m_turns) {
    AppendQueues(out, "turn", turn.m_queues);
    out += FormatText(line, sizeof line, "check %016" PRIx64 "\n", turn.m_checksum);
  }
  if (record.m_hasPlans) {
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
