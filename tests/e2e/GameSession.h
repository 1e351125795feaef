#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A screenshot of the game's window: 8-bit RGB, row 0 at the top.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // width * height * 3 bytes

  struct Pixel {
    int r, g, b;
  };
  // The pixel at window point (x, y), origin top-left.
  Pixel At(int x, int y) const;
  // The pixel at drawing point (x, yy), origin bottom-left as the game draws.
  Pixel AtGame(int x, int yy) const { return At(x, height - 1 - yy); }
  bool Empty() const { return rgb.empty(); }
};

// The real game on a private Xvfb server, driven the way a player drives it:
// keys and clicks through XTEST, screenshots of the window's own pixels.
class GameSession {
 public:
  struct Options {
    std::string workingDir;                     // where the game runs (its Data folder and icon); default: the repository
    std::map<std::string, std::string> env;     // extra environment; SDL_AUDIODRIVER=dummy unless set here
    std::vector<std::string> unsetEnv;          // variables removed from the game's environment
    std::vector<std::string> args;              // command-line arguments
  };

  GameSession();
  ~GameSession();
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;

  // Starts Xvfb, unless it runs already, and the game; false if either could
  // not be started. Starting again is for a game ended with Kill.
  bool Start(const Options& options);
  bool Start() { return Start(Options{}); }
  // The program Start runs instead of the built game (an installed copy).
  void SetProgram(const std::string& path) { m_program = path; }
  // Waits for the window "Korvane"; false if it did not appear in time.
  bool WaitForWindow(int timeoutMs = 20000);
  // The window's size as X reports it.
  bool WindowSize(int& width, int& height) const;

  // Presses and releases a key, named as xdotool names it ("Return", "Escape", "space", "1", "Up").
  void Key(const std::string& name);
  // Clicks a mouse button at window point (x, y), origin top-left.
  void Click(int x, int y, int button = 1);
  // Closes the window as a window manager does when the player clicks its
  // close button: the game receives WM_DELETE_WINDOW. False if X refused.
  bool CloseWindow();
  // Lets the game run for a while, in milliseconds.
  static void Wait(int ms);

  Screenshot Shoot(const std::string& savePath = "") const;
  // Takes screenshots until the window point (x, y) shows the colour, or the
  // time is up; returns the last one. Frames come slowly on a loaded machine.
  Screenshot ShootWhen(int x, int y, Screenshot::Pixel colour, int timeoutMs = 10000) const;
  // Waits for the game to end; its exit status, or -1 if it did not end in
  // time (or died from a signal: then -signal).
  int WaitForExit(int timeoutMs = 10000);
  // What the game wrote to standard error.
  std::string Stderr() const;
  bool Running();
  // Ends the game at once, as a crash would, waits until its window is gone,
  // and keeps the X server for the next Start.
  void Kill();

 private:
  // Starts an X server on the display number; false if it is taken.
  bool StartXvfb(int display);
  std::string X(const std::string& command) const;  // runs an X tool on our display, returns its output

  pid_t m_xvfb = -1;              // the X server
  int m_displayPipe = -1;         // read end of the pipe Xvfb reports its display number on
  pid_t m_game = -1;              // the game, until it has been reaped
  int m_exitStatus = -1;          // the game's exit status once reaped
  std::string m_display;          // ":N"
  std::string m_window;           // X window id of the game
  std::string m_stderrPath;       // file receiving the game's standard error
  std::string m_runtimeDir;       // the game's XDG_RUNTIME_DIR, empty and private
  std::string m_program;          // the program to start; empty: the built game
  std::string m_homeDir;          // the game's HOME and XDG config and data homes, private to the session
};

// The repository root (the game's working directory) and the built game.
std::string SourceDir();
std::string GameBinary();
