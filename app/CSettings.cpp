#include "app/CSettings.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/AtomicFile.h"
#include "core/CAsyncFileWriter.h"
#include "core/CLineReader.h"
#include "core/UserFolders.h"

namespace {

// A settings file is a few dozen short lines; anything much bigger is not one.
constexpr long long kMaxFileBytes = 64 * 1024;
constexpr std::size_t kLineBuffer = 1024;
const char kHeader[] = "# Korvane settings: one \"key = value\" a line.\n";

struct FlagWord {
  const char* word;
  bool on;
};
constexpr FlagWord kFlagWords[] = {{"on", true},    {"off", false}, {"yes", true},
                                   {"no", false},   {"true", true}, {"false", false},
                                   {"1", true},     {"0", false}};

void SayOnStderr(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsKey(const std::string& key) {
  if (key.empty()) return false;
  for (char c : key) {
    if (!(c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

// Printable on one line: no control characters (bytes of UTF-8 are fine).
bool IsText(const std::string& value) {
  for (char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

bool ParseInt(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  std::size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  for (std::size_t j = i; j < text.size(); ++j) {
    if (text[j] < '0' || text[j] > '9') return false;
  }
  value = static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
  return true;
}

std::string Folder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

CSettings::CSettings(Say say, CAsyncFileWriter* writer)
    : m_Say(say ? std::move(say) : Say(SayOnStderr)), m_Writer(writer) {}

void CSettings::Load(const std::string& path) {
  if (m_Writer) m_Writer->Wait();
  m_Path = path;
  m_Stored = true;
  m_Values.clear();
  if (path.empty()) return;
  struct stat info;
  const bool exists = stat(path.c_str(), &info) == 0;
  if (!exists && (errno == ENOENT || errno == ENOTDIR)) return;  // no file yet

  std::string problem;
  CLineReader reader(kLineBuffer);
  if (!exists) {
    problem = std::string("it cannot be read: ") + std::strerror(errno);
  } else if (!S_ISREG(info.st_mode)) {
    problem = "it is not a file";
  } else if (info.st_size > kMaxFileBytes) {
    problem = "it is too large";
  } else if (!reader.Open(path.c_str())) {
    problem = std::string("it cannot be read: ") + std::strerror(errno);
  } else {
    std::string line;
    for (int number = 1; problem.empty() && reader.Next(line); ++number) {
      const std::string text = Trim(line);
      if (text.empty() || text[0] == '#') continue;
      const std::size_t equals = text.find('=');
      const std::string key = Trim(text.substr(0, equals));
      const std::string value = equals == std::string::npos ? std::string() : Trim(text.substr(equals + 1));
      if (line.size() + 1 >= kLineBuffer || equals == std::string::npos || !IsKey(key) || !IsText(value)) {
        problem = "line " + std::to_string(number) + " is not \"key = value\"";
      } else {
        m_Values[key] = value;
      }
    }
  }
  if (problem.empty()) return;
  m_Values.clear();
  m_SaidBadFile = true;
  m_Say("Korvane: ignoring the settings file " + path + " (" + problem +
        "); the defaults are used and the file is rewritten at the next change");
}

const std::string* CSettings::Find(const char* key) const {
  const auto found = m_Values.find(key);
  return found == m_Values.end() ? nullptr : &found->second;
}

void CSettings::Reject(const char* key) {
  if (!m_SaidBadFile) {
    m_SaidBadFile = true;
    m_Say("Korvane: the settings file " + m_Path + " gives " + key + " the value \"" + m_Values[key] +
          "\", which it cannot take; the default is used");
  }
  m_Values.erase(key);
}

int CSettings::Get(const CIntSetting& setting) {
  const std::string* text = Find(setting.m_Key);
  if (!text) return setting.m_Default;
  int value = 0;
  if (ParseInt(*text, value) && value >= setting.m_Min && value <= setting.m_Max) return value;
  Reject(setting.m_Key);
  return setting.m_Default;
}

bool CSettings::Get(const CFlagSetting& setting) {
  const std::string* text = Find(setting.m_Key);
  if (!text) return setting.m_Default;
  for (const FlagWord& word : kFlagWords) {
    if (*text == word.word) return word.on;
  }
  Reject(setting.m_Key);
  return setting.m_Default;
}

int CSettings::Get(const CChoiceSetting& setting) {
  const std::string* text = Find(setting.m_Key);
  if (!text) return 0;
  for (int i = 0; i < CChoiceSetting::mc_maxWords && setting.m_Words[i]; ++i) {
    if (*text == setting.m_Words[i]) return i;
  }
  Reject(setting.m_Key);
  return 0;
}

std::string CSettings::Get(const CTextSetting& setting) {
  const std::string* text = Find(setting.m_Key);
  return text ? *text : std::string(setting.m_Default);
}

void CSettings::Set(const CIntSetting& setting, int value) {
  if (value >= setting.m_Min && value <= setting.m_Max) Put(setting.m_Key, std::to_string(value));
}

void CSettings::Set(const CFlagSetting& setting, bool value) { Put(setting.m_Key, value ? "on" : "off"); }

void CSettings::Set(const CChoiceSetting& setting, int index) {
  for (int i = 0; i < CChoiceSetting::mc_maxWords && setting.m_Words[i]; ++i) {
    if (i == index) Put(setting.m_Key, setting.m_Words[i]);
  }
}

void CSettings::Set(const CTextSetting& setting, const std::string& value) {
  const std::string text = Trim(value);
  if (IsText(text)) Put(setting.m_Key, text);
}

void CSettings::Put(const char* key, const std::string& value) {
  const std::string* old = Find(key);
  if (old && *old == value) return;
  m_Values[key] = value;
  if (m_Stored) Save();
}

void CSettings::Save() {
  if (m_Path.empty()) return SayCannotSave("no home folder: neither XDG_CONFIG_HOME nor HOME is set");
  std::string bytes = kHeader;
  for (const auto& [key, value] : m_Values) bytes += key + " = " + value + "\n";
  if (m_Writer) {
    SayFailedSave();
    m_Writer->Write(m_Path, std::move(bytes));
    return;
  }
  std::string error;
  if (!MakeFolders(Folder(m_Path), &error)) return SayCannotSave(Folder(m_Path) + ": " + error);
  if (!WriteFileAtomically(m_Path, bytes, &error)) SayCannotSave(m_Path + ": " + error);
}

void CSettings::SayFailedSave() {
  if (!m_Writer || m_Path.empty()) return;
  const std::string failed = m_Writer->TakeError(m_Path);
  if (!failed.empty()) SayCannotSave(failed);
}

void CSettings::SayCannotSave(const std::string& why) {
  if (m_SaidCannotSave) return;
  m_SaidCannotSave = true;
  m_Say("Korvane cannot save its settings (" + why + "); changes last until the game ends");
}
