// What the player sees: screenshots of the real game on the start screen and
// in battle, checked pixel by pixel. Text is checked by where its ink lies and
// by comparing the ink of equal texts; pictures by the game's own image files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/GameSession.h"
#include "e2e/LinkedGameDir.h"
#include "e2e/ScreenPixels.h"
#include "screen/StartScreenControls.h"
#include "support/TempDir.h"

using namespace screen;

namespace {

constexpr int kWindowHeight = 768;
// The last row of the window, for turning drawing points into window points.
constexpr int kTopRow = kWindowHeight - 1;

// The roster's bar background, 0.4 grey, shows left of the segments.
constexpr Pixel kBarGrey{102, 102, 102};
constexpr Pixel kHelpGrey{153, 153, 153};  // 0.6 grey
constexpr Pixel kSegmentGrey{204, 204, 204};  // 0.8: a healthy tank's segments

// Areas of the start screen: each line of text between its neighbours. The
// Blue line's tallest letters reach row 387, the Green line starts at 390.
constexpr Box kTitleArea{140, 1023, 440, 767};
constexpr Box kGoalArea{140, 1023, 411, 439};
constexpr Box kGreenSizeArea{140, 387, 389, 410};
constexpr Box kBlueSizeArea{140, 387, 366, 388};
constexpr Box kGreenMarksArea{388, 1023, 389, 410};
constexpr Box kBlueMarksArea{388, 1023, 366, 388};
constexpr Box kStartArea{140, 1023, 300, 365};
// The computer's level on the baseline 220 ("Computer" reaches below it) and
// its marks; above them the battlefield's line (whose names may reach below
// 250) and marks, left of its picture.
constexpr Box kLevelArea{140, 387, 212, 240};
constexpr Box kLevelMarksArea{388, 537, 212, 240};
// The pace of turns under it, on the baseline 190, with its marks.
constexpr Box kPaceArea{140, 537, 180, 211};
constexpr Box kBattlefieldLineArea{140, 537, 241, 299};
constexpr Box kBattlefieldMarksArea{538, 599, 241, 299};
// The size digits with a row to spare around them, alike for both lines.
constexpr Box kGreenDigits{140, 387, 389, 408};
constexpr Box kBlueDigits{140, 387, 369, 388};
constexpr Box kHintArea{380, 700, 0, 28};   // below the battlefield, under the help panel's edge
constexpr Box kHintStart{380, 440, 0, 33};  // "Pres": the hint's first letters, none below the baseline

bool Inside(const Box& box, int x, int y) { return x >= box.left && x <= box.right && y >= box.bottom && y <= box.top; }

Box BoxOf(const ClickBox& c) { return Box{c.left, c.right, c.bottom, c.top}; }

void ClickOn(GameSession& game, const ClickBox& box) {
  game.Click((box.left + box.right) / 2, kWindowHeight - (box.top + box.bottom) / 2);
}

// The first columns of a patch.
Patch LeftPart(const Patch& patch, int width) {
  Patch part;
  part.width = width;
  part.height = patch.height;
  for (int y = 0; y < patch.height; ++y) {
    const auto row = patch.rgb.begin() + static_cast<std::ptrdiff_t>(y) * patch.width * 3;
    part.rgb.insert(part.rgb.end(), row, row + width * 3);
  }
  return part;
}

// A line of text stands on its baseline and starts at its origin: its ink's
// lowest row is the baseline (the area holds no letter that descends below
// it) and its first column lies within the first letter's left bearing, at
// most 3 pixels right of the origin.
void ExpectTextAt(const Screenshot& shot, const Box& area, int x, int baseline, const char* what,
                  Pixel background = kBackground) {
  Box ink{};
  ASSERT_TRUE(InkBox(shot, area, ink, background)) << what << ": no ink";
  EXPECT_EQ(ink.bottom, baseline) << what << ": " << ToString(ink);
  EXPECT_GE(ink.left, x) << what << ": " << ToString(ink);
  EXPECT_LE(ink.left, x + 3) << what << ": " << ToString(ink);
}

// A tank's picture below the number (and its shadow) at its cell's top right, and clear of
// the ring round a selected tank in the cell to its left.
Patch TankBody(const Screenshot& shot, int x, int y) {
  const int cx = kLargestMap.CellX(x);
  const int cy = kLargestMap.CellY(y);
  return Cut(shot, Box{cx - 12, cx + 15, cy - 16, cy + 1});
}

// The battle screen is up once the first roster bar shows.
Screenshot ShootBattle(const GameSession& game) { return game.ShootWhen(854, kTopRow - 104, kBarGrey); }

// The tank picture as the roster shows it: turned a quarter counter-clockwise
// over the background, centred on (cx, cy), above the band at its foot that
// says what the tank is about to do (from 17 to 4 pixels below its centre).
void ExpectRosterIcon(const Screenshot& shot, const Picture& tank, int cx, int cy, const std::string& what) {
  int worst = 0;
  for (int dy = -3; dy < tank.width / 2; ++dy) {
    for (int dx = -tank.height / 2; dx < tank.height / 2; ++dx) {
      // The picture's right edge turns up, its top edge left.
      const int col = tank.width / 2 + dy;
      const int row = tank.height / 2 + dx;
      const Pixel c = tank.At(col, row);
      const int a = tank.AlphaAt(col, row);
      auto over = [a](int channel, int under) { return (channel * a + under * (255 - a) + 127) / 255; };
      const Pixel expected{over(c.r, kBackground.r), over(c.g, kBackground.g), over(c.b, kBackground.b)};
      const Pixel shown = shot.AtGame(cx + dx, cy + dy);
      worst = std::max({worst, std::abs(shown.r - expected.r), std::abs(shown.g - expected.g),
                        std::abs(shown.b - expected.b)});
    }
  }
  // Partly transparent texels are blended in 8 bits: one step of rounding.
  EXPECT_LE(worst, 1) << what;
}

}  // namespace

