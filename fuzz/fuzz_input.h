// A fuzz input taken apart from the front: a few choice bytes, then texts.
// Reading past the end gives zero bytes and empty texts, so every input is
// a valid case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vendral::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }

  // Up to size bytes.
  std::string_view Bytes(std::size_t size) {
    const std::string_view taken = rest_.substr(0, size);
    rest_.remove_prefix(taken.size());
    return taken;
  }

  // The bytes up to the next LF, which is passed over.
  std::string_view Line() {
    const std::size_t lf = rest_.find('\n');
    const std::string_view line = rest_.substr(0, lf);
    rest_.remove_prefix(lf == std::string_view::npos ? rest_.size() : lf + 1);
    return line;
  }

  std::string_view Rest() { return Bytes(rest_.size()); }

 private:
  std::string_view rest_;
};

}  // namespace vendral::fuzz
