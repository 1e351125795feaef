#include "record/RecordWords.h"

std::vector<std::string> RecordWords(const std::string& line) {
  std::vector<std::string> words;
  std::size_t start = 0;
  for (;;) {
    const std::size_t space = line.find(' ', start);
    words.push_back(line.substr(start, space == std::string::npos ? std::string::npos : space - start));
    if (space == std::string::npos) return words;
    start = space + 1;
  }
}

bool ParseRecordNumber(const std::string& word, std::uint32_t limit, std::uint32_t& value) {
  if (word.empty() || word.size() > 10) return false;
  std::uint64_t wide = 0;
  for (const char c : word) {
    if (c < '0' || c > '9') return false;
    wide = wide * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (wide > limit) return false;
  value = static_cast<std::uint32_t>(wide);
  return true;
}

bool ParseRecordSigned(const std::string& word, std::int32_t low, std::int32_t high, std::int32_t& value) {
  const bool negative = !word.empty() && word[0] == '-';
  std::uint32_t size = 0;
  if (!ParseRecordNumber(negative ? word.substr(1) : word, 0x7FFFFFFF, size)) return false;
  const std::int64_t wide = negative ? -static_cast<std::int64_t>(size) : static_cast<std::int64_t>(size);
  if (wide < low || wide > high) return false;
  value = static_cast<std::int32_t>(wide);
  return true;
}

bool CRecordLines::Next(std::string& line) {
  if (m_pos >= m_text.size()) return false;
  std::size_t end = m_text.find('\n', m_pos);
  if (end == std::string::npos) end = m_text.size();
  ++m_number;
  if (end - m_pos > mc_maxLineBytes) {
    m_tooLong = true;
    return false;
  }
  line.assign(m_text, m_pos, end - m_pos);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  m_pos = end + 1;
  return true;
}

bool CRecordLines::NextWords(std::vector<std::string>& words) {
  std::string line;
  if (!Next(line)) return false;
  words = RecordWords(line);
  return true;
}
