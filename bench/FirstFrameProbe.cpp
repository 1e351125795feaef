// Loaded into the real game with LD_PRELOAD by the start-up benchmark, so that
// the game itself stays as a player runs it: once the first buffer swap is
// done, one byte goes to the file descriptor named by KORVANE_FIRST_FRAME_FD.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>

extern "C" void SDL_GL_SwapBuffers(void);

extern "C" void SDL_GL_SwapBuffers(void) {
  using Swap = void (*)();
  static const Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
  static bool reported = false;
  if (real) real();
  if (reported) return;
  reported = true;
  if (const char* fd = std::getenv("KORVANE_FIRST_FRAME_FD")) {
    const char byte = 1;
    if (write(std::atoi(fd), &byte, 1) != 1) return;
  }
}