TEST(ScreenE2ETest, TheStartScreenShowsItsTextsAtTheirOriginsAndTheMarksChangeTheSizes) {
  GameSession game;
  ASSERT_TRUE(game.Start());
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  game.ShootWhen(153, kTopRow - 458, kWhite);  // the stem of the title's "K"
  // The battlefield's picture follows the first frame.
  const Screenshot start = ShootUntil(game, [](const Screenshot& s) {
    Box picture{};
    return InkBox(s, BoxOf(StartScreenControls::mc_mapPicture), picture);
  });
  if (const std::string path = DocumentationShot("start-screen.png"); !path.empty()) game.Shoot(path);

  ExpectTextAt(start, kTitleArea, 150, 450, "Korvane");
  // The goal's line dips below its baseline ("y"): its first letters stand on it.
  ExpectTextAt(start, Box{140, 200, 411, 439}, 150, 420, "Goal");
  ExpectTextAt(start, kGreenSizeArea, 150, 390, "Green Team Size: 3");
  ExpectTextAt(start, kBlueSizeArea, 150, 370, "Blue Team Size:  3");
  ExpectTextAt(start, kStartArea, 150, 330, "Start");
  // The "< >" marks are exactly where their clicks count, and so is "Start".
  Box ink{};
  ASSERT_TRUE(InkBox(start, kGreenMarksArea, ink));
  EXPECT_EQ(ink, (Box{StartScreenControls::mc_greenLess.left, StartScreenControls::mc_greenMore.right,
                      StartScreenControls::mc_greenLess.bottom, StartScreenControls::mc_greenLess.top}))
      << ToString(ink);
  ASSERT_TRUE(InkBox(start, kBlueMarksArea, ink));
  EXPECT_EQ(ink, (Box{StartScreenControls::mc_blueLess.left, StartScreenControls::mc_blueMore.right,
                      StartScreenControls::mc_blueLess.bottom, StartScreenControls::mc_blueLess.top}))
      << ToString(ink);
  ASSERT_TRUE(InkBox(start, kStartArea, ink));
  EXPECT_EQ(ink, BoxOf(StartScreenControls::mc_start)) << ToString(ink);
  ASSERT_TRUE(InkBox(start, kLevelMarksArea, ink));
  EXPECT_EQ(ink, (Box{StartScreenControls::mc_levelLess.left, StartScreenControls::mc_levelMore.right,
                      StartScreenControls::mc_levelLess.bottom, StartScreenControls::mc_levelLess.top}))
      << ToString(ink);
  ExpectTextAt(start, kBattlefieldLineArea, 150, 250, "Battlefield: Borderland");
  ASSERT_TRUE(InkBox(start, kBattlefieldMarksArea, ink));
  EXPECT_EQ(ink, (Box{StartScreenControls::mc_mapLess.left, StartScreenControls::mc_mapMore.right,
                      StartScreenControls::mc_mapLess.bottom, StartScreenControls::mc_mapLess.top}))
      << ToString(ink);
  // Nothing else: no battlefield, no HUD.
  int stray = 0;
  for (int y = 0; y < kWindowHeight; ++y) {
    for (int x = 0; x < 1024; ++x) {
      bool text = false;
      for (const Box& area : {kTitleArea, kGoalArea, kGreenSizeArea, kBlueSizeArea, kGreenMarksArea, kBlueMarksArea,
                              kStartArea, kLevelArea, kLevelMarksArea, kPaceArea, kBattlefieldLineArea,
                              kBattlefieldMarksArea, BoxOf(StartScreenControls::mc_mapPicture)}) {
        text = text || Inside(area, x, y);
      }
      if (!text && !Same(start.AtGame(x, y), kBackground)) ++stray;
    }
  }
  EXPECT_EQ(stray, 0);

  // The sizes are the last word of their lines. Both show "3" alike.
  auto green = [](const Screenshot& s) { return LastWord(s, kGreenDigits); };
  auto blue = [](const Screenshot& s) { return LastWord(s, kBlueDigits); };
  const Patch three = green(start);
  ASSERT_GT(three.width, 0);
  EXPECT_EQ(blue(start), three);

  ClickOn(game, StartScreenControls::mc_greenMore);
  Screenshot shot = ShootUntil(game, [&](const Screenshot& s) { return green(s) != three; });
  EXPECT_NE(green(shot), three);  // 4
  EXPECT_EQ(blue(shot), three);
  ClickOn(game, StartScreenControls::mc_greenLess);
  shot = ShootUntil(game, [&](const Screenshot& s) { return green(s) == three; });
  EXPECT_EQ(green(shot), three);

  // Up to 10, which is two digits wide, and no further.
  for (int i = 0; i < 7; ++i) ClickOn(game, StartScreenControls::mc_greenMore);
  shot = ShootUntil(game, [&](const Screenshot& s) { return green(s).width > three.width * 3 / 2; });
  const Patch ten = green(shot);
  ASSERT_GT(ten.width, three.width * 3 / 2);
  ClickOn(game, StartScreenControls::mc_greenMore);
  GameSession::Wait(500);
  EXPECT_EQ(green(game.Shoot()), ten);

  // Down to 1, the first digit of "10", and no further.
  ClickOn(game, StartScreenControls::mc_blueLess);
  ClickOn(game, StartScreenControls::mc_blueLess);
  shot = ShootUntil(game, [&](const Screenshot& s) {
    const Patch one = blue(s);
    return one.width > 0 && one.width < ten.width && LeftPart(ten, one.width) == one;
  });
  const Patch one = blue(shot);
  ASSERT_GT(one.width, 0);
  ASSERT_LT(one.width, ten.width);
  EXPECT_EQ(LeftPart(ten, one.width), one);
  ClickOn(game, StartScreenControls::mc_blueLess);
  GameSession::Wait(500);
  EXPECT_EQ(blue(game.Shoot()), one);

  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
}

