#include "FrameCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "gfx/CFontManager.h"
#include "gfx/CTextureFont.h"
#include "gfx/OpenGL.h"
#include "gfx/SpriteTable.h"

namespace {

constexpr int kValuesPerVertex = 11;  // x, y, z, r, g, b, a, s, t, r, q
constexpr std::size_t kFeedbackValues = std::size_t{1} << 21;

struct Vertex {
  float x, y;
  float rgba[4];
  float s, t;
};

bool Near(float a, float b, float tolerance) { return std::fabs(a - b) <= tolerance; }
bool SameTexel(float a, float b) { return Near(a, b, 1e-5f); }
bool SamePixel(float a, float b) { return Near(a, b, 1e-2f); }

// Llvmpipe reports a quad as the two triangles (v0, v1, v3) and (v1, v2, v3):
// each spans the whole rectangle, and together they hold its four corners.
// (A driver that reports the quad itself gives the four corners at once.)
DrawnQuad QuadFrom(const std::vector<Vertex>& corners) {
  DrawnQuad quad;
  quad.left = quad.right = corners[0].x;
  quad.bottom = quad.top = corners[0].y;
  for (const Vertex& v : corners) {
    quad.left = std::min(quad.left, v.x);
    quad.right = std::max(quad.right, v.x);
    quad.bottom = std::min(quad.bottom, v.y);
    quad.top = std::max(quad.top, v.y);
  }
  std::copy(corners[0].rgba, corners[0].rgba + 4, quad.rgba);
  return quad;
}

struct TexExtent {
  float sMin, sMax, tMin, tMax;
};

TexExtent ExtentOf(const std::vector<Vertex>& corners) {
  TexExtent e{corners[0].s, corners[0].s, corners[0].t, corners[0].t};
  for (const Vertex& v : corners) {
    e.sMin = std::min(e.sMin, v.s);
    e.sMax = std::max(e.sMax, v.s);
    e.tMin = std::min(e.tMin, v.t);
    e.tMax = std::max(e.tMax, v.t);
  }
  return e;
}

bool MatchesGlyph(const CTextureFont& font, DrawnQuad::Kind kind, DrawnQuad& quad, const TexExtent& e) {
  const float side = static_cast<float>(font.GetAtlasSize());
  for (int code = 0; code < 256; ++code) {
    const Glyph& g = font.GetGlyph(static_cast<std::uint32_t>(code));
    if (g.width <= 0 || g.height <= 0) continue;
    if (!SameTexel(e.sMin, g.u) || !SameTexel(e.tMin, g.v) || !SameTexel(e.sMax, g.u + g.width / side) ||
        !SameTexel(e.tMax, g.v + g.height / side)) {
      continue;
    }
    if (!SamePixel(quad.right - quad.left, g.width) || !SamePixel(quad.top - quad.bottom, g.height)) continue;
    quad.kind = kind;
    quad.code = code;
    quad.penX = quad.left - static_cast<float>(g.left);
    quad.baseline = quad.bottom - static_cast<float>(g.top) + g.height;
    return true;
  }
  return false;
}

bool MatchesSprite(DrawnQuad& quad, const TexExtent& e, const std::vector<Vertex>& corners) {
  const SpriteTable& sprites = GetSprites();
  for (std::size_t id = 0; id < sprites.size(); ++id) {
    const Sprite& sp = sprites[id];
    if (!SameTexel(e.sMin, sp.u0) || !SameTexel(e.sMax, sp.u1) || !SameTexel(e.tMin, sp.v0) ||
        !SameTexel(e.tMax, sp.v1)) {
      continue;
    }
    const float w = quad.right - quad.left;
    const float h = quad.top - quad.bottom;
    // Drawn at its own size or scaled alike in both directions.
    const float scale = std::max(w, h) / (2 * std::max(sp.halfWidth, sp.halfHeight));
    const bool upright = SamePixel(w, 2 * sp.halfWidth * scale) && SamePixel(h, 2 * sp.halfHeight * scale);
    const bool across = SamePixel(w, 2 * sp.halfHeight * scale) && SamePixel(h, 2 * sp.halfWidth * scale);
    if (!(scale > 0) || (!upright && !across)) continue;
    quad.scale = scale;
    // Which corner of the picture lies at the window's bottom-left tells the turn.
    for (const Vertex& v : corners) {
      if (!SamePixel(v.x, quad.left) || !SamePixel(v.y, quad.bottom)) continue;
      const bool leftEdge = SameTexel(v.s, sp.u0);
      const bool bottomEdge = SameTexel(v.t, sp.v1);
      quad.angle = leftEdge ? (bottomEdge ? 0 : 90) : (bottomEdge ? 270 : 180);
    }
    quad.kind = DrawnQuad::Kind::Sprite;
    quad.code = static_cast<int>(id);
    return true;
  }
  return false;
}

}  // namespace

bool DrawnQuad::HasColour(float r, float g, float b, float a) const {
  const float want[4] = {r, g, b, a};
  for (int i = 0; i < 4; ++i) {
    if (!Near(rgba[i], want[i], 1e-3f)) return false;
  }
  return true;
}

