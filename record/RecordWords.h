#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The pieces a game record's text is read with: its lines and their words,
// and numbers written in decimal.

// The text split at spaces; empty words (two spaces) are kept, so that a line
// reads back only as it was written.
std::vector<std::string> RecordWords(const std::string& line);
// Decimal digits only, no sign, at most `limit`; false for anything else.
bool ParseRecordNumber(const std::string& word, std::uint32_t limit, std::uint32_t& value);
// An optional '-' and decimal digits, from `low` to `high`; false for anything else.
bool ParseRecordSigned(const std::string& word, std::int32_t low, std::int32_t high, std::int32_t& value);

// Walks the lines of a record, keeping the number of the line read last.
class CRecordLines {
 public:
  // A line longer than this is refused.
  static constexpr std::size_t mc_maxLineBytes = 8192;

  // The text is read where it stands: it must outlive the walk.
  explicit CRecordLines(const std::string& text) : m_text(text) {}

  // The next line without its line end; false at the end of the text or for
  // a line too long (then TooLong is true).
  bool Next(std::string& line);
  // The next line's words (RecordWords); false as Next.
  bool NextWords(std::vector<std::string>& words);
  bool TooLong() const { return m_tooLong; }
  // 1-based number of the line read last; 0 before any.
  std::size_t Number() const { return m_number; }

 private:
  const std::string& m_text;  // the whole record
  std::size_t m_pos = 0;      // start of the next line
  std::size_t m_number = 0;   // 1-based number of the line read last
  bool m_tooLong = false;     // the last line exceeded the limit
};