TEST(ScreenE2ETest, AHardGameChosenOnTheCommandLineOrStartScreenPlaysTurns) {
  GameSession game;
  GameSession::Options options;
  options.args = {"--difficulty", "hard"};
  ASSERT_TRUE(game.Start(options));
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  auto level = [](const Screenshot& s) { return LastWord(s, kLevelArea); };
  const Patch hard = level(game.ShootWhen(153, kTopRow - 458, kWhite));
  ASSERT_GT(hard.width, 0);

  // 'd' shows the other level, "Normal", which is wider; its mark brings "Hard" back.
  game.Key("d");
  Screenshot shot = ShootUntil(game, [&](const Screenshot& s) { return level(s) != hard; });
  EXPECT_GT(level(shot).width, hard.width);
  ClickOn(game, StartScreenControls::mc_levelMore);
  shot = ShootUntil(game, [&](const Screenshot& s) { return level(s) == hard; });
  ASSERT_EQ(level(shot), hard);

  // Turns of a Hard game run; the start screen still shows the level after them.
  game.Key("Return");
  ASSERT_TRUE(Same(ShootBattle(game).AtGame(854, 104), kBarGrey)) << "Return did not start the game";
  for (int turn = 0; turn < 3; ++turn) {
    game.Key("space");
    GameSession::Wait(1400);
  }
  ASSERT_TRUE(game.Running()) << game.Stderr();
  game.Key("Escape");
  shot = ShootUntil(game, [&](const Screenshot& s) { return level(s).width > 0; });
  EXPECT_EQ(level(shot), hard);
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
  EXPECT_EQ(game.Stderr(), "");
}

