#include "core/CHeldStderr.h"

#include <unistd.h>

namespace {
constexpr int kStderr = 2;
}

CHeldStderr::CHeldStderr() {
  std::fflush(stderr);
  m_held = std::tmpfile();
  if (!m_held) return;  // then the messages show, and nothing else changes
  m_savedStderr = dup(kStderr);
  if (m_savedStderr >= 0) dup2(fileno(m_held), kStderr);
}

CHeldStderr::~CHeldStderr() {
  const std::string held = Release();
  std::fputs(held.c_str(), stderr);
}

std::string CHeldStderr::Release() {
  std::string held;
  if (m_savedStderr >= 0) {
    std::fflush(stderr);
    dup2(m_savedStderr, kStderr);
    close(m_savedStderr);
    m_savedStderr = -1;
    std::rewind(m_held);
    char buffer[512];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, m_held)) > 0;) held.append(buffer, got);
  }
  if (m_held) std::fclose(m_held);
  m_held = nullptr;
  return held;
}
