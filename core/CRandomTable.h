#pragma once

#include <array>
#include <cstdint>
#include <memory>

// A match's source of random numbers: a table of values from 0 to 32767
// filled from a generator seeded with a number, then read in turn. A draw is
// one masked increment and one read; the table repeats after mc_size draws.
// A value: copies share the entries (an entry changed by SetEntry is the
// copy's own from then on) and each has its own cursor, so a copied match
// draws as the original would, without touching it.
class CRandomTable {
 public:
  static constexpr std::uint32_t mc_size = 16384;
  static constexpr std::int32_t mc_maxValue = 32767;

  // Filled from a generator seeded with seed.
  explicit CRandomTable(std::uint32_t seed = 0);

  // Refills every entry from a generator seeded with seed and puts the cursor
  // back to 0, so that the next draw returns entry 1. The same seed gives the
  // same table on every machine.
  void Fill(std::uint32_t seed);
  // The next entry: the cursor moves on first, wrapping at the end.
  std::int32_t Next();
  // A value from 0 to n - 1 (n at least 1), from the next entry.
  std::int32_t Random(std::int32_t n);

  std::int32_t GetEntry(std::uint32_t index) const;
  // Replaces one entry (0 to 32767); for tests that need particular draws.
  void SetEntry(std::uint32_t index, std::int32_t value);
  std::uint32_t GetCursor() const { return m_cursor; }
  // Moves the cursor (taken modulo mc_size): a recorded game goes on from
  // where its draws stood.
  void SetCursor(std::uint32_t cursor) { m_cursor = cursor & (mc_size - 1); }
  // The seed of the last Fill: with the cursor it repeats every later draw.
  std::uint32_t GetSeed() const { return m_seed; }

 private:
  using Entries = std::array<std::int32_t, mc_size>;

  std::shared_ptr<const Entries> m_entries;  // values from 0 to 32767, shared by copies
  std::uint32_t m_cursor = 0;                // index of the entry drawn last
  std::uint32_t m_seed = 0;                  // what the entries were filled from
};
