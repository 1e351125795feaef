#include "record/CRecordFolder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/AtomicFile.h"
#include "core/TextFormat.h"
#include "core/UserFolders.h"
#include "record/CGameRecord.h"
#include "record/RecordText.h"

namespace {

constexpr char kHistoryPrefix[] = "game-";
constexpr char kRecordSuffix[] = ".kvrec";

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

}  // namespace

std::string CRecordFolder::AutosavePath() const { return m_folder.empty() ? "" : m_folder + "/" + mc_autosaveName; }

bool CRecordFolder::HasAutosave() const {
  return !m_folder.empty() && (m_writer.IsPending(AutosavePath()) || Exists(AutosavePath()));
}

void CRecordFolder::SetFolder(std::string folder) {
  m_writer.Wait();
  m_writer.TakeError();
  m_folder = std::move(folder);
  m_problem.clear();
}

void CRecordFolder::Flush() const { m_writer.Wait(); }

const std::string& CRecordFolder::GetProblem() const {
  if (m_problem.empty()) {
    const std::string failed = m_writer.TakeError();
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
  m_writer.Write(AutosavePath(), WriteRecordText(record));
  return GetProblem().empty();
}

bool CRecordFolder::LoadAutosave(CGameRecord& record, std::string& error) {
  m_writer.Wait();
  if (!HasAutosave()) return false;
  if (ReadRecordFile(AutosavePath(), record, error)) return true;
  SetAsideAutosave();
  return false;
}

void CRecordFolder::SetAsideAutosave() {
  m_writer.Wait();
  if (!HasAutosave()) return;
  const std::string path = AutosavePath();
  const std::string broken = path + ".broken";
  // A folder in the autosave's place can only be moved aside if nothing broken is there yet.
  struct stat info {};
  if (lstat(broken.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return;
  std::rename(path.c_str(), broken.c_str());
}

bool CRecordFolder::FinishGame(const CGameRecord& record, std::time_t when) {
  if (m_folder.empty()) return false;
  // The last autosave lands before it is removed; a game ends once.
  m_writer.Wait();
  const std::string history = m_folder + "/" + mc_historyName;
  std::string error;
  if (!MakeFolders(history, &error)) return Fail(history + ": " + error);
  std::tm date {};
  localtime_r(&when, &date);
  char name[64];
  std::string path;
  // Two games ended in the same second get a number after the date.
  for (int n = 1; path.empty() || Exists(path); ++n) {
    if (n == 1) {
      FormatText(name, sizeof name, "%s%04d-%02d-%02d-%02d%02d%02d%s", kHistoryPrefix, date.tm_year + 1900,
                 date.tm_mon + 1, date.tm_mday, date.tm_hour, date.tm_min, date.tm_sec, kRecordSuffix);
    } else {
      FormatText(name, sizeof name, "%s%04d-%02d-%02d-%02d%02d%02d-%d%s", kHistoryPrefix, date.tm_year + 1900,
                 date.tm_mon + 1, date.tm_mday, date.tm_hour, date.tm_min, date.tm_sec, n, kRecordSuffix);
    }
    path = history + "/" + name;
  }
  if (!WriteFileAtomically(path, WriteRecordText(record), &error)) return Fail(path + ": " + error);
  unlink(AutosavePath().c_str());
  PruneHistory(history);
  return true;
}

void CRecordFolder::PruneHistory(const std::string& history) const {
  std::vector<std::string> names;
  if (DIR* folder = opendir(history.c_str())) {
    while (const dirent* entry = readdir(folder)) {
      const std::string name = entry->d_name;
      if (name.rfind(kHistoryPrefix, 0) == 0 && EndsWith(name, kRecordSuffix)) names.push_back(name);
    }
    closedir(folder);
  }
  if (names.size() <= mc_historyKept) return;
  // The date in the name sorts them oldest first.
  std::sort(names.begin(), names.end());
  for (std::size_t i = 0; i + mc_historyKept < names.size(); ++i) unlink((history + "/" + names[i]).c_str());
}
