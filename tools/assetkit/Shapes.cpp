#include "Shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace shapes {

Sdf Circle(float cx, float cy, float radius) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
}

Sdf Box(float x0, float y0, float x1, float y1, float round) {
  const float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
  const float hx = (x1 - x0) * 0.5f - round, hy = (y1 - y0) * 0.5f - round;
  return [=](float x, float y) {
    const float dx = std::fabs(x - cx) - hx, dy = std::fabs(y - cy) - hy;
    const float outside = std::hypot(std::max(dx, 0.0f), std::max(dy, 0.0f));
    return outside + std::min(std::max(dx, dy), 0.0f) - round;
  };
}

Sdf Segment(float x0, float y0, float x1, float y1, float halfWidth) {
  return [=](float x, float y) {
    const float vx = x1 - x0, vy = y1 - y0;
    const float len2 = vx * vx + vy * vy;
    float t = len2 > 0.0f ? ((x - x0) * vx + (y - y0) * vy) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(x - (x0 + t * vx), y - (y0 + t * vy)) - halfWidth;
  };
}

Sdf Polygon(std::vector<Point> points) {
  return [pts = std::move(points)](float x, float y) {
    float best = 1e30f;
    bool inside = false;
    const std::size_t n = pts.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      const Point a = pts[j], b = pts[i];
      const float vx = b.x - a.x, vy = b.y - a.y;
      const float len2 = vx * vx + vy * vy;
      float t = len2 > 0.0f ? ((x - a.x) * vx + (y - a.y) * vy) / len2 : 0.0f;
      t = std::clamp(t, 0.0f, 1.0f);
      best = std::min(best, std::hypot(x - (a.x + t * vx), y - (a.y + t * vy)));
      if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * vx / vy) inside = !inside;
    }
    return inside ? -best : best;
  };
}

Sdf Union(Sdf a, Sdf b) {
  return [a = std::move(a), b = std::move(b)](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Sdf Intersect(Sdf a, Sdf b) {
  return [a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

Sdf Subtract(Sdf a, Sdf b) {
  return [a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Sdf Grow(Sdf a, float amount) {
  return [a = std::move(a), amount](float x, float y) { return a(x, y) - amount; };
}

Sdf Outline(Sdf a, float halfWidth) {
  return [a = std::move(a), halfWidth](float x, float y) { return std::fabs(a(x, y)) - halfWidth; };
}

Sdf Rotate(Sdf a, float cx, float cy, float degrees) {
  const float rad = degrees * 3.14159265358979f / 180.0f;
  const float c = std::cos(rad), s = std::sin(rad);
  // Sample the unturned shape at the point turned back; y grows downward, so a
  // positive angle turns clockwise on screen.
  return [a = std::move(a), cx, cy, c, s](float x, float y) {
    const float dx = x - cx, dy = y - cy;
    return a(cx + dx * c + dy * s, cy - dx * s + dy * c);
  };
}

Sdf MirrorX(Sdf a, float cx) {
  return [a = std::move(a), cx](float x, float y) { return a(2.0f * cx - x, y); };
}

}  // namespace shapes
