// The battle screen as Render draws it: the battlefield in map space,
// centred in the play area, then the status message, the roster and the help in
// screen space. Games are set up on the test arena (14 x 12 cells, centre
// cell (7, 6), repair cells (1, 10) and (12, 1)) and read back through
// OpenGL's feedback mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <set>
#include <thread>
#include <tuple>
#include <utility>

#include "FrameCapture.h"
#include "core/DataFiles.h"
#include "gfx/CFontManager.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteTable.h"
#include "support/AllocationCount.h"
#include "screen/CEffect.h"
#include "world/WorldTestSupport.h"

namespace {

using Kind = DrawnQuad::Kind;

constexpr float kMapLeftEdge = 834.0f;  // right of the play area: the HUD
constexpr int kGreenTank = 0;
constexpr int kBlueTank = 1;

// The arena as the screen places it, and the window point of a cell's centre.
constexpr MapPlacement kArena = PlaceMap(worldtest::kArenaWidth, worldtest::kArenaHeight);
float CellX(int x) { return static_cast<float>(kArena.CellX(x)); }
float CellY(int y) { return static_cast<float>(kArena.CellY(y)); }

// Feedback reports window points with float rounding of a few thousandths.
constexpr float kPixel = 0.01f;

bool Near(float a, float b) { return std::fabs(a - b) < kPixel; }
bool At(const DrawnQuad& q, float x, float y) { return Near(q.CentreX(), x) && Near(q.CentreY(), y); }

std::vector<DrawnQuad> OnTheMap(const std::vector<DrawnQuad>& quads) {
  std::vector<DrawnQuad> found;
  std::copy_if(quads.begin(), quads.end(), std::back_inserter(found),
               [](const DrawnQuad& q) { return q.CentreX() < kMapLeftEdge; });
  return found;
}

std::vector<DrawnQuad> WithColour(const std::vector<DrawnQuad>& quads, float r, float g, float b, float a) {
  std::vector<DrawnQuad> found;
  std::copy_if(quads.begin(), quads.end(), std::back_inserter(found),
               [&](const DrawnQuad& q) { return q.HasColour(r, g, b, a); });
  return found;
}

std::size_t FirstOrder(const std::vector<DrawnQuad>& quads) {
  std::size_t first = SIZE_MAX;
  for (const DrawnQuad& q : quads) first = std::min(first, q.order);
  return first;
}

std::size_t LastOrder(const std::vector<DrawnQuad>& quads) {
  std::size_t last = 0;
  for (const DrawnQuad& q : quads) last = std::max(last, q.order);
  return last;
}

// No character of one line of text covers a character of another.
void ExpectNoLinesOverlap(const CapturedFrame& frame) {
  const std::vector<DrawnQuad> glyphs = frame.OfKind(Kind::Glyph);
  for (const DrawnQuad& a : glyphs) {
    for (const DrawnQuad& b : glyphs) {
      if (Near(a.baseline, b.baseline)) continue;
      const bool apart = a.right <= b.left || b.right <= a.left || a.top <= b.bottom || b.top <= a.bottom;
      EXPECT_TRUE(apart) << static_cast<char>(a.code) << " on " << a.baseline << " and " << static_cast<char>(b.code)
                         << " on " << b.baseline;
    }
  }
}

class BattleScreenDrawTest : public worldtest::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ASSERT_GE(GetSprites().size(), 14u) << "the game's sprites did not load";
    for (const Sprite& sprite : GetSprites()) ASSERT_FALSE(sprite.turned);
    ASSERT_NE(GetFontManager().GetFont(0), nullptr) << "the game's font did not load";
  }

  CapturedFrame Capture() { return CapturedFrame([this] { m_session.Render(); }); }

  // The lines of the status message, top first, as drawn from x 854 on the
  // baselines 384 down to 304.
  static std::vector<std::pair<int, std::string>> StatusLines(const CapturedFrame& frame) {
    std::vector<std::pair<int, std::string>> lines;
    for (int y = 384; y >= 304; y -= 20) {
      const std::string text = frame.TextAt(854, static_cast<float>(y));
      if (!text.empty()) lines.emplace_back(y, text);
    }
    return lines;
  }
};

}  // namespace

