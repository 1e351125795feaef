// The floor of start-up on this machine: a program that opens the game's
// window (SDL's OpenGL window of the same size, flags and buffers), draws one
// blended, textured quad as the game's text is drawn (a software OpenGL
// compiles its code for that at the first draw) and swaps once, nothing else. The start-up benchmark starts it beside the game, so the
// game's own share of its start-up is read against what any such window costs.
#include <SDL.h>
#include <SDL_opengl.h>

int main(int, char**) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 32);
  if (!SDL_SetVideoMode(1024, 768, 32, SDL_HWSURFACE | SDL_OPENGLBLIT)) {
    SDL_Quit();
    return 1;
  }
  glClear(GL_COLOR_BUFFER_BIT);
  const unsigned char white[4] = {255, 255, 255, 255};
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-0.5f, -0.5f);
  glTexCoord2f(1, 0);
  glVertex2f(0.5f, -0.5f);
  glTexCoord2f(1, 1);
  glVertex2f(0.5f, 0.5f);
  glTexCoord2f(0, 1);
  glVertex2f(-0.5f, 0.5f);
  glEnd();
  SDL_GL_SwapBuffers();
  SDL_Delay(10000);  // the benchmark stops it once the frame is reported
  SDL_Quit();
  return 0;
}
