// The processor time the real game takes while the picture stands still or
// barely moves: started from the repository as a player starts it, on the
// start screen, then after Return on the planning screen with nothing
// selected, then with the first tank selected (it pulses). Each figure is the
// process's user and system time over a few seconds (/proc/<pid>/stat), as a
// percentage of one processor. KORVANE_CPU_WINDOW_MS shortens the windows
// of 5 s (the test run's brief pass). Run under tests/with-xvfb.sh; without a
// display it is skipped.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

// The process's user plus system time in clock ticks, or -1 once it is gone.
long ProcessTicks(pid_t pid) {
  const std::string path = "/proc/" + std::to_string(pid) + "/stat";
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (!file) return -1;
  char line[1024] = {};
  const bool read = std::fgets(line, sizeof line, file) != nullptr;
  std::fclose(file);
  // The command name may hold blanks: the fields are counted after its ')'.
  const char* fields = read ? std::strrchr(line, ')') : nullptr;
  unsigned long user = 0, system = 0;
  if (!fields || std::sscanf(fields + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &user, &system) != 2) {
    return -1;
  }
  return static_cast<long>(user + system);
}

// The share of one processor the game used over the next window of time.
double CpuPercent(pid_t pid, std::chrono::milliseconds window) {
  const long before = ProcessTicks(pid);
  const auto start = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(window);
  const long after = ProcessTicks(pid);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (before < 0 || after < 0) return -1.0;
  return 100.0 * static_cast<double>(after - before) / static_cast<double>(sysconf(_SC_CLK_TCK)) / seconds;
}

// Runs an X tool on our display; its first line of output.
std::string X(const std::string& command) {
  std::string out;
  if (std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
    char buffer[256];
    if (std::fgets(buffer, sizeof buffer, pipe)) out = buffer;
    pclose(pipe);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

// Presses a key in the game's window; the pointer goes there first, since
// without a window manager the keyboard focus follows it.
void Key(const std::string& window, const char* key) {
  X("xdotool mousemove --window " + window + " 500 10 key " + key);
}

void BM_GameCpuWhileStill(benchmark::State& state) {
  if (!std::getenv("DISPLAY")) {
    state.SkipWithError("no display: run under tests/with-xvfb.sh");
    return;
  }
  const char* shorter = std::getenv("KORVANE_CPU_WINDOW_MS");
  const std::chrono::milliseconds window(shorter ? std::atoi(shorter) : state.range(0));
  const std::chrono::milliseconds settle(std::min<long>(window.count(), 1000));
  double start = 0.0, planning = 0.0, selected = 0.0;
  for (auto _ : state) {
    const pid_t game = fork();
    if (game == 0) {
      if (chdir(KORVANE_SOURCE_DIR) != 0) _exit(126);
      const int devNull = open("/dev/null", O_WRONLY);
      dup2(devNull, 1);
      dup2(devNull, 2);
      setenv("SDL_AUDIODRIVER", "dummy", 0);
      execl(KORVANE_GAME_BINARY, KORVANE_GAME_BINARY, static_cast<char*>(nullptr));
      _exit(127);
    }
    const std::string id = game > 0 ? X("timeout 30 xdotool search --sync --name '^Korvane$'") : "";
    if (!id.empty()) {
      std::this_thread::sleep_for(settle);
      start = CpuPercent(game, window);
      Key(id, "Return");
      std::this_thread::sleep_for(settle);
      planning = CpuPercent(game, window);
      Key(id, "1");
      std::this_thread::sleep_for(settle);
      selected = CpuPercent(game, window);
    }
    if (game > 0) {
      kill(game, SIGKILL);
      waitpid(game, nullptr, 0);
    }
    if (id.empty() || start < 0.0 || planning < 0.0 || selected < 0.0) {
      state.SkipWithError("the game did not run");
      break;
    }
  }
  state.counters["start_screen_cpu_pct"] = start;
  state.counters["planning_cpu_pct"] = planning;
  state.counters["selected_cpu_pct"] = selected;
}
BENCHMARK(BM_GameCpuWhileStill)->Arg(5000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
