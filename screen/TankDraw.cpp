#include "screen/TankDraw.h"

#include <cmath>

#include "core/ProgramClock.h"
#include "core/TextFormat.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteTable.h"
#include "screen/CommandMarker.h"
#include "units/CTank.h"

namespace {

constexpr float kUnselectedMarkerAlpha = 0.3f;
// Other tanks' markers are drawn smaller, so that the selected tank's plan stands out.
constexpr float kUnselectedMarkerScale = 0.6f;
// The selected tank's commands beyond this turn.
constexpr float kLaterMarkerAlpha = 0.4f;
constexpr std::int32_t kLastStep = 4;
// The selected tank's pulse in radians a second: 2 pi / 2.5 s.
constexpr double kPulsePerSecond = 2.513;

bool SamePlace(const TankState& a, const TankState& b) { return a.x == b.x && a.y == b.y; }
bool SameHeading(const TankState& a, const TankState& b) { return a.dx == b.dx && a.dy == b.dy; }

// A fire or a wait: the tank stays as it is.
bool InPlace(const TankCommand& command) {
  return SamePlace(command.GetBefore(), command.GetAfter()) && SameHeading(command.GetBefore(), command.GetAfter());
}

// The same fire or wait as the command before it: one marker shows both.
bool Repeats(const TankCommand& command, const TankCommand& before) {
  return InPlace(command) && InPlace(before) && command.IsFire() == before.IsFire() &&
         SamePlace(command.GetBefore(), before.GetBefore()) && SameHeading(command.GetBefore(), before.GetBefore());
}

// Steps the command takes: a fire and a move back leave the tank busy for one more.
std::int32_t StepsOf(const TankCommand& command) { return CommandSteps(command.m_kind); }

// Where a command's step number stands, beside its marker: a move's at the
// top left of the cell it enters, a turn's at the bottom right, a wait's at
// the bottom left, a fire's at its muzzle.
void LabelPoint(const TankCommand& command, float& x, float& y) {
  const TankState& a = command.GetBefore();
  const TankState& b = command.GetAfter();
  x = CellCentre(b.x);
  y = CellCentre(b.y);
  if (!SamePlace(a, b)) {
    x -= 15.0f;
    y += 3.0f;
  } else if (command.IsFire()) {
    x += 16.0f * static_cast<float>(b.dx) + 3.0f;
    y += 16.0f * static_cast<float>(b.dy) + 3.0f;
  } else if (!SameHeading(a, b)) {
    x += 5.0f;
    y -= 13.0f;
  } else {
    x -= 15.0f;
    y -= 13.0f;
  }
}

void DrawStepLabel(float x, float y, std::int32_t step, std::int32_t repeats) {
  static const bool hasTimes = GameTextWidth(kSmallFont, "\xD7") > 0.0f;
  char label[16];
  if (repeats > 1) {
    FormatText(label, sizeof label, "%d %s%d", static_cast<int>(step), hasTimes ? "\xD7" : "x", static_cast<int>(repeats));
  } else {
    FormatText(label, sizeof label, "%d", static_cast<int>(step));
  }
  glColor4f(0.0f, 0.0f, 0.0f, 0.8f);
  DrawGameText(kSmallFont, x + 1.0f, y - 1.0f, label);
  glColor4f(1.0f, 0.85f, 0.2f, 1.0f);
  DrawGameText(kSmallFont, x, y, label);
}

}  // namespace

