#include "core/CAsyncFileWriter.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <utility>

#include "core/AtomicFile.h"
#include "core/UserFolders.h"

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteWithFolders(const std::string& path, const std::string& bytes, std::string& error) {
  std::string why;
  const std::string folder = FolderOf(path);
  if (!MakeFolders(folder, &why)) {
    error = folder + ": " + why;
    return false;
  }
  if (WriteFileAtomically(path, bytes, &why)) return true;
  error = path + ": " + why;
  return false;
}

// Runs the job's work; a throw is its failure, never the writer's end.
bool RunTask(const std::string& path, const CAsyncFileWriter::Task& task, std::string& error) {
  try {
    try {
      return task(error);
    } catch (const std::exception& thrown) {
      error = path + ": " + thrown.what();
    } catch (...) {
      error = path + ": an unknown failure";
    }
  } catch (...) {
    // Not even the reason could be put in words (out of memory).
    error.clear();
  }
  return false;
}

}  // namespace

CAsyncFileWriter::CAsyncFileWriter(const ThreadStarter& start) {
  const std::function<void()> loop = [this] { Run(); };
  try {
    m_thread = start ? start(loop) : std::thread(loop);
  } catch (const std::exception& failure) {
    m_cannotStart = std::string("the writer thread cannot start: ") + failure.what();
  }
}

CAsyncFileWriter::~CAsyncFileWriter() {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_stopping = true;
  }
  m_wake.notify_one();
  if (m_thread.joinable()) m_thread.join();
}

void CAsyncFileWriter::Write(std::string path, std::string bytes) {
  Job job;
  job.task = [path, bytes = std::move(bytes)](std::string& error) { return WriteWithFolders(path, bytes, error); };
  job.path = std::move(path);
  job.replaceable = true;
  Hand(std::move(job));
}

void CAsyncFileWriter::Do(std::string path, Task task) {
  Job job;
  job.path = std::move(path);
  job.task = std::move(task);
  Hand(std::move(job));
}

void CAsyncFileWriter::Hand(Job job) {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_cannotStart.empty()) {
      Settle(job.path, false, job.path + ": " + m_cannotStart);
      return;
    }
    // The newer write runs in its own place in the order: a job handed over
    // between the two (a game filed away, which removes the autosave) still
    // comes before it. Other work on the file since the older write (the
    // unfinished game moved into the history) needs that write done first.
    if (job.replaceable) {
      for (auto queued = m_jobs.rbegin(); queued != m_jobs.rend(); ++queued) {
        if (queued->path != job.path) continue;
        if (queued->replaceable) m_jobs.erase(std::next(queued).base());
        break;
      }
    }
    m_jobs.push_back(std::move(job));
  }
  m_wake.notify_one();
}

void CAsyncFileWriter::Wait() {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_ended.wait(lock, [this] { return m_jobs.empty() && !m_running; });
}

std::size_t CAsyncFileWriter::WaitFor(std::chrono::milliseconds limit) {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_ended.wait_for(lock, limit, [this] { return m_jobs.empty() && !m_running; });
  return m_jobs.size() + (m_running ? 1 : 0);
}

bool CAsyncFileWriter::IsPending(const std::string& path) const {
  const std::lock_guard<std::mutex> lock(m_mutex);
  return (m_running && m_writing == path) ||
         std::any_of(m_jobs.begin(), m_jobs.end(), [&](const Job& job) { return job.path == path; });
}

std::string CAsyncFileWriter::TakeError(const std::string& pathStart) {
  const std::lock_guard<std::mutex> lock(m_mutex);
  const auto found = std::find_if(m_failures.begin(), m_failures.end(),
                                  [&](const Failure& failure) { return failure.path.rfind(pathStart, 0) == 0; });
  if (found == m_failures.end()) return std::string();
  std::string what = std::move(found->what);
  m_failures.erase(found);
  return what;
}

void CAsyncFileWriter::Settle(const std::string& path, bool done, std::string what) {
  const auto earlier =
      std::find_if(m_failures.begin(), m_failures.end(), [&](const Failure& failure) { return failure.path == path; });
  if (earlier != m_failures.end()) m_failures.erase(earlier);
  if (done) return;
  if (what.empty()) what = path + ": out of memory";
  m_failures.push_back({path, std::move(what)});
}

void CAsyncFileWriter::Run() {
  std::unique_lock<std::mutex> lock(m_mutex);
  for (;;) {
    m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
    // Stopping still runs what was handed over: the game quits after its last save.
    if (m_jobs.empty()) return;
    Job job = std::move(m_jobs.front());
    m_jobs.pop_front();
    m_writing = job.path;
    m_running = true;
    lock.unlock();
    std::string error;
    const bool done = RunTask(job.path, job.task, error);
    job.task = nullptr;  // its bytes go before the lock is taken again
    lock.lock();
    try {
      Settle(job.path, done, std::move(error));
    } catch (...) {
      // No memory even to note the failure: the waits must still end.
    }
    m_running = false;
    m_ended.notify_all();
  }
}