TEST(ScreenE2ETest, TenAgainstTenShowTheRosterInTwoRowsAndALeftClickPlotsAPath) {
  GameSession game;
  ASSERT_TRUE(game.Start());
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  const Screenshot start = game.ShootWhen(153, kTopRow - 458, kWhite);
  const int threeWidth = LastWord(start, kGreenDigits).width;
  for (int i = 0; i < 7; ++i) {
    ClickOn(game, StartScreenControls::mc_greenMore);
    ClickOn(game, StartScreenControls::mc_blueMore);
  }
  ShootUntil(game, [&](const Screenshot& s) {
    return LastWord(s, kGreenDigits).width > threeWidth * 3 / 2 && LastWord(s, kBlueDigits).width > threeWidth * 3 / 2;
  });
  ClickOn(game, StartScreenControls::mc_start);
  const Screenshot battle = ShootBattle(game);
  ASSERT_TRUE(Same(battle.AtGame(854, 104), kBarGrey)) << "no battle screen";

  // Ten slots, five a row 32 apart, the second row 145 above the first: each
  // with its label over the turned tank icon and a full health bar below.
  const Picture tank = LoadPicture("tank_green.png");
  ASSERT_GT(tank.width, 0);
  for (int i = 0; i < 10; ++i) {
    const int x = 864 + 32 * (i % 5);
    const int y = 145 + 145 * (i / 5);
    const std::string slot = "slot " + std::to_string(i + 1);
    Box label{};
    ASSERT_TRUE(InkBox(battle, Box{x - 8, x + 14, y - 1, y + 20}, label)) << slot;
    // Round digits dip a pixel below the baseline.
    EXPECT_GE(label.bottom, y - 1) << slot;
    EXPECT_LE(label.bottom, y) << slot;
    ExpectRosterIcon(battle, tank, x, y - 20, slot);
    const int barTop = y - 43;
    EXPECT_TRUE(Same(battle.AtGame(x - 10, barTop + 4), kBarGrey)) << slot;
    EXPECT_TRUE(Same(battle.AtGame(x - 10, barTop - 67), kBarGrey)) << slot;
    for (int k = 0; k < 10; ++k) {
      EXPECT_TRUE(Same(battle.AtGame(x, barTop - 7 * k), kSegmentGrey)) << slot << " segment " << k;
      EXPECT_TRUE(Same(battle.AtGame(x, barTop - 7 * k - 4), kBarGrey)) << slot << " below segment " << k;
    }
  }
  // Nothing right of the fifth slot ("10" reaches x 1012), nor above the
  // second row's labels but the turn and score lines at the top.
  Box stray{};
  EXPECT_FALSE(InkBox(battle, Box{1021, 1023, 0, 767}, stray)) << ToString(stray);
  EXPECT_FALSE(InkBox(battle, Box{1014, 1023, 0, 690}, stray)) << ToString(stray);
  EXPECT_FALSE(InkBox(battle, Box{840, 1023, 320, 690}, stray)) << ToString(stray);
  EXPECT_TRUE(InkBox(battle, Box{840, 1020, 691, 767}, stray));

  // '1' selects the first tank; a left click on cell (5, 3) plots its path:
  // markers appear on the cells it crosses, the goal's among them.
  game.Key("1");
  const Screenshot selected = game.Shoot();
  game.Click(CellWindowX(5), CellWindowY(3));
  const Screenshot plotted =
      ShootUntil(game, [&](const Screenshot& s) { return Cell(s, 5, 3) != Cell(selected, 5, 3); });
  EXPECT_NE(Cell(plotted, 5, 3), Cell(selected, 5, 3));
  int marked = 0;
  for (int y = 2; y <= 3; ++y) {
    for (int x = 1; x <= 5; ++x) marked += Cell(plotted, x, y) != Cell(selected, x, y);
  }
  EXPECT_GE(marked, 5);  // at least one move into each of five cells
  for (int x = 6; x <= 12; ++x) EXPECT_EQ(Cell(plotted, x, 6), Cell(selected, x, 6)) << "off the path: " << x;
  if (const std::string path = DocumentationShot("battle-screen.png"); !path.empty()) game.Shoot(path);

  game.Key("Escape");
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
}

