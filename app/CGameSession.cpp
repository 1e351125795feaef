#include "app/CGameSession.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "app/CSettings.h"
#include "app/SettingKeys.h"
#include "audio/SoundTable.h"
#include "core/Assert.h"
#include "core/DataFiles.h"
#include "gfx/OpenGL.h"
#include "map/Battlefield.h"
#include "map/CMap.h"
#include "map/MapGenerator.h"
#include "record/RecordText.h"
#include "screen/CReplayScreen.h"
#include "screen/CWatchScreen.h"
#include "screen/HelpPanel.h"
#include "screen/KeyTable.h"
#include "screen/StartScreen.h"
#include "screen/StatusMessage.h"

// The session's flow: games set up and cleared, the records, the pace of
// the game in play and the picture. Keys and clicks are in
// CGameSessionInput.cpp.

namespace {

// The remembered team sizes are those a match may take.
constexpr int kMinTeamSize = CGameWorld::mc_minTeamSize;
constexpr int kMaxTeamSize = CGameWorld::mc_maxTeamSize;
static_assert(kv::kGreenTeamSize.m_Min == kMinTeamSize && kv::kGreenTeamSize.m_Max == kMaxTeamSize);
static_assert(kv::kBlueTeamSize.m_Min == kMinTeamSize && kv::kBlueTeamSize.m_Max == kMaxTeamSize);

// A battlefield's file into `map`: true when it reads as one.
bool LoadMapFile(const std::string& file, CMap& map) { return !file.empty() && map.Load(file.c_str()); }

// The generated battlefield of the seed into `map`.
bool LoadGenerated(std::uint32_t seed, CMap& map) {
  const std::string text = MapGenerator::Generate(seed);
  return map.LoadFromMemory(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

// The name of the battlefield whose rows the record holds: a listed one, or
// the generated one chosen now; else its size, "19 x 16".
std::string BattlefieldNameOf(const CGameRecord& record, const CBattlefieldList& list) {
  CMap map;
  for (std::size_t i = 0; i < list.GetFileCount(); ++i) {
    if (LoadMapFile(list.GetFileAt(i), map) && BattlefieldRows(map) == record.m_rows) return list.GetNameAt(i);
  }
  if (list.IsRandom() && LoadGenerated(list.GetSeed(), map) && BattlefieldRows(map) == record.m_rows) {
    return list.GetName();
  }
  const std::size_t height = record.m_rows.size();
  const std::size_t width = height > 0 ? record.m_rows.front().size() : 0;
  return std::to_string(width) + " x " + std::to_string(height);
}

// What Continue brings back: the battlefield, the turn to be planned (a
// turn under way is finished on Continue), the level and the team sizes.
std::string DescribeSavedGame(const CGameRecord& record, const CBattlefieldList& list) {
  const std::uint32_t first = record.m_start ? record.m_start->m_turn : 1;
  const auto turn = static_cast<unsigned long>(first + record.m_turns.size());
  return BattlefieldNameOf(record, list) + ", turn " + std::to_string(turn) + ", " +
         DifficultyName(record.m_difficulty) + ", " + std::to_string(record.m_teamSize[0]) + " v " +
         std::to_string(record.m_teamSize[1]);
}

}  // namespace

CGameSession::CGameSession(CSettings& settings, CAsyncFileWriter& writer)
    : m_settings(settings), m_recordFolder(&writer) {
  m_battlefields.Load(kv::kMapListFile, kv::kDataFolder, kv::kMapFile);
}

CGameSession::~CGameSession() = default;

void CGameSession::RestoreChoices() {
  m_teamSize[0] = static_cast<std::uint32_t>(m_settings.Get(kv::kGreenTeamSize));
  m_teamSize[1] = static_cast<std::uint32_t>(m_settings.Get(kv::kBlueTeamSize));
  // A file given for this run stands; a remembered name no longer listed
  // leaves the default.
  if (!m_battlefields.IsOwn()) m_battlefields.ChooseName(m_settings.Get(kv::kBattlefield));
  m_clock.SetPace(static_cast<TurnPace>(m_settings.Get(kv::kTurnPace)));
}

void CGameSession::SetTeamSize(std::uint32_t team, std::uint32_t size) {
  KV_ASSERT(team < CMap::mc_numTeams);
  KV_ASSERT(size >= CGameWorld::mc_minTeamSize && size <= CGameWorld::mc_maxTeamSize);
  m_teamSize[team] = size;
}

std::uint32_t CGameSession::GetTeamSize(std::uint32_t team) const {
  KV_ASSERT(team < CMap::mc_numTeams);
  return m_teamSize[team];
}

void CGameSession::NewGame() {
  CMap battlefield;
  LoadBattlefield(battlefield);
  m_preview = battlefield;
  m_hasPreview = true;
  SetUpGame(battlefield, m_teamSize[0], m_teamSize[1], m_level);
}

void CGameSession::SetUpGame(const CMap& battlefield, std::uint32_t green, std::uint32_t blue, Difficulty level) {
  m_screen.Reset();
  m_screen.SetView(BattleView::GreenFog);
  m_clock.Reset();
  m_saving = false;
  m_restartAskMs = 0;
  m_tally.Reset();
  m_tallyFromRecord = false;
  m_overShown = false;
  const std::uint32_t seed = m_seed;
  // Each game draws from a table of its own: the next seed of a full-period
  // linear congruential sequence.
  m_seed = m_seed * 1664525u + 1013904223u;
  m_game.New(battlefield, green, blue, level, seed);
  m_game.Match().ClearEvents();
}

void CGameSession::PreviewBattlefield() {
  LoadBattlefield(m_preview);
  m_hasPreview = true;
}

void CGameSession::ClearGame() {
  m_game.Match().Clear();
  m_tally.Reset();
  m_overShown = false;
  m_screen.Reset();
  m_clock.Reset();
  m_saving = false;
  m_restartAskMs = 0;
  m_mode = mc_modeStartScreen;
}

void CGameSession::LoadBattlefield(CMap& map) {
  const bool random = m_battlefields.IsRandom();
  const bool loaded =
      random ? LoadGenerated(m_battlefields.GetSeed(), map) : map.Load(m_battlefields.GetFile().c_str());
  const char* problem = loaded ? BattlefieldProblem(map, m_teamSize[0], m_teamSize[1]) : "it cannot be read";
  // Without its file the default is the copy compiled into the program.
  if (!loaded && m_battlefields.GetFile() == kv::kMapFile) problem = nullptr;
  const std::string what = random ? m_battlefields.GetName() : m_battlefields.GetFile();
  if (!problem) {
    if (!loaded) map.LoadBuiltIn();
    // A battlefield that favours one team is the player's choice: played, and said.
    const std::string oneSided = OneSidedProblem(map);
    m_mapProblem = oneSided.empty() ? "" : what + " is one-sided: " + oneSided + ".";
    return;
  }
  // The battlefield compiled into the program always holds a game.
  map.LoadBuiltIn();
  m_mapProblem = what + ": " + problem + "; the default battlefield is played.";
}

void CGameSession::SayMapProblem() {
  // Said when a game starts on the default instead or on a one-sided
  // battlefield, not for the start screen's picture (smaller teams may still
  // fit), and once.
  if (m_mapProblem.empty() || m_mapProblem == m_mapProblemSaid) return;
  std::fprintf(stderr, "%s\n", m_mapProblem.c_str());
  m_mapProblemSaid = m_mapProblem;
}

void CGameSession::StepBattlefield(int direction) {
  m_battlefields.Step(direction);
  // The player's own file is there for this run only.
  if (!m_battlefields.IsOwn()) m_settings.Set(kv::kBattlefield, m_battlefields.GetName());
  // Only the picture changes: a game left for the start screen stays to be continued.
  PreviewBattlefield();
}

void CGameSession::StepTeamSize(std::uint32_t team, bool larger) {
  std::uint32_t& size = m_teamSize[team];
  if (larger && size < CGameWorld::mc_maxTeamSize) ++size;
  if (!larger && size > CGameWorld::mc_minTeamSize) --size;
  m_settings.Set(team == 0 ? kv::kGreenTeamSize : kv::kBlueTeamSize, static_cast<int>(size));
}

void CGameSession::StepDifficulty(bool forward) {
  m_level = NextDifficulty(m_level, forward);
  m_settings.Set(kv::kComputer, static_cast<int>(m_level));
}

void CGameSession::StepPace(bool faster) {
  m_clock.SetPace(NextTurnPace(m_clock.GetPace(), faster));
  m_settings.Set(kv::kTurnPace, static_cast<int>(m_clock.GetPace()));
}

void CGameSession::Notice(const char* text) {
  m_notice = text;
  m_noticeMs = mc_noticeMs;
}

void CGameSession::ToggleSound() {
  SetSoundOn(!IsSoundOn());
  m_settings.Set(kv::kSound, IsSoundOn());
}

void CGameSession::Update(std::uint32_t elapsedMs) {
  // The restart question and the no-path mark run on the wall clock, ticks or no ticks.
  m_restartAskMs -= std::min(m_restartAskMs, elapsedMs);
  m_noticeMs -= std::min(m_noticeMs, elapsedMs);
  m_screen.Update(elapsedMs);
  if (m_replay) {
    m_replay->Update(elapsedMs);
    return;
  }
  if (m_watch) {
    // The last turn shown again takes the time until its own turn end.
    m_watch->Update(elapsedMs);
    if (m_watch->IsDone()) StopWatching();
    return;
  }
  if (!m_clock.TakeTick(elapsedMs) || m_mode == mc_modeStartScreen) return;
  CGameWorld& match = m_game.Match();
  const std::int32_t steps = match.GetStepsDone();
  const std::uint32_t turn = match.GetTurn();
  const bool closed = m_clock.Tick(m_game);
  m_tally.Count(match);
  m_screen.Absorb(match);
  m_screen.Tick();
  // A step uses up planned commands and numbers the rest anew.
  if (steps != match.GetStepsDone() || turn != match.GetTurn()) m_screen.MarkDirty();
  if (closed) SaveTurn();
  if (!match.IsInProgress() && !m_overShown) ShowGameOver();
}

void CGameSession::ShowGameOver() {
  m_overShown = true;
  // A game brought back was played partly in another run: its record holds all of it.
  if (m_tallyFromRecord) m_tally.CountRecord(m_game.Record());
  m_screen.SetView(BattleView::Everything);
}

Motion CGameSession::GetMotion() const {
  // Nothing advances on the start screen; in play a tick changes the picture
  // only while a turn runs or effects fade. The restart question, the
  // notices and the no-path mark run out on the clock, so the slow beat
  // keeps time for them.
  if (m_replay) return m_replay->GetMotion();
  if (m_mode == mc_modeStartScreen) return Motion::Still;
  // The last turn played again moves as a turn does.
  if (m_watch) return Motion::Moving;
  const CGameWorld& match = m_game.Match();
  if (match.IsExecuting() || match.GetStepsDone() >= CGameWorld::mc_turnSteps || !m_screen.Effects().Empty()) {
    return Motion::Moving;
  }
  return m_screen.GetSelectedTank(match) || m_restartAskMs > 0 || m_noticeMs > 0 || m_screen.IsNoPathMarkShown()
             ? Motion::Pulse
             : Motion::Still;
}

std::uint32_t CGameSession::GetAccumulator() const {
  if (m_replay) return m_replay->GetAccumulator();
  return m_watch ? m_watch->GetAccumulator() : m_clock.GetAccumulator();
}

void CGameSession::Render() {
  glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);

  if (m_replay) {
    m_replay->Draw();
  } else if (m_watch) {
    m_watch->Draw();
  } else if (m_mode == mc_modeStartScreen) {
    StartScreenView view;
    view.m_teamSize[0] = m_teamSize[0];
    view.m_teamSize[1] = m_teamSize[1];
    view.m_level = m_level;
    view.m_pace = m_clock.GetPace();
    view.m_soundOff = !IsSoundOn();
    view.m_battlefieldName = m_battlefields.GetName().c_str();
    view.m_battlefield = GetPreview();
    view.m_canContinue = m_canContinue;
    view.m_continueText = m_continueText.c_str();
    // A refused record, or why games cannot be saved.
    view.m_message = m_recordMessage.empty() ? m_recordFolder.GetProblem().c_str() : m_recordMessage.c_str();
    view.m_mapProblem = m_mapProblem.c_str();
    DrawStartScreen(view);
    if (m_screen.IsHelpShown()) DrawHelpPanel(kStartKeys);
  } else {
    BattleHud hud;
    hud.m_offerWatch = !m_game.Match().IsInProgress() && !m_game.Record().m_turns.empty();
    hud.m_restartAsked = IsRestartAsked();
    hud.m_mapProblem = &m_mapProblem;
    hud.m_cannotSave = !m_recordFolder.GetProblem().empty();
    hud.m_summary = m_overShown ? &m_tally : nullptr;
    hud.m_notice = GetNotice();
    hud.m_playNotes = true;
    hud.m_pace = m_clock.GetPace();
    hud.m_soundOff = !IsSoundOn();
    m_screen.Draw(m_game, hud);
  }
  glFlush();
}

void CGameSession::MarkDirty() {
  m_screen.MarkDirty();
  if (m_replay) m_replay->GetScreen().MarkDirty();
}

void CGameSession::SetRecordFolder(const std::string& folder) {
  UseRecordFolder(folder);
  CheckSavedGame();
}

void CGameSession::UseRecordFolder(const std::string& folder) {
  m_recordFolder.SetFolder(folder);
  m_canContinue = m_recordFolder.HasAutosave();
  m_recordMessage.clear();
  m_continueText.clear();
}

void CGameSession::CheckSavedGame() {
  // A game begun or brought back meanwhile owns the autosave.
  if (m_saving) return;
  CGameRecord record;
  std::string error;
  m_canContinue = m_recordFolder.LoadAutosave(record, error);
  if (!error.empty()) m_recordMessage = error;
  m_continueText = m_canContinue ? DescribeSavedGame(record, m_battlefields) : std::string();
}

void CGameSession::StartPlay() {
  CMap battlefield;
  LoadBattlefield(battlefield);
  m_preview = battlefield;
  m_hasPreview = true;
  SayMapProblem();
  PlayNew(battlefield, m_teamSize[0], m_teamSize[1], m_level);
}

void CGameSession::RestartPlay() {
  const CGameRecord& record = m_game.Record();
  const CMap battlefield = m_game.Match().GetMap();
  PlayNew(battlefield, record.m_teamSize[0], record.m_teamSize[1], record.m_difficulty);
}

void CGameSession::PlayNew(const CMap& battlefield, std::uint32_t green, std::uint32_t blue, Difficulty level) {
  // The unfinished game is kept in the history, never thrown away.
  m_recordFolder.ShelveAutosave(std::time(nullptr));
  ClearGame();
  SetUpGame(battlefield, green, blue, level);
  m_mode = mc_modePlay;
  m_saving = true;
  m_game.NoteSnapshot();
  m_recordFolder.SaveAutosave(m_game.Record());
  m_canContinue = m_recordFolder.HasAutosave();
  m_continueText.clear();
}

void CGameSession::StartTurn() {
  // The turn is committed: a game left or killed from now on finishes it.
  if (m_game.StartTurn() && m_saving) m_recordFolder.SaveAutosave(m_game.Record());
}

void CGameSession::SaveTurn() {
  if (!m_saving) return;
  m_game.NoteSnapshot();
  if (!m_game.Match().IsInProgress()) {
    m_recordFolder.FinishGame(m_game.Record(), std::time(nullptr));
    m_saving = false;
  } else {
    m_recordFolder.SaveAutosave(m_game.Record());
  }
  m_canContinue = m_recordFolder.HasAutosave();
  if (!m_canContinue) m_continueText.clear();
}

bool CGameSession::ContinueGame() {
  CGameRecord record;
  std::string error;
  if (!m_recordFolder.LoadAutosave(record, error)) {
    m_canContinue = false;
    m_recordMessage = error;
    return false;
  }
  ClearGame();
  bool resumed = m_game.Resume(record, error);
  if (resumed) {
    m_mode = mc_modePlay;
    m_saving = true;
    m_screen.SetView(BattleView::GreenFog);
    m_tally.Reset();
    m_tallyFromRecord = true;
    m_overShown = false;
    m_game.NoteSnapshot();
    if (record.m_openTurn) {
      // A turn committed with Space is finished, never planned again; its end saves the game.
      resumed = m_game.PlayTurnAtOnce(record.m_turns.back().m_queues);
      m_game.Match().ClearEvents();
      if (resumed) SaveTurn();
      if (!resumed) error = "its turn under way does not fit the game";
    } else if (record.m_hasPlans) {
      resumed = m_game.ApplyQueues(record.m_plans);
      if (!resumed) error = "the plans in progress do not fit the game";
      m_screen.Select(m_game.Match(), record.m_selected);
    }
  }
  if (!resumed) {
    m_recordFolder.SetAsideAutosave();
    m_canContinue = false;
    m_continueText.clear();
    m_recordMessage = m_recordFolder.AutosavePath() + ": " + error;
    ClearGame();
    return false;
  }
  // The start screen's choices stay as the player left them: the game
  // brought back keeps its own battlefield, sizes and level.
  m_recordMessage.clear();
  if (!m_game.Match().IsInProgress()) ShowGameOver();
  return true;
}

void CGameSession::SaveForLater() {
  if (!m_saving || !m_game.Match().IsInProgress()) return;
  CGameRecord saved = m_game.Record();
  // A turn under way was committed with Space: it stays, to be finished on
  // Continue. Otherwise the plans in progress are kept.
  if (!saved.m_openTurn) {
    saved.m_plans = m_game.CurrentQueues();
    saved.m_hasPlans = true;
    saved.m_selected = m_screen.GetSelected();
  }
  m_recordFolder.SaveAutosave(saved);
  m_canContinue = m_recordFolder.HasAutosave();
  m_continueText = m_canContinue ? DescribeSavedGame(saved, m_battlefields) : std::string();
}

void CGameSession::StartWatching() {
  const CGameWorld& match = m_game.Match();
  if (m_game.Record().m_turns.empty()) {
    Notice("Nothing to watch yet: play a turn first");
    return;
  }
  if (match.IsExecuting() || match.GetStepsDone() != 0 || m_game.IsTurnOpen()) return;
  auto watch = std::make_unique<CWatchScreen>();
  if (watch->Start(m_game.Record(), m_clock.GetPace())) m_watch = std::move(watch);
}

void CGameSession::StopWatching() {
  m_watch.reset();
  m_screen.MarkDirty();
}

bool CGameSession::OpenReplay(const std::string& path) {
  CGameRecord record;
  std::string error;
  if (!ReadRecordFile(path, record, error)) {
    m_recordMessage = error;
    return false;
  }
  return StartReplay(std::move(record), path);
}

bool CGameSession::WatchGame() {
  if (m_replay || m_watch || m_game.IsTurnOpen() || m_game.Record().m_turns.empty()) return false;
  return StartReplay(m_game.Record(), "this game");
}

bool CGameSession::StartReplay(CGameRecord record, const std::string& name) {
  auto replay = std::make_unique<CReplayScreen>(std::move(record));
  std::string error;
  if (!replay->Check(error)) {
    m_recordMessage = name + ": " + error;
    return false;
  }
  m_replay = std::move(replay);
  return true;
}

void CGameSession::CloseReplay() {
  m_replay.reset();
  m_screen.MarkDirty();
}
