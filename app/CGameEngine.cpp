#include "app/CGameEngine.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/DepthFallback.h"
#include "app/SettingKeys.h"
#include "app/VideoDriver.h"
#include "audio/SoundTable.h"
#include "core/Assert.h"
#include "core/CHeldStderr.h"
#include "core/DataFiles.h"
#include "gfx/CFontManager.h"
#include "gfx/GameFonts.h"
#include "gfx/OpenGL.h"
#include "core/UserFolders.h"
#include "gfx/SpriteTable.h"
#include "screen/CReplayScreen.h"

namespace {

constexpr int kMixerFrequency = 44100;
constexpr int kMixerChannels = 2;
constexpr int kMixerChunkSize = 1024;
constexpr int kMixingChannels = 64;
constexpr int kIconSize = 32;
// The longest sleep before the loop looks for input again.
constexpr Uint32 kPollSliceMs = 10;

}  // namespace

CGameEngine* CGameEngine::GetEngine() {
  static CGameEngine* engine = new CGameEngine;  // never destroyed: the process ends after main
  return engine;
}

CGameEngine::CGameEngine() : m_Settings(CSettings::Say(), &m_FileWriter), m_Session(m_Settings, m_FileWriter) {}

bool CGameEngine::Fail(const char* step) {
  m_InitError = std::string(step) + ": " + SDL_GetError();
  return false;
}

bool CGameEngine::StartVideo() {
  // A library that cannot reach the display says why on standard error: the
  // reason goes into the game's own line rather than lines of its own.
  CHeldStderr libraryLines;
  m_SDLInitialized = SDL_Init(SDL_INIT_VIDEO) == 0;
  std::string why;
  char driver[32] = "";
  if (!m_SDLInitialized) {
    why = SDL_GetError();
  } else if (IsRefusedDriver(SDL_VideoDriverName(driver, sizeof driver), std::getenv("SDL_VIDEODRIVER"))) {
    // Without a display SDL falls back to a driver that draws nowhere: the
    // game would run on unseen, so it stops unless that driver was asked for by name.
    why = *driver ? "SDL found no display it could use and fell back to its \"" + std::string(driver) +
                        "\" video driver, which shows nothing"
                  : "SDL found no display it could use and started no video driver";
  }
  if (why.empty()) return true;
  m_InitError = NoWindowLine(std::getenv("DISPLAY"), libraryLines.Release(), why);
  return false;
}

bool CGameEngine::Init(const CEngineSettings& settings) {
  KV_ASSERT(!m_SDLInitialized);
  m_Width = settings.m_Width;
  m_Height = settings.m_Height;
  m_Bpp = settings.m_Bpp;
  m_Fullscreen = settings.m_Fullscreen;
  m_IconFile = settings.m_IconFile;
  m_Caption = settings.m_Caption;
  m_ReplayFile = settings.m_ReplayFile;
  m_Session.SetDifficulty(settings.m_Difficulty);
  if (!settings.m_MapFile.empty()) m_Session.SetMapFile(settings.m_MapFile);
  m_Active = true;
  m_InitError.clear();

  // The window first: without it there is no game.
  if (!StartVideo()) return false;
  SetSoundOn(m_Settings.Get(kv::kSound));

  if (!m_IconFile.empty() && !InitIcon()) return Fail("icon");
  if (!InitVideo()) return Fail("video");
  SDL_WM_SetCaption(m_Caption.c_str(), nullptr);
  LoadFirstResources();
  if (!settings.m_StartScreenFirst) LoadOtherResources();
  return true;
}

bool CGameEngine::InitAudio() {
  KV_ASSERT(!m_SDLMixerInitialized);
  if (Mix_OpenAudio(kMixerFrequency, AUDIO_S16LSB, kMixerChannels, kMixerChunkSize) < 0) return false;
  Mix_AllocateChannels(kMixingChannels);
  m_SDLMixerInitialized = true;
  return true;
}

bool CGameEngine::InitIcon() {
  KV_ASSERT(!m_IconInitialized);
  SDL_RWops* file = SDL_RWFromFile(m_IconFile.c_str(), "rb");
  m_Icon = file ? SDL_LoadBMP_RW(file, 1) : nullptr;
  if (!m_Icon) return false;
  if (m_Icon->w != kIconSize || m_Icon->h != kIconSize || !m_Icon->format->palette) {
    SDL_FreeSurface(m_Icon);
    m_Icon = nullptr;
    SDL_SetError("%s must be a 32 x 32 palettised bitmap", m_IconFile.c_str());
    return false;
  }
  // The top-left pixel's palette index is the transparent colour.
  const Uint8 key = *static_cast<const Uint8*>(m_Icon->pixels);
  SDL_SetColorKey(m_Icon, SDL_SRCCOLORKEY, key);
  SDL_WM_SetIcon(m_Icon, nullptr);
  m_IconInitialized = true;
  return true;
}

bool CGameEngine::InitVideo() {
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 32);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_BUFFER_SIZE, 32);
  // Frames no faster than the display shows them, where the driver can.
  SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
  m_VideoFlags = SDL_HWSURFACE | SDL_OPENGLBLIT;
  if (m_Fullscreen) m_VideoFlags |= SDL_FULLSCREEN;
  const int depth = FirstWorkingDepth([this](int depthSize) {
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthSize);
    m_Screen = SDL_SetVideoMode(m_Width, m_Height, m_Bpp, m_VideoFlags);
    return m_Screen != nullptr;
  });
  if (depth < 0) return false;
  SDL_FillRect(m_Screen, nullptr, SDL_MapRGBA(m_Screen->format, 0, 0, 0, 0));
  int swapControl = 0;
  m_Vsync = SDL_GL_GetAttribute(SDL_GL_SWAP_CONTROL, &swapControl) == 0 && swapControl > 0;
  m_Pacer.SetVsync(m_Vsync);

  // One unit is one pixel, the origin is the window's bottom-left corner.
  glViewport(0, 0, m_Width, m_Height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, m_Width, 0, m_Height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  return true;
}

