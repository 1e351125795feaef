#include "gfx/CLayerCache.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "gfx/OpenGL.h"
#include "gfx/PowerOfTwo.h"

namespace {

// The framebuffer calls of OpenGL 3.0 (and of the extension it took them
// from), looked up once; all null where the driver lacks them.
struct FramebufferCalls {
  PFNGLGENFRAMEBUFFERSPROC gen = nullptr;
  PFNGLBINDFRAMEBUFFERPROC bind = nullptr;
  PFNGLFRAMEBUFFERTEXTURE2DPROC attach = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC status = nullptr;
  PFNGLBLITFRAMEBUFFERPROC blit = nullptr;
};

bool HasExtension(const char* name) {
  const auto* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  const std::size_t length = std::strlen(name);
  for (const char* at = list ? std::strstr(list, name) : nullptr; at; at = std::strstr(at + length, name)) {
    const bool starts = at == list || at[-1] == ' ';
    const bool ends = at[length] == ' ' || at[length] == '\0';
    if (starts && ends) return true;
  }
  return false;
}

const FramebufferCalls& Framebuffers() {
  static const FramebufferCalls calls = [] {
    FramebufferCalls found;
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const bool offered = (version && std::atoi(version) >= 3) || HasExtension("GL_ARB_framebuffer_object");
    if (!offered) return found;
    found.gen = reinterpret_cast<PFNGLGENFRAMEBUFFERSPROC>(SDL_GL_GetProcAddress("glGenFramebuffers"));
    found.bind = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(SDL_GL_GetProcAddress("glBindFramebuffer"));
    found.attach = reinterpret_cast<PFNGLFRAMEBUFFERTEXTURE2DPROC>(SDL_GL_GetProcAddress("glFramebufferTexture2D"));
    found.status =
        reinterpret_cast<PFNGLCHECKFRAMEBUFFERSTATUSPROC>(SDL_GL_GetProcAddress("glCheckFramebufferStatus"));
    found.blit = reinterpret_cast<PFNGLBLITFRAMEBUFFERPROC>(SDL_GL_GetProcAddress("glBlitFramebuffer"));
    if (!found.gen || !found.bind || !found.attach || !found.status || !found.blit) found = FramebufferCalls{};
    return found;
  }();
  return calls;
}

// Clears the errors of earlier drawing, so that they are not taken for ours.
void ForgetErrors() {
  for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
  }
}

}  // namespace

bool CLayerCache::Holds(std::uint64_t key, int left, int bottom, int width, int height) const {
  return key != mc_noKey && key == m_Key && left == m_Left && bottom == m_Bottom && width == m_Width &&
         height == m_Height;
}

bool CLayerCache::Reserve(int width, int height) {
  const auto wide = static_cast<int>(NextPowerOfTwo(static_cast<std::uint32_t>(width)));
  const auto high = static_cast<int>(NextPowerOfTwo(static_cast<std::uint32_t>(height)));
  if (m_Texture != 0 && wide <= m_TextureWidth && high <= m_TextureHeight) return true;
  if (m_Texture == 0) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    m_Texture = texture;
  }
  glBindTexture(GL_TEXTURE_2D, m_Texture);
  // Nearest sampling with texels on the pixel grid gives back exactly the
  // pixels that were copied.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, wide, high, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  const bool made = glGetError() == GL_NO_ERROR;
  m_TextureWidth = made ? wide : 0;
  m_TextureHeight = made ? high : 0;
  glBindTexture(GL_TEXTURE_2D, 0);

  const FramebufferCalls& calls = Framebuffers();
  if (made && calls.blit) {
    GLint reading = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &reading);
    GLuint framebuffer = m_Framebuffer;
    if (framebuffer == 0) calls.gen(1, &framebuffer);
    calls.bind(GL_READ_FRAMEBUFFER, framebuffer);
    calls.attach(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_Texture, 0);
    const bool complete = calls.status(GL_READ_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    calls.bind(GL_READ_FRAMEBUFFER, static_cast<GLuint>(reading));
    // An incomplete one is left unused: the quad serves instead.
    m_Framebuffer = glGetError() == GL_NO_ERROR && complete ? framebuffer : 0;
  }
  return made;
}

bool CLayerCache::Fill(std::uint64_t key, int left, int bottom, int width, int height) {
  m_Key = mc_noKey;
  ForgetErrors();
  if (width <= 0 || height <= 0 || !Reserve(width, height)) return false;
  const FramebufferCalls& calls = Framebuffers();
  if (m_Framebuffer != 0) {
    // A software renderer blits far faster than it copies into a texture,
    // both here and when the texture is used next.
    GLint drawing = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawing);
    calls.bind(GL_DRAW_FRAMEBUFFER, m_Framebuffer);
    calls.blit(left, bottom, left + width, bottom + height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    calls.bind(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawing));
  } else {
    glBindTexture(GL_TEXTURE_2D, m_Texture);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, left, bottom, width, height);
    glBindTexture(GL_TEXTURE_2D, 0);
  }
  if (glGetError() != GL_NO_ERROR) return false;
  m_Key = key;
  m_Left = left;
  m_Bottom = bottom;
  m_Width = width;
  m_Height = height;
  return true;
}

void CLayerCache::Draw() const {
  const FramebufferCalls& calls = Framebuffers();
  if (m_Framebuffer == 0) {
    DrawQuad();
    return;
  }
  // A blit is a plain copy: a software renderer does it for a fraction of
  // the cost of a textured quad.
  GLint reading = 0;
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &reading);
  calls.bind(GL_READ_FRAMEBUFFER, m_Framebuffer);
  calls.blit(0, 0, m_Width, m_Height, m_Left, m_Bottom, m_Left + m_Width, m_Bottom + m_Height, GL_COLOR_BUFFER_BIT,
             GL_NEAREST);
  calls.bind(GL_READ_FRAMEBUFFER, static_cast<GLuint>(reading));
}

void CLayerCache::DrawQuad() const {
  const float u = static_cast<float>(m_Width) / static_cast<float>(m_TextureWidth);
  const float v = static_cast<float>(m_Height) / static_cast<float>(m_TextureHeight);
  const float left = static_cast<float>(m_Left);
  const float bottom = static_cast<float>(m_Bottom);
  const float right = left + static_cast<float>(m_Width);
  const float top = bottom + static_cast<float>(m_Height);
  // The picture is opaque: blending or tinting it would only cost time.
  glDisable(GL_BLEND);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glBindTexture(GL_TEXTURE_2D, m_Texture);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(left, bottom);
  glTexCoord2f(0.0f, v);
  glVertex2f(left, top);
  glTexCoord2f(u, v);
  glVertex2f(right, top);
  glTexCoord2f(u, 0.0f);
  glVertex2f(right, bottom);
  glEnd();
  glBindTexture(GL_TEXTURE_2D, 0);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glEnable(GL_BLEND);
}
