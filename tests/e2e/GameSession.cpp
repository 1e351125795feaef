#include "e2e/GameSession.h"

#include <filesystem>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <SDL.h>
#include <SDL_image.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

int ElapsedMs(Clock::time_point since) {
  return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

void StopProcess(pid_t pid, int signal) {
  if (pid <= 0) return;
  kill(pid, signal);
  int status = 0;
  for (int i = 0; i < 50; ++i) {
    if (waitpid(pid, &status, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
}

}  // namespace

std::string SourceDir() { return KORVANE_SOURCE_DIR; }
std::string GameBinary() { return KORVANE_GAME_BINARY; }

Screenshot::Pixel Screenshot::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {-1, -1, -1};
  const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
  return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

GameSession::GameSession() {
  char path[] = "/tmp/korvane-e2e-stderr-XXXXXX";
  const int fd = mkstemp(path);
  if (fd >= 0) close(fd);
  m_stderrPath = path;
  char dir[] = "/tmp/korvane-e2e-runtime-XXXXXX";
  if (mkdtemp(dir)) m_runtimeDir = dir;
  char home[] = "/tmp/korvane-e2e-home-XXXXXX";
  if (mkdtemp(home)) m_homeDir = home;
}

GameSession::~GameSession() {
  if (m_game > 0) StopProcess(m_game, SIGKILL);
  StopProcess(m_xvfb, SIGTERM);
  if (m_displayPipe >= 0) close(m_displayPipe);
  std::remove(m_stderrPath.c_str());
  std::error_code ignored;
  std::filesystem::remove_all(m_runtimeDir, ignored);
  if (!m_homeDir.empty()) std::filesystem::remove_all(m_homeDir, ignored);
}

bool GameSession::StartXvfb(int display) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return false;
  m_xvfb = fork();
  if (m_xvfb == 0) {
    close(pipeFds[0]);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, 1);
    dup2(devNull, 2);
    const std::string name = ":" + std::to_string(display);
    const std::string fd = std::to_string(pipeFds[1]);
    // -noreset: a server whose last client leaves starts over, and drops a
    // client that connects meanwhile, such as the game just after the check below.
    execlp("Xvfb", "Xvfb", name.c_str(), "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
           "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeFds[1]);
  fcntl(pipeFds[0], F_SETFD, FD_CLOEXEC);  // the game need not inherit it
  // Xvfb writes its display number and a line feed once it accepts clients,
  // or closes the pipe when the display is taken. The pipe stays open until
  // the session ends: a write into a closed pipe would be fatal to the server.
  m_displayPipe = pipeFds[0];
  std::string number;
  const auto start = Clock::now();
  pollfd pfd{m_displayPipe, POLLIN, 0};
  while (ElapsedMs(start) < 10000 && poll(&pfd, 1, 100) >= 0) {
    char c = 0;
    if ((pfd.revents & POLLIN) && read(m_displayPipe, &c, 1) == 1) {
      if (c == '\n') break;
      number += c;
    } else if (pfd.revents & (POLLHUP | POLLERR)) {
      break;
    }
  }
  if (number.empty()) {
    StopProcess(m_xvfb, SIGTERM);
    m_xvfb = -1;
    close(m_displayPipe);
    m_displayPipe = -1;
    return false;
  }
  m_display = ":" + number;
  // Only start the game once the server answers its clients.
  while (ElapsedMs(start) < 10000) {
    if (!X("xdotool getdisplaygeometry").empty()) return true;
    Wait(50);
  }
  return false;
}

bool GameSession::Start(const Options& options) {
  // Servers started side by side and left to pick the first free display
  // can end up sharing a number, so each session starts from a number of its own.
  const int base = 100 + static_cast<int>(getpid() % 800);
  bool started = m_xvfb > 0;
  for (int attempt = 0; attempt < 20 && !started; ++attempt) started = StartXvfb(base + attempt * 37 % 800);
  if (!started || m_game > 0) return false;

  m_game = fork();
  if (m_game == 0) {
    const std::string dir = options.workingDir.empty() ? SourceDir() : options.workingDir;
    if (chdir(dir.c_str()) != 0) _exit(126);
    setenv("DISPLAY", m_display.c_str(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // In the sanitizer build the game keeps every memory check but the leak
    // check at exit, which cannot tell the unloaded GL driver's memory from
    // ours; a dedicated test checks the game for leaks. (No effect otherwise.)
    setenv("ASAN_OPTIONS", "detect_leaks=0", 0);
    // A desktop session has a runtime directory; without one the Wayland
    // client library complains on standard error before SDL falls back to X11.
    setenv("XDG_RUNTIME_DIR", m_runtimeDir.c_str(), 1);
    // The game remembers the player's choices and keeps its records in the
    // home folder: each session starts from none and leaves the tester's own alone.
    setenv("HOME", m_homeDir.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (m_homeDir + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (m_homeDir + "/data").c_str(), 1);
    for (const auto& [name, value] : options.env) setenv(name.c_str(), value.c_str(), 1);
    for (const std::string& name : options.unsetEnv) unsetenv(name.c_str());
    const int devNull = open("/dev/null", O_WRONLY);
    const int err = open(m_stderrPath.c_str(), O_WRONLY | O_TRUNC);
    dup2(devNull, 1);
    dup2(err, 2);
    std::vector<std::string> argStrings{m_program.empty() ? GameBinary() : m_program};
    argStrings.insert(argStrings.end(), options.args.begin(), options.args.end());
    std::vector<char*> argv;
    for (std::string& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  return m_game > 0;
}

std::string GameSession::X(const std::string& command) const {
  const std::string full = "DISPLAY=" + m_display + " " + command + " 2>/dev/null";
  std::string out;
  if (FILE* p = popen(full.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, p)) out += buffer;
    pclose(p);
  }
  return out;
}

bool GameSession::Running() {
  if (m_game <= 0) return false;
  int status = 0;
  if (waitpid(m_game, &status, WNOHANG) == m_game) {
    m_exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    m_game = -1;
    return false;
  }
  return true;
}

void GameSession::Kill() {
  StopProcess(m_game, SIGKILL);
  m_game = -1;
  m_window.clear();
  // The server forgets the window in its own time; the next game's must not be mistaken for it.
  const auto start = Clock::now();
  while (ElapsedMs(start) < 5000 && !X("xdotool search --name '^Korvane$'").empty()) Wait(20);
}

bool GameSession::WaitForWindow(int timeoutMs) {
  const auto start = Clock::now();
  while (ElapsedMs(start) < timeoutMs && Running()) {
    std::istringstream ids(X("xdotool search --name '^Korvane$'"));
    if (ids >> m_window) return true;
    Wait(100);
  }
  const bool xvfbAlive = waitpid(m_xvfb, nullptr, WNOHANG) == 0;
  std::fprintf(stderr, "No game window on display %s (game running: %s, X server running: %s)\n", m_display.c_str(),
               Running() ? "yes" : "no", xvfbAlive ? "yes" : "no");
  return false;
}

bool GameSession::WindowSize(int& width, int& height) const {
  const std::string out = X("xdotool getwindowgeometry --shell " + m_window);
  std::istringstream lines(out);
  std::string line;
  width = height = 0;
  while (std::getline(lines, line)) {
    if (line.rfind("WIDTH=", 0) == 0) width = std::atoi(line.c_str() + 6);
    if (line.rfind("HEIGHT=", 0) == 0) height = std::atoi(line.c_str() + 7);
  }
  return width > 0 && height > 0;
}

void GameSession::Key(const std::string& name) {
  // Without a window manager the keyboard focus follows the pointer.
  X("xdotool mousemove --window " + m_window + " 500 10 key " + Quote(name));
}

void GameSession::Click(int x, int y, int button) {
  X("xdotool mousemove --window " + m_window + " " + std::to_string(x) + " " + std::to_string(y) + " click " +
    std::to_string(button));
}

bool GameSession::CloseWindow() {
  Display* display = XOpenDisplay(m_display.c_str());
  if (!display) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = std::strtoul(m_window.c_str(), nullptr, 10);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const bool sent = XSendEvent(display, event.xclient.window, False, NoEventMask, &event) != 0;
  XCloseDisplay(display);  // flushes the event to the server
  return sent;
}

void GameSession::Wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

Screenshot GameSession::Shoot(const std::string& savePath) const {
  Screenshot shot;
  char path[] = "/tmp/korvane-shot-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return shot;
  close(fd);
  X("import -window " + m_window + " png:" + Quote(path));
  if (SDL_Surface* loaded = IMG_Load(path)) {
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    SDL_BlitSurface(loaded, nullptr, image, nullptr);
    shot.width = image->w;
    shot.height = image->h;
    shot.rgb.resize(static_cast<std::size_t>(image->w) * image->h * 3);
    for (int y = 0; y < image->h; ++y) {
      const auto* row = static_cast<const std::uint8_t*>(image->pixels) + y * image->pitch;
      std::copy(row, row + image->w * 3, shot.rgb.begin() + static_cast<std::ptrdiff_t>(y) * image->w * 3);
    }
    SDL_FreeSurface(image);
    SDL_FreeSurface(loaded);
  }
  if (!savePath.empty()) std::rename(path, savePath.c_str());
  else std::remove(path);
  return shot;
}

Screenshot GameSession::ShootWhen(int x, int y, Screenshot::Pixel colour, int timeoutMs) const {
  const auto start = Clock::now();
  Screenshot shot = Shoot();
  while (ElapsedMs(start) < timeoutMs) {
    const Screenshot::Pixel p = shot.At(x, y);
    if (p.r == colour.r && p.g == colour.g && p.b == colour.b) break;
    Wait(100);
    shot = Shoot();
  }
  return shot;
}

int GameSession::WaitForExit(int timeoutMs) {
  const auto start = Clock::now();
  while (ElapsedMs(start) < timeoutMs) {
    if (!Running()) return m_exitStatus;
    Wait(50);
  }
  return -1;
}

std::string GameSession::Stderr() const {
  std::ifstream file(m_stderrPath);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}
