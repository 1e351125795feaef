#pragma once

#include <functional>
#include <vector>

// Shapes as signed distance functions: the distance in pixels from a point to
// the shape's edge, negative inside. Pixel (x, y) covers [x, x+1) x [y, y+1),
// with y growing downward as in the image file.
using Sdf = std::function<float(float x, float y)>;

struct Point {
  float x, y;
};

namespace shapes {

Sdf Circle(float cx, float cy, float radius);
// Axis-aligned box from (x0, y0) to (x1, y1) with corners rounded by `round`.
Sdf Box(float x0, float y0, float x1, float y1, float round = 0.0f);
// A line segment with round ends, `halfWidth` thick on each side.
Sdf Segment(float x0, float y0, float x1, float y1, float halfWidth);
// A closed polygon (any winding, may be concave).
Sdf Polygon(std::vector<Point> points);

Sdf Union(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);
// The shape grown outward by `amount` pixels (shrunk when negative).
Sdf Grow(Sdf a, float amount);
// A band `halfWidth` thick on each side of the shape's edge.
Sdf Outline(Sdf a, float halfWidth);
// The shape turned by `degrees` clockwise on screen about (cx, cy).
Sdf Rotate(Sdf a, float cx, float cy, float degrees);
// The shape mirrored left to right about the vertical line x = cx.
Sdf MirrorX(Sdf a, float cx);

}  // namespace shapes
