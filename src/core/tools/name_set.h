// A set of names for Listrel by name: millions of them in memory about
// their own size (one buffer of their bytes, and two small integers per
// name), with a look-up that compares bytes only on a hash match. Names
// are all added first, then looked up.
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
  // Builds the look-up table, once every name has been added.
  void Seal();
  // Names are mostly looked up in the order in which they were added (a
  // list taken from the same file): the name after the last one found is
  // tried before the table.
  bool Contains(std::string_view name);
  // How many different names there are, once sealed.
  std::size_t size() const { return distinct_; }

 private:
  static std::uint64_t HashOf(std::string_view name);
  std::size_t count() const { return starts_.size() - 1; }
  std::string_view NameAt(std::size_t index) const {
    return std::string_view(bytes_).substr(starts_[index], starts_[index + 1] - starts_[index]);
  }
  // The slot that holds name, or the free slot where it would go.
  std::size_t SlotOf(std::string_view name, std::uint64_t hash) const;

  std::string bytes_;                     // every name, one after another, in the order added
  std::vector<std::uint64_t> starts_{0};  // where each name starts in bytes_, and the end
  // Open addressing, at most half full: 1 + the index of a name, or 0 for
  // a free slot; the upper half of each entry holds bits of its hash.
  std::vector<std::uint64_t> slots_;
  std::size_t distinct_ = 0;
  std::size_t next_ = 0;  // the index after the last name found
};

}  // namespace vendral
