// The start screen as Render draws it in the game's window with the game's
// font: its texts at their origins, and the click boxes of the size marks and
// of "Start" lying exactly on the ink the player sees.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FrameCapture.h"
#include "app/CGameEngine.h"
#include "gfx/CFontManager.h"
#include "screen/StartScreenControls.h"
#include "support/TempDir.h"

namespace {

const WindowPixels::Rgb kBackground{51, 51, 51};  // the clear colour 0.2

class StartScreenDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(GetFontManager().GetFont(0), nullptr) << "the game's font did not load";
    m_session.SetTeamSize(0, 10);
    m_session.SetTeamSize(1, 1);
  }

  CGameEngine m_engine;  // only to own the world; the window is the test program's
  CGameSession& m_session = m_engine.GetSession();
};

::testing::AssertionResult SameBox(const char* inkName, const char* boxName, const WindowPixels::Box& ink,
                                   const ClickBox& box) {
  if (ink.left == box.left && ink.right == box.right && ink.bottom == box.bottom && ink.top == box.top) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << inkName << " x " << ink.left << "-" << ink.right << ", y " << ink.bottom
                                       << "-" << ink.top << " but " << boxName << " x " << box.left << "-"
                                       << box.right << ", y " << box.bottom << "-" << box.top;
}

}  // namespace

TEST_F(StartScreenDrawTest, EachClickBoxIsTheInkOfItsMark) {
  m_session.Render();
  const WindowPixels pixels;
  // The two rows of marks stand on the baselines 390 and 370: their ink is
  // looked for between the rows, and between the end of the size texts
  // (the widest, "10", included) and the window's middle.
  struct Mark {
    const char* name;
    ClickBox box;
    int left, right, bottom, top;  // where its ink is looked for
  } const marks[] = {
      {"Green <", StartScreenControls::mc_greenLess, 398, 420, 388, 412},
      {"Green >", StartScreenControls::mc_greenMore, 421, 512, 388, 412},
      {"Blue <", StartScreenControls::mc_blueLess, 398, 420, 360, 387},
      {"Blue >", StartScreenControls::mc_blueMore, 421, 512, 360, 387},
      {"Start", StartScreenControls::mc_start, 100, 300, 300, 360},
      {"Computer <", StartScreenControls::mc_levelLess, 398, 420, 212, 240},
      {"Computer >", StartScreenControls::mc_levelMore, 421, 512, 212, 240},
      {"Pace <", StartScreenControls::mc_paceLess, 398, 420, 182, 211},
      {"Pace >", StartScreenControls::mc_paceMore, 421, 512, 182, 211},
      {"Battlefield <", StartScreenControls::mc_mapLess, 538, 556, 240, 280},
      {"Battlefield >", StartScreenControls::mc_mapMore, 557, 599, 240, 280},
  };
  for (const Mark& mark : marks) {
    WindowPixels::Box ink{};
    ASSERT_TRUE(pixels.InkBox(mark.left, mark.right, mark.bottom, mark.top, kBackground, ink)) << mark.name;
    EXPECT_PRED_FORMAT2(SameBox, ink, mark.box) << mark.name;
  }
  // Clear columns, as wide as a blank, part each size text, "10" too, from its "<".
  for (const ClickBox& less : {StartScreenControls::mc_greenLess, StartScreenControls::mc_blueLess}) {
    for (int x = less.left - 6; x < less.left; ++x) {
      for (int y = less.bottom - 10; y <= less.top + 10; ++y) {
        EXPECT_EQ(pixels.At(x, y), kBackground) << "x " << x << ", y " << y;
      }
    }
  }
}

