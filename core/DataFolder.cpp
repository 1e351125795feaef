#include "core/DataFolder.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/BuildInfo.h"
#include "core/DataFiles.h"

namespace fs = std::filesystem;

std::vector<std::string> DataFolderCandidates() {
  std::vector<std::string> folders;
  std::error_code error;
  const fs::path here = fs::current_path(error);
  if (!error) folders.push_back(here.string());
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (!error) folders.push_back((executable.parent_path() / ".." / "share" / "korvane").lexically_normal().string());
  folders.push_back(kv::kInstalledDataFolder);
  // The executable may lie in the prefix it was built for: each folder once.
  std::vector<std::string> unique;
  for (const std::string& folder : folders) {
    if (std::find(unique.begin(), unique.end(), folder) == unique.end()) unique.push_back(folder);
  }
  return unique;
}

std::string FindDataFolder(const std::vector<std::string>& candidates) {
  for (const std::string& folder : candidates) {
    std::error_code error;
    if (fs::is_regular_file(fs::path(folder) / kv::kIconFile, error)) return folder;
  }
  return std::string();
}

bool EnterDataFolder(std::string* error) {
  const std::vector<std::string> candidates = DataFolderCandidates();
  const std::string folder = FindDataFolder(candidates);
  if (!folder.empty() && chdir(folder.c_str()) == 0) return true;
  if (error) {
    *error = "Korvane cannot find its data (the window icon " + std::string(kv::kIconFile) +
             " and the Data folder); it looked in";
    for (std::size_t i = 0; i < candidates.size(); ++i) *error += (i == 0 ? " " : ", ") + candidates[i];
  }
  return false;
}
