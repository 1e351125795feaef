#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Assert.h"

class CTank;

// Every tank on the battlefield, both teams, in the match's list order: the
// order tanks take their steps in and are looked for on a cell. Removing a
// tank moves the last one into its place, so the order changes as tanks are
// destroyed. Ids are team * 256 + slot.
class CTankOrder {
 public:
  // Walks the list, yielding each tank.
  class Iterator {
   public:
    Iterator(const CTankOrder* order, std::size_t index) : m_order(order), m_index(index) {}
    const CTank* operator*() const { return (*m_order)[m_index]; }
    Iterator& operator++() {
      ++m_index;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return m_index != other.m_index; }

   private:
    const CTankOrder* m_order;  // what is walked
    std::size_t m_index;        // the place reached
  };

  // The ids in order and each team's tanks by slot; all must outlive the view.
  CTankOrder(const std::vector<std::uint16_t>& ids, const CTank* green, const CTank* blue)
      : m_ids(ids), m_teams{green, blue} {}

  std::size_t size() const { return m_ids.size(); }
  bool empty() const { return m_ids.empty(); }
  // The tank at that place of the list; a place past its end stops the program.
  const CTank* operator[](std::size_t index) const {
    KV_ASSERT(index < m_ids.size());
    return &m_teams[m_ids[index] >> 8][m_ids[index] & 0xFF];
  }
  Iterator begin() const { return Iterator(this, 0); }
  Iterator end() const { return Iterator(this, m_ids.size()); }

 private:
  const std::vector<std::uint16_t>& m_ids;  // the list, as ids
  const CTank* m_teams[2];                  // each team's tanks by slot
};