TEST(ScreenE2ETest, PlayingATurnMovesTheTankOneCellAndEscapeShowsTheStartScreenAgain) {
  GameSession game;
  ASSERT_TRUE(game.Start());
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  const Screenshot start = game.ShootWhen(153, kTopRow - 458, kWhite);

  game.Key("Return");
  const Screenshot battle = ShootBattle(game);
  ASSERT_TRUE(Same(battle.AtGame(854, 104), kBarGrey)) << "Return did not start the game";
  ExpectTextAt(battle, kHintStart, 400, 12, "Press F1 for help.");

  // The cell ahead of the first tank shows the ground picture as it is; the
  // far corner, beyond every Green tank's sight, shows it darkened by half
  // (one step of 8-bit blending either way) and hides the Blue tank there.
  const Picture ground = LoadPicture("tile_ground.png");
  ASSERT_EQ(ground.width, 32);
  ASSERT_EQ(ground.height, 32);
  int worstSeen = 0, worstFogged = 0;
  for (int dy = -16; dy < 16; ++dy) {
    for (int dx = -16; dx < 16; ++dx) {
      const Pixel texel = ground.At(16 + dx, 15 - dy);
      ASSERT_EQ(ground.AlphaAt(16 + dx, 15 - dy), 255);
      const Pixel seen = battle.AtGame(50 + 32 * 1 + dx, 50 + 32 * 2 + dy);
      const Pixel fogged = battle.AtGame(50 + 32 * 23 + dx, 50 + 32 * 20 + dy);
      worstSeen =
          std::max({worstSeen, std::abs(seen.r - texel.r), std::abs(seen.g - texel.g), std::abs(seen.b - texel.b)});
      worstFogged = std::max({worstFogged, std::abs(2 * fogged.r - texel.r), std::abs(2 * fogged.g - texel.g),
                              std::abs(2 * fogged.b - texel.b)});
    }
  }
  EXPECT_EQ(worstSeen, 0);
  EXPECT_LE(worstFogged, 2);  // twice the darkened value: within two of the picture's

  // Green's three tanks stand alike on (1, 1), (2, 1) and (3, 1), each with its number.
  EXPECT_EQ(TankBody(battle, 1, 1), TankBody(battle, 2, 1));
  EXPECT_EQ(TankBody(battle, 3, 1), TankBody(battle, 2, 1));
  EXPECT_NE(Cell(battle, 1, 1), Cell(battle, 2, 1));
  const Patch groundCell = Cell(battle, 1, 2);
  EXPECT_NE(Cell(battle, 1, 1), groundCell);

  // '1' selects the first tank: it pulses while the others stay as they are.
  game.Key("1");
  std::vector<Patch> pulse;
  for (int i = 0; i < 6; ++i) {
    const Screenshot shot = game.Shoot();
    pulse.push_back(Cell(shot, 1, 1));
    EXPECT_EQ(TankBody(shot, 2, 1), TankBody(battle, 2, 1));
    GameSession::Wait(200);
  }
  int changes = 0;
  for (std::size_t i = 1; i < pulse.size(); ++i) changes += pulse[i] != pulse[i - 1];
  EXPECT_GT(changes, 0) << "the selected tank does not pulse";

  // Up plans a move: its marker covers the cell ahead. Space runs the turn
  // and the tank stands on that cell; '0' (no tenth tank) clears the
  // selection, so that it shows like its neighbour.
  game.Key("Up");
  ShootUntil(game, [&](const Screenshot& s) { return Cell(s, 1, 2) != groundCell; });
  game.Key("space");
  game.Key("0");
  const Screenshot moved =
      ShootUntil(game, [&](const Screenshot& s) { return TankBody(s, 1, 2) == TankBody(battle, 2, 1); });
  EXPECT_EQ(TankBody(moved, 1, 2), TankBody(battle, 2, 1));
  EXPECT_NE(TankBody(moved, 1, 1), TankBody(battle, 2, 1));
  GameSession::Wait(1500);  // the rest of the turn

  // F1: the help panel over the battlefield instead of the hint.
  game.Key("F1");
  const Screenshot help = game.ShootWhen(780, kTopRow - 240, kHelpGrey);
  EXPECT_TRUE(Same(help.AtGame(780, 240), kHelpGrey));
  EXPECT_TRUE(Same(help.AtGame(235, 235), kHelpGrey));
  // The border runs along x 229: the line falls on column 228 or 229.
  EXPECT_TRUE(Same(help.AtGame(229, 350), kWhite) || Same(help.AtGame(228, 350), kWhite));
  // Inside the border (its top on row 469), between the rows of text.
  ExpectTextAt(help, Box{232, 430, 446, 468}, 237, 450, "CONTROLS", kHelpGrey);
  ExpectTextAt(help, Box{435, 600, 388, 408}, 437, 390, "- Select Tank", kHelpGrey);
  Box ink{};
  EXPECT_FALSE(InkBox(help, kHintArea, ink)) << ToString(ink);

  // Any key closes the help and does nothing else; Escape then leaves the
  // battle for the start screen, which shows exactly as before.
  game.Key("Escape");
  const Screenshot closed = ShootUntil(game, [](const Screenshot& s) {
    Box hint{};
    return InkBox(s, kHintArea, hint);
  });
  ExpectTextAt(closed, kHintStart, 400, 12, "Press F1 for help.");
  // The game left is kept: "Continue" shows under "Start", the rest as before.
  game.Key("Escape");
  const Box continueBox = BoxOf(StartScreenControls::mc_continue);
  const Box aboveContinue{0, 1023, continueBox.top + 1, kTopRow};
  // The word "Continue" stands alone between "Start" and the lines below it;
  // what it brings back follows it in the small font.
  const Box continueLine{0, continueBox.right + 5, continueBox.bottom - 20, continueBox.top};
  const Screenshot back = ShootUntil(game, [&](const Screenshot& s) {
    Box ink{};
    return Cut(s, aboveContinue) == Cut(start, aboveContinue) && InkBox(s, continueLine, ink) &&
           ink.bottom == continueBox.bottom;
  });
  EXPECT_TRUE(Cut(back, aboveContinue) == Cut(start, aboveContinue)) << "the start screen does not show as it did";
  Box continueInk{};
  EXPECT_TRUE(InkBox(back, continueLine, continueInk));
  EXPECT_EQ(continueInk, continueBox) << ToString(continueInk);
  ASSERT_TRUE(game.Running());

  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
}

