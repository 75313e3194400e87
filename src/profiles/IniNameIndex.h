#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

// Numbers names in the order they are first added, finding a name again ignoring ASCII
// case (as IniNamesEqual). A flat open-addressing table: one allocation that grows by
// doubling, no node per name, so that large files are indexed in linear time. The views
// must outlive the index.
class TIniNameIndex {
 public:
  void Reserve(std::size_t names);

  // The name's number and true when it is new (numbers count from 0), or the number it
  // got when an equal name was added first, and false.
  std::pair<std::size_t, bool> Add(std::string_view name);

 private:
  struct TSlot {
    std::uint32_t Hash = 0;
    std::uint32_t NumberPlusOne = 0;  // 0: empty slot
  };

  void Rehash(std::size_t slotCount);
  std::size_t SlotFor(std::uint32_t hash, std::string_view name) const;

  std::vector<std::string_view> names_;
  std::vector<TSlot> slots_;
};
