#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

// Writes whole files atomically on a thread of its own, so that the game does
// not wait for the disk at a turn end. Writes run in the order handed over; a
// write not yet begun is replaced by a newer one to the same file, since only
// the newest bytes matter. The thread starts with the first write, and the
// destructor finishes every write handed over before it returns.
class CAsyncFileWriter {
 public:
  CAsyncFileWriter() = default;
  ~CAsyncFileWriter();
  CAsyncFileWriter(const CAsyncFileWriter&) = delete;
  CAsyncFileWriter& operator=(const CAsyncFileWriter&) = delete;

  // Hands the file's new bytes over.
  void Write(std::string path, std::string bytes);
  // Returns when every write handed over has ended.
  void Wait();
  // Whether a write to that path is handed over and has not ended.
  bool IsPending(const std::string& path) const;
  // The first write that failed since the last call ("path: why"); empty if none.
  std::string TakeError();

 private:
  // One file to write.
  struct Job {
    std::string path;   // where
    std::string bytes;  // the whole new content
  };

  void Run();

  mutable std::mutex m_mutex;          // guards every member below but m_thread
  std::condition_variable m_wake;      // a job arrived, or the writer stops
  std::condition_variable m_ended;     // a job ended
  std::deque<Job> m_jobs;              // handed over, not begun
  std::string m_writing;               // path of the job being written; empty: none
  std::string m_error;                 // first failure not yet taken
  bool m_stopping = false;             // the destructor waits for the thread
  std::thread m_thread;                // the writer, once started
};