TEST_F(BattleScreenDrawTest, MapSpaceHoldsTilesFogMarksCommandsSeenTanksAndEffectsInThatOrder) {
  StartGame(3, 3);
  Place(0, 0, 4, 3, 0, 1);  // looks up the open field
  Park(0, 1, 0);
  Park(0, 2, 1);
  Place(1, 0, 4, 8, 0, -1);  // in Green's sight
  Park(1, 1, 3);  // walled in: unseen, and its plan is Blue's own
  Tank(1, 1)->AddFire();
  Park(1, 2, 4);
  Tap(SDLK_1);
  Tap(SDLK_UP);
  Match().RefreshVisibility();
  Screen().Effects().SpawnShot(32.0f * 11, 32.0f * 9, 32.0f * 11, 32.0f * 4);  // down column 11, behind walls
  const CMap& map = Match().GetMap();
  const CapturedFrame frame = Capture();
  const std::vector<DrawnQuad>& quads = frame.Quads();

  // Every cell's tile first, centred on its cell.
  const int width = worldtest::kArenaWidth;
  const int height = worldtest::kArenaHeight;
  ASSERT_GE(quads.size(), static_cast<std::size_t>(width * height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const DrawnQuad& tile = quads[static_cast<std::size_t>(x + y * width)];
      EXPECT_EQ(tile.code, map.IsWall(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)) ? 3 : 2);
      EXPECT_TRUE(At(tile, CellX(x), CellY(y))) << x << ", " << y;
    }
  }

  // Then half-transparent black over exactly the cells Green does not see.
  const std::vector<DrawnQuad> fog = WithColour(frame.OfKind(Kind::Plain), 0, 0, 0, 0.5f);
  std::set<std::pair<int, int>> fogged;
  for (const DrawnQuad& f : fog) {
    EXPECT_NEAR(f.right - f.left, 32.0f, kPixel);
    EXPECT_NEAR(f.top - f.bottom, 32.0f, kPixel);
    fogged.emplace(static_cast<int>(std::lround((f.CentreX() - CellX(0)) / 32)),
                   static_cast<int>(std::lround((f.CentreY() - CellY(0)) / 32)));
  }
  std::set<std::pair<int, int>> unseen;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!map.GetVisible(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 0)) unseen.emplace(x, y);
    }
  }
  EXPECT_EQ(fogged, unseen);
  EXPECT_EQ(fog.size(), unseen.size());
  EXPECT_TRUE(unseen.count({11, 4}) && !unseen.count({4, 8}));
  // The centre mark between the tiles and the fog, dimmed with its cell;
  // the repair marks over the fog; all in white.
  const std::vector<DrawnQuad> centre = frame.SpritesWithId(5);
  const std::vector<DrawnQuad> repair = frame.SpritesWithId(7);
  ASSERT_EQ(centre.size(), 1u);
  ASSERT_EQ(repair.size(), 2u);
  EXPECT_EQ(centre[0].order, static_cast<std::size_t>(width * height));
  EXPECT_EQ(FirstOrder(fog), centre[0].order + 1);
  EXPECT_TRUE(At(centre[0], CellX(7), CellY(6)));
  EXPECT_TRUE(At(repair[0], CellX(12), CellY(1)));
  EXPECT_TRUE(At(repair[1], CellX(1), CellY(10)));
  for (const DrawnQuad& mark : {centre[0], repair[0], repair[1]}) EXPECT_TRUE(mark.HasColour(1, 1, 1, 1));
  for (const DrawnQuad& mark : {repair[0], repair[1]}) EXPECT_GT(mark.order, LastOrder(fog));

  // Green's planned move under the tanks; Blue's plan is not shown.
  std::vector<DrawnQuad> commands;
  for (int sprite = 8; sprite <= 13; ++sprite) {
    for (const DrawnQuad& q : frame.SpritesWithId(sprite)) commands.push_back(q);
  }
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_TRUE(frame.SpritesWithId(13).empty());
  EXPECT_TRUE(At(frame.SpritesWithId(8).at(0), CellX(4), CellY(4)));
  EXPECT_GT(FirstOrder(commands), repair[1].order);

  // Every Green tank, but of Blue only the one Green sees.
  const std::vector<DrawnQuad> green = OnTheMap(frame.SpritesWithId(kGreenTank));
  const std::vector<DrawnQuad> blue = OnTheMap(frame.SpritesWithId(kBlueTank));
  ASSERT_EQ(green.size(), 3u);
  ASSERT_EQ(blue.size(), 1u);
  EXPECT_TRUE(At(green[0], CellX(4), CellY(3)));
  EXPECT_TRUE(At(green[1], CellX(2), CellY(4)));
  EXPECT_TRUE(At(green[2], CellX(2), CellY(6)));
  EXPECT_TRUE(At(blue[0], CellX(4), CellY(8)));
  EXPECT_EQ(blue[0].angle, 270);
  std::vector<DrawnQuad> tanks = green;
  tanks.push_back(blue[0]);
  EXPECT_GT(FirstOrder(tanks), LastOrder(commands));

  // The effects last, in list order, with their tint and turn, fog or no fog.
  std::vector<DrawnQuad> effects;
  for (const DrawnQuad& q : quads) {
    if (q.kind == Kind::Sprite && (q.code == 4 || q.code == 6)) effects.push_back(q);
  }
  const std::vector<CEffect>& list = Screen().GetEffects();
  ASSERT_EQ(effects.size(), list.size());
  for (std::size_t i = 0; i < list.size(); ++i) {
    const CEffect& e = list[i];
    EXPECT_EQ(effects[i].code, e.m_sprite);
    EXPECT_TRUE(At(effects[i], CellX(0) + e.m_x, CellY(0) + e.m_y)) << i;
    EXPECT_TRUE(effects[i].HasColour(e.m_red, e.m_green, e.m_blue, e.m_alpha)) << i;
    EXPECT_EQ(effects[i].angle, 270) << i;  // the shell flew straight down
    EXPECT_GT(effects[i].order, LastOrder(tanks));
  }
  // The HUD over all of it.
  EXPECT_GT(FirstOrder(frame.OfKind(Kind::Glyph)), LastOrder(effects));
}

