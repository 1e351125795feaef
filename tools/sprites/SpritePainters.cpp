#include "sprites/SpritePainters.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "assetkit/CPrng.h"

using namespace shapes;

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr Rgba kInk{0.04f, 0.05f, 0.04f, 0.92f};        // outline of the tanks
constexpr Rgba kMarkEdge{0.0f, 0.0f, 0.0f, 0.6f};       // dark rim that keeps marks readable on any tile
constexpr Rgba kMarkWhite{0.97f, 0.97f, 0.95f, 1.0f};   // the command marks' colour

float Clamp01(float v) { return std::min(std::max(v, 0.0f), 1.0f); }

// Paints a mark with a dark rim around it, so it reads on light and dark tiles.
void PaintMark(CCanvas& canvas, const Sdf& shape, Rgba colour, float rim = 1.2f) {
  canvas.Fill(Grow(shape, rim), kMarkEdge);
  canvas.Fill(shape, colour);
}

// A chevron pointing +x with its tip at (tipX, cy).
Sdf Chevron(float tipX, float cy, float depth, float halfSpan, float halfWidth) {
  return Union(Segment(tipX - depth, cy - halfSpan, tipX, cy, halfWidth),
               Segment(tipX, cy, tipX - depth, cy + halfSpan, halfWidth));
}

// A star with `points` tips around (cx, cy), the first tip pointing +x.
Sdf Star(float cx, float cy, int points, float outer, float inner) {
  std::vector<Point> corners;
  for (int i = 0; i < points * 2; ++i) {
    const float angle = static_cast<float>(i) * kPi / static_cast<float>(points);
    const float r = (i % 2 == 0) ? outer : inner;
    corners.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
  }
  return Polygon(corners);
}

}  // namespace

TeamColours GreenTeam() {
  return {{0.30f, 0.60f, 0.22f, 1.0f}, {0.42f, 0.74f, 0.30f, 1.0f}, {0.22f, 0.36f, 0.18f, 1.0f}};
}

TeamColours BlueTeam() {
  return {{0.22f, 0.42f, 0.82f, 1.0f}, {0.36f, 0.58f, 0.95f, 1.0f}, {0.17f, 0.24f, 0.44f, 1.0f}};
}

