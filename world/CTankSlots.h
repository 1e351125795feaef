#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Assert.h"

// A team's tanks by slot, as a match keeps them: one slot per tank created
// for the team, reading null once the tank is destroyed and taken off, so
// slot numbers never shift during a game. T is CTank or const CTank.
template <typename T>
class CTankSlots {
 public:
  // Walks the slots in order, null for a destroyed tank's.
  class Iterator {
   public:
    Iterator(const CTankSlots* slots, std::size_t slot) : m_slots(slots), m_slot(slot) {}
    T* operator*() const { return (*m_slots)[m_slot]; }
    Iterator& operator++() {
      ++m_slot;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return m_slot != other.m_slot; }

   private:
    const CTankSlots* m_slots;  // what is walked
    std::size_t m_slot;         // the slot reached
  };

  // The tanks and the flags of those still on the battlefield, by slot; both
  // must outlive the view.
  CTankSlots(T* tanks, const std::uint8_t* present, std::size_t count)
      : m_tanks(tanks), m_present(present), m_count(count) {}

  // Slots the team has: the tanks created for it.
  std::size_t size() const { return m_count; }
  bool empty() const { return m_count == 0; }
  // The slot's tank, or null once destroyed or for a slot the team does not have.
  T* operator[](std::size_t slot) const { return slot < m_count && m_present[slot] ? &m_tanks[slot] : nullptr; }
  // The same for a slot the team has; any other stops the program.
  T* at(std::size_t slot) const {
    KV_ASSERT(slot < m_count);
    return (*this)[slot];
  }
  Iterator begin() const { return Iterator(this, 0); }
  Iterator end() const { return Iterator(this, m_count); }

 private:
  T* m_tanks;                 // the team's tanks by slot
  const std::uint8_t* m_present;  // 1 while the slot's tank is on the battlefield
  std::size_t m_count;        // slots
};