TEST_F(BattleScreenDrawTest, AnAdditiveEffectLeavesOrdinaryBlendingToEverythingAfterIt) {
  // Two games alike; in one a shot's additive flash is drawn before another
  // shot's effects, which must look the same as in the game without it.
  worldtest::OwnSession otherSession;
  CGameSession& other = otherSession.m_session;
  other.SetMapFile(worldtest::kArenaMap);
  for (CGameSession* session : {&m_session, &other}) {
    session->SetTeamSize(0, 1);
    session->SetTeamSize(1, 1);
    session->OnKey(SDLK_RETURN, true);
  }
  const float shotX = 32.0f * 5;
  const float shotFrom = 32.0f * 9;
  const float shotTo = 32.0f * 3;
  // Around the first puff: 32 pixels below the shot's start.
  const int puffX = static_cast<int>(CellX(0) + shotX);
  const int puffY = static_cast<int>(CellY(0) + shotFrom - 32);
  auto region = [&](const WindowPixels& pixels) {
    std::vector<WindowPixels::Rgb> area;
    for (int y = puffY - 16; y < puffY + 16; ++y) {
      for (int x = puffX - 16; x < puffX + 16; ++x) area.push_back(pixels.At(x, y));
    }
    return area;
  };

  other.Render();
  const auto withoutEffects = region(WindowPixels());
  other.GetScreen().Effects().SpawnShot(shotX, shotFrom, shotX, shotTo);
  other.Render();
  const auto shotAlone = region(WindowPixels());
  EXPECT_NE(shotAlone, withoutEffects) << "the puff does not show";

  Screen().Effects().SpawnShot(32.0f * 10, 32.0f * 2, 32.0f * 10, 32.0f * 9);  // far off, its flash additive
  const std::vector<CEffect>& effects = Screen().GetEffects();
  ASSERT_TRUE(std::any_of(effects.begin(), effects.end(), [](const CEffect& e) { return e.m_additive; }));
  Screen().Effects().SpawnShot(shotX, shotFrom, shotX, shotTo);
  m_session.Render();
  EXPECT_EQ(region(WindowPixels()), shotAlone);
  GLint source = 0, destination = 0;
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  EXPECT_EQ(source, GL_SRC_ALPHA);
  EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
}

TEST_F(BattleScreenDrawTest, TheRosterShowsTenSlotsInTwoRowsWithLabelsIconsAndHealthBars) {
  StartGame(10, 1);
  // Slot i stands on cell (i + 1, 1). Blue shoots slot 4 from behind.
  const std::int32_t health[10] = {100, 61, 60, 31, 40, 30, 9, 100, 100, 100};
  for (std::size_t i = 0; i < 10; ++i) Place(0, i, static_cast<std::int32_t>(i) + 1, 1, 0, -1, health[i]);
  Place(1, 0, 5, 2, 0, -1)->AddFire();
  Tap(SDLK_5);  // selected, then destroyed: its label must not pulse
  PlayTurn();
  ASSERT_EQ(Tank(0, 4), nullptr);
  ASSERT_EQ(Screen().GetSelected(), 5u);
  const CapturedFrame frame = Capture();

  struct Look {
    float rgba[4];
    std::size_t segments;
  };
  const Look grey{{0.8f, 0.8f, 0.8f, 1}, 10}, red{{0.8f, 0, 0, 1}, 3};
  const Look looks[10] = {grey,         {{0.8f, 0.8f, 0.8f, 1}, 6}, {{0.8f, 0.8f, 0, 1}, 6}, {{0.8f, 0.8f, 0, 1}, 3},
                          red,          red,                        {{0.8f, 0, 0, 1}, 0},    grey,
                          grey,         grey};
  const char* const labels[10] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
  const float shifts[10] = {-2, -5, -5, -5, -5, -5, -5, -5, -5, -6};
  const std::vector<DrawnQuad> icons = frame.SpritesWithId(kGreenTank);
  const std::vector<DrawnQuad> plain = frame.OfKind(Kind::Plain);
  std::size_t bars = 0;
  for (std::size_t i = 0; i < 10; ++i) {
    SCOPED_TRACE("slot " + std::to_string(i));
    const float x = 864.0f + 32.0f * static_cast<float>(i % 5);
    const float y = 145.0f + 145.0f * static_cast<float>(i / 5);
    // Labels stand 32 pixels apart: read each on its own.
    EXPECT_EQ(frame.TextAt(x + shifts[i], y, std::strlen(labels[i])), labels[i]);
    const auto icon = std::find_if(icons.begin(), icons.end(), [&](const DrawnQuad& q) { return At(q, x, y - 20); });
    ASSERT_NE(icon, icons.end());
    EXPECT_EQ(icon->angle, 90);
    const bool destroyed = i == 4;
    EXPECT_TRUE(destroyed ? icon->HasColour(0, 0, 0, 1) : icon->HasColour(1, 1, 1, 1));

    // The bar's background from 5 above to 68 below the point 43 under the
    // label's baseline, its segments 7 apart from that point down.
    const float top = y - 43;
    std::vector<DrawnQuad> background, segments;
    for (const DrawnQuad& q : plain) {
      if (q.HasColour(0.4f, 0.4f, 0.4f, 1) && Near(q.left, x - 11) && Near(q.top, top + 5)) background.push_back(q);
      const bool segmentColour = q.HasColour(looks[i].rgba[0], looks[i].rgba[1], looks[i].rgba[2], 1);
      if (segmentColour && Near(q.left, x - 8) && q.bottom < y - 30 && q.bottom > y - 120) {
        segments.push_back(q);
      }
    }
    if (destroyed) {
      EXPECT_TRUE(background.empty());
      EXPECT_TRUE(segments.empty());
      continue;
    }
    ++bars;
    ASSERT_EQ(background.size(), 1u);
    EXPECT_NEAR(background[0].right, x + 11, kPixel);
    EXPECT_NEAR(background[0].top, top + 5, kPixel);
    EXPECT_NEAR(background[0].bottom, top - 68, kPixel);
    ASSERT_EQ(segments.size(), looks[i].segments);
    for (std::size_t k = 0; k < segments.size(); ++k) {
      EXPECT_TRUE(At(segments[k], x, top - 7.0f * static_cast<float>(k))) << "segment " << k;
      EXPECT_NEAR(segments[k].right - segments[k].left, 16.0f, kPixel);
      EXPECT_NEAR(segments[k].top - segments[k].bottom, 4.0f, kPixel);
      EXPECT_GT(segments[k].order, background[0].order);
    }
  }
  EXPECT_EQ(bars, 9u);
  EXPECT_EQ(frame.GlyphCount(), InkedCharacters("12345678910Press F1 for help.Turn 2"));
  EXPECT_EQ(WithColour(plain, 0.4f, 0.4f, 0.4f, 1).size(), 9u);
  for (const DrawnQuad& glyph : frame.OfKind(Kind::Glyph)) EXPECT_TRUE(glyph.HasColour(1, 1, 1, 1));
}