CapturedFrame::CapturedFrame(const std::function<void()>& draw) {
  const CTextureFont* font = GetFontManager().GetFont(0);
  const CTextureFont* small = GetFontManager().GetFont(1);
  std::vector<GLfloat> buffer(kFeedbackValues);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint values = glRenderMode(GL_RENDER);
  EXPECT_GE(values, 0) << "feedback buffer overflow";

  std::vector<Vertex> pending;  // the first triangle of a quad
  std::size_t order = 0;
  auto vertexAt = [&](GLint i) {
    const GLfloat* p = &buffer[static_cast<std::size_t>(i)];
    return Vertex{p[0], p[1], {p[3], p[4], p[5], p[6]}, p[7], p[8]};
  };
  for (GLint i = 0; i < values;) {
    const auto token = static_cast<GLenum>(buffer[static_cast<std::size_t>(i++)]);
    if (token == GL_PASS_THROUGH_TOKEN) {
      ++i;
    } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      const Vertex a = vertexAt(i);
      const Vertex b = vertexAt(i + kValuesPerVertex);
      i += 2 * kValuesPerVertex;
      DrawnLine line{order++, a.x, a.y, b.x, b.y, {}};
      std::copy(a.rgba, a.rgba + 4, line.rgba);
      m_lines.push_back(line);
    } else if (token == GL_POLYGON_TOKEN) {
      const int count = static_cast<int>(buffer[static_cast<std::size_t>(i++)]);
      for (int v = 0; v < count; ++v, i += kValuesPerVertex) pending.push_back(vertexAt(i));
      if (count == 3 && pending.size() < 6) continue;
      DrawnQuad quad = QuadFrom(pending);
      quad.order = order++;
      const TexExtent e = ExtentOf(pending);
      const bool glyph = (font && MatchesGlyph(*font, DrawnQuad::Kind::Glyph, quad, e)) ||
                         (small && MatchesGlyph(*small, DrawnQuad::Kind::SmallGlyph, quad, e));
      const bool sprite = !glyph && MatchesSprite(quad, e, pending);
      // Untextured drawing carries one stale texture coordinate on every corner.
      const bool sized = quad.right > quad.left && quad.top > quad.bottom;
      if (!glyph && !sprite && e.sMin == e.sMax && e.tMin == e.tMax && sized) quad.kind = DrawnQuad::Kind::Plain;
      if (!sized) quad.kind = DrawnQuad::Kind::Blank;
      m_quads.push_back(quad);
      pending.clear();
    } else {
      ADD_FAILURE() << "unexpected feedback token " << token;
      break;
    }
  }
  EXPECT_TRUE(pending.empty()) << "a quad came back as one triangle";
}

std::vector<DrawnQuad> CapturedFrame::OfKind(DrawnQuad::Kind kind) const {
  std::vector<DrawnQuad> found;
  std::copy_if(m_quads.begin(), m_quads.end(), std::back_inserter(found),
               [kind](const DrawnQuad& q) { return q.kind == kind; });
  return found;
}

std::vector<DrawnQuad> CapturedFrame::SpritesWithId(int id) const {
  std::vector<DrawnQuad> found;
  std::copy_if(m_quads.begin(), m_quads.end(), std::back_inserter(found),
               [id](const DrawnQuad& q) { return q.kind == DrawnQuad::Kind::Sprite && q.code == id; });
  return found;
}

const DrawnQuad* CapturedFrame::GlyphAt(DrawnQuad::Kind kind, float penX, float baseline) const {
  for (const DrawnQuad& q : m_quads) {
    if (q.kind == kind && SamePixel(q.penX, penX) && SamePixel(q.baseline, baseline)) return &q;
  }
  return nullptr;
}

std::string CapturedFrame::TextAt(float x, float y, std::size_t maxLength) const {
  return ReadText(0, x, y, maxLength);
}

std::string CapturedFrame::SmallTextAt(float x, float y, std::size_t maxLength) const {
  return ReadText(1, x, y, maxLength);
}

std::string CapturedFrame::ReadText(int fontIndex, float x, float y, std::size_t maxLength) const {
  const CTextureFont* font = GetFontManager().GetFont(fontIndex);
  if (!font) return "";
  const DrawnQuad::Kind kind = fontIndex == 0 ? DrawnQuad::Kind::Glyph : DrawnQuad::Kind::SmallGlyph;
  const float blank = static_cast<float>(font->GetGlyph(' ').advanceX);
  constexpr int kMostBlanksInARow = 4;
  std::string text;
  float pen = x;
  while (text.size() < maxLength) {
    if (const DrawnQuad* glyph = GlyphAt(kind, pen, y)) {
      text += static_cast<char>(glyph->code);
      pen += static_cast<float>(font->GetGlyph(static_cast<std::uint32_t>(glyph->code)).advanceX);
      continue;
    }
    int blanks = 1;
    while (blanks <= kMostBlanksInARow && !GlyphAt(kind, pen + blanks * blank, y)) ++blanks;
    if (blanks > kMostBlanksInARow) return text;
    text.append(static_cast<std::size_t>(blanks), ' ');
    pen += blanks * blank;
  }
  return text.substr(0, maxLength);
}

std::size_t CapturedFrame::GlyphCount() const { return OfKind(DrawnQuad::Kind::Glyph).size(); }

std::size_t InkedCharacters(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return c != ' '; }));
}

WindowPixels::WindowPixels() {
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  m_width = viewport[2];
  m_height = viewport[3];
  m_rgb.resize(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height) * 3);
  glFinish();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, m_width, m_height, GL_RGB, GL_UNSIGNED_BYTE, m_rgb.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
}

WindowPixels::Rgb WindowPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return {-1, -1, -1};
  const std::size_t i = static_cast<std::size_t>(y * m_width + x) * 3;
  return {m_rgb[i], m_rgb[i + 1], m_rgb[i + 2]};
}

bool WindowPixels::InkBox(int left, int right, int bottom, int top, Rgb background, Box& ink) const {
  return FindInkBox(Box{left, right, bottom, top}, [&](int x, int y) { return At(x, y) != background; }, ink);
}
