#pragma once

#include <cstddef>
#include <ctime>
#include <string>

class CAsyncFileWriter;
class CGameRecord;

// Where the player's game records live: the game in progress as the
// autosave, finished games in a history folder named in the order they
// finished (record/HistoryNames.h; the newest mc_historyKept kept). Every
// write is atomic and runs on the program's writer thread, so neither a turn
// end nor a game's end waits for the disk; whatever reads the folder first
// waits for the work handed over, or accounts for it. A folder that cannot be
// written costs the records, never the game: the first failure is kept as the
// problem to show, and play goes on.
class CRecordFolder {
 public:
  static constexpr std::size_t mc_historyKept = 50;
  static constexpr const char* mc_autosaveName = "autosave.kvrec";
  static constexpr const char* mc_historyName = "history";
  static constexpr const char* mc_brokenSuffix = ".broken";

  // Hands its disk work to `writer`, which must outlive the folder (never
  // null). An empty folder saves and finds nothing.
  explicit CRecordFolder(CAsyncFileWriter* writer, std::string folder = "");

  // Moves to another folder, once the work on this one has ended; the
  // problem of this one is forgotten.
  void SetFolder(std::string folder);
  const std::string& GetFolder() const { return m_folder; }
  std::string AutosavePath() const;
  // Whether there is an autosave, or will be once the work handed over ends.
  bool HasAutosave() const;

  // Hands the record over to replace the autosave; false when the folder
  // cannot be made or an earlier save failed.
  bool SaveAutosave(const CGameRecord& record);
  // Returns when every record handed over is on the disk or has failed.
  void Flush() const;
  // The autosave, when there is one and it reads as a record. One that does
  // not is set aside (SetAsideAutosave) and `error` says why.
  bool LoadAutosave(CGameRecord& record, std::string& error);
  // Renames the autosave "<autosave>.broken" (a record this game cannot
  // play), or "<autosave>.broken.2", ".3" ... when that name is taken: a
  // record set aside is never overwritten.
  void SetAsideAutosave();
  // A game has ended: hands over filing its record in the history, named
  // for `when`, removing the autosave and deleting the oldest records beyond
  // mc_historyKept. False when an earlier save failed.
  bool FinishGame(const CGameRecord& record, std::time_t when);
  // A new game is about to replace the autosave: hands over moving the
  // unfinished game it holds into the history, named for `when`, as it is
  // (a record that replays, its turn under way and plans included). An
  // autosave that is not a record with a turn played is left to be
  // replaced. False when an earlier save failed.
  bool ShelveAutosave(std::time_t when);

  // Why records cannot be saved; empty while they can (a failed write shows
  // here once the writer has ended it).
  const std::string& GetProblem() const;

 private:
  bool Fail(const std::string& why) const;

  CAsyncFileWriter* m_writer;                // does the disk work; not owned
  std::string m_folder;                      // the records' folder; empty: none
  bool m_autosaveLeft = false;               // the last work handed over on the autosave leaves one
  mutable std::string m_problem;             // the first failure to save, kept
};