TEST_F(BattleScreenDrawTest, TheSelectedTankIsRingedAndItsRosterSlotFramedAndLabelHighlighted) {
  StartGame(3, 1);
  Park(1, 0, 3);
  for (std::uint32_t selected = 0; selected <= 3; ++selected) {
    SCOPED_TRACE(selected);
    if (selected > 0) Tap(SDLK_0 + static_cast<int>(selected));
    const CapturedFrame frame = Capture();
    for (std::size_t slot = 0; slot < 3; ++slot) {
      const float x = 864.0f + 32.0f * static_cast<float>(slot);
      const bool chosen = slot + 1 == selected;
      const std::vector<DrawnQuad> glyphs = frame.OfKind(Kind::Glyph);
      const auto label = std::find_if(glyphs.begin(), glyphs.end(), [&](const DrawnQuad& g) {
        return Near(g.baseline, 145) && std::fabs(g.CentreX() - x) < 10;
      });
      ASSERT_NE(label, glyphs.end());
      // Highlighted, not faded: fully opaque either way.
      EXPECT_EQ(label->HasColour(1, 1, 1, 1), !chosen) << slot;
      EXPECT_FLOAT_EQ(label->rgba[3], 1.0f);
      // Each tank on the field carries its number at its cell's top right, clear of the barrel.
      const CTank* tank = Tank(0, slot);
      const std::string number = std::to_string(slot + 1);
      const float numberLeft = CellX(tank->GetX()) + 15 - GameTextWidth(kSmallFont, number.c_str());
      EXPECT_EQ(frame.SmallTextAt(numberLeft, CellY(tank->GetY()) + 4), number);
    }
    // The frame round the slot and the ring round the tank are the only lines.
    const std::size_t frameSides = 4;
    EXPECT_EQ(frame.Lines().size(), selected == 0 ? 0u : frameSides + 24u);
    if (selected == 0) continue;
    const CTank* tank = Tank(0, selected - 1);
    for (const DrawnLine& line : frame.Lines()) {
      const float cx = (line.x0 + line.x1) / 2, cy = (line.y0 + line.y1) / 2;
      const bool ring = std::hypot(cx - CellX(tank->GetX()), cy - CellY(tank->GetY())) < 20;
      const bool slotFrame = std::fabs(cx - (864.0f + 32.0f * static_cast<float>(selected - 1))) <= 16 && cy < 170;
      EXPECT_TRUE(ring || slotFrame) << cx << ", " << cy;
    }
  }
}

TEST_F(BattleScreenDrawTest, TheStatusMessageCountsDownToVictoryClearOfTheRoster) {
  StartGame(10, 1);
  Place(0, 0, 7, 6, 0, 1);  // on the centre cell
  Park(1, 0, 3);
  EXPECT_TRUE(StatusLines(Capture()).empty());
  using Lines = std::vector<std::pair<int, std::string>>;
  for (int turn = 1; turn <= 9; ++turn) {
    PlayTurn();
    Park(1, 0, 3);
    ASSERT_EQ(Match().GetHillCount(), static_cast<std::uint32_t>(turn));
    const std::string left = "wins in " + std::to_string(10 - turn);
    const CapturedFrame frame = Capture();
    EXPECT_EQ(
        StatusLines(frame),
        (Lines{{384, "Green holds"}, {364, "the centre:"}, {344, left}, {324, turn == 9 ? "more turn" : "more turns"}}))
        << turn;
    ExpectNoLinesOverlap(frame);
  }
  PlayTurn();
  const CapturedFrame won = Capture();
  EXPECT_EQ(StatusLines(won),
            (Lines{{384, "Green team"}, {364, "   wins!"}, {344, "Press 'R'"}, {324, "to restart."}}));
  ExpectNoLinesOverlap(won);
  // The battlefield stays under the message; besides it only the roster
  // labels, the hint and the offer to watch the game are written.
  EXPECT_EQ(OnTheMap(won.SpritesWithId(2)).size() + OnTheMap(won.SpritesWithId(3)).size(),
            static_cast<std::size_t>(worldtest::kArenaWidth * worldtest::kArenaHeight));
  EXPECT_EQ(won.GlyphCount(),
            InkedCharacters("Green team   wins!Press 'R'to restart.12345678910Press F1 for help.Turn 10"
                            "Press 'V' to watch the game"));
  // The turn shown is the last one played, and the centre held for ten turn ends.
  EXPECT_EQ(won.TextAt(854, 740), "Turn 10");
  EXPECT_EQ(won.SmallTextAt(854, 684), "for 10 turn ends");
}

