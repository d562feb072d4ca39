// The two constant element tables of the chemistry commands: molar masses in
// single precision and electronegativities in double precision, each looked up
// by symbol byte for byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "console/ascii.h"

template <typename Value>
struct ElementEntry {
  std::string_view symbol;
  Value value;
};

// A fixed list of elements with a direct index by symbol, so a lookup costs
// the same whatever the symbol. Symbols are one capital ASCII letter,
// optionally followed by one small ASCII letter; a text of any other shape
// (another case, a blank, a third byte) is simply not found. The list is
// checked when the program is compiled: a malformed or repeated symbol does
// not build.
template <typename Value, std::size_t size>
class ElementTable {
 public:
  consteval explicit ElementTable(const std::array<ElementEntry<Value>, size>& entries)
      : entries_(entries) {
    static_assert(size < absent, "the index holds entry positions in one byte");
    slots_.fill(absent);
    for (std::size_t position = 0; position < size; ++position) {
      std::size_t slot = slotOf(entries[position].symbol);
      if (slot == noSlot || slots_[slot] != absent)
        throw "element symbols must be well formed and unique";
      slots_[slot] = static_cast<std::uint8_t>(position);
    }
  }

  // The value listed for exactly `symbol`, if any.
  std::optional<Value> find(std::string_view symbol) const {
    std::size_t slot = slotOf(symbol);
    if (slot == noSlot || slots_[slot] == absent)
      return std::nullopt;
    return entries_[slots_[slot]].value;
  }

  // The entries in list order.
  std::span<const ElementEntry<Value>> entries() const { return entries_; }

 private:
  static constexpr std::uint8_t absent = 0xFF;
  static constexpr std::size_t lettersPerRow = 27;  // No small letter, then a to z.
  static constexpr std::size_t noSlot = 26 * lettersPerRow;

  static constexpr std::size_t slotOf(std::string_view symbol) {
    if (symbol.empty() || symbol.size() > 2 || !isAsciiUpper(symbol[0]))
      return noSlot;
    std::size_t row = static_cast<std::size_t>(symbol[0] - 'A') * lettersPerRow;
    if (symbol.size() == 1)
      return row;
    if (!isAsciiLower(symbol[1]))
      return noSlot;
    return row + 1 + static_cast<std::size_t>(symbol[1] - 'a');
  }

  std::array<ElementEntry<Value>, size> entries_;
  std::array<std::uint8_t, noSlot> slots_{};
};

// Molar masses in grams per mole. All arithmetic on them starts from these
// single-precision values, not from the decimals they were written as.
using MolarMassTable = ElementTable<float, 95>;

// Electronegativities of main-group elements.
using ElectronegativityTable = ElementTable<double, 35>;

const MolarMassTable& molarMassTable();
const ElectronegativityTable& electronegativityTable();
