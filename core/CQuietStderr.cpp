#include "core/CQuietStderr.h"

#include <fcntl.h>

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define KV_DUP _dup
#define KV_DUP2 _dup2
#define KV_CLOSE _close
#define KV_OPEN _open
#define KV_NULL_DEVICE "NUL"
#else
#include <unistd.h>
#define KV_DUP dup
#define KV_DUP2 dup2
#define KV_CLOSE close
#define KV_OPEN open
#define KV_NULL_DEVICE "/dev/null"
#endif

namespace {
constexpr int kStderr = 2;
}

CQuietStderr::CQuietStderr() : m_savedStderr(-1) {
  std::fflush(stderr);
  const int nowhere = KV_OPEN(KV_NULL_DEVICE, O_WRONLY);
  if (nowhere < 0) return;  // then the messages show, and nothing else changes
  m_savedStderr = KV_DUP(kStderr);
  if (m_savedStderr >= 0) KV_DUP2(nowhere, kStderr);
  KV_CLOSE(nowhere);
}

CQuietStderr::~CQuietStderr() {
  if (m_savedStderr < 0) return;
  std::fflush(stderr);
  KV_DUP2(m_savedStderr, kStderr);
  KV_CLOSE(m_savedStderr);
}