TEST(ScreenE2ETest, WithoutItsFontTheGameDrawsEverythingButText) {
  // A working directory with the game's icon and every data file but the font.
  TempDir dir;
  namespace fs = std::filesystem;
  fs::create_directory(dir.File("Data"));
  for (const fs::directory_entry& entry : fs::directory_iterator(SourceDir() + "/Data")) {
    const std::string name = entry.path().filename().string();
    if (name != "ACKNOWTT.TTF") fs::create_symlink(entry.path(), dir.File("Data/" + name));
  }
  fs::create_symlink(SourceDir() + "/KVIcon.bmp", dir.File("KVIcon.bmp"));
  GameSession game;
  ASSERT_TRUE(game.Start({dir.Path(), {}, {}, {}}));
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();

  // The start screen is all background but the battlefield's picture, which
  // needs no font; Return starts the game all the same.
  game.ShootWhen(1015, kTopRow - 5, kBackground);
  Box ink{};
  const Box picture = BoxOf(StartScreenControls::mc_mapPicture);
  const Screenshot start = ShootUntil(game, [&](const Screenshot& s) { return InkBox(s, picture, ink); });
  EXPECT_TRUE(InkBox(start, picture, ink));
  for (const Box& text : {Box{0, picture.left - 1, 0, 767}, Box{picture.left, 1023, picture.top + 1, 767},
                          Box{picture.left, 1023, 0, picture.bottom - 1}}) {
    EXPECT_FALSE(InkBox(start, text, ink)) << ToString(ink);
  }
  game.Key("Return");
  const Screenshot battle = ShootBattle(game);
  ASSERT_TRUE(Same(battle.AtGame(854, 104), kBarGrey)) << "no battle screen";
  EXPECT_NE(Cell(battle, 1, 2), Cell(battle, 1, 1));  // ground, and a tank on it
  ExpectRosterIcon(battle, LoadPicture("tank_green.png"), 864, 125, "slot 1");
  // No labels, no hint.
  EXPECT_FALSE(InkBox(battle, Box{850, 1023, 145, 170}, ink)) << ToString(ink);
  EXPECT_FALSE(InkBox(battle, kHintArea, ink)) << ToString(ink);

  game.Key("Escape");
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
  EXPECT_EQ(game.Stderr(), "");
}

