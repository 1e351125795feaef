#include "app/CSettings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/SettingKeys.h"
#include "support/TempDir.h"

namespace {

constexpr CChoiceSetting kLevel{"level", {"normal", "hard"}};
constexpr CTextSetting kName{"name", "first"};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Settings reading `path`, with what they say collected in `said`.
struct Loaded {
  explicit Loaded(const std::string& path) : settings([this](const std::string& line) { said.push_back(line); }) {
    settings.Load(path);
  }
  std::vector<std::string> said;
  CSettings settings;
};

TEST(CSettingsTest, ReadsWhatItCanAndIgnoresWhatIsNotItsOwnWithOneLine) {
  struct Case {
    const char* what;
    std::string bytes;  // the file; empty: there is none
    int green, blue;
    bool fullscreen, sound;
    int level;
    const char* name;
    std::size_t lines;  // said on standard error
  };
  const Case cases[] = {
      {"no file", "", 3, 3, false, true, 0, "first", 0},
      {"every kind", "green_team_size = 7\nblue_team_size=1\nfullscreen = yes\nsound = off\nlevel = hard\nname = Dune",
       7, 1, true, false, 1, "Dune", 0},
      {"comments, blanks, CR LF, unknown keys", "# mine\r\n\r\n  green_team_size\t=  10  \r\nfuture_key = 5\r\n", 10, 3,
       false, true, 0, "first", 0},
      {"another program's file", "[General]\ngreen_team_size = 7\n", 3, 3, false, true, 0, "first", 1},
      {"binary", "green_team_size = 7\n" + std::string("\x7f" "ELF\0\x01\x02", 7), 3, 3, false, true, 0, "first", 1},
      {"empty key", "= 4\n", 3, 3, false, true, 0, "first", 1},
      {"overlong line", "green_team_size = 7\nname = " + std::string(5000, 'x'), 3, 3, false, true, 0, "first", 1},
      {"too large", std::string(70000, '#'), 3, 3, false, true, 0, "first", 1},
      // A value its key cannot take counts as missing; the rest stands.
      {"out of range", "green_team_size = 11\nblue_team_size = 0\nsound = off\n", 3, 3, false, false, 0, "first", 1},
      {"not numbers or words", "green_team_size = 4x\nfullscreen = maybe\nlevel = easy\nsound = off\n", 3, 3, false,
       false, 0, "first", 1},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = dir.File("settings");
    if (!c.bytes.empty()) dir.Write("settings", c.bytes);
    Loaded loaded(path);
    CSettings& s = loaded.settings;
    EXPECT_EQ(s.Get(kv::kGreenTeamSize), c.green) << c.what;
    EXPECT_EQ(s.Get(kv::kBlueTeamSize), c.blue) << c.what;
    EXPECT_EQ(s.Get(kv::kFullscreen), c.fullscreen) << c.what;
    EXPECT_EQ(s.Get(kv::kSound), c.sound) << c.what;
    EXPECT_EQ(s.Get(kLevel), c.level) << c.what;
    EXPECT_EQ(s.Get(kName), c.name) << c.what;
    ASSERT_EQ(loaded.said.size(), c.lines) << c.what;
    if (c.lines) {
      EXPECT_NE(loaded.said[0].find(path), std::string::npos) << loaded.said[0];
    }
    // Nothing is written until a choice changes.
    EXPECT_EQ(ReadFile(path), c.bytes) << c.what;
  }
}

TEST(CSettingsTest, AChangeRewritesTheWholeFileCleanlyKeepingUnknownKeys) {
  TempDir dir;
  const std::string path = dir.File("config/korvane/settings");  // folders made on the first change
  {
    Loaded first(path);
    first.settings.Set(kv::kGreenTeamSize, 6);
    first.settings.Set(kv::kSound, false);
    first.settings.Set(kLevel, 1);
    first.settings.Set(kName, "  Twin Rivers ");
    // Values a key cannot take are refused.
    first.settings.Set(kv::kBlueTeamSize, 11);
    first.settings.Set(kLevel, 2);
    first.settings.Set(kName, "two\nlines");
    EXPECT_TRUE(first.said.empty());
  }
  Loaded second(path);
  EXPECT_TRUE(second.said.empty());
  EXPECT_EQ(second.settings.Get(kv::kGreenTeamSize), 6);
  EXPECT_EQ(second.settings.Get(kv::kBlueTeamSize), 3);
  EXPECT_FALSE(second.settings.Get(kv::kSound));
  EXPECT_EQ(second.settings.Get(kLevel), 1);
  EXPECT_EQ(second.settings.Get(kName), "Twin Rivers");

  // A broken file is replaced by a clean one at the next change; a key the
  // game does not know survives a change of another.
  dir.Write("config/korvane/settings", "garbage\nfuture_key = 5\n");
  Loaded broken(path);
  broken.settings.Set(kv::kBlueTeamSize, 2);
  dir.Write("config/korvane/settings", ReadFile(path) + "future_key = 5\n");
  Loaded clean(path);
  clean.settings.Set(kv::kFullscreen, true);
  Loaded last(path);
  EXPECT_TRUE(last.said.empty());
  EXPECT_EQ(last.settings.Get(kv::kBlueTeamSize), 2);
  EXPECT_EQ(last.settings.Get(kv::kGreenTeamSize), 3);
  EXPECT_TRUE(last.settings.Get(kv::kFullscreen));
  EXPECT_NE(ReadFile(path).find("\nfuture_key = 5\n"), std::string::npos) << ReadFile(path);
}

TEST(CSettingsTest, AFileThatCannotBeWrittenIsSaidOnceAndTheChoicesLastTheRun) {
  TempDir dir;
  dir.Write("file", "x");
  for (const std::string& path : {dir.File("file/korvane/settings"), std::string()}) {
    Loaded loaded(path);
    loaded.settings.Set(kv::kGreenTeamSize, 4);
    loaded.settings.Set(kv::kGreenTeamSize, 5);
    EXPECT_EQ(loaded.settings.Get(kv::kGreenTeamSize), 5);
    ASSERT_EQ(loaded.said.size(), 1u) << path;
    EXPECT_NE(loaded.said[0].find("cannot save"), std::string::npos) << loaded.said[0];
  }
}

}  // namespace
