#pragma once

#include <cstdint>
#include <string>

#include "app/CEngineSettings.h"
#include "app/CFramePacer.h"
#include "app/CGameSession.h"
#include "app/CSettings.h"
#include "core/CAsyncFileWriter.h"

struct SDL_Surface;
union SDL_Event;

// The program frame: owns SDL, the OpenGL window, the audio device, the window
// icon and the shared resources, and runs the one main loop that feeds window
// events to the session, keeps its clock at real time and has it draw
// whenever the picture may have changed.
class CGameEngine {
 public:
  // How long quitting waits for the saves handed over. A few saves, two
  // flushes each, take about 2 s on a disk that needs 300 ms a flush; a disk
  // silent for 5 s has hung (a network folder gone), and a closed window must
  // not leave the game running unseen for longer.
  static constexpr int mc_quitWaitMs = 5000;

  // The single engine, created on first use and kept until the process ends.
  static CGameEngine* GetEngine();

  // Brings up SDL, icon, video and the first screen's resources, and audio
  // and the other resources too unless the start screen is to show first;
  // false if the game cannot run, with GetInitError naming the step that
  // failed. A missing sound device is no failure: the game then runs
  // silently. A video driver that shows nothing is one, unless
  // SDL_VIDEODRIVER asks for it by name.
  bool Init(const CEngineSettings& settings);
  // Runs the main loop until Stop or a window close. After the first frame
  // the start-up ends: audio and the other resources if they wait, the
  // start screen's battlefield picture and the saved game's check.
  void Run();
  // Releases resources, undoes exactly the start-up steps that succeeded,
  // then waits at most mc_quitWaitMs for the disk work handed over (the
  // last autosave) and says on standard error what could not be saved.
  void Shutdown();
  // Ends the main loop after its current pass.
  void Stop();
  // Dispatches one window event: input to the session, focus and quit here.
  void HandleEvent(const SDL_Event& event);

  bool InitAudio();
  bool InitIcon();
  bool InitVideo();
  // What the first screen needs: the main font.
  void LoadFirstResources();
  // Audio and everything else: the sprites, the sounds, the small font.
  void LoadOtherResources();
  void ReleaseResources();

  const std::string& GetInitError() const { return m_InitError; }
  CGameSession& GetSession() { return m_Session; }
  // The player's remembered choices; in memory only until main loads the file.
  CSettings& GetSettings() { return m_Settings; }
  bool IsRunning() const { return m_Running; }
  bool IsActive() const { return m_Active; }
  bool IsAudioOpen() const { return m_SDLMixerInitialized; }
  bool IsFullscreen() const { return m_Fullscreen; }
  std::uint32_t GetVideoFlags() const { return m_VideoFlags; }

  // Public so that tests can build an engine of their own; the game itself
  // only ever uses GetEngine.
  CGameEngine();
  CGameEngine(const CGameEngine&) = delete;
  CGameEngine& operator=(const CGameEngine&) = delete;

 private:
  // Records why start-up failed: the step and SDL's own error text.
  bool Fail(const char* step);
  // Starts SDL's video; false, with the line saying why, when no window can
  // be shown (a driver that shows nothing counts, unless asked for by name).
  bool StartVideo();
  // What waited for the first frame: the other resources, the start screen's
  // picture and the saved game's check; the picture then changes.
  void FinishStartUp();

  bool m_SDLInitialized = false;       // SDL's video started
  bool m_SDLMixerInitialized = false;  // the mixer device is open
  bool m_IconInitialized = false;      // m_Icon is loaded and set as the window icon
  int m_Width = 0;                     // window size and depth, from the settings
  int m_Height = 0;
  int m_Bpp = 0;
  bool m_Fullscreen = false;           // fullscreen requested
  std::string m_IconFile;              // icon bitmap path
  std::string m_Caption;               // window title
  std::string m_ReplayFile;            // a game record to watch first; empty: none
  bool m_OtherResourcesLoaded = false;  // LoadOtherResources ran
  bool m_StartUpFinished = false;       // FinishStartUp ran
  SDL_Surface* m_Screen = nullptr;     // the window surface; owned by SDL
  SDL_Surface* m_Icon = nullptr;       // the icon bitmap; owned while m_IconInitialized
  std::uint32_t m_VideoFlags = 0;      // flags given to SDL_SetVideoMode
  bool m_Running = false;              // the main loop goes on
  bool m_Active = false;               // the window is active: frames are updated and drawn
  bool m_Vsync = false;                // buffer swaps wait for the display
  CFramePacer m_Pacer;                 // when to tick, draw and sleep
  std::string m_InitError;             // why Init failed, empty when it did not
  CAsyncFileWriter m_FileWriter;       // the disk work of the records and settings; before them
  CSettings m_Settings;                // the player's remembered choices
  CGameSession m_Session;              // the player's session; constructed last
};
