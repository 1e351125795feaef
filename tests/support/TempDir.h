#pragma once

#include <string>

// A fresh directory under the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return m_path; }
  // Path of a file inside the directory.
  std::string File(const std::string& name) const { return m_path + "/" + name; }
  // Writes the bytes to a file inside the directory and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string m_path;  // the directory
};
