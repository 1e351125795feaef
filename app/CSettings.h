#pragma once

#include <functional>
#include <map>
#include <string>

class CAsyncFileWriter;

// What one remembered choice may be. Each choice is one constant in
// app/SettingKeys.h; the settings file holds it as "key = value".

// A whole number from m_Min to m_Max.
struct CIntSetting {
  const char* m_Key;  // its name in the file
  int m_Default;      // the value when the file has none
  int m_Min;          // smallest value allowed
  int m_Max;          // greatest value allowed
};

// On or off, written "on" or "off" ("yes", "no", "true", "false", "1" and "0" are read too).
struct CFlagSetting {
  const char* m_Key;  // its name in the file
  bool m_Default;     // the value when the file has none
};

// One of a few words; the first is the default. Read and written as its index.
struct CChoiceSetting {
  static constexpr int mc_maxWords = 8;
  const char* m_Key;                  // its name in the file
  const char* m_Words[mc_maxWords];   // the words allowed, null after the last
};

// Any text on one line without control characters, such as a name.
struct CTextSetting {
  const char* m_Key;      // its name in the file
  const char* m_Default;  // the value when the file has none
};

// The player's remembered choices, kept in a plain "key = value" text file
// that is read once at start-up and written whole, atomically, after every
// change, on the program's writer thread when one is given. A file that is
// not such a list (damaged, or some other program's) counts as empty: every
// choice takes its default, one line on standard error says so, and the next
// change writes a clean file. A value that does not fit its key counts as
// missing the same way. Keys this game does not know are kept as they are.
// When the file cannot be written the choices last until the game ends, and
// one line says so the first time.
class CSettings {
 public:
  // Receives each line the settings have to say (without a line feed).
  using Say = std::function<void(const std::string&)>;

  // Kept in memory only until Load: nothing is read or written. With a
  // writer (which must outlive the settings) each save is handed to it, so a
  // choice never waits for the disk; without one the file is written at once.
  explicit CSettings(Say say = Say(), CAsyncFileWriter* writer = nullptr);

  // Reads the file, once the saves handed over have ended; a missing one
  // gives the defaults without a word. An empty path means there is nowhere
  // to keep the file (no home folder).
  void Load(const std::string& path);

  // The value remembered for the key, else its default.
  int Get(const CIntSetting& setting);
  bool Get(const CFlagSetting& setting);
  int Get(const CChoiceSetting& setting);
  std::string Get(const CTextSetting& setting);

  // Remembers the value and saves the file when it changed. A value outside
  // what the key allows is not taken.
  void Set(const CIntSetting& setting, int value);
  void Set(const CFlagSetting& setting, bool value);
  void Set(const CChoiceSetting& setting, int index);
  void Set(const CTextSetting& setting, const std::string& value);

  const std::string& GetPath() const { return m_Path; }
  // Says that a save handed over failed, unless a failure was said already;
  // the engine calls it as the game quits, after the writer's last job.
  void SayFailedSave();

 private:
  // The value written for the key, or null when there is none.
  const std::string* Find(const char* key) const;
  // Forgets a value that does not fit its key, saying so once.
  void Reject(const char* key);
  void Put(const char* key, const std::string& value);
  void Save();
  // Says the reason a save failed, the first time only.
  void SayCannotSave(const std::string& why);

  Say m_Say;                                   // where messages go: standard error unless given
  std::map<std::string, std::string> m_Values; // key to value, as in the file
  std::string m_Path;                          // the file; empty when there is none
  bool m_Stored = false;                       // Load was called: changes are saved
  bool m_SaidBadFile = false;                  // a broken file or value has been reported
  bool m_SaidCannotSave = false;               // a failed save has been reported
  CAsyncFileWriter* m_Writer;                  // writes the file; null: written at once
};
