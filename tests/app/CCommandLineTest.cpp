#include "app/CCommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(CCommandLineTest, ReadsEveryOptionAndNamesEachArgumentItDoesNotKnow) {
  using W = CCommandLine::EWindow;
  struct Case {
    std::vector<const char*> args;  // after the program's name
    W window;
    bool help, version;
    std::vector<const char*> named;  // in the problem lines, in order
  };
  const Case cases[] = {
      {{}, CCommandLine::mc_windowRemembered, false, false, {}},
      {{"--fullscreen"}, CCommandLine::mc_windowFullscreen, false, false, {}},
      {{"-fullscreen"}, CCommandLine::mc_windowFullscreen, false, false, {}},
      {{"--fullscreen", "--windowed"}, CCommandLine::mc_windowed, false, false, {}},
      {{"--help", "--version"}, CCommandLine::mc_windowRemembered, true, true, {}},
      {{"--Fullscreen", "-windowed", "maps/x.dat", "--fullscreen"}, CCommandLine::mc_windowFullscreen, false, false,
       {"\"--Fullscreen\"", "\"-windowed\"", "\"maps/x.dat\""}},
      {{"--windowed=yes", "--", "-"}, CCommandLine::mc_windowRemembered, false, false,
       {"\"--windowed=yes\"", "\"--\"", "\"-\""}},
      {{"--difficulty=loud", "--difficulty"}, CCommandLine::mc_windowRemembered, false, false,
       {"\"loud\"", "--difficulty needs normal|hard"}},
      {{"--windowed", "--map"}, CCommandLine::mc_windowed, false, false, {"--map needs FILE"}},
      {{"--bogus", "--version"}, CCommandLine::mc_windowRemembered, false, true, {"\"--bogus\""}},
  };
  for (const Case& c : cases) {
    std::vector<const char*> argv{"korvane"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const CCommandLine line = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    const std::string what = c.args.empty() ? "(none)" : c.args[0];
    EXPECT_EQ(line.m_Window, c.window) << what;
    EXPECT_EQ(line.m_Help, c.help) << what;
    EXPECT_EQ(line.m_Version, c.version) << what;
    ASSERT_EQ(line.m_Problems.size(), c.named.size()) << what;
    for (std::size_t i = 0; i < c.named.size(); ++i) {
      EXPECT_NE(line.m_Problems[i].find(c.named[i]), std::string::npos) << line.m_Problems[i];
      EXPECT_NE(line.m_Problems[i].find("--help"), std::string::npos) << line.m_Problems[i];
      EXPECT_EQ(line.m_Problems[i].find('\n'), std::string::npos) << line.m_Problems[i];
      // --help and --version stop the game: no line may promise it starts.
      EXPECT_EQ(line.m_Problems[i].find("starting anyway") != std::string::npos, !c.help && !c.version)
          << line.m_Problems[i];
    }
  }
}

TEST(CCommandLineTest, HelpListsEveryOptionAndKeyAndWhereTheSettingsLive) {
  const std::string help = HelpText();
  for (const char* text : {"--help", "--version", "--fullscreen", "--windowed", "--difficulty normal|hard",
                           "--map FILE", "--replay FILE", "Previous Turn", "Sound On/Off", "Escape", "/korvane/settings"}) {
    EXPECT_NE(help.find(text), std::string::npos) << text;
  }
}

TEST(CCommandLineTest, AMapFileIsMadeAbsoluteForTheGameChangesItsWorkingDirectory) {
  const char* argv[] = {"korvane", "--map=maps/mine.dat"};
  const std::string file = ParseCommandLine(2, argv).m_MapFile;
  EXPECT_EQ(file.front(), '/') << file;
  EXPECT_EQ(file.substr(file.size() - 14), "/maps/mine.dat") << file;
}

}  // namespace
