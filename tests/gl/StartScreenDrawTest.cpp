// The start screen as Render draws it in the game's window with the game's
// font: its texts at their origins, and the click boxes of the size marks and
// of "Start" lying exactly on the ink the player sees.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameCapture.h"
#include "app/CGameEngine.h"
#include "gfx/CFontManager.h"
#include "screen/StartScreenControls.h"

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
      {"Computer <", StartScreenControls::mc_levelLess, 398, 420, 200, 240},
      {"Computer >", StartScreenControls::mc_levelMore, 421, 512, 200, 240},
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
      {150, 450, "Korvane"},          {150, 390, "Green Team Size: 10"}, {150, 370, "Blue Team Size:  1"},
      {150, 330, "Start"},            {404, 390, "< >"},                 {404, 370, "< >"},
      {150, 220, "Computer: Normal"}, {404, 220, "< >"},
      {150, 420, "Goal: hold the centre 10 turns or destroy every enemy."},
      {150, 250, battlefield.c_str()}, {540, 250, "< >"},
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