TEST(ScreenE2ETest, TwoTurnsShowTheTurnLineAndAHitInTheLogAndNeitherAMisclickNorOneRThrowsAnythingAway) {
  GameSession game;
  ASSERT_TRUE(game.Start());
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  game.ShootWhen(153, kTopRow - 458, kWhite);
  game.Key("Return");
  const Screenshot first = ShootBattle(game);
  const Box turnLine{854, 955, 735, 767};  // "Turn 1", clear of the step counter right of it
  const Box logArea{854, 1020, 410, 690};
  const Patch turnOne = Cut(first, turnLine);
  Box ink{};
  ASSERT_TRUE(InkBox(first, turnLine, ink)) << "no turn line";
  EXPECT_FALSE(InkBox(first, logArea, ink)) << "a log before any turn: " << ToString(ink);

  // The second tank turns left and fires into the first one's side.
  game.Key("2");
  game.Key("Left");
  game.Key("f");
  game.Key("space");
  // A turn takes 77 frames at least: slow on a loaded machine.
  constexpr int kTurnMs = 40000;
  const Screenshot played =
      ShootUntil(game, [&](const Screenshot& s) { return Cut(s, turnLine) != turnOne; }, kTurnMs);
  EXPECT_NE(Cut(played, turnLine), turnOne) << "the turn line did not change";
  EXPECT_TRUE(InkBox(played, logArea, ink)) << "the hit is not logged";
  // The roster shows it too: the first tank's eighth segment is gone.
  const Screenshot settled = ShootUntil(game, [](const Screenshot& s) { return Same(s.AtGame(864, 102 - 7 * 8), kBarGrey); });
  EXPECT_TRUE(Same(settled.AtGame(864, 102 - 7 * 8), kBarGrey));
  EXPECT_TRUE(Same(settled.AtGame(864, 102 - 7 * 7), kSegmentGrey));
  GameSession::Wait(1500);  // the rest of the turn

  // The first tank's plan to cell (5, 3); a click on a wall keeps it.
  game.Key("1");
  game.Click(CellWindowX(5), CellWindowY(3));
  const Screenshot before = ShootUntil(game, [&](const Screenshot& s) { return Cell(s, 5, 3) != Cell(settled, 5, 3); });
  auto plan = [](const Screenshot& s) {
    std::vector<Patch> cells;
    for (int x = 2; x <= 5; ++x) cells.push_back(Cell(s, x, 3));
    return cells;
  };
  ASSERT_NE(Cell(before, 5, 3), Cell(settled, 5, 3)) << "no plan shown";
  if (const std::string path = DocumentationShot("after-a-turn.png"); !path.empty()) game.Shoot(path);
  game.Click(CellWindowX(0), CellWindowY(12));
  GameSession::Wait(300);
  EXPECT_EQ(plan(game.Shoot()), plan(before)) << "the misclick changed the plan";

  // One 'R' asks over the battlefield and keeps the game; Space answers it
  // and plays the second turn.
  const Box question{300, 560, 692, 726};
  const Patch noQuestion = Cut(before, question);
  game.Key("r");
  const Screenshot asked = ShootUntil(game, [&](const Screenshot& s) { return Cut(s, question) != noQuestion; });
  EXPECT_NE(Cut(asked, question), noQuestion) << "no question";
  EXPECT_EQ(plan(asked), plan(before)) << "one 'R' threw the plan away";
  const Patch turnTwo = Cut(asked, turnLine);
  game.Key("space");
  const Screenshot second =
      ShootUntil(game, [&](const Screenshot& s) { return Cut(s, turnLine) != turnTwo; }, kTurnMs);
  EXPECT_NE(Cut(second, turnLine), turnTwo) << "the second turn did not run";
  EXPECT_NE(Cut(second, turnLine), turnOne) << "the game was restarted";

  game.Key("Escape");
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
}

// Crossfire, 19 x 16 cells, centred in the play area; the Hard computer plays
// Blue without random draws. A planned shot into an own tank is marked red on
// the battlefield before Space is pressed, and the roster says which tanks
// have orders. With KORVANE_SCREENSHOT_DIR set, the game plays on to the
// README's planning picture: a shot along a row and where Green last saw
// Blue's tanks.
TEST(ScreenE2ETest, APlannedShotShowsWhatItWouldStrikeAndTheRosterWhichTanksHaveOrders) {
  GameSession game;
  GameSession::Options options;
  options.args = {"--difficulty", "hard"};
  ASSERT_TRUE(game.Start(options));
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  game.ShootWhen(153, kTopRow - 458, kWhite);
  for (int i = 0; i < 6; ++i) game.Key("bracketright");  // the default, then six more: Crossfire
  GameSession::Wait(300);
  game.Key("Return");
  const Screenshot first = ShootBattle(game);
  const MapPlacement crossfire = PlaceMap(19, 16);
  // Red as the shot at a friend is drawn, in the area of its words over the second tank's cell.
  const auto reds = [&](const Screenshot& s) {
    int count = 0;
    const int x = crossfire.CellX(2);
    const int y = crossfire.CellY(1) + 19;
    for (int yy = y - 2; yy <= y + 12; ++yy) {
      for (int xx = x - 60; xx <= x + 60; ++xx) count += Near(s.AtGame(xx, yy), Pixel{255, 77, 64}, 40);
    }
    return count;
  };
  // The state at the foot of the first two roster icons: both idle.
  const auto state = [](const Screenshot& s, int slot) {
    const int x = 864 + 32 * slot;
    return Cut(s, Box{x - 15, x + 15, 145 - 20 - 17, 145 - 20 - 4});
  };
  EXPECT_EQ(reds(first), 0);
  EXPECT_EQ(state(first, 0), state(first, 1));

  // The first tank turns right and fires into the second.
  game.Key("1");
  game.Key("Right");
  game.Key("f");
  const Screenshot planned = ShootUntil(game, [&](const Screenshot& s) { return reds(s) > 20; });
  EXPECT_GT(reds(planned), 20) << "the shot at a friend is not marked";
  EXPECT_NE(state(planned, 0), state(planned, 1)) << "the roster does not tell orders from idle";
  game.Key("Delete");
  EXPECT_EQ(reds(ShootUntil(game, [&](const Screenshot& s) { return reds(s) == 0; })), 0);

  if (const std::string path = DocumentationShot("planning.png"); !path.empty()) {
    const Box turnLine{854, 1020, 735, 767};
    const auto playTurn = [&](std::initializer_list<const char*> keys) {
      for (const char* key : keys) game.Key(key);
      const Patch before = Cut(game.Shoot(), turnLine);
      game.Key("space");
      const auto turned = [&](const Screenshot& s) { return Cut(s, turnLine) != before; };
      ShootUntil(game, turned, 40000);
      GameSession::Wait(1500);  // the rest of the turn's effects
    };
    // The third tank drives right along the bottom row, looks up the right
    // side at Blue's tanks, and goes on out of their sight: their last places
    // stay marked.
    playTurn({"3", "Right", "Up", "Up", "Up"});
    playTurn({"3", "Up", "Up", "Up", "Up"});
    playTurn({"3", "Up", "Up", "Up", "Up"});
    playTurn({"3", "Left", "Up", "Up", "Up"});
    // The first tank would shoot the second; the third fires along its row.
    for (const char* key : {"1", "Right", "f", "3", "Left", "f"}) game.Key(key);
    GameSession::Wait(500);
    game.Shoot(path);
  }
  game.Key("Escape");
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
}

