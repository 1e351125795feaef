#include "world/CCombatLog.h"

#include "core/Assert.h"

void CCombatLog::Add(const LogEvent& event) {
  m_events[m_next] = event;
  m_next = (m_next + 1) % mc_capacity;
  if (m_count < mc_capacity) ++m_count;
}

const LogEvent& CCombatLog::Newest(std::size_t age) const {
  KV_ASSERT(age < m_count);
  return m_events[(m_next + mc_capacity - 1 - age) % mc_capacity];
}
