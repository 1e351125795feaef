#pragma once

#include <string>

// The steps of an atomic write, in the order they run.
enum class EAtomicStep {
  WriteTemp,      // the bytes are in "<path>.tmp", created or truncated
  SyncTemp,       // they are on the disk
  RenameOverOld,  // "<path>.tmp" has replaced the old file
  SyncFolder,     // the rename is on the disk
};

// Writes a whole file so that a reader, or the next run after a crash at any
// instant, finds either the old file or the new one, never a mix: the bytes go
// to a temporary file in the same folder, are flushed to the disk, and the
// temporary file is renamed over the old one. On false, `error` (if given)
// says why in a few words and the old file is as it was.
//
// `stopAfter` ends the write after that step as a crash would, leaving what a
// crash there leaves (tests use it); the result is then false.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error = nullptr,
                         EAtomicStep stopAfter = EAtomicStep::SyncFolder);