// A game played to its end on a narrow battlefield, three tanks a team
// facing each other along its columns, every Green tank firing each turn:
// the game-over screen shows the whole battlefield, the summary of the game
// in the column right of it, and "Press 'V' to watch the game" uncovered.
TEST(ScreenE2ETest, AFinishedGameShowsItsSummaryBesideTheWholeBattlefield) {
  LinkedGameDir dir;
  dir.Replace("Data/map.dat", "#####\n#...#\n#...#\n#...#\n#...#\n#...#\n#...#\n#...#\n#...#\n#####\n");
  GameSession game;
  ASSERT_TRUE(game.Start({dir.Path(), {}, {}, {}}));
  ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
  game.ShootWhen(153, kTopRow - 458, kWhite);
  game.Key("p");  // the fast pace
  game.Key("Return");
  ShootBattle(game);
  const Box offer{50, 440, 740, 767};          // "Press 'V' to watch the game"
  const Box stepCounter{960, 1020, 735, 767};  // "Step 2/4" while a turn runs
  const Box summary{850, 1023, 400, 690};
  auto over = [&](const Screenshot& s) {
    Box ink{};
    return InkBox(s, offer, ink);
  };
  bool ended = false;
  for (int turn = 0; turn < 20 && !ended; ++turn) {
    for (const char* key : {"1", "f", "f", "2", "f", "f", "3", "f", "f", "space"}) game.Key(key);
    const Screenshot s = ShootUntil(
        game,
        [&](const Screenshot& shot) {
          Box ink{};
          return over(shot) || !InkBox(shot, stepCounter, ink);
        },
        20000);
    ended = over(s);
  }
  ASSERT_TRUE(ended) << "no side was destroyed in 20 turns";
  GameSession::Wait(1000);  // the last effects fade
  const Screenshot shot = game.Shoot();
  if (const std::string path = DocumentationShot("game-over.png"); !path.empty()) game.Shoot(path);
  Box ink{};
  ASSERT_TRUE(InkBox(shot, summary, ink)) << "no summary";
  // Lines in both teams' colours, Green's above Blue's.
  int greenRow = -1, blueRow = -1;
  for (int y = summary.top; y >= summary.bottom; --y) {
    for (int x = summary.left; x <= summary.right; ++x) {
      const Pixel p = shot.AtGame(x, y);
      if (greenRow < 0 && Near(p, Pixel{115, 255, 115}, 1)) greenRow = y;
      if (blueRow < 0 && Near(p, Pixel{140, 191, 255}, 1)) blueRow = y;
    }
  }
  EXPECT_GT(greenRow, blueRow) << "Green's figures " << greenRow << ", Blue's " << blueRow;
  EXPECT_GE(blueRow, 0);
  EXPECT_TRUE(over(shot));
  game.Key("Escape");
  game.Key("Escape");
  EXPECT_EQ(game.WaitForExit(), 0) << game.Stderr();
}
