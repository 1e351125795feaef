#include "core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool Fail(std::string* error, const char* what) {
  if (error) *error = std::string(what) + ": " + std::strerror(errno);
  return false;
}

bool Stopped(std::string* error) {
  if (error) *error = "stopped";
  return false;
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error,
                         EAtomicStep stopAfter) {
  const std::string temp = path + ".tmp";
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return Fail(error, "cannot create the temporary file");
  if (!WriteAll(fd, bytes)) {
    Fail(error, "cannot write");
    close(fd);
    std::remove(temp.c_str());
    return false;
  }
  if (stopAfter == EAtomicStep::WriteTemp) {
    close(fd);
    return Stopped(error);
  }
  if (fsync(fd) != 0) {
    Fail(error, "cannot flush");
    close(fd);
    std::remove(temp.c_str());
    return false;
  }
  if (close(fd) != 0) {
    Fail(error, "cannot close");
    std::remove(temp.c_str());
    return false;
  }
  if (stopAfter == EAtomicStep::SyncTemp) return Stopped(error);
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    Fail(error, "cannot replace the file");
    std::remove(temp.c_str());
    return false;
  }
  if (stopAfter == EAtomicStep::RenameOverOld) return Stopped(error);
  // The rename itself lives in the folder; without this a power cut could
  // bring the old file back. A folder that cannot be opened is no failure of
  // the write, which already took place.
  const int folder = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
}
