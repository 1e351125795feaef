#include "core/DataFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
    const std::vector<std::string> folders{dir.File("here"), dir.File("beside"), dir.File("installed")};
    // A Data folder alone does not make a data folder; nor does a folder named like the icon.
    for (const std::string& folder : folders) std::filesystem::create_directories(folder + "/Data/KVIcon.bmp");
    for (int i : c.withIcon) std::ofstream(folders[i] + "/KVIcon.bmp") << "";
    EXPECT_EQ(FindDataFolder(folders), c.found < 0 ? std::string() : folders[c.found]) << c.found;
  }
}

}  // namespace