void PaintTank(CCanvas& canvas, const TeamColours& team, float degrees) {
  const float c = 16.0f;
  auto turn = [&](Sdf s) { return Rotate(std::move(s), c, c, degrees); };
  // Paint colours are worked out in the tank's own frame, so they turn with it.
  const float rad = degrees * kPi / 180.0f;
  const float cosA = std::cos(rad), sinA = std::sin(rad);
  auto local = [=](float x, float y) {
    const float dx = x - c, dy = y - c;
    return Point{c + dx * cosA + dy * sinA, c - dx * sinA + dy * cosA};
  };

  const Sdf treadTop = Box(3.0f, 4.0f, 27.0f, 10.5f, 1.8f);
  const Sdf treadBottom = Box(3.0f, 21.5f, 27.0f, 28.0f, 1.8f);
  const Sdf hull = Box(5.0f, 8.0f, 25.5f, 24.0f, 2.0f);
  const Sdf turret = Circle(14.0f, 16.0f, 6.2f);
  const Sdf barrel = Union(Box(17.0f, 14.7f, 29.0f, 17.3f, 0.6f), Box(27.5f, 13.9f, 31.6f, 18.1f, 0.7f));
  const Sdf body = Union(Union(treadTop, treadBottom), hull);
  const Sdf whole = Union(body, barrel);

  // Soft shadow on the ground, then the dark outline of the whole tank.
  canvas.Fill(turn(Box(4.0f, 5.5f, 28.5f, 29.5f, 3.0f)), Rgba{0.0f, 0.0f, 0.0f, 0.28f});
  canvas.Fill(turn(Grow(whole, 1.0f)), kInk);

  // Tracks: dark rubber with lighter cross links every 3 pixels.
  const Paint track = [=](float x, float y) {
    const Point p = local(x, y);
    const bool link = std::fmod(p.x + 0.5f, 3.0f) < 1.0f;
    const bool rim = p.y < 5.0f || p.y > 27.0f || (p.y > 9.5f && p.y < 22.5f);
    const float v = link ? 0.34f : (rim ? 0.13f : 0.2f);
    return Rgba{v, v, v * 0.95f, 1.0f};
  };
  canvas.Fill(turn(treadTop), track);
  canvas.Fill(turn(treadBottom), track);

  // Hull: lit from the upper left, a darker engine deck at the rear.
  const Paint hullPaint = [=](float x, float y) {
    const Point p = local(x, y);
    float light = 1.12f - 0.022f * (p.y - 8.0f);
    if (p.x < 9.0f && p.y > 11.0f && p.y < 21.0f && std::fmod(p.y, 2.5f) < 1.0f) light *= 0.7f;  // engine grille
    if (p.x > 23.0f) light *= 1.12f;                                                                // front plate
    return Shade(team.hull, light);
  };
  canvas.Fill(turn(hull), hullPaint);
  canvas.Fill(turn(Outline(hull, 0.45f)), Shade(team.hull, 0.45f));

  // Barrel, turret with its outline, hatch and a highlight.
  canvas.Fill(turn(barrel), [=](float x, float y) {
    const Point p = local(x, y);
    return Shade(team.barrel, p.y < 16.0f ? 1.35f : 1.0f);
  });
  canvas.Fill(turn(Grow(turret, 0.9f)), kInk);
  canvas.Fill(turn(turret), [=](float x, float y) {
    const Point p = local(x, y);
    const float d = std::hypot(p.x - 12.5f, p.y - 14.0f);
    return Shade(team.turret, 1.15f - 0.05f * d);
  });
  canvas.Fill(turn(Circle(12.0f, 17.5f, 1.9f)), Shade(team.hull, 0.55f));
  canvas.Fill(turn(Circle(12.4f, 13.0f, 1.2f)), Rgba{1.0f, 1.0f, 1.0f, 0.35f});
}

void PaintGroundTile(CCanvas& canvas) {
  CPrng rng(0x6E0D);
  const Rgba base{0.40f, 0.42f, 0.26f, 1.0f};
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const float grain = 1.0f + 0.05f * rng.NextSigned();
      Rgba c = Shade(base, grain);
      c.g += 0.015f * rng.NextSigned();
      // A faint darker seam along the top and left edges marks the cells.
      if (x == 0 || y == 0) c = Shade(c, 0.82f);
      canvas.SetPixel(x, y, c);
    }
  }
  // Pebbles and tufts, kept clear of the edges so tiles join without seams.
  for (int i = 0; i < 7; ++i) {
    const float px = 4.0f + rng.NextFloat() * 24.0f, py = 4.0f + rng.NextFloat() * 24.0f;
    const float r = 0.8f + rng.NextFloat() * 0.9f;
    canvas.Fill(Circle(px + 0.4f, py + 0.5f, r), Rgba{0.16f, 0.16f, 0.08f, 0.35f});
    canvas.Fill(Circle(px, py, r), Shade(Rgba{0.55f, 0.53f, 0.42f, 0.9f}, 0.9f + 0.2f * rng.NextFloat()));
  }
  for (int i = 0; i < 5; ++i) {
    const float px = 5.0f + rng.NextFloat() * 22.0f, py = 6.0f + rng.NextFloat() * 21.0f;
    const Rgba grass{0.30f, 0.40f, 0.16f, 0.6f};
    canvas.Fill(Segment(px, py, px - 1.5f, py - 3.0f, 0.45f), grass);
    canvas.Fill(Segment(px, py, px + 0.3f, py - 3.5f, 0.45f), grass);
    canvas.Fill(Segment(px, py, px + 1.8f, py - 2.6f, 0.45f), grass);
  }
}

