// Drawing of tanks and command markers, read back through OpenGL's feedback
// mode: every drawn vertex comes back in window coordinates with its colour
// and texture coordinates, so each sprite's place, turn and mirroring can be
// measured without depending on the pictures' pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <cmath>
#include <functional>
#include <thread>
#include <vector>

#include "gl/FrameCapture.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteTable.h"
#include "map/CMap.h"
#include "screen/TankDraw.h"
#include "units/CTank.h"

namespace {

// Map space is drawn from window point (50, 50), as on the battle screen.
constexpr float kOrigin = 50.0f;
constexpr int kValuesPerVertex = 11;  // x, y, z, r, g, b, a, s, t, r, q

struct Vertex {
  float x, y;        // window point
  float rgba[4];     // colour
  float s, t;        // texture coordinates
};

// One sprite as drawn: its id, centre in map space, turn and tint.
struct Drawn {
  int sprite = -1;
  float x = 0, y = 0;    // centre
  float angle = 0;       // degrees, counter-clockwise
  bool mirrored = false; // drawn flipped
  float rgba[4] = {};
};

std::vector<Vertex> Capture(const std::function<void()>& draw) {
  std::vector<GLfloat> buffer(1 << 16);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(kOrigin, kOrigin, 0.0f);
  glEnable(GL_TEXTURE_2D);
  draw();
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
  const GLint values = glRenderMode(GL_RENDER);
  std::vector<Vertex> vertices;
  EXPECT_GE(values, 0) << "feedback buffer overflow";
  for (GLint i = 0; i < values;) {
    const auto token = static_cast<GLenum>(buffer[static_cast<std::size_t>(i++)]);
    if (token == GL_PASS_THROUGH_TOKEN) {
      ++i;
      continue;
    }
    int count = 1;
    if (token == GL_POLYGON_TOKEN) count = static_cast<int>(buffer[static_cast<std::size_t>(i++)]);
    if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) count = 2;
    for (int v = 0; v < count; ++v, i += kValuesPerVertex) {
      const GLfloat* p = &buffer[static_cast<std::size_t>(i)];
      vertices.push_back(Vertex{p[0], p[1], {p[3], p[4], p[5], p[6]}, p[7], p[8]});
    }
  }
  return vertices;
}

bool Near(float a, float b) { return std::fabs(a - b) < 1e-4f; }

// Which sprite's corner the texture coordinates name: 0 bottom-left, 1
// top-left, 2 top-right, 3 bottom-right of the upright picture; -1 none.
int CornerOf(const Sprite& sprite, float s, float t) {
  const float corners[4][2] = {{sprite.u0, sprite.v1}, {sprite.u0, sprite.v0}, {sprite.u1, sprite.v0}, {sprite.u1, sprite.v1}};
  for (int c = 0; c < 4; ++c) {
    if (Near(s, corners[c][0]) && Near(t, corners[c][1])) return c;
  }
  return -1;
}

// The sprites drawn, in order; consecutive vertices of one sprite form one drawing.
std::vector<Drawn> SpritesDrawn(const std::vector<Vertex>& vertices) {
  const SpriteTable& sprites = GetSprites();
  std::vector<Drawn> drawn;
  std::vector<const Vertex*> corners(4, nullptr);
  auto finish = [&]() {
    if (drawn.empty()) return;
    for (const Vertex* c : corners) {
      if (!c) {
        ADD_FAILURE() << "sprite " << drawn.back().sprite << " drawn without all its corners";
        return;
      }
    }
    Drawn& d = drawn.back();
    d.x = (corners[0]->x + corners[2]->x) / 2 - kOrigin;
    d.y = (corners[0]->y + corners[2]->y) / 2 - kOrigin;
    const float rightX = corners[3]->x - corners[0]->x, rightY = corners[3]->y - corners[0]->y;
    const float upX = corners[1]->x - corners[0]->x, upY = corners[1]->y - corners[0]->y;
    d.angle = static_cast<float>(std::atan2(rightY, rightX) * 180.0 / 3.14159265358979323846);
    d.mirrored = rightX * upY - rightY * upX < 0;
    for (int k = 0; k < 4; ++k) d.rgba[k] = corners[0]->rgba[k];
  };
  for (const Vertex& v : vertices) {
    int id = -1, corner = -1;
    for (std::size_t i = 0; i < sprites.size() && corner < 0; ++i) {
      corner = CornerOf(sprites[i], v.s, v.t);
      if (corner >= 0) id = static_cast<int>(i);
    }
    if (id < 0) {
      ADD_FAILURE() << "a vertex of no sprite";
      continue;
    }
    if (drawn.empty() || drawn.back().sprite != id) {
      finish();
      drawn.push_back(Drawn{});
      drawn.back().sprite = id;
      corners.assign(4, nullptr);
    }
    corners[static_cast<std::size_t>(corner)] = &v;
  }
  finish();
  return drawn;
}

