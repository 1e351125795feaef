#include <gtest/gtest.h>

#include <vector>

#include "app/CCommandLine.h"
#include "app/CEngineSettings.h"
#include "app/CSettings.h"
#include "app/SettingKeys.h"

namespace {

CEngineSettings SettingsFor(std::vector<const char*> args) {
  return MakeEngineSettings(static_cast<int>(args.size()), args.data());
}

// With the computer's level remembered from an earlier run.
Difficulty LevelFor(std::vector<const char*> args, Difficulty rememberedLevel) {
  CSettings remembered;
  remembered.Set(kv::kComputer, static_cast<int>(rememberedLevel));
  const Difficulty level =
      MakeEngineSettings(ParseCommandLine(static_cast<int>(args.size()), args.data()), remembered).m_Difficulty;
  // The command line's level holds for one run: what is remembered stays.
  EXPECT_EQ(static_cast<Difficulty>(remembered.Get(kv::kComputer)), rememberedLevel);
  return level;
}

}  // namespace

TEST(CEngineSettingsTest, DefaultsAreAWindowOf1024By768At32Bits) {
  const CEngineSettings s = SettingsFor({"korvane"});
  EXPECT_EQ(s.m_Width, 1024);
  EXPECT_EQ(s.m_Height, 768);
  EXPECT_EQ(s.m_Bpp, 32);
  EXPECT_FALSE(s.m_Fullscreen);
  EXPECT_EQ(s.m_IconFile, "KVIcon.bmp");
  EXPECT_EQ(s.m_Caption, "Korvane");
}

TEST(CEngineSettingsTest, FullscreenSwitchCountsAnywhereIncludingTheProgramName) {
  EXPECT_TRUE(SettingsFor({"korvane", "-fullscreen"}).m_Fullscreen);
  EXPECT_TRUE(SettingsFor({"korvane", "x", "-fullscreen", "y"}).m_Fullscreen);
  EXPECT_TRUE(SettingsFor({"-fullscreen"}).m_Fullscreen);
  EXPECT_TRUE(SettingsFor({"korvane", "--fullscreen"}).m_Fullscreen);
  EXPECT_FALSE(SettingsFor({"korvane", "-fullscreen", "--windowed"}).m_Fullscreen);
}

TEST(CEngineSettingsTest, FullscreenSwitchMustMatchExactly) {
  EXPECT_FALSE(SettingsFor({"korvane", "-Fullscreen"}).m_Fullscreen);
  EXPECT_FALSE(SettingsFor({"korvane", "-fullscreen2"}).m_Fullscreen);
  EXPECT_FALSE(SettingsFor({"korvane", "-fullscree"}).m_Fullscreen);
  EXPECT_FALSE(SettingsFor({}).m_Fullscreen);
}

TEST(CEngineSettingsTest, DifficultyIsTheWordAfterItsOptionAndAnythingElseChangesNothing) {
  struct Case {
    std::vector<const char*> args;
    Difficulty level;
  } const cases[] = {
      {{"korvane", "--difficulty", "hard"}, Difficulty::Hard},
      {{"korvane", "--difficulty", "hard", "--difficulty", "normal"}, Difficulty::Normal},
      {{"korvane", "--difficulty", "hard", "--difficulty", "brutal"}, Difficulty::Hard},
      {{"korvane", "--difficulty"}, Difficulty::Normal},
      {{"korvane", "hard"}, Difficulty::Normal},
      {{"korvane", "--difficulty", nullptr}, Difficulty::Normal},
  };
  for (const Case& c : cases) EXPECT_EQ(SettingsFor(c.args).m_Difficulty, c.level) << c.args.size();
}

TEST(CEngineSettingsTest, WithoutAWordTheRememberedDifficultyHolds) {
  EXPECT_EQ(LevelFor({"korvane"}, Difficulty::Hard), Difficulty::Hard);
  EXPECT_EQ(LevelFor({"korvane", "--difficulty", "brutal"}, Difficulty::Hard), Difficulty::Hard);
  EXPECT_EQ(LevelFor({"korvane", "--difficulty=normal"}, Difficulty::Hard), Difficulty::Normal);
  EXPECT_EQ(LevelFor({"korvane", "--difficulty", "hard"}, Difficulty::Normal), Difficulty::Hard);
}
