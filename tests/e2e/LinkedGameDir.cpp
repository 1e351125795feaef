#include "e2e/LinkedGameDir.h"

#include <filesystem>

#include "e2e/GameSession.h"

namespace fs = std::filesystem;

LinkedGameDir::LinkedGameDir() {
  fs::create_symlink(SourceDir() + "/KVIcon.bmp", m_dir.File("KVIcon.bmp"));
  fs::create_directory(m_dir.File("Data"));
  for (const auto& entry : fs::directory_iterator(SourceDir() + "/Data")) {
    fs::create_symlink(entry.path(), m_dir.File("Data/" + entry.path().filename().string()));
  }
}

void LinkedGameDir::Replace(const std::string& name, const std::string& bytes) const {
  fs::remove(m_dir.File(name));
  m_dir.Write(name, bytes);
}

void LinkedGameDir::RemoveData() const { fs::remove_all(m_dir.File("Data")); }