TEST_F(BattleScreenDrawTest, ATieShowsOnlyWhenNeitherTeamHasATankLeft) {
  using Lines = std::vector<std::pair<int, std::string>>;
  // Both fire in the first step and each destroys the other.
  StartGame(1, 1);
  Place(0, 0, 5, 5, 0, 1, 10)->AddFire();
  Place(1, 0, 5, 7, 0, -1, 10)->AddFire();
  Press(SDLK_SPACE);
  Ticks(1);
  ASSERT_EQ(Match().GetAliveCount(0) + Match().GetAliveCount(1), 0);
  const Lines tie{{384, "    Tie!"}, {344, "Press 'R'"}, {324, "to restart."}};
  EXPECT_EQ(StatusLines(Capture()), tie);
  FinishTurn();
  EXPECT_EQ(StatusLines(Capture()), tie);

  // Green's last tank falls in the first step while Blue's lives: no tie,
  // and at the turn's end Blue has won.
  Tap(SDLK_r);
  Place(0, 0, 5, 5, 0, 1, 10);
  Place(1, 0, 5, 7, 0, -1)->AddFire();
  Press(SDLK_SPACE);
  Ticks(1);
  ASSERT_EQ(Match().GetAliveCount(0), 0);
  EXPECT_TRUE(StatusLines(Capture()).empty());
  FinishTurn();
  EXPECT_EQ(StatusLines(Capture()),
            (Lines{{384, "Blue team"}, {364, "   wins!"}, {344, "Press 'R'"}, {324, "to restart."}}));
}

TEST_F(BattleScreenDrawTest, F1ReplacesTheHintByTheHelpPanelOverTheRoster) {
  StartGame(3, 3);
  const CapturedFrame hint = Capture();
  EXPECT_EQ(hint.TextAt(400, 12), "Press F1 for help.");
  EXPECT_TRUE(WithColour(hint.OfKind(Kind::Plain), 0.6f, 0.6f, 0.6f, 1).empty());
  EXPECT_TRUE(hint.Lines().empty());

  Tap(SDLK_F1);
  const CapturedFrame help = Capture();
  EXPECT_EQ(help.TextAt(400, 12), "");
  const std::vector<DrawnQuad> panel = WithColour(help.OfKind(Kind::Plain), 0.6f, 0.6f, 0.6f, 1);
  ASSERT_EQ(panel.size(), 1u);
  EXPECT_NEAR(panel[0].left, 229, kPixel);
  EXPECT_NEAR(panel[0].right, 787, kPixel);
  EXPECT_NEAR(panel[0].bottom, 30, kPixel);
  EXPECT_NEAR(panel[0].top, 470, kPixel);
  // Over the roster, under its own border and text.
  EXPECT_GT(panel[0].order, LastOrder(help.SpritesWithId(kGreenTank)));
  EXPECT_GT(panel[0].order, LastOrder(WithColour(help.OfKind(Kind::Plain), 0.4f, 0.4f, 0.4f, 1)));

  // The white border runs round the same rectangle.
  const std::vector<DrawnLine>& border = help.Lines();
  ASSERT_EQ(border.size(), 4u);
  const float corners[4][2] = {{229, 30}, {229, 470}, {787, 470}, {787, 30}};
  for (std::size_t i = 0; i < 4; ++i) {
    const float* from = corners[i];
    const float* to = corners[(i + 1) % 4];
    EXPECT_NEAR(border[i].x0, from[0], kPixel);
    EXPECT_NEAR(border[i].y0, from[1], kPixel);
    EXPECT_NEAR(border[i].x1, to[0], kPixel);
    EXPECT_NEAR(border[i].y1, to[1], kPixel);
    for (float c : border[i].rgba) EXPECT_EQ(c, 1.0f);
    EXPECT_GT(border[i].order, panel[0].order);
  }

  const struct {
    float y;
    const char* key;
    const char* meaning;
  } rows[] = {
      {390, "1 to 0", "- Select Tank"},
      {370, "Arrow Keys", "- Move"},
      {350, "F", "- Fire"},
      {330, "W", "- Wait"},
      {310, "Space", "- Execute Commands"},
      {290, "Backspace", "- Erase Last Command"},
      {270, "Delete or RMB", "- Erase All Commands"},
      {250, "LMB", "- Plot Path or Select Tank"},
      {230, "V", "- Watch Last Turn or Game"},
      {210, "P", "- Turn Pace"},
      {190, "M", "- Sound On/Off"},
      {170, "R", "- Restart (twice in a game)"},
      {150, "Escape", "- Start Screen"},
      {130, "F1", "- This Help"},
  };
  // Under the keys, the rules in the small font, each on its line.
  const std::string rules[] = {help.SmallTextAt(237, 102), help.SmallTextAt(237, 84), help.SmallTextAt(237, 66),
                               help.SmallTextAt(237, 48)};
  EXPECT_EQ(rules[0].rfind("Win: hold the centre", 0), 0u) << rules[0];
  EXPECT_NE(rules[1].find("rear 50, side 20, front 10; 70 on a repair cell"), std::string::npos) << rules[1];
  EXPECT_NE(rules[2].find("Fire and move back take two steps"), std::string::npos) << rules[2];
  EXPECT_NE(rules[3].find("heals 10 a step"), std::string::npos) << rules[3];
  EXPECT_EQ(help.TextAt(237, 450), "CONTROLS");
  EXPECT_EQ(help.TextAt(237, 430), "------------");
  std::size_t inked = InkedCharacters("CONTROLS------------123Turn 1");  // with the roster's labels and the turn
  for (const auto& row : rows) {
    EXPECT_EQ(help.TextAt(237, row.y), row.key);
    EXPECT_EQ(help.TextAt(437, row.y), row.meaning);
    inked += InkedCharacters(row.key) + InkedCharacters(row.meaning);
  }
  EXPECT_EQ(help.GlyphCount(), inked);
  for (const DrawnQuad& glyph : help.OfKind(Kind::Glyph)) {
    if (glyph.CentreX() < kMapLeftEdge) {
      EXPECT_GT(glyph.order, panel[0].order);
    }
  }
}

