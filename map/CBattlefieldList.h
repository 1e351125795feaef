#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The battlefields a player chooses from, in the order the start screen
// cycles through them: a file of the player's own (when one was given), the
// default, the other shipped ones named in the list file, and one generated
// from a seed. The list file holds a line "file name" per battlefield, the
// file relative to the list's folder; a missing or broken list leaves the
// default alone, named "Default".
class CBattlefieldList {
 public:
  // Names longer than this are cut, so that they fit the start screen.
  static constexpr std::size_t mc_maxName = 20;
  // Lines of the list file read at most.
  static constexpr std::size_t mc_maxEntries = 32;

  // Reads the list; `folder` is put in front of every file it names
  // (with its separator), `defaultFile` is the default battlefield's path.
  // Chooses the default.
  void Load(const char* listFile, const std::string& folder, const std::string& defaultFile);
  // Chooses the battlefield of this file: a listed one, or else the player's
  // own, named by its file name and put first.
  void ChooseFile(const std::string& path);
  // Chooses the generated battlefield of this seed.
  void ChooseRandom(std::uint32_t seed);
  // Chooses the listed battlefield of this name, or the generated one of a
  // name "Random #<seed>"; false, with the choice unchanged, for any other
  // name (the player's own file is not chosen by name).
  bool ChooseName(const std::string& name);
  // One step forward or back, round the list; stepping onto the generated
  // battlefield draws a new seed.
  void Step(int direction);

  bool IsRandom() const { return m_chosen == m_entries.size(); }
  // The player's own file is chosen.
  bool IsOwn() const { return m_hasOwn && m_chosen == 0; }
  std::uint32_t GetSeed() const { return m_seed; }
  // The chosen file; empty for the generated battlefield.
  const std::string& GetFile() const;
  // The chosen battlefield's name: a listed name, a file name or "Random #<seed>".
  const std::string& GetName() const { return IsRandom() ? m_randomName : m_entries[m_chosen].name; }
  std::size_t GetCount() const { return m_entries.size() + 1; }
  // The battlefields read from files, in the list's order: how many, and
  // the file and name of each (an index beyond the last stops the program).
  std::size_t GetFileCount() const { return m_entries.size(); }
  const std::string& GetFileAt(std::size_t index) const { return m_entries.at(index).file; }
  const std::string& GetNameAt(std::size_t index) const { return m_entries.at(index).name; }

 private:
  struct Entry {
    std::string file;  // path of the map file
    std::string name;  // what the start screen shows
  };
  void AddEntry(const std::string& file, const std::string& name);

  std::vector<Entry> m_entries;     // the files, in cycling order; the generated one follows them
  std::size_t m_chosen = 0;         // index into m_entries, or its size for the generated one
  bool m_hasOwn = false;            // m_entries[0] is the player's own file
  std::uint32_t m_seed = 1;         // seed of the generated battlefield
  std::string m_randomName;         // "Random #<seed>"
  std::string m_empty;              // the file of the generated battlefield
};
