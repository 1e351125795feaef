#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map/CBattlefieldList.h"
#include "support/TempDir.h"

namespace {

// The names met stepping once round the list from the chosen battlefield.
std::vector<std::string> RoundTrip(CBattlefieldList& list, int direction) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < list.GetCount(); ++i) {
    names.push_back(list.IsRandom() ? "random" : list.GetName());
    list.Step(direction);
  }
  return names;
}

}  // namespace

TEST(CBattlefieldListTest, CyclesTheDefaultTheListedFilesAndTheGeneratedOne) {
  TempDir dir;
  const std::string longName(40, 'x');
  struct Case {
    std::string list;                 // the list file's text; "-" for no file
    std::vector<std::string> names;   // round trip forwards from the default
  };
  const Case cases[] = {
      {"map.dat Home\nhill.dat Hill Top\n", {"Home", "Hill Top", "random"}},
      {"hill.dat Hill Top\nmap.dat Home\n", {"Home", "Hill Top", "random"}},  // the default comes first
      {"hill.dat\n\n lone\nvale.dat " + longName + "\n", {"Default", "hill.dat", std::string(20, 'x'), "random"}},
      {"-", {"Default", "random"}},
      {std::string("a.dat A\tb\x01\n", 11), {"Default", "A b ", "random"}},
  };
  for (const Case& c : cases) {
    const std::string file = c.list == "-" ? dir.File("none.dat") : dir.Write("maps.dat", c.list);
    CBattlefieldList list;
    list.Load(file.c_str(), "D/", "D/map.dat");
    EXPECT_EQ(list.GetFile(), "D/map.dat");
    EXPECT_EQ(RoundTrip(list, 1), c.names) << c.list;
    std::vector<std::string> backwards = RoundTrip(list, -1);
    ASSERT_EQ(backwards.size(), c.names.size());
    for (std::size_t i = 1; i < backwards.size(); ++i) EXPECT_EQ(backwards[i], c.names[c.names.size() - i]) << c.list;
  }
}

TEST(CBattlefieldListTest, OwnFilesComeFirstTheGeneratedOneGetsANewSeedEachVisitAndNamesChooseAsRemembered) {
  TempDir dir;
  CBattlefieldList list;
  list.Load(dir.Write("maps.dat", "map.dat Home\nhill.dat Hill\n").c_str(), "D/", "D/map.dat");
  list.ChooseFile("D/hill.dat");  // a listed file is chosen, not added
  EXPECT_EQ(list.GetName(), "Hill");
  EXPECT_EQ(list.GetCount(), 3u);
  list.ChooseFile("/home/me/maps/mine.dat");
  list.ChooseFile("/home/me/maps/other.dat");  // replaces the first own file
  EXPECT_EQ(list.GetCount(), 4u);
  EXPECT_EQ(list.GetName(), "other.dat");
  EXPECT_EQ(list.GetFile(), "/home/me/maps/other.dat");
  list.Step(-1);
  ASSERT_TRUE(list.IsRandom());
  EXPECT_TRUE(list.GetFile().empty());
  const std::uint32_t first = list.GetSeed();
  EXPECT_EQ(list.GetName(), "Random #" + std::to_string(first));
  list.Step(1);
  EXPECT_EQ(list.GetName(), "other.dat");
  list.Step(-1);
  EXPECT_NE(list.GetSeed(), first);
  // A remembered name: a listed one or a seed this list would write; never the player's own file.
  for (const char* name : {"Hill", "Random #0", "Random #4294967295"}) {
    list.ChooseFile("/home/me/maps/other.dat");
    EXPECT_TRUE(list.ChooseName(name)) << name;
    EXPECT_EQ(list.GetName(), name);
  }
  list.ChooseFile("/home/me/maps/other.dat");
  for (const char* name : {"other.dat", "", "hill", "Random #4294967296", "Random #007", "Random #-1", "Random #12x",
                           "Random #"}) {
    EXPECT_FALSE(list.ChooseName(name)) << name;
    EXPECT_EQ(list.GetName(), "other.dat") << name;
  }
}
