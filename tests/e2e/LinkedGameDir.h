#pragma once

#include <string>

#include "support/TempDir.h"

// A working directory for the real program: the repository's icon, and a
// Data folder whose files link to the repository's until a test replaces one.
class LinkedGameDir {
 public:
  LinkedGameDir();

  // Replaces a file (a path inside the directory, such as "Data/map.dat").
  void Replace(const std::string& name, const std::string& bytes) const;
  // Removes the Data folder and everything in it.
  void RemoveData() const;
  const std::string& Path() const { return m_dir.Path(); }

 private:
  TempDir m_dir;  // the directory, removed with this object
};