// The difference of two angles in degrees, -180 to 180.
float Turn(float a, float b) { return std::fmod(a - b + 540.0f, 360.0f) - 180.0f; }

void ExpectDrawn(const Drawn& d, int sprite, float x, float y, float angle, bool mirrored = false) {
  EXPECT_EQ(d.sprite, sprite);
  EXPECT_NEAR(d.x, x, 0.01f) << "sprite " << sprite;
  EXPECT_NEAR(d.y, y, 0.01f) << "sprite " << sprite;
  EXPECT_NEAR(Turn(d.angle, angle), 0.0f, 0.01f) << "sprite " << sprite << " at " << d.angle;
  EXPECT_EQ(d.mirrored, mirrored) << "sprite " << sprite;
}

std::vector<Drawn> DrawnBy(const TankCommand& command) {
  return SpritesDrawn(Capture([&] { DrawCommand(command, 1.0f); }));
}

class TankDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GE(GetSprites().size(), 14u) << "the game's sprites did not load";
    for (const Sprite& sprite : GetSprites()) ASSERT_FALSE(sprite.turned);
    ASSERT_TRUE(m_map.Load("tests/maps/units_field.dat"));
  }

  // A tank of the team with the state, on the test battlefield.
  CTank* Put(std::int32_t team, const TankState& state) {
    m_tanks.emplace_back();
    m_tanks.back().SetState(state);
    m_tanks.back().SetTeam(team);
    return &m_tanks.back();
  }

  CMap m_map;                 // 12 x 10, open to the edge
  std::deque<CTank> m_tanks;  // the tanks drawn
};

}  // namespace

TEST_F(TankDrawTest, EachCommandDrawsItsMarkersWhereTheTableSays) {
  CTank* tank = Put(0, TankState{2, 2, 0, 1, 100});
  tank->AddMoveForward(m_map);
  tank->AddMoveForward(m_map);
  tank->AddTurn(true);
  tank->AddFire();
  tank->AddTurn(false);
  tank->AddWait();
  tank->AddMoveBack(m_map);
  const auto& commands = tank->GetCommands();
  ASSERT_EQ(commands.size(), 7u);

  std::vector<Drawn> d = DrawnBy(commands[0]);  // forward (2, 2) -> (2, 3)
  ASSERT_EQ(d.size(), 2u);
  ExpectDrawn(d[0], 8, 64, 96, 90);
  ExpectDrawn(d[1], 9, 64, 80, 90);
  d = DrawnBy(commands[2]);  // right turn at (2, 4) facing up
  ASSERT_EQ(d.size(), 1u);
  ExpectDrawn(d[0], 10, 64, 128, 90);
  d = DrawnBy(commands[3]);  // fire from (2, 4) facing right: at the muzzle
  ASSERT_EQ(d.size(), 1u);
  ExpectDrawn(d[0], 13, 80, 128, 0);
  d = DrawnBy(commands[4]);  // left turn facing right: the arrow mirrored
  ASSERT_EQ(d.size(), 1u);
  ExpectDrawn(d[0], 10, 64, 128, 0, true);
  d = DrawnBy(commands[5]);  // wait, never turned
  ASSERT_EQ(d.size(), 1u);
  ExpectDrawn(d[0], 11, 64, 128, 0);
  d = DrawnBy(commands[6]);  // back from (2, 4) facing up to (2, 3)
  ASSERT_EQ(d.size(), 2u);
  ExpectDrawn(d[0], 8, 64, 96, 90);
  ExpectDrawn(d[1], 12, 64, 112, 90);
}

TEST_F(TankDrawTest, QueueIsDrawnLastFirstSmallAndFaintUnlessSelected) {
  CTank* tank = Put(0, TankState{2, 2, 0, 1, 100});
  tank->AddMoveForward(m_map);
  tank->AddMoveForward(m_map);
  tank->AddTurn(true);
  tank->AddFire();
  for (bool selected : {false, true}) {
    const CapturedFrame frame([&] { DrawTankCommands(*tank, selected); });
    std::vector<DrawnQuad> d = frame.OfKind(DrawnQuad::Kind::Sprite);
    ASSERT_EQ(d.size(), 6u);
    const int order[6] = {13, 10, 8, 9, 8, 9};
    for (std::size_t i = 0; i < d.size(); ++i) {
      EXPECT_EQ(d[i].code, order[i]) << i;
      EXPECT_FLOAT_EQ(d[i].rgba[0], 1.0f);
      EXPECT_NEAR(d[i].rgba[3], selected ? 1.0f : 0.3f, 1e-3f);
    }
    // The earliest command's track on top, at the same place at either size.
    EXPECT_NEAR(d[5].CentreX(), 64, 0.01f);
    EXPECT_NEAR(d[5].CentreY(), 80, 0.01f);
    for (const DrawnQuad& q : d) EXPECT_NEAR(q.scale, selected ? 1.0f : 0.6f, 1e-3f);
  }
}

