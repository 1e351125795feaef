#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Does the program's disk work on a thread of its own, so that the game never
// waits for the disk: the autosave at a turn end, a finished game filed in the
// history, the settings after a choice. Jobs run in the order handed over; a
// file write not yet begun is dropped when a newer one to the same file is
// handed over, since only the newest bytes matter, unless other work on that
// file was handed over between them. The thread starts with the
// writer. A job that cannot run (the thread could not start) or that throws
// fails with the reason, as a failed write does, and the writer goes on. The
// destructor finishes every job handed over.
class CAsyncFileWriter {
 public:
  // Work on the disk: true when done, else false with `error` naming the file and why ("path: why").
  using Task = std::function<bool(std::string& error)>;
  // Starts a thread running `loop`; throws std::system_error when it cannot.
  using ThreadStarter = std::function<std::thread(std::function<void()> loop)>;

  // Starts the writer's thread with `start` (std::thread when none is given;
  // tests give one that fails). A thread that cannot start is no error here:
  // every job handed over then fails, saying so.
  explicit CAsyncFileWriter(const ThreadStarter& start = ThreadStarter());
  ~CAsyncFileWriter();
  CAsyncFileWriter(const CAsyncFileWriter&) = delete;
  CAsyncFileWriter& operator=(const CAsyncFileWriter&) = delete;

  // Hands the file's new bytes over: the folders above it are made if
  // missing, then the file is written atomically (engine/AtomicFile.h).
  void Write(std::string path, std::string bytes);
  // Hands other work on the file `path` over (filing it elsewhere, removing
  // it); it runs in its turn and is never dropped for a newer job.
  void Do(std::string path, Task task);
  // Returns when every job handed over has ended.
  void Wait();
  // Waits at most `limit` for every job handed over to end; returns how many
  // have not (0: all ended).
  std::size_t WaitFor(std::chrono::milliseconds limit);
  // Whether a job on that path is handed over and has not ended.
  bool IsPending(const std::string& path) const;
  // The oldest failure not yet taken ("path: why") of a path that begins
  // with `pathStart` (empty: any path), which is then forgotten; empty if
  // none. Only a path's latest job counts: a job that succeeds forgets the
  // failure of an earlier one on its path.
  std::string TakeError(const std::string& pathStart = std::string());

 private:
  // One piece of work on the disk.
  struct Job {
    std::string path;          // the file it is about
    Task task;                 // the work
    bool replaceable = false;  // a plain write, dropped for a newer one to its path
  };
  // The failure of a path's latest job.
  struct Failure {
    std::string path;  // the job's file
    std::string what;  // "path: why"
  };

  void Hand(Job job);
  void Run();
  // Keeps the outcome of the path's latest job; call with m_mutex held.
  void Settle(const std::string& path, bool done, std::string what);

  mutable std::mutex m_mutex;          // guards every member below but m_thread
  std::condition_variable m_wake;      // a job arrived, or the writer stops
  std::condition_variable m_ended;     // a job ended
  std::deque<Job> m_jobs;              // handed over, not begun
  std::string m_writing;               // path of the job running; empty: none
  bool m_running = false;              // a job is running
  std::vector<Failure> m_failures;     // failed jobs not yet taken, oldest first
  std::string m_cannotStart;           // why the thread could not start; empty: it runs
  bool m_stopping = false;             // the destructor waits for the thread
  std::thread m_thread;                // the writer, unless it could not start
};
