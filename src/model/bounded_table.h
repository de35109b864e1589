#pragma once

// Fixed-size parameter tables with guarded indexing: a read outside a table
// yields the element's zero value and a write outside it is dropped, so a
// channel, band or filter index that came from a file, a reply or a timer
// identifier can never reach past the storage.

#include <cstddef>
#include <type_traits>

namespace dsp::table {

// The element at table[index][next]..., or nullptr when any index is outside.
template <typename Array>
auto* Slot(Array& table, int index) {
  using Element = std::remove_reference_t<decltype(table[0])>;
  if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return static_cast<Element*>(nullptr);
  return &table[static_cast<std::size_t>(index)];
}

template <typename Array, typename... Rest>
auto* Slot(Array& table, int index, int next, Rest... rest) {
  auto* inner = Slot(table, index);
  using Result = decltype(Slot(*inner, next, rest...));
  return inner ? Slot(*inner, next, rest...) : Result{nullptr};
}

template <typename Table, typename... Index>
auto Get(const Table& table, Index... index) {
  const auto* slot = Slot(table, index...);
  return slot ? *slot : std::remove_cvref_t<decltype(*slot)>{};
}

template <typename Table, typename Value, typename... Index>
void Set(Table& table, Value value, Index... index) {
  if (auto* slot = Slot(table, index...)) *slot = value;
}

}  // namespace dsp::table
