#include "core/CAsyncFileWriter.h"

#include <algorithm>
#include <utility>

#include "core/AtomicFile.h"

CAsyncFileWriter::~CAsyncFileWriter() {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_stopping = true;
  }
  m_wake.notify_one();
  if (m_thread.joinable()) m_thread.join();
}

void CAsyncFileWriter::Write(std::string path, std::string bytes) {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto same = std::find_if(m_jobs.begin(), m_jobs.end(), [&](const Job& job) { return job.path == path; });
    if (same != m_jobs.end()) {
      same->bytes = std::move(bytes);
    } else {
      m_jobs.push_back({std::move(path), std::move(bytes)});
    }
    if (!m_thread.joinable()) m_thread = std::thread(&CAsyncFileWriter::Run, this);
  }
  m_wake.notify_one();
}

void CAsyncFileWriter::Wait() {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_ended.wait(lock, [this] { return m_jobs.empty() && m_writing.empty(); });
}

bool CAsyncFileWriter::IsPending(const std::string& path) const {
  const std::lock_guard<std::mutex> lock(m_mutex);
  return m_writing == path || std::any_of(m_jobs.begin(), m_jobs.end(), [&](const Job& job) { return job.path == path; });
}

std::string CAsyncFileWriter::TakeError() {
  const std::lock_guard<std::mutex> lock(m_mutex);
  return std::exchange(m_error, std::string());
}

void CAsyncFileWriter::Run() {
  std::unique_lock<std::mutex> lock(m_mutex);
  for (;;) {
    m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
    // Stopping still writes what was handed over: the game quits after its last save.
    if (m_jobs.empty()) return;
    Job job = std::move(m_jobs.front());
    m_jobs.pop_front();
    m_writing = job.path;
    lock.unlock();
    std::string error;
    const bool written = WriteFileAtomically(job.path, job.bytes, &error);
    lock.lock();
    if (!written && m_error.empty()) m_error = job.path + ": " + error;
    m_writing.clear();
    m_ended.notify_all();
  }
}
