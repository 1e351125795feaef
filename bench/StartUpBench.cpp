// From process start to the first frame on the screen: the real game, started
// from the repository (its Data folder and icon) as a player starts it, with a
// probe preloaded that reports the end of its first buffer swap. Run under
// tests/with-xvfb.sh; without a display it is skipped.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kFirstFrameTimeoutMs = 60000;

// The environment the game starts with: ours, with the probe and its pipe,
// and no sound device needed.
std::vector<std::string> GameEnvironment(int probeFd) {
  std::vector<std::string> env;
  for (char** entry = environ; *entry; ++entry) {
    const std::string variable = *entry;
    if (variable.rfind("LD_PRELOAD=", 0) == 0 || variable.rfind("KORVANE_FIRST_FRAME_FD=", 0) == 0) continue;
    env.push_back(variable);
  }
  env.push_back(std::string("LD_PRELOAD=") + KORVANE_FIRST_FRAME_PROBE);
  env.push_back("KORVANE_FIRST_FRAME_FD=" + std::to_string(probeFd));
  if (!std::getenv("SDL_AUDIODRIVER")) env.push_back("SDL_AUDIODRIVER=dummy");
  return env;
}

// Starts `binary` and waits for its first frame; the milliseconds from the
// start, or a negative number when no frame came. The program is then stopped.
double StartUntilFirstFrame(const char* binary) {
  int fds[2];
  if (pipe(fds) != 0) return -1.0;
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  std::vector<std::string> env = GameEnvironment(fds[1]);
  std::vector<char*> envp;
  for (std::string& variable : env) envp.push_back(variable.data());
  envp.push_back(nullptr);
  std::string path = binary;
  char* program = path.data();
  char* argv[] = {program, nullptr};
  const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);

  const auto start = std::chrono::steady_clock::now();
  const pid_t game = fork();
  if (game == 0) {
    // Only async-signal-safe calls between fork and exec.
    if (chdir(KORVANE_SOURCE_DIR) != 0) _exit(126);
    close(fds[0]);
    dup2(devNull, 1);
    dup2(devNull, 2);
    execve(program, argv, envp.data());
    _exit(127);
  }
  close(fds[1]);
  double ms = -1.0;
  if (game > 0) {
    pollfd probe{fds[0], POLLIN, 0};
    char byte = 0;
    if (poll(&probe, 1, kFirstFrameTimeoutMs) == 1 && read(fds[0], &byte, 1) == 1) {
      ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    kill(game, SIGKILL);
    waitpid(game, nullptr, 0);
  }
  close(fds[0]);
  if (devNull >= 0) close(devNull);
  return ms;
}

void StartUpBench(benchmark::State& state, const char* binary) {
  if (!std::getenv("DISPLAY")) {
    state.SkipWithError("no display: run under tests/with-xvfb.sh");
    return;
  }
  for (auto _ : state) {
    const double ms = StartUntilFirstFrame(binary);
    if (ms < 0.0) {
      state.SkipWithError("the game showed no frame");
      break;
    }
    state.SetIterationTime(ms / 1000.0);
  }
}
void BM_StartUpToFirstFrame(benchmark::State& state) { StartUpBench(state, KORVANE_GAME_BINARY); }
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// A bare window of the same kind, swapped once: what no game can start under.
void BM_StartUpBareWindow(benchmark::State& state) { StartUpBench(state, KORVANE_BARE_WINDOW_BINARY); }
BENCHMARK(BM_StartUpBareWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace
