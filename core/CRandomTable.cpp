#include "core/CRandomTable.h"

#include <random>

#include "core/Assert.h"

CRandomTable::CRandomTable(std::uint32_t seed) { Fill(seed); }

void CRandomTable::Fill(std::uint32_t seed) {
  auto entries = std::make_shared<Entries>();
  std::mt19937 generator(seed);
  // The top 15 of the generator's 32 bits: evenly spread over 0 to 32767.
  for (std::int32_t& entry : *entries) entry = static_cast<std::int32_t>(generator() >> 17);
  m_entries = std::move(entries);
  m_cursor = 0;
  m_seed = seed;
}

std::int32_t CRandomTable::Next() {
  m_cursor = (m_cursor + 1) & (mc_size - 1);
  return (*m_entries)[m_cursor];
}

std::int32_t CRandomTable::Random(std::int32_t n) {
  KV_ASSERT(n >= 1);
  // 64 bits: the product of a draw and a large n does not fit in 32.
  return static_cast<std::int32_t>(static_cast<std::int64_t>(Next()) * n / (mc_maxValue + 1));
}

std::int32_t CRandomTable::GetEntry(std::uint32_t index) const {
  KV_ASSERT(index < mc_size);
  return (*m_entries)[index];
}

void CRandomTable::SetEntry(std::uint32_t index, std::int32_t value) {
  KV_ASSERT(index < mc_size);
  KV_ASSERT(value >= 0 && value <= mc_maxValue);
  auto entries = std::make_shared<Entries>(*m_entries);
  (*entries)[index] = value;
  m_entries = std::move(entries);
}