TEST_F(BattleScreenDrawTest, RightOfTheFieldTheTurnTanksLeftCentreAndLogTellWhatGreenSawAndNothingMore) {
  StartGame(2, 2);
  Place(0, 0, 5, 3, 0, -1);  // faces away from Blue
  Place(0, 1, 7, 6, 0, -1);  // on the centre cell, facing away too
  Place(1, 0, 5, 7, 0, -1)->AddFire();
  Park(1, 1, 3);
  Match().RefreshVisibility();
  PlayTurn();
  const CapturedFrame frame = Capture();
  EXPECT_EQ(frame.TextAt(854, 740), "Turn 2");
  EXPECT_EQ(frame.SmallTextAt(854, 718), "Green 2/2");
  EXPECT_EQ(frame.SmallTextAt(940, 718), "Blue 2/2");
  EXPECT_EQ(frame.SmallTextAt(854, 700), "Centre: held by Green");
  EXPECT_EQ(frame.SmallTextAt(854, 684), "for 1 turn end");
  // The shot came out of the fog: the line says so, under its step's heading.
  EXPECT_EQ(frame.SmallTextAt(854, 668), "Turn 1, step 1");
  EXPECT_EQ(frame.SmallTextAt(854, 652), "fog -> G1 rear -50");
  for (const DrawnQuad& g : frame.OfKind(Kind::SmallGlyph)) EXPECT_LE(g.right, 1021.0f) << static_cast<char>(g.code);
  // Nothing on the field shows the shooter: no tank, no health bar.
  EXPECT_TRUE(OnTheMap(frame.SpritesWithId(kBlueTank)).empty());
  EXPECT_TRUE(WithColour(frame.OfKind(Kind::Plain), 0.15f, 0.15f, 0.15f, 0.9f).empty());
  // The loss floats over the tank hit, outlined: four dark copies a pixel
  // off diagonally under it.
  std::string loss;
  std::vector<DrawnQuad> outline;
  for (const DrawnQuad& g : frame.OfKind(Kind::SmallGlyph)) {
    if (std::fabs(g.CentreX() - CellX(5)) >= 12 || g.bottom <= CellY(3) + 12 || g.bottom >= CellY(5)) continue;
    if (g.rgba[0] > 0.5f) {
      loss += static_cast<char>(g.code);
    } else {
      outline.push_back(g);
    }
  }
  EXPECT_EQ(loss, "-50");
  EXPECT_EQ(outline.size(), 4u * loss.size());

  // In sight, Blue shows with its health: the bar's share of 24 pixels in the
  // roster's colours (60: yellow), none left at all below 1; Blue faces down,
  // so the bar lies along the top of its cell, clear of the barrel.
  for (const std::int32_t hp : {60, -10}) {
    Place(0, 0, 5, 3, 0, 1);
    Place(1, 0, 5, 7, 0, -1, hp);
    Match().RefreshVisibility();
    const CapturedFrame seen = Capture();
    ASSERT_EQ(OnTheMap(seen.SpritesWithId(kBlueTank)).size(), 1u);
    ASSERT_EQ(WithColour(seen.OfKind(Kind::Plain), 0.15f, 0.15f, 0.15f, 0.9f).size(), 1u);
    const std::vector<DrawnQuad> bar = WithColour(seen.OfKind(Kind::Plain), 0.8f, 0.8f, 0, 1);
    ASSERT_EQ(bar.size(), hp > 0 ? 1u : 0u);
    if (hp > 0) {
      EXPECT_TRUE(Near(bar[0].left, CellX(5) - 12) && Near(bar[0].right, CellX(5) + 2.4f) &&
                  bar[0].bottom > CellY(7) + 10);
    }
  }
}