void PaintWallTile(CCanvas& canvas) {
  CPrng rng(0x3A11);
  const Rgba mortar{0.20f, 0.20f, 0.22f, 1.0f};
  const Rgba stone{0.56f, 0.56f, 0.60f, 1.0f};
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) canvas.SetPixel(x, y, mortar);
  }
  // Two courses of blocks, the lower one set off by half a block.
  struct Block {
    int x0, y0, x1, y1;
  };
  const Block blocks[] = {{0, 0, 15, 15}, {16, 0, 31, 15}, {0, 16, 7, 31}, {8, 16, 23, 31}, {24, 16, 31, 31}};
  for (const Block& b : blocks) {
    const float tone = 0.9f + 0.2f * rng.NextFloat();
    for (int y = b.y0; y < b.y1; ++y) {
      for (int x = b.x0; x < b.x1; ++x) {
        float light = tone * (1.0f + 0.06f * rng.NextSigned());
        if (y == b.y0 || x == b.x0) light *= 1.25f;              // lit upper and left bevel
        if (y == b.y1 - 1 || x == b.x1 - 1) light *= 0.72f;      // shaded lower and right bevel
        canvas.SetPixel(x, y, Shade(stone, light));
      }
    }
    // A crack or two of darker grit on each block.
    const float cx = static_cast<float>(b.x0) + 2.0f + rng.NextFloat() * static_cast<float>(b.x1 - b.x0 - 4);
    const float cy = static_cast<float>(b.y0) + 3.0f + rng.NextFloat() * 9.0f;
    canvas.Fill(Segment(cx, cy, cx + 2.0f * rng.NextSigned(), cy + 2.5f, 0.35f), Rgba{0.25f, 0.25f, 0.27f, 0.6f});
  }
}

void PaintShotPuff(CCanvas& canvas) {
  // Three overlapping soft blobs of smoke.
  struct Blob {
    float x, y, r;
  };
  const Blob blobs[] = {{14.0f, 16.5f, 9.5f}, {19.5f, 13.5f, 7.0f}, {18.0f, 20.0f, 6.5f}};
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      float density = 0.0f;
      for (const Blob& b : blobs) {
        const float d = std::hypot(x + 0.5f - b.x, y + 0.5f - b.y) / b.r;
        density += Clamp01(1.0f - d * d);
      }
      const float a = Clamp01(density) * 0.8f;
      if (a <= 0.0f) continue;
      const float light = 0.72f + 0.22f * Clamp01(1.0f - (static_cast<float>(y) - 8.0f) / 20.0f);
      canvas.SetPixel(x, y, Rgba{light, light, light * 0.98f, a});
    }
  }
}

void PaintCentreMarker(CCanvas& canvas) {
  const Rgba gold{1.0f, 0.80f, 0.18f, 0.95f};
  PaintMark(canvas, Outline(Circle(16.0f, 16.0f, 13.0f), 1.1f), gold);
  // A five-pointed star, one tip up.
  std::vector<Point> corners;
  for (int i = 0; i < 10; ++i) {
    const float angle = -kPi / 2.0f + static_cast<float>(i) * kPi / 5.0f;
    const float r = (i % 2 == 0) ? 8.5f : 3.6f;
    corners.push_back({16.0f + r * std::cos(angle), 16.8f + r * std::sin(angle)});
  }
  PaintMark(canvas, Polygon(corners), gold);
}

void PaintFlash(CCanvas& canvas) {
  // A bright core with spikes, stretched forward along the shot (+x).
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const float dx = x + 0.5f - 16.0f, dy = y + 0.5f - 16.0f;
      const float r = std::hypot(dx, dy);
      const float theta = std::atan2(dy, dx);
      const float spikes = std::pow(std::max(0.0f, std::cos(4.0f * theta)), 4.0f);
      const float forward = std::pow(std::max(0.0f, std::cos(theta)), 3.0f);
      const float reach = 5.5f + 5.5f * spikes + 5.0f * forward;
      const float heat = Clamp01(1.0f - r / reach);
      if (heat <= 0.0f) continue;
      const Rgba hot{1.0f, 1.0f, 0.92f, 1.0f}, warm{1.0f, 0.62f, 0.16f, 1.0f};
      Rgba c = Mix(warm, hot, Clamp01(heat * 1.6f));
      c.a = Clamp01(std::pow(heat, 0.7f) * 1.15f);
      canvas.SetPixel(x, y, c);
    }
  }
}

