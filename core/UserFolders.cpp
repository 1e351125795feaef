#include "core/UserFolders.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace {

const char kGameFolder[] = "/korvane";

// The variable's value when it is an absolute path, else empty.
std::string AbsoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  if (!value || value[0] != '/') return std::string();
  return value;
}

std::string XdgFolder(const char* variable, const char* homeRelative) {
  std::string base = AbsoluteVariable(variable);
  if (base.empty()) {
    const std::string home = AbsoluteVariable("HOME");
    if (home.empty()) return std::string();
    base = home + homeRelative;
  }
  return base + kGameFolder;
}

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string UserConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", "/.config"); }

std::string UserDataFolder() { return XdgFolder("XDG_DATA_HOME", "/.local/share"); }

bool MakeFolders(const std::string& path, std::string* error) {
  if (path.empty()) {
    if (error) *error = "no folder";
    return false;
  }
  // Each prefix ending before a separator, then the whole path.
  for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    const std::string prefix = path.substr(0, end);
    if (!prefix.empty() && mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) {
      if (error) *error = std::strerror(errno);
      return false;
    }
    if (end == std::string::npos) break;
  }
  if (IsFolder(path)) return true;
  if (error) *error = "not a folder";
  return false;
}