TEST_F(StartScreenDrawTest, TheTextsStandAtTheirOriginsInWhiteAndNothingElseIsDrawn) {
  m_session.NewGame();  // as the engine does before the first frame: the battlefield's picture shows
  const CapturedFrame frame([&] { m_session.Render(); });
  const std::string battlefield = "Battlefield: " + m_session.GetBattlefields().GetName();
  struct Line {
    float x, y;
    const char* text;
  } const lines[] = {
      {150, 450, "Korvane"},
      {150, 390, "Green Team Size: 10"},
      {150, 370, "Blue Team Size:  1"},
      {150, 330, "Start"},
      {404, 390, "< >"},
      {404, 370, "< >"},
      {150, 220, "Computer: Normal"},
      {404, 220, "< >"},
      {150, 190, "Turn pace: Normal"},
      {404, 190, "< >"},
      {150, 420, "Goal: hold the centre 10 turns or destroy every enemy."},
      {150, 250, battlefield.c_str()},
      {540, 250, "< >"},
  };
  std::size_t inked = 0;
  for (const Line& line : lines) {
    EXPECT_EQ(frame.TextAt(line.x, line.y), line.text) << line.x << ", " << line.y;
    inked += InkedCharacters(line.text);
  }
  EXPECT_EQ(frame.GlyphCount(), inked);
  // No map, no marker, no HUD: only the battlefield's picture in its box.
  const std::vector<DrawnQuad> picture = frame.OfKind(DrawnQuad::Kind::Plain);
  EXPECT_EQ(frame.Quads().size(), inked + frame.OfKind(DrawnQuad::Kind::Blank).size() + picture.size());
  EXPECT_FALSE(picture.empty());  // the real game's screenshot test finds it in its box
  EXPECT_TRUE(frame.Lines().empty());
  for (const DrawnQuad& glyph : frame.OfKind(DrawnQuad::Kind::Glyph)) {
    EXPECT_TRUE(glyph.HasColour(1, 1, 1, 1)) << static_cast<char>(glyph.code);
  }

  // The sizes follow the world's.
  m_session.SetTeamSize(0, 1);
  m_session.SetTeamSize(1, 10);
  const CapturedFrame changed([&] { m_session.Render(); });
  EXPECT_EQ(changed.TextAt(150, 390), "Green Team Size: 1");
  EXPECT_EQ(changed.TextAt(150, 370), "Blue Team Size:  10");
  m_session.SetDifficulty(Difficulty::Hard);
  const CapturedFrame hard([&] { m_session.Render(); });
  EXPECT_EQ(hard.TextAt(150, 220), "Computer: Hard");
}

// Lines that ran over the battlefield's picture, off the window or over the
// battlefield's "<": with long names and long paths every character stays
// in its line's room, and what it says still shows its start and end.
TEST_F(StartScreenDrawTest, LongNamesAndPathsStayInTheirRoom) {
  TempDir dir;
  std::string folder = dir.Path();
  for (const char* part : {"/a-player-with-a-rather-long-name", "/games-and-more-games", "/battlefields-of-my-own"}) {
    folder += part;
    std::filesystem::create_directory(folder);
  }
  std::string huge;
  for (int y = 0; y < 30; ++y)
    huge += (y == 0 || y == 29) ? std::string(30, '#') + "\n" : "#" + std::string(28, '.') + "#\n";
  const struct {
    const char* battlefield;  // chosen by its name
    std::string ownFile;      // a file of the player's own, or empty
    std::string record;       // a record file that cannot be read
  } cases[] = {
      {"Random #4294967295", "", folder + "/a-record-with-a-name-as-long-as-its-folders.kvrec"},
      {"", folder + "/my-own-battlefield-far-too-large-to-show.dat", folder + "/x.kvrec"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.battlefield + c.ownFile);
    CGameEngine engine;
    CGameSession& session = engine.GetSession();
    if (!c.ownFile.empty()) {
      std::ofstream(c.ownFile) << huge;
      session.SetMapFile(c.ownFile);
    } else {
      ASSERT_TRUE(session.GetBattlefields().ChooseName(c.battlefield));
    }
    session.PreviewBattlefield();
    ASSERT_FALSE(session.OpenReplay(c.record));
    const CapturedFrame frame([&] { session.Render(); });
    std::string message;
    for (const DrawnQuad& glyph : frame.Quads()) {
      if (glyph.kind != DrawnQuad::Kind::Glyph && glyph.kind != DrawnQuad::Kind::SmallGlyph) continue;
      EXPECT_LE(glyph.right, 1024.0f) << static_cast<char>(glyph.code) << " on " << glyph.baseline;
      // The battlefield's line ends short of its "<" (the marks themselves stand at 540).
      if (glyph.baseline == 250.0f && glyph.penX < StartScreenControls::mc_mapLess.left - 2) {
        EXPECT_LT(glyph.right, StartScreenControls::mc_mapLess.left - 2) << static_cast<char>(glyph.code);
      }
      // Beside the picture, nothing reaches into it.
      if (glyph.top >= StartScreenControls::mc_mapPicture.bottom &&
          glyph.bottom <= StartScreenControls::mc_mapPicture.top) {
        EXPECT_LT(glyph.right, StartScreenControls::mc_mapPicture.left) << static_cast<char>(glyph.code);
      }
    }
    // The record's line names its file: the path's start, "..." and the file's name.
    const std::string first = frame.TextAt(50, 130);
    EXPECT_EQ(first.rfind(dir.Path().substr(0, 5), 0), 0u) << first;
    EXPECT_NE(first.find("..."), std::string::npos) << first;
    EXPECT_NE((first + frame.TextAt(50, 110)).find(".kvrec:"), std::string::npos) << first;
  }
}