void PaintRepairMarker(CCanvas& canvas) {
  const Rgba green{0.36f, 0.95f, 0.46f, 0.95f};
  PaintMark(canvas, Outline(Circle(16.0f, 16.0f, 13.0f), 1.1f), green);
  PaintMark(canvas, Union(Box(13.0f, 7.0f, 19.0f, 25.0f, 1.0f), Box(7.0f, 13.0f, 25.0f, 19.0f, 1.0f)), green);
}

void PaintMoveDestination(CCanvas& canvas) {
  // Corner brackets around the cell and a pointer showing the heading on arrival.
  Sdf corners = Segment(4.0f, 4.0f, 10.0f, 4.0f, 1.1f);
  corners = Union(corners, Segment(4.0f, 4.0f, 4.0f, 10.0f, 1.1f));
  corners = Union(corners, Segment(28.0f, 4.0f, 22.0f, 4.0f, 1.1f));
  corners = Union(corners, Segment(28.0f, 4.0f, 28.0f, 10.0f, 1.1f));
  corners = Union(corners, Segment(4.0f, 28.0f, 10.0f, 28.0f, 1.1f));
  corners = Union(corners, Segment(4.0f, 28.0f, 4.0f, 22.0f, 1.1f));
  corners = Union(corners, Segment(28.0f, 28.0f, 22.0f, 28.0f, 1.1f));
  corners = Union(corners, Segment(28.0f, 28.0f, 28.0f, 22.0f, 1.1f));
  const Sdf pointer = Polygon({{21.0f, 11.5f}, {27.0f, 16.0f}, {21.0f, 20.5f}});
  PaintMark(canvas, Union(corners, pointer), kMarkWhite);
}

void PaintMoveForwardMark(CCanvas& canvas) {
  PaintMark(canvas, Chevron(20.0f, 16.0f, 6.0f, 6.5f, 1.6f), kMarkWhite);
}

void PaintTurnArrow(CCanvas& canvas) {
  // Half a ring over the top, from the left side round to the right side,
  // ending in an arrowhead that points down: clockwise on screen.
  const Sdf arc = Intersect(Outline(Circle(16.0f, 17.0f, 8.5f), 1.5f), Box(0.0f, 0.0f, 32.0f, 17.0f));
  const Sdf head = Polygon({{19.8f, 15.5f}, {29.2f, 15.5f}, {24.5f, 23.0f}});
  PaintMark(canvas, Union(arc, head), kMarkWhite);
}

void PaintWaitMark(CCanvas& canvas) {
  // A clock face.
  Sdf clock = Outline(Circle(16.0f, 16.0f, 9.0f), 1.3f);
  clock = Union(clock, Segment(16.0f, 16.0f, 16.0f, 10.0f, 1.2f));
  clock = Union(clock, Segment(16.0f, 16.0f, 20.5f, 16.0f, 1.2f));
  PaintMark(canvas, clock, kMarkWhite);
}

void PaintMoveBackMark(CCanvas& canvas) {
  // A double chevron pointing back (-x), in amber, so it never reads as a
  // forward move of a tank facing the other way.
  const Rgba amber{1.0f, 0.78f, 0.32f, 1.0f};
  const Sdf first = MirrorX(Chevron(20.0f, 16.0f, 5.0f, 5.5f, 1.3f), 16.0f);
  const Sdf second = MirrorX(Chevron(15.0f, 16.0f, 5.0f, 5.5f, 1.3f), 16.0f);
  PaintMark(canvas, Union(first, second), amber);
}

void PaintFireMark(CCanvas& canvas) {
  // A red-orange burst with a hot centre.
  const Sdf burst = Star(16.0f, 16.0f, 8, 10.0f, 4.5f);
  PaintMark(canvas, burst, Rgba{1.0f, 0.36f, 0.14f, 1.0f});
  canvas.Fill(Star(16.0f, 16.0f, 4, 5.0f, 2.2f), Rgba{1.0f, 0.9f, 0.45f, 1.0f});
}
