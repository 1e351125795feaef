#include "record/CRecordFolder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "core/AtomicFile.h"
#include "core/CAsyncFileWriter.h"
#include "core/UserFolders.h"
#include "record/CGameRecord.h"
#include "record/HistoryNames.h"
#include "record/RecordText.h"

namespace {

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* entries = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(entries)) names.emplace_back(entry->d_name);
    closedir(entries);
  }
  return names;
}

// Puts a record into the history, named for `when`, with `put` (which
// receives the record's path and says why it failed), then deletes the
// oldest records beyond the kept number. The history is made if missing.
template <typename Put>
bool FileInHistory(const std::string& folder, std::time_t when, std::string& error, Put put) {
  const std::string history = folder + "/" + CRecordFolder::mc_historyName;
  std::string why;
  if (!MakeFolders(history, &why)) {
    error = history + ": " + why;
    return false;
  }
  std::vector<std::string> names = NamesIn(history);
  names.push_back(NextHistoryName(names, when));
  const std::string path = history + "/" + names.back();
  if (!put(path, why)) {
    error = path + ": " + why;
    return false;
  }
  for (const std::string& old : HistoryToPrune(names, CRecordFolder::mc_historyKept)) {
    unlink((history + "/" + old).c_str());
  }
  return true;
}

// The writer's part of finishing a game: the record into the history, the
// autosave gone.
bool FileGameAway(const std::string& folder, const std::string& autosave, const std::string& text, std::time_t when,
                  std::string& error) {
  return FileInHistory(folder, when, error, [&](const std::string& path, std::string& why) {
    if (!WriteFileAtomically(path, text, &why)) return false;
    unlink(autosave.c_str());
    return true;
  });
}

// The writer's part of shelving an unfinished game: the autosave moved into
// the history when it holds a game with a turn to watch again.
bool ShelveGame(const std::string& folder, const std::string& autosave, std::time_t when, std::string& error) {
  CGameRecord record;
  std::string unreadable;
  if (!Exists(autosave) || !ReadRecordFile(autosave, record, unreadable) || record.m_turns.empty()) return true;
  return FileInHistory(folder, when, error, [&](const std::string& path, std::string& why) {
    if (std::rename(autosave.c_str(), path.c_str()) == 0) return true;
    why = "the saved game could not be moved there";
    return false;
  });
}

}  // namespace

CRecordFolder::CRecordFolder(CAsyncFileWriter* writer, std::string folder)
    : m_writer(writer), m_folder(std::move(folder)) {}

std::string CRecordFolder::AutosavePath() const { return m_folder.empty() ? "" : m_folder + "/" + mc_autosaveName; }

bool CRecordFolder::HasAutosave() const {
  if (m_folder.empty()) return false;
  const std::string path = AutosavePath();
  return m_writer->IsPending(path) ? m_autosaveLeft : Exists(path);
}

void CRecordFolder::SetFolder(std::string folder) {
  m_writer->Wait();
  if (!m_folder.empty()) m_writer->TakeError(m_folder + "/");
  m_folder = std::move(folder);
  m_problem.clear();
}

void CRecordFolder::Flush() const { m_writer->Wait(); }

const std::string& CRecordFolder::GetProblem() const {
  // Failures after the first stay with the writer: the game reports them as it quits.
  if (m_problem.empty() && !m_folder.empty()) {
    const std::string failed = m_writer->TakeError(m_folder + "/");
    if (!failed.empty()) Fail(failed);
  }
  return m_problem;
}

bool CRecordFolder::Fail(const std::string& why) const {
  if (m_problem.empty()) {
    m_problem = why;
    std::fprintf(stderr, "Korvane cannot save games: %s\n", why.c_str());
  }
  return false;
}

bool CRecordFolder::SaveAutosave(const CGameRecord& record) {
  if (m_folder.empty()) return false;
  std::string error;
  if (!MakeFolders(m_folder, &error)) return Fail(m_folder + ": " + error);
  m_writer->Write(AutosavePath(), WriteRecordText(record));
  m_autosaveLeft = true;
  return GetProblem().empty();
}

bool CRecordFolder::LoadAutosave(CGameRecord& record, std::string& error) {
  m_writer->Wait();
  if (!HasAutosave()) return false;
  if (ReadRecordFile(AutosavePath(), record, error)) return true;
  SetAsideAutosave();
  return false;
}

void CRecordFolder::SetAsideAutosave() {
  m_writer->Wait();
  if (!HasAutosave()) return;
  const std::string path = AutosavePath();
  std::string broken = path + mc_brokenSuffix;
  for (int n = 2; Exists(broken); ++n) broken = path + mc_brokenSuffix + "." + std::to_string(n);
  std::rename(path.c_str(), broken.c_str());
}

bool CRecordFolder::FinishGame(const CGameRecord& record, std::time_t when) {
  if (m_folder.empty()) return false;
  const std::string autosave = AutosavePath();
  // After the last autosave in the writer's order, which it then removes.
  m_writer->Do(autosave, [folder = m_folder, autosave, text = WriteRecordText(record), when](std::string& error) {
    return FileGameAway(folder, autosave, text, when, error);
  });
  m_autosaveLeft = false;
  return GetProblem().empty();
}

bool CRecordFolder::ShelveAutosave(std::time_t when) {
  if (m_folder.empty() || !HasAutosave()) return GetProblem().empty();
  const std::string autosave = AutosavePath();
  // After the last autosave in the writer's order, before the new game's.
  m_writer->Do(autosave, [folder = m_folder, autosave, when](std::string& error) {
    return ShelveGame(folder, autosave, when, error);
  });
  m_autosaveLeft = false;
  return GetProblem().empty();
}
