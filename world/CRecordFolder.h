#pragma once

#include <cstddef>
#include <ctime>
#include <string>

class CGameRecord;

// Where the player's game records live: the game in progress as the
// autosave, finished games in a history folder with their date in the name
// (the newest mc_historyKept kept). Every write is atomic. A folder that
// cannot be written costs the records, never the game: the first failure is
// kept as the problem to show, and play goes on.
class CRecordFolder {
 public:
  static constexpr std::size_t mc_historyKept = 50;
  static constexpr const char* mc_autosaveName = "autosave.kvrec";
  static constexpr const char* mc_historyName = "history";

  // An empty folder saves and finds nothing.
  explicit CRecordFolder(std::string folder = "") : m_folder(std::move(folder)) {}

  const std::string& GetFolder() const { return m_folder; }
  std::string AutosavePath() const;
  bool HasAutosave() const;

  // Replaces the autosave with the record.
  bool SaveAutosave(const CGameRecord& record);
  // The autosave, when there is one and it reads as a record. One that does
  // not is moved aside as "<autosave>.broken" and `error` says why.
  bool LoadAutosave(CGameRecord& record, std::string& error);
  // Renames the autosave "<autosave>.broken" (a record this game cannot play).
  void SetAsideAutosave();
  // A game has ended: its record goes to the history, dated `when`, the
  // autosave is removed and the oldest records beyond mc_historyKept go.
  bool FinishGame(const CGameRecord& record, std::time_t when);

  // Why records cannot be saved; empty while they can.
  const std::string& GetProblem() const { return m_problem; }

 private:
  bool Fail(const std::string& why);
  void PruneHistory(const std::string& history) const;

  std::string m_folder;   // the records' folder; empty: none
  std::string m_problem;  // the first failure to save, kept
};
