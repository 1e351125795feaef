#pragma once

#include <cstddef>
#include <ctime>
#include <string>

#include "core/CAsyncFileWriter.h"

class CGameRecord;

// Where the player's game records live: the game in progress as the
// autosave, finished games in a history folder with their date in the name
// (the newest mc_historyKept kept). Every write is atomic. The autosave is
// written on a thread of its own, so a turn end never waits for the disk;
// whatever reads the folder first waits for the writes handed over. A folder
// that cannot be written costs the records, never the game: the first failure
// is kept as the problem to show, and play goes on.
class CRecordFolder {
 public:
  static constexpr std::size_t mc_historyKept = 50;
  static constexpr const char* mc_autosaveName = "autosave.kvrec";
  static constexpr const char* mc_historyName = "history";

  // An empty folder saves and finds nothing.
  explicit CRecordFolder(std::string folder = "") : m_folder(std::move(folder)) {}

  // Moves to another folder, once the writes to this one have ended; the
  // problem of this one is forgotten.
  void SetFolder(std::string folder);
  const std::string& GetFolder() const { return m_folder; }
  std::string AutosavePath() const;
  bool HasAutosave() const;

  // Hands the record over to replace the autosave; false when the folder
  // cannot be made or an earlier save failed.
  bool SaveAutosave(const CGameRecord& record);
  // Returns when every record handed over is on the disk or has failed.
  void Flush() const;
  // The autosave, when there is one and it reads as a record. One that does
  // not is moved aside as "<autosave>.broken" and `error` says why.
  bool LoadAutosave(CGameRecord& record, std::string& error);
  // Renames the autosave "<autosave>.broken" (a record this game cannot play).
  void SetAsideAutosave();
  // A game has ended: its record goes to the history, dated `when`, the
  // autosave is removed and the oldest records beyond mc_historyKept go.
  bool FinishGame(const CGameRecord& record, std::time_t when);

  // Why records cannot be saved; empty while they can (a failed write shows
  // here once the writer has ended it).
  const std::string& GetProblem() const;

 private:
  bool Fail(const std::string& why) const;
  void PruneHistory(const std::string& history) const;

  std::string m_folder;                      // the records' folder; empty: none
  mutable std::string m_problem;             // the first failure to save, kept
  mutable CAsyncFileWriter m_writer;         // writes the autosave
};
