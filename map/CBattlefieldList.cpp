#include "map/CBattlefieldList.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "core/CLineReader.h"

namespace {

// Bytes of a list line read at once; a longer line reads as several.
constexpr std::size_t kLineBuffer = 512;
// What a generated battlefield's name starts with, before its seed.
constexpr std::string_view kRandomPrefix = "Random #";

std::string FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void CBattlefieldList::AddEntry(const std::string& file, const std::string& name) {
  std::string shown = name.empty() ? FileName(file) : name;
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < ' ') c = ' ';
  }
  if (shown.size() > mc_maxName) shown.resize(mc_maxName);
  m_entries.push_back(Entry{file, shown});
}

void CBattlefieldList::Load(const char* listFile, const std::string& folder, const std::string& defaultFile) {
  m_entries.clear();
  m_hasOwn = false;
  AddEntry(defaultFile, "Default");
  CLineReader reader(kLineBuffer);
  std::string line;
  if (listFile && reader.Open(listFile)) {
    while (m_entries.size() < mc_maxEntries && reader.Next(line)) {
      const std::size_t space = line.find(' ');
      const std::string file = folder + line.substr(0, space);
      const std::string name = space == std::string::npos ? std::string() : line.substr(space + 1);
      if (space == 0 || line.empty()) continue;
      if (file == defaultFile) {
        // The list names the default; it stays first.
        AddEntry(file, name);
        m_entries.front() = m_entries.back();
        m_entries.pop_back();
      } else {
        AddEntry(file, name);
      }
    }
  }
  m_chosen = 0;
}

void CBattlefieldList::ChooseFile(const std::string& path) {
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    if (m_entries[i].file == path) {
      m_chosen = i;
      return;
    }
  }
  if (m_hasOwn) m_entries.erase(m_entries.begin());
  AddEntry(path, std::string());
  std::rotate(m_entries.rbegin(), m_entries.rbegin() + 1, m_entries.rend());
  m_hasOwn = true;
  m_chosen = 0;
}

void CBattlefieldList::ChooseRandom(std::uint32_t seed) {
  m_chosen = m_entries.size();
  m_seed = seed;
  m_randomName = std::string(kRandomPrefix) + std::to_string(seed);
}

bool CBattlefieldList::ChooseName(const std::string& name) {
  for (std::size_t i = m_hasOwn ? 1 : 0; i < m_entries.size(); ++i) {
    if (m_entries[i].name == name) {
      m_chosen = i;
      return true;
    }
  }
  const std::size_t prefix = kRandomPrefix.size();
  const std::string digits = name.compare(0, prefix, kRandomPrefix) == 0 ? name.substr(prefix) : std::string();
  // At most ten digits, none before them: anything else is not a seed this list wrote.
  if (digits.empty() || digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos ||
      (digits.size() > 1 && digits[0] == '0')) {
    return false;
  }
  const unsigned long long seed = std::stoull(digits);
  if (seed > UINT32_MAX) return false;
  ChooseRandom(static_cast<std::uint32_t>(seed));
  return true;
}

void CBattlefieldList::Step(int direction) {
  const std::size_t count = GetCount();
  m_chosen = (m_chosen + (direction < 0 ? count - 1 : 1)) % count;
  // A new seed each time: the next value of a full-period linear congruential sequence.
  if (IsRandom()) ChooseRandom(m_seed * 1664525u + 1013904223u);
}

const std::string& CBattlefieldList::GetFile() const { return IsRandom() ? m_empty : m_entries[m_chosen].file; }
