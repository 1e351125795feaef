// Preloaded into the game by the leak test (sanitizer build only): when the
// engine's shutdown calls SDL_Quit, every resource of ours has been released
// but the OpenGL driver is still loaded, so LeakSanitizer can tell memory our
// code lost from the driver's, which goes unreachable once SDL unloads it.
// The check runs here, says its result on standard error, and SDL quits.
// KORVANE_LEAK_CHECK_PLANT makes it lose a block first, to show it sees one.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

extern "C" int __lsan_do_recoverable_leak_check();
extern "C" void SDL_Quit(void);

namespace {

// Holds the planted block's address until it is dropped.
void* volatile g_planted = nullptr;

void LoseABlock() {
  g_planted = std::malloc(77);
  g_planted = nullptr;
}

}  // namespace

extern "C" void SDL_Quit(void) {
  using Quit = void (*)();
  static const Quit real = reinterpret_cast<Quit>(dlsym(RTLD_NEXT, "SDL_Quit"));
  if (std::getenv("KORVANE_LEAK_CHECK_PLANT")) LoseABlock();
  const int leaked = __lsan_do_recoverable_leak_check();
  std::fprintf(stderr, "korvane leak check: %s\n", leaked ? "leaks found" : "clean");
  if (real) real();
}
