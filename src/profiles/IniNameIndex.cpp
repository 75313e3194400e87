#include "IniNameIndex.h"

#include "IniText.h"

namespace {

// FNV-1a over the bytes with ASCII letters folded to lower case.
std::uint32_t FoldedHash(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (char c : name) {
    hash ^= static_cast<unsigned char>(FoldedIniChar(c));
    hash *= 16777619u;
  }
  return hash;
}

// Slots are kept at most half full.
constexpr std::size_t kFirstSlotCount = 16;

std::size_t SlotCountFor(std::size_t names) {
  std::size_t count = kFirstSlotCount;
  while (count < names * 2) count *= 2;
  return count;
}

}  // namespace

void TIniNameIndex::Reserve(std::size_t names) {
  names_.reserve(names);
  if (SlotCountFor(names) > slots_.size()) Rehash(SlotCountFor(names));
}

std::size_t TIniNameIndex::SlotFor(std::uint32_t hash, std::string_view name) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const TSlot& s = slots_[slot];
    if (s.NumberPlusOne == 0) return slot;
    if (s.Hash == hash && IniNamesEqual(names_[s.NumberPlusOne - 1], name)) return slot;
  }
}

void TIniNameIndex::Rehash(std::size_t slotCount) {
  std::vector<TSlot> old = std::move(slots_);
  slots_.assign(slotCount, TSlot{});
  const std::size_t mask = slotCount - 1;
  for (const TSlot& s : old) {
    if (s.NumberPlusOne == 0) continue;
    std::size_t slot = s.Hash & mask;
    while (slots_[slot].NumberPlusOne != 0) slot = (slot + 1) & mask;
    slots_[slot] = s;
  }
}

std::pair<std::size_t, bool> TIniNameIndex::Add(std::string_view name) {
  if ((names_.size() + 1) * 2 > slots_.size()) Rehash(SlotCountFor(names_.size() + 1));
  const std::uint32_t hash = FoldedHash(name);
  TSlot& slot = slots_[SlotFor(hash, name)];
  if (slot.NumberPlusOne != 0) return {slot.NumberPlusOne - 1, false};
  names_.push_back(name);
  slot = TSlot{hash, static_cast<std::uint32_t>(names_.size())};
  return {names_.size() - 1, true};
}
