#pragma once

#include <cstdint>

// A rectangle of the window kept in a texture: filled once by copying what
// was drawn, then drawn back pixel for pixel for as long as what it shows has
// not changed. A key names what it shows; a different key means it must be
// filled again. Where the driver offers framebuffer objects the picture is
// blitted back (a plain copy); otherwise it is drawn as one textured quad.
class CLayerCache {
 public:
  // The key of no picture: a cache with it holds nothing.
  static constexpr std::uint64_t mc_noKey = 0;

  CLayerCache() = default;
  CLayerCache(const CLayerCache&) = delete;
  CLayerCache& operator=(const CLayerCache&) = delete;

  // Whether it holds the picture with this key, taken from this rectangle.
  bool Holds(std::uint64_t key, int left, int bottom, int width, int height) const;
  // Copies the rectangle of what is being drawn (window pixels, origin at
  // the bottom-left, inside the window) from the read buffer, which is the
  // back buffer or the framebuffer object standing in for it, and keeps it
  // under the key. False when the copy could not be made; the cache then
  // holds nothing.
  bool Fill(std::uint64_t key, int left, int bottom, int width, int height);
  // Puts the kept rectangle back where it was taken from, replacing what is
  // there, in the window's projection of one unit per pixel with an identity
  // modelview. Leaves blending on.
  void Draw() const;

 private:
  // Makes the texture at least this large; false if it cannot be made.
  bool Reserve(int width, int height);
  void DrawQuad() const;

  std::uint32_t m_Texture = 0;      // the texture object; 0 until the first fill
  std::uint32_t m_Framebuffer = 0;  // a framebuffer object reading the texture; 0 where there is none
  int m_TextureWidth = 0;           // the texture's size in texels, powers of two
  int m_TextureHeight = 0;
  std::uint64_t m_Key = mc_noKey;   // what it holds
  int m_Left = 0;                   // the window rectangle it holds
  int m_Bottom = 0;
  int m_Width = 0;
  int m_Height = 0;
};