void DrawCommand(const TankCommand& command, float scale) {
  const TankState& before = command.GetBefore();
  const TankState& after = command.GetAfter();
  switch (command.m_kind) {
    case CommandKind::Forward:
    case CommandKind::Back: {
      const float angle = static_cast<float>(after.Angle());
      const float x = CellCentre(after.x);
      const float y = CellCentre(after.y);
      DrawCommandMarker(kSpriteMoveDestination, x, y, angle, false, scale);
      // The track half-way towards the start: behind the destination for a
      // move forward, ahead of it for a move back.
      const float toStart = command.m_kind == CommandKind::Forward ? -ScreenLayout::mc_halfCell : ScreenLayout::mc_halfCell;
      DrawCommandMarker(command.m_kind == CommandKind::Forward ? kSpriteForwardTrack : kSpriteBackTrack,
                        x + toStart * static_cast<float>(after.dx), y + toStart * static_cast<float>(after.dy), angle,
                        false, scale);
      break;
    }
    case CommandKind::TurnRight:
    case CommandKind::TurnLeft:
      // The arrow shows a right turn; a left turn shows it mirrored.
      DrawCommandMarker(kSpriteTurn, CellCentre(before.x), CellCentre(before.y), static_cast<float>(before.Angle()),
                        command.m_kind == CommandKind::TurnLeft, scale);
      break;
    case CommandKind::Wait:
      DrawCommandMarker(kSpriteWait, CellCentre(before.x), CellCentre(before.y), 0.0f, false, scale);
      break;
    case CommandKind::Fire:
      // Half a cell ahead of the tank: at its muzzle.
      DrawCommandMarker(kSpriteFire, ScreenLayout::mc_halfCell * static_cast<float>(2 * after.x + after.dx),
                        ScreenLayout::mc_halfCell * static_cast<float>(2 * after.y + after.dy),
                        static_cast<float>(before.Angle()), false, scale);
      break;
  }
}

void DrawTank(const CTank& tank, bool selected) {
  if (selected) {
    // Between half and full brightness, once every 2.5 seconds: slow enough
    // to look smooth at the pulse's 10 frames a second.
    const float grey =
        static_cast<float>(0.5 + 0.5 * (0.5 + 0.5 * std::sin(kPulsePerSecond * SecondsSinceProgramStart())));
    glColor4f(grey, grey, grey, 1.0f);
  } else {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }
  glPushMatrix();
  glTranslatef(CellCentre(tank.GetX()), CellCentre(tank.GetY()), 0.0f);
  glRotatef(static_cast<float>(tank.GetAngle()), 0.0f, 0.0f, 1.0f);
  DrawSprite(GetSprite(GetSprites(), TankSprite(tank.GetTeam())));
  glPopMatrix();
}

void DrawTankCommands(const CTank& tank, bool selected, std::int32_t nextStep) {
  const CTank::CommandQueue& commands = tank.GetCommands();
  glBindTexture(GL_TEXTURE_2D, 0);
  if (!selected) {
    glColor4f(1.0f, 1.0f, 1.0f, kUnselectedMarkerAlpha);
    for (auto command = commands.rbegin(); command != commands.rend(); ++command) {
      DrawCommand(*command, kUnselectedMarkerScale);
    }
    return;
  }
  // The step each command runs in, simulated as the turn runs the queue: the
  // busy steps still owed first, then one step a command and a busy one
  // after each fire and move back.
  std::int32_t end = nextStep + tank.GetDelay();
  for (const TankCommand& command : commands) end += StepsOf(command);
  // Last first, so that the marker of the earliest command lies on top; a
  // repeat of the command before it lies under that one's marker.
  std::int32_t step = end;
  for (std::size_t i = commands.size(); i-- > 0;) {
    const TankCommand& command = commands[i];
    step -= StepsOf(command);
    if (i > 0 && Repeats(command, commands[i - 1])) continue;
    glColor4f(1.0f, 1.0f, 1.0f, step <= kLastStep ? 1.0f : kLaterMarkerAlpha);
    DrawCommand(command, 1.0f);
  }
  // The numbers over every marker, for the steps of this turn.
  step = nextStep + tank.GetDelay();
  for (std::size_t i = 0; i < commands.size() && step <= kLastStep;) {
    std::int32_t repeats = 1;
    while (i + repeats < commands.size() && Repeats(commands[i + repeats], commands[i])) ++repeats;
    float x = 0.0f, y = 0.0f;
    LabelPoint(commands[i], x, y);
    DrawStepLabel(x, y, step, repeats);
    for (std::int32_t k = 0; k < repeats; ++k) step += StepsOf(commands[i + k]);
    i += static_cast<std::size_t>(repeats);
  }
}