void CGameEngine::LoadFirstResources() {
  GetFontManager().Init();
  LoadGameFont(kv::kFontFile, kMainFont);
}

void CGameEngine::LoadOtherResources() {
  if (m_OtherResourcesLoaded) return;
  m_OtherResourcesLoaded = true;
  // Without a sound device, or without any audio driver, the game still
  // starts; every sound is then silent.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) InitAudio();
  LoadSprites(GetSprites());
  LoadSounds(GetSounds());
  LoadGameFont(kv::kFontFile, kSmallFont);
}

void CGameEngine::FinishStartUp() {
  m_StartUpFinished = true;
  LoadOtherResources();
  m_Session.PreviewBattlefield();
  m_Session.CheckSavedGame();
  // A battle begun before the first frame kept its layers drawn without the sprites.
  m_Session.MarkDirty();
  m_Pacer.PictureChanged();
}

void CGameEngine::ReleaseResources() {
  GetFontManager().Shutdown();
  ClearSounds(GetSounds());
  m_OtherResourcesLoaded = false;
  m_StartUpFinished = false;
}

void CGameEngine::Shutdown() {
  ReleaseResources();
  if (m_SDLMixerInitialized) Mix_CloseAudio();
  m_SDLMixerInitialized = false;
  if (m_IconInitialized) SDL_FreeSurface(m_Icon);
  m_Icon = nullptr;
  m_IconInitialized = false;
  if (m_SDLInitialized) SDL_Quit();
  m_SDLInitialized = false;
  // The window is gone; the process stays until the last save is on the disk
  // (the engine is never destroyed, so nothing else would wait for it).
  const std::size_t unfinished = m_FileWriter.WaitFor(std::chrono::milliseconds(mc_quitWaitMs));
  if (unfinished > 0) {
    std::fprintf(stderr, "Korvane quit with %zu save%s unfinished after %d s: the disk did not answer\n", unfinished,
                 unfinished == 1 ? "" : "s", mc_quitWaitMs / 1000);
  }
  // A failed last save is never silent: the settings and the records each say
  // their first failure once, and any failure not said yet gets a line here.
  m_Settings.SayFailedSave();
  m_Session.GetRecordFolder().GetProblem();
  for (std::string failed = m_FileWriter.TakeError(); !failed.empty(); failed = m_FileWriter.TakeError()) {
    std::fprintf(stderr, "Korvane could not save %s\n", failed.c_str());
  }
}

void CGameEngine::Stop() { m_Running = false; }

void CGameEngine::Run() {
  KV_ASSERT(m_SDLInitialized);
  m_Running = true;
  m_Pacer.Restart(SDL_GetTicks());
  m_Pacer.PictureChanged();
  m_Session.SetSeed(static_cast<std::uint32_t>(std::time(nullptr)));
  m_Session.RestoreChoices();
  // Continue shows if a saved game is there; it is read after the first frame.
  m_Session.UseRecordFolder(UserDataFolder());
  // A record refused says why in one line, and the start screen shows.
  if (!m_ReplayFile.empty() && !m_Session.OpenReplay(m_ReplayFile)) {
    std::fprintf(stderr, "%s\n", m_Session.GetRecordMessage().c_str());
  }
  SDL_Event event;
  while (m_Running && !m_Session.WantsToQuit()) {
    if (SDL_PollEvent(&event)) {
      HandleEvent(event);
      continue;
    }
    if (!m_Active) {
      SDL_WaitEvent(nullptr);
      continue;
    }
    const Uint32 now = SDL_GetTicks();
    const CFramePacer::Next next = m_Pacer.Advance(m_Session, now);
    if (next.draw) {
      m_Session.Render();
      SDL_GL_SwapBuffers();
      m_Pacer.FrameDrawn(now);
      if (!m_StartUpFinished) FinishStartUp();
    } else if (next.sleepMs == CFramePacer::mc_untilEvent) {
      // Nothing moves and no tick would change anything: sleep until input.
      SDL_WaitEvent(nullptr);
      m_Pacer.Restart(SDL_GetTicks());
    } else {
      SDL_Delay(std::min<Uint32>(next.sleepMs, kPollSliceMs));
    }
  }
  // Quitting keeps the game in progress, plans and all.
  m_Session.SaveForLater();
}

void CGameEngine::HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_ACTIVEEVENT:
      if (event.active.state & SDL_APPACTIVE) {
        m_Active = event.active.gain != 0;
        // Time spent inactive is not handed to the session.
        if (m_Active) m_Pacer.Restart(SDL_GetTicks());
        m_Pacer.PictureChanged();
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      m_Session.OnKey(event.key.keysym.sym, event.type == SDL_KEYDOWN);
      m_Pacer.PictureChanged();
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      m_Session.OnMouseButton(event.button.button, event.type == SDL_MOUSEBUTTONDOWN, event.button.x,
                              event.button.y);
      m_Pacer.PictureChanged();
      break;
    case SDL_VIDEOEXPOSE:
      m_Pacer.PictureChanged();  // the window's picture was lost
      break;
    case SDL_QUIT:
      m_Running = false;
      break;
    default:
      break;
  }
}
