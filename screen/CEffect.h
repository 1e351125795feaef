#pragma once

#include <cstdint>

// A short-lived picture on the battlefield: a shell's trail, a muzzle flash,
// an impact, an explosion, a wreck or a floating loss of hit points. It fades
// linearly and goes when its opacity reaches 0.
struct CEffect {
  std::int32_t m_sprite;  // sprite id
  float m_x;              // centre in map drawing space, pixels; cell (x, y) is at (32x, 32y)
  float m_y;
  float m_alpha;          // opacity
  float m_angle;          // rotation in radians, counter-clockwise from +x
  float m_fadeTime;       // milliseconds for the opacity to fall by 1
  float m_red;            // tint
  float m_green;
  float m_blue;
  bool m_additive;        // drawn with additive blending
  float m_scale = 1.0f;   // size against the sprite's own
  bool m_held = false;    // does not fade yet: a wreck until its turn ends
  char m_text[8] = {};    // drawn instead of the sprite when not empty, centred, in the small font
  float m_rise = 0.0f;    // pixels the text floats up while it fades out
};