TEST_F(BattleScreenDrawTest, AClickThatGivesNoPathIsMarkedWhereItWasAndAFirstRAsksOverTheField) {
  StartGame(1, 1);
  Tap(SDLK_1);
  ClickCell(1, 0, 5);  // a wall
  const CapturedFrame marked = Capture();
  const float x = CellX(0), y = CellY(5);
  const std::vector<DrawnLine>& cross = marked.Lines();
  ASSERT_EQ(cross.size(), 24u + 4u + 2u);  // the selected tank's ring and slot frame, then the cross
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_NEAR((cross[cross.size() - 2 + i].x0 + cross[cross.size() - 2 + i].x1) / 2, x, kPixel);
    EXPECT_NEAR((cross[cross.size() - 2 + i].y0 + cross[cross.size() - 2 + i].y1) / 2, y, kPixel);
  }
  EXPECT_EQ(marked.SmallTextAt(x + 10, y - 5), "no path");
  Ticks(80);  // 1.28 s later the mark is gone
  EXPECT_EQ(Capture().Lines().size(), 24u + 4u);

  Tap(SDLK_r);
  const CapturedFrame asked = Capture();
  const std::vector<DrawnQuad> glyphs = asked.OfKind(Kind::Glyph);
  const auto question = std::find_if(glyphs.begin(), glyphs.end(), [](const DrawnQuad& g) { return Near(g.baseline, 702); });
  ASSERT_NE(question, glyphs.end());
  EXPECT_EQ(asked.TextAt(question->penX, 702), "Press 'R' again to restart");
  EXPECT_GT(question->penX, 34.0f);
  Tap(SDLK_UP);
  EXPECT_EQ(Capture().TextAt(question->penX, 702), "");
}

TEST_F(BattleScreenDrawTest, AFrameAllocatesNothing) {
  StartGame(10, 10);
  // A turn in which Green's first tank hits Blue's: logged, its loss floating.
  Place(1, 0, 1, 3, 0, -1);
  Place(0, 0, 1, 1, 0, 1)->AddFire();
  Match().RefreshVisibility();
  Match().StartTurn();
  while (Match().GetStepsDone() < CGameWorld::mc_turnSteps) Match().RunStep();
  Match().EndTurn();
  Screen().Absorb(Match());
  ASSERT_GT(Match().GetLog().Size(), 0u);
  Tap(SDLK_1);
  ClickCell(1, 7, 6);  // a path to the centre cell
  ClickCell(1, 0, 5);  // a wall: marked
  Tap(SDLK_r);  // asks
  Tap(SDLK_F1);
  for (const auto& tank : Match().GetTanks()) {
    const float x = 32.0f * static_cast<float>(tank->GetX());
    Screen().Effects().SpawnShot(x, 32.0f * static_cast<float>(tank->GetY()), x, 32.0f * 6);
  }
  ASSERT_FALSE(Match().GetTeamTanks(0)[0]->GetCommands().empty());
  ASSERT_FALSE(Screen().GetEffects().empty());
  m_session.Render();  // the first frame may fetch what it keeps
  const std::size_t before = AllocationCount();
  m_session.Render();
  EXPECT_EQ(AllocationCount(), before);
}

// Frames drawn while the sprite table is empty show no sprite; frames after
// the sprites and the font load again into new storage show the same as before.
TEST_F(BattleScreenDrawTest, FramesDrawFromTheSpritesAndFontLoadedLast) {
  StartGame(2, 2);
  const auto shapes = [this] {
    std::vector<std::tuple<Kind, int, float, float, float, float>> all;
    const CapturedFrame frame = Capture();
    for (const DrawnQuad& q : frame.Quads()) all.emplace_back(q.kind, q.code, q.left, q.bottom, q.right, q.top);
    return all;
  };
  const auto before = shapes();
  SpriteTable loaded;
  loaded.swap(GetSprites());
  const auto bare = shapes();
  const auto textured = [](const auto& q) { return std::get<0>(q) == Kind::Sprite || std::get<0>(q) == Kind::Unknown; };
  EXPECT_EQ(std::count_if(bare.begin(), bare.end(), textured), 0);
  LoadSprites(GetSprites());
  glDeleteTextures(1, &loaded.front().texture);
  GetFontManager().Shutdown();
  ASSERT_EQ(GetFontManager().Init(), 0);
  ASSERT_TRUE(LoadGameFonts(kv::kFontFile));
  EXPECT_EQ(shapes(), before);
}

