#pragma once

// A colour with straight (not premultiplied) alpha, every channel 0 to 1.
struct Rgba {
  float r, g, b, a;
};

// The colour with its red, green and blue scaled by `factor` (alpha kept).
inline Rgba Shade(Rgba c, float factor) { return {c.r * factor, c.g * factor, c.b * factor, c.a}; }
// The colour with another alpha.
inline Rgba WithAlpha(Rgba c, float a) { return {c.r, c.g, c.b, a}; }
// Linear mix: t = 0 gives a, t = 1 gives b.
inline Rgba Mix(Rgba a, Rgba b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}
