// The tank's drawing, kept apart so that the rules in CTank.cpp need no window.
#include <cmath>

#include "engine/ProgramClock.h"
#include "engine/TextFormat.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteTable.h"
#include "units/CAction.h"
#include "units/CTank.h"
#include "units/CommandMarker.h"

namespace {

constexpr float kUnselectedMarkerAlpha = 0.3f;
// Other tanks' markers are drawn smaller, so that the selected tank's plan stands out.
constexpr float kUnselectedMarkerScale = 0.6f;
// The selected tank's commands beyond this turn.
constexpr float kLaterMarkerAlpha = 0.4f;
constexpr std::int32_t kLastStep = 4;

bool SamePlace(const TankState& a, const TankState& b) { return a.x == b.x && a.y == b.y; }
bool SameHeading(const TankState& a, const TankState& b) { return a.dx == b.dx && a.dy == b.dy; }

// A fire or a wait: the tank stays as it is.
bool InPlace(const CAction& command) {
  return SamePlace(command.GetBefore(), command.GetAfter()) && SameHeading(command.GetBefore(), command.GetAfter());
}

// The same fire or wait as the command before it: one marker shows both.
bool Repeats(const CAction& command, const CAction& before) {
  return InPlace(command) && InPlace(before) && command.IsFire() == before.IsFire() &&
         SamePlace(command.GetBefore(), before.GetBefore()) && SameHeading(command.GetBefore(), before.GetBefore());
}

// Steps the command takes: a fire and a move back leave the tank busy for one more.
std::int32_t StepsOf(const CAction& command) {
  const TankState& a = command.GetBefore();
  const TankState& b = command.GetAfter();
  const bool back = b.x == a.x - a.dx && b.y == a.y - a.dy && SameHeading(a, b);
  return command.IsFire() || back ? 2 : 1;
}

// Where a command's step number stands, beside its marker: a move's at the
// top left of the cell it enters, a turn's at the bottom right, a wait's at
// the bottom left, a fire's at its muzzle.
void LabelPoint(const CAction& command, float& x, float& y) {
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

void CTank::Draw() const {
  if (m_selected) {
    // Between half and full brightness, once every pi / 2 seconds.
    const float grey = static_cast<float>(0.5 + 0.5 * (0.5 + 0.5 * std::sin(4.0 * SecondsSinceProgramStart())));
    glColor4f(grey, grey, grey, 1.0f);
  } else {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }
  glPushMatrix();
  glTranslatef(CellCentre(m_state.x), CellCentre(m_state.y), 0.0f);
  glRotatef(static_cast<float>(GetAngle()), 0.0f, 0.0f, 1.0f);
  DrawSprite(GetSprite(GetSprites(), TankSprite(m_team)));
  glPopMatrix();
}

void CTank::DrawCommands(std::int32_t nextStep) const {
  glBindTexture(GL_TEXTURE_2D, 0);
  if (!m_selected) {
    glColor4f(1.0f, 1.0f, 1.0f, kUnselectedMarkerAlpha);
    for (auto command = m_commands.rbegin(); command != m_commands.rend(); ++command) {
      (*command)->Draw(kUnselectedMarkerScale);
    }
    return;
  }
  // The step each command runs in, simulated as the turn runs the queue: the
  // busy steps still owed first, then one step a command and a busy one
  // after each fire and move back.
  std::int32_t end = nextStep + m_delay;
  for (const auto& command : m_commands) end += StepsOf(*command);
  // Last first, so that the marker of the earliest command lies on top; a
  // repeat of the command before it lies under that one's marker.
  std::int32_t step = end;
  for (std::size_t i = m_commands.size(); i-- > 0;) {
    const CAction& command = *m_commands[i];
    step -= StepsOf(command);
    if (i > 0 && Repeats(command, *m_commands[i - 1])) continue;
    glColor4f(1.0f, 1.0f, 1.0f, step <= kLastStep ? 1.0f : kLaterMarkerAlpha);
    command.Draw(1.0f);
  }
  // The numbers over every marker, for the steps of this turn.
  step = nextStep + m_delay;
  for (std::size_t i = 0; i < m_commands.size() && step <= kLastStep;) {
    std::int32_t repeats = 1;
    while (i + repeats < m_commands.size() && Repeats(*m_commands[i + repeats], *m_commands[i])) ++repeats;
    float x = 0.0f, y = 0.0f;
    LabelPoint(*m_commands[i], x, y);
    DrawStepLabel(x, y, step, repeats);
    for (std::int32_t k = 0; k < repeats; ++k) step += StepsOf(*m_commands[i + k]);
    i += static_cast<std::size_t>(repeats);
  }
}