// While the player plans, each planned shot shows where its shell would stop
// and what it would strike, from where the tank will stand, and each roster
// slot what its tank is about to do.
TEST_F(BattleScreenDrawTest, PlannedShotsShowWhatTheyWouldStrikeAndTheRosterWhatEachTankIsAboutToDo) {
  StartGame(3, 1);
  Place(1, 0, 7, 6, 0, 1);                 // Blue in sight, facing up
  CTank* first = Place(0, 0, 4, 6, 0, 1);  // faces up now, turns right, then fires along row 6
  first->AddTurn(true);
  first->AddFire();
  Place(0, 1, 9, 8, -1, 0)->AddFire();   // fires left along row 8 into its own third tank
  Place(0, 2, 6, 8, 0, 1)->SetDelay(1);  // busy from a fire, no orders
  Match().RefreshVisibility();
  Tap(SDLK_1);
  const CapturedFrame frame = Capture();

  const auto lines = [](const CapturedFrame& f, float r, float g, float b) {
    std::vector<DrawnLine> found;
    for (const DrawnLine& l : f.Lines()) {
      if (Near(l.rgba[0], r) && Near(l.rgba[1], g) && Near(l.rgba[2], b)) found.push_back(l);
    }
    return found;
  };
  // The first tank's shell: yellow, from its muzzle facing right to Blue's
  // hull, a bar across its end; Blue's side, said over its cell.
  const std::vector<DrawnLine> enemy = lines(frame, 1.0f, 0.85f, 0.2f);
  ASSERT_EQ(enemy.size(), 2u + 24u + 4u);  // with the selection's ring and slot frame, alike in colour
  EXPECT_NEAR(enemy[0].x0, CellX(4) + 16, kPixel);
  EXPECT_NEAR(enemy[0].x1, CellX(7) - 10, kPixel);
  EXPECT_NEAR(enemy[0].y0, CellY(6), kPixel);
  EXPECT_NEAR(enemy[0].y1, CellY(6), kPixel);
  EXPECT_NEAR(enemy[1].x0, CellX(7) - 10, kPixel);  // the bar across
  const auto labelAt = [&](int x, int y, const char* text) {
    return frame.SmallTextAt(CellX(x) - GameTextWidth(kSmallFont, text) / 2, CellY(y) + 19);
  };
  EXPECT_EQ(labelAt(7, 6, "B1 side -20"), "B1 side -20");
  // The second tank's shell stops at the third: red, and said so though the second is not selected.
  const std::vector<DrawnLine> friendly = lines(frame, 1.0f, 0.3f, 0.25f);
  ASSERT_EQ(friendly.size(), 2u);
  EXPECT_NEAR(friendly[0].x0, CellX(9) - 16, kPixel);
  EXPECT_NEAR(friendly[0].x1, CellX(6) + 10, kPixel);
  EXPECT_EQ(labelAt(6, 8, "G3 own tank -20"), "G3 own tank -20");
  // Blue carries its number at its cell's top right, in its team's colour.
  EXPECT_EQ(frame.SmallTextAt(CellX(7) + 15 - GameTextWidth(kSmallFont, "1"), CellY(6) + 4), "1");

  // The roster: the steps of each tank's orders, the busy step counted, or "busy".
  const char* const states[] = {"3 st", "2 st", "busy"};
  for (std::size_t slot = 0; slot < 3; ++slot) {
    const float x = 864.0f + 32.0f * static_cast<float>(slot);
    // Slots stand 32 pixels apart: read each on its own.
    EXPECT_EQ(
        frame.SmallTextAt(x - GameTextWidth(kSmallFont, states[slot]) / 2, 145 - 20 - 14, std::strlen(states[slot])),
        states[slot]);
  }
  Tap(SDLK_DELETE);  // the first tank's orders erased
  EXPECT_EQ(Capture().SmallTextAt(864 - GameTextWidth(kSmallFont, "idle") / 2, 145 - 20 - 14, 4), "idle");

  // A turn under way shows no shot to come.
  Press(SDLK_SPACE);
  Ticks(1);
  ASSERT_TRUE(Match().IsExecuting());
  EXPECT_TRUE(lines(Capture(), 1.0f, 0.3f, 0.25f).empty());
}

// An enemy that goes out of Green's sight leaves a faint mark where and as it
// was last seen, with that turn, until Green sees the cell again; it never
// tells where the tank went.
TEST_F(BattleScreenDrawTest, AnEnemyLostFromSightLeavesAFaintMarkWithItsTurnUntilItsCellIsSeenAgain) {
  StartGame(1, 1);
  Place(0, 0, 5, 3, 0, 1);
  Place(1, 0, 5, 7, -1, 0);
  PlayTurn();  // seen all along turn 1 and as turn 2 is planned
  const auto marks = [this] {
    std::vector<DrawnQuad> faint;
    for (const DrawnQuad& q : Capture().SpritesWithId(kBlueTank)) {
      if (q.HasColour(1, 1, 1, 0.4f)) faint.push_back(q);
    }
    return faint;
  };
  EXPECT_TRUE(marks().empty());
  Park(1, 0, 3);  // gone where Green cannot see, while Green looks away
  Place(0, 0, 5, 3, 0, -1);
  Match().RefreshVisibility();
  const std::uint64_t epoch = Screen().GetEpoch();
  Screen().Absorb(Match());
  EXPECT_NE(Screen().GetEpoch(), epoch) << "the kept layers must show the mark";
  std::vector<DrawnQuad> shown = marks();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(At(shown[0], CellX(5), CellY(7)));
  EXPECT_EQ(shown[0].angle, 180);
  EXPECT_EQ(Capture().SmallTextAt(CellX(5) - 15, CellY(7) - 13), "T2");
  // The mark stays as long as its cell is out of sight; Green looks at it again: it goes.
  Ticks(10);
  EXPECT_EQ(marks().size(), 1u);
  Place(0, 0, 5, 3, 0, 1);
  Match().RefreshVisibility();
  Screen().Absorb(Match());
  EXPECT_TRUE(marks().empty());
}
