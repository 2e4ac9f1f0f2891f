// A set of names for Listrel by name: millions of them in memory about
// their own size (one buffer of their bytes, and two small integers per
// name), with a look-up that compares bytes only on a hash match.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vendral {

class NameSet {
 public:
  void Add(std::string_view name);
  bool Contains(std::string_view name) const;
  std::size_t size() const { return count_; }

 private:
  static std::uint64_t HashOf(std::string_view name);
  std::string_view NameAt(std::uint32_t index) const {
    return std::string_view(bytes_).substr(starts_[index], starts_[index + 1] - starts_[index]);
  }
  // The slot that holds name, or the free slot where it would go.
  std::size_t SlotOf(std::string_view name, std::uint64_t hash) const;
  void Grow();

  std::string bytes_;                     // every name, one after another
  std::vector<std::uint64_t> starts_{0};  // where each name starts in bytes_, and the end
  // Open addressing: 1 + the index of a name, or 0 for a free slot; the
  // upper half of each entry holds bits of the name's hash.
  std::vector<std::uint64_t> slots_;
  std::size_t count_ = 0;
};

}  // namespace vendral
