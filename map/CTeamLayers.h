#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>

// One layer of per-cell values for each team, each a flat array in the map's
// row-major order. Tests as true when every team's array exists, so that the
// map can check a layer's presence by its name.
template <typename T, std::size_t N>
class CTeamLayers {
 public:
  explicit operator bool() const {
    for (const auto& layer : m_layers) {
      if (!layer) return false;
    }
    return true;
  }
  std::unique_ptr<T[]>& operator[](std::size_t team) { return m_layers[team]; }
  const std::unique_ptr<T[]>& operator[](std::size_t team) const { return m_layers[team]; }

  // Sets the first `cells` values of every present array.
  void Fill(std::size_t cells, T value) {
    for (auto& layer : m_layers) {
      if (layer) std::fill_n(layer.get(), cells, value);
    }
  }
  void Release() {
    for (auto& layer : m_layers) layer.reset();
  }

 private:
  std::unique_ptr<T[]> m_layers[N];  // one array per team, or null before Init and after Free
};