TEST_F(TankDrawTest, TheSelectedTanksMarkersAreNumberedByTheStepTheyRunInAndRepeatsShownOnce) {
  const struct {
    const char* keys;       // Up, Down, Right, Fire, Wait
    std::int32_t busy;      // steps the tank still owes
    std::int32_t nextStep;  // the step of the turn that comes next
    const char* labels;     // in queue order, "x" for the repeat sign
    std::size_t fires;      // fire markers drawn
    std::size_t faint;      // markers beyond this turn
  } cases[] = {
      {"UURF", 0, 1, "1|2|3|4|", 1, 0},
      {"FFU", 0, 1, "1 x2|", 1, 2},     // fire, busy, fire, busy: the move runs next turn
      {"DUU", 0, 1, "1|3|4|", 0, 0},    // a move back leaves a busy step
      {"WWWF", 1, 1, "2 x3|", 1, 1},    // a step owed from the last turn
      {"UUU", 0, 3, "3|4|", 0, 2},      // half the turn has run
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.labels);
    CTank* tank = Put(0, TankState{4, 4, 0, 1, 100});
    tank->SetDelay(c.busy);
    for (const char* key = c.keys; *key; ++key) {
      if (*key == 'U') tank->AddMoveForward(m_map);
      if (*key == 'D') tank->AddMoveBack(m_map);
      if (*key == 'R') tank->AddTurn(true);
      if (*key == 'F') tank->AddFire();
      if (*key == 'W') tank->AddWait();
    }
    const CapturedFrame frame([&] { DrawTankCommands(*tank, true, c.nextStep); });
    // The labels in their own colour (their shadows are black), read one after another.
    std::string labels;
    std::size_t skip = 0;
    for (const DrawnQuad& g : frame.OfKind(DrawnQuad::Kind::SmallGlyph)) {
      if (g.HasColour(0, 0, 0, 0.8f)) continue;
      if (skip > 0) {
        --skip;
        continue;
      }
      std::string label = frame.SmallTextAt(g.penX, g.baseline);
      skip = InkedCharacters(label) - 1;
      for (char& ch : label) ch = static_cast<unsigned char>(ch) == 0xD7 ? 'x' : ch;
      labels += label + "|";
    }
    EXPECT_EQ(labels, c.labels);
    const std::vector<DrawnQuad> sprites = frame.OfKind(DrawnQuad::Kind::Sprite);
    EXPECT_EQ(frame.SpritesWithId(13).size(), c.fires);
    EXPECT_EQ(static_cast<std::size_t>(std::count_if(sprites.begin(), sprites.end(),
                                                     [](const DrawnQuad& q) { return q.rgba[3] < 0.5f; })),
              c.faint);
  }
}

TEST_F(TankDrawTest, TankIsDrawnTurnedOnItsCellWithItsTeamsSprite) {
  CTank* blue = Put(1, TankState{3, 4, -1, 0, 100});
  CTank* green = Put(0, TankState{5, 1, 0, -1, 100});
  std::vector<Drawn> d = SpritesDrawn(Capture([&] { DrawTank(*blue, false); }));
  ASSERT_EQ(d.size(), 1u);
  ExpectDrawn(d[0], 1, 96, 128, 180);
  for (float c : d[0].rgba) EXPECT_FLOAT_EQ(c, 1.0f);
  d = SpritesDrawn(Capture([&] { DrawTank(*green, false); }));
  ASSERT_EQ(d.size(), 1u);
  ExpectDrawn(d[0], 0, 160, 32, -90);
}

TEST_F(TankDrawTest, SelectedTankPulsesBetweenHalfAndFullGrey) {
  CTank* tank = Put(0, TankState{3, 4, 0, 1, 100});
  std::vector<float> greys;
  for (int sample = 0; sample < 3; ++sample) {
    if (sample > 0) std::this_thread::sleep_for(std::chrono::milliseconds(250));
    const std::vector<Drawn> d = SpritesDrawn(Capture([&] { DrawTank(*tank, true); }));
    ASSERT_EQ(d.size(), 1u);
    const float grey = d[0].rgba[0];
    EXPECT_GE(grey, 0.5f);
    EXPECT_LE(grey, 1.0f);
    EXPECT_FLOAT_EQ(d[0].rgba[1], grey);
    EXPECT_FLOAT_EQ(d[0].rgba[2], grey);
    EXPECT_FLOAT_EQ(d[0].rgba[3], 1.0f);
    greys.push_back(grey);
  }
  // A quarter of a second is a tenth of the period: three samples cannot all agree.
  EXPECT_FALSE(greys[0] == greys[1] && greys[1] == greys[2]);
}
