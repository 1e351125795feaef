// Preloaded into the game by the leak test (sanitizer build only): when the
// engine's shutdown calls SDL_Quit, every resource of ours has been released
// but the OpenGL driver is still loaded, so LeakSanitizer can tell memory our
// code lost from the driver's, which goes unreachable once SDL unloads it.
// The check runs here, says its result on standard error, and SDL quits.
// KORVANE_LEAK_CHECK_PLANT makes it lose a block and an SDL surface first, to
// show it sees both: memory SDL allocates for us is ours to free.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

extern "C" int __lsan_do_recoverable_leak_check();
extern "C" void SDL_Quit(void);

namespace {

// Holds a planted allocation's address until it is dropped.
void* volatile g_planted = nullptr;

void LoseABlockAndASurface() {
  g_planted = std::malloc(77);
  using CreateSurface = void* (*)(unsigned, int, int, int, unsigned, unsigned, unsigned, unsigned);
  const auto create = reinterpret_cast<CreateSurface>(dlsym(RTLD_DEFAULT, "SDL_CreateRGBSurface"));
  if (create) g_planted = create(0, 8, 8, 32, 0, 0, 0, 0);
  g_planted = nullptr;
}

}  // namespace

extern "C" void SDL_Quit(void) {
  using Quit = void (*)();
  static const Quit real = reinterpret_cast<Quit>(dlsym(RTLD_NEXT, "SDL_Quit"));
  if (std::getenv("KORVANE_LEAK_CHECK_PLANT")) LoseABlockAndASurface();
  const int leaked = __lsan_do_recoverable_leak_check();
  std::fprintf(stderr, "korvane leak check: %s\n", leaked ? "leaks found" : "clean");
  if (real) real();
}
