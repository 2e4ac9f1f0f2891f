#include "core/tools/name_set.h"

#include <functional>

namespace vendral {
namespace {

constexpr std::uint64_t kIndexBits = 0xFFFFFFFF;

}  // namespace

std::uint64_t NameSet::HashOf(std::string_view name) { return std::hash<std::string_view>{}(name); }

std::size_t NameSet::SlotOf(std::string_view name, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  const std::uint64_t tag = hash >> 32 << 32;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const std::uint64_t entry = slots_[slot];
    if (entry == 0) return slot;
    if ((entry & ~kIndexBits) == tag &&
        NameAt(static_cast<std::uint32_t>((entry & kIndexBits) - 1)) == name) {
      return slot;
    }
  }
}

void NameSet::Grow() {
  std::vector<std::uint64_t> old;
  old.swap(slots_);
  slots_.assign(old.empty() ? 1024 : old.size() * 2, 0);
  for (const std::uint64_t entry : old) {
    if (entry == 0) continue;
    const std::uint64_t hash = HashOf(NameAt(static_cast<std::uint32_t>((entry & kIndexBits) - 1)));
    std::size_t slot = hash & (slots_.size() - 1);
    while (slots_[slot] != 0) slot = (slot + 1) & (slots_.size() - 1);
    slots_[slot] = entry;
  }
}

void NameSet::Add(std::string_view name) {
  // At most half full, so that a look-up meets a free slot soon.
  if ((count_ + 1) * 2 > slots_.size()) Grow();
  const std::uint64_t hash = HashOf(name);
  const std::size_t slot = SlotOf(name, hash);
  if (slots_[slot] != 0) return;  // listed twice
  bytes_.append(name);
  starts_.push_back(bytes_.size());
  slots_[slot] = (hash >> 32 << 32) | ++count_;
}

bool NameSet::Contains(std::string_view name) const {
  return !slots_.empty() && slots_[SlotOf(name, HashOf(name))] != 0;
}

}  // namespace vendral
