#include "core/UserFolders.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace {

// Sets an environment variable for the life of the object, or unsets it for a
// null value, and puts the old value back afterwards.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : m_name(name) {
    const char* old = std::getenv(name);
    m_hadOld = old != nullptr;
    if (old) m_old = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~ScopedVariable() {
    if (m_hadOld) setenv(m_name, m_old.c_str(), 1);
    else unsetenv(m_name);
  }

 private:
  const char* m_name;
  bool m_hadOld = false;
  std::string m_old;
};

struct FolderCase {
  const char* home;
  const char* xdgConfig;
  const char* xdgData;
  const char* config;
  const char* data;
};

TEST(UserFoldersTest, FollowTheXdgVariablesThenHome) {
  const FolderCase cases[] = {
      {"/home/p", nullptr, nullptr, "/home/p/.config/korvane", "/home/p/.local/share/korvane"},
      {"/home/p", "/c", "/d", "/c/korvane", "/d/korvane"},
      // Empty or relative XDG values are invalid and fall back to HOME.
      {"/home/p", "", "rel/data", "/home/p/.config/korvane", "/home/p/.local/share/korvane"},
      {nullptr, "/c", nullptr, "/c/korvane", ""},
      {"relative", nullptr, nullptr, "", ""},
  };
  for (const FolderCase& c : cases) {
    ScopedVariable home("HOME", c.home);
    ScopedVariable config("XDG_CONFIG_HOME", c.xdgConfig);
    ScopedVariable data("XDG_DATA_HOME", c.xdgData);
    EXPECT_EQ(UserConfigFolder(), c.config) << (c.home ? c.home : "(no HOME)");
    EXPECT_EQ(UserDataFolder(), c.data) << (c.home ? c.home : "(no HOME)");
  }
}

TEST(UserFoldersTest, MakeFoldersMakesParentsAndRefusesAFileInTheWay) {
  TempDir dir;
  const std::string nested = dir.File("a/b/c");
  EXPECT_TRUE(MakeFolders(nested));
  EXPECT_TRUE(MakeFolders(nested + "/"));  // already there
  dir.Write("file", "x");
  std::string error;
  EXPECT_FALSE(MakeFolders(dir.File("file/sub"), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(MakeFolders(dir.File("file")));
  EXPECT_FALSE(MakeFolders(""));
}

}  // namespace
