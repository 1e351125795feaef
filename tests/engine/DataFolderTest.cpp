#include "engine/DataFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace {

TEST(DataFolderTest, TheFirstFolderHoldingTheIconIsTheGames) {
  struct Case {
    std::vector<int> withIcon;  // which of the three folders hold KVIcon.bmp
    int found;                  // the folder chosen, -1 none
  };
  const Case cases[] = {{{0, 1, 2}, 0}, {{1, 2}, 1}, {{2}, 2}, {{}, -1}};
  for (const Case& c : cases) {
    TempDir dir;
    std::vector<std::string> folders;
    for (const char* name : {"here", "beside", "installed"}) {
      folders.push_back(dir.File(name));
      // A Data folder alone does not make a data folder; nor does a folder named like the icon.
      std::filesystem::create_directories(folders.back() + "/Data");
      std::filesystem::create_directories(folders.back() + "/Data/KVIcon.bmp");
    }
    for (int i : c.withIcon) dir.Write(std::string(i == 0 ? "here" : i == 1 ? "beside" : "installed") + "/KVIcon.bmp", "");
    EXPECT_EQ(FindDataFolder(folders), c.found < 0 ? std::string() : folders[c.found]) << c.found;
  }
}

TEST(DataFolderTest, SearchesTheWorkingDirectoryThenBesideTheExecutableThenTheInstalledFolder) {
  const std::vector<std::string> folders = DataFolderCandidates();
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(folders[0], std::filesystem::current_path().string());
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe");
  EXPECT_EQ(folders[1], (executable.parent_path().parent_path() / "share/korvane").string());
  EXPECT_EQ(std::filesystem::path(folders[2]).filename(), "korvane");
}

}  // namespace
