#include "core/tools/name_set.h"

#include <bit>
#include <functional>

namespace vendral {
namespace {

constexpr std::uint64_t kIndexBits = 0xFFFFFFFF;

std::uint64_t TagOf(std::uint64_t hash) { return hash & ~kIndexBits; }

}  // namespace

std::uint64_t NameSet::HashOf(std::string_view name) { return std::hash<std::string_view>{}(name); }

std::size_t NameSet::SlotOf(std::string_view name, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const std::uint64_t entry = slots_[slot];
    if (entry == 0 || (TagOf(entry) == TagOf(hash) && NameAt((entry & kIndexBits) - 1) == name)) return slot;
  }
}

void NameSet::Add(std::string_view name) {
  bytes_.append(name);
  starts_.push_back(bytes_.size());
}

void NameSet::Seal() {
  slots_.assign(std::bit_ceil(2 * count() + 2), 0);
  distinct_ = 0;
  for (std::size_t index = 0; index < count(); ++index) {
    const std::string_view name = NameAt(index);
    const std::uint64_t hash = HashOf(name);
    std::uint64_t& entry = slots_[SlotOf(name, hash)];
    if (entry != 0) continue;  // listed twice
    entry = TagOf(hash) | (index + 1);
    ++distinct_;
  }
}

bool NameSet::Contains(std::string_view name) {
  if (next_ < count() && NameAt(next_) == name) {
    ++next_;
    return true;
  }
  const std::uint64_t entry = slots_[SlotOf(name, HashOf(name))];
  if (entry == 0) return false;
  next_ = entry & kIndexBits;  // the index after the name's
  return true;
}

}  // namespace vendral
