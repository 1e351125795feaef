// Preloaded into the real game by the records tests: a disk on which every
// flush takes 300 ms, as a slow or busy disk does, so that a write handed to
// the writer thread is still going on when the player closes the window.
#include <dlfcn.h>
#include <time.h>

extern "C" int fsync(int fd);
extern "C" int fdatasync(int fd);

namespace {

constexpr long kFlushDelayNs = 300L * 1000 * 1000;

void WaitForTheDisk() {
  timespec delay{0, kFlushDelayNs};
  while (nanosleep(&delay, &delay) != 0) {
  }
}

}  // namespace

extern "C" int fsync(int fd) {
  using Sync = int (*)(int);
  static const Sync real = reinterpret_cast<Sync>(dlsym(RTLD_NEXT, "fsync"));
  WaitForTheDisk();
  return real ? real(fd) : 0;
}

extern "C" int fdatasync(int fd) {
  using Sync = int (*)(int);
  static const Sync real = reinterpret_cast<Sync>(dlsym(RTLD_NEXT, "fdatasync"));
  WaitForTheDisk();
  return real ? real(fd) : 0;
}
