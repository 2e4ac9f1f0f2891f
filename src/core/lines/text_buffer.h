// A byte string for record texts that may be gigabytes long. It grows with
// realloc, which moves a large block by remapping its pages instead of
// copying them, so a text is never held twice while it grows (a
// std::string copies into new storage, briefly doubling the memory).
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

namespace vendral {

class TextBuffer {
 public:
  TextBuffer() = default;
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;
  ~TextBuffer() { std::free(data_); }

  std::string_view view() const { return {data_, size_}; }
  std::size_t size() const { return size_; }
  void clear() { size_ = 0; }

  void append(std::string_view bytes) {
    if (bytes.size() > capacity_ - size_) Grow(bytes.size());
    if (!bytes.empty()) std::memcpy(data_ + size_, bytes.data(), bytes.size());
    size_ += bytes.size();
  }
  void push_back(char c) { append(std::string_view(&c, 1)); }
  // Room for `more` bytes after the text, for a caller that writes them in
  // place; Extend then takes the bytes it wrote into the text.
  char* Reserve(std::size_t more) {
    if (more > capacity_ - size_) Grow(more);
    return data_ + size_;
  }
  void Extend(std::size_t size) { size_ += size; }

 private:
  void Grow(std::size_t more) {
    std::size_t capacity = capacity_ < 4096 ? 4096 : capacity_ + capacity_ / 2;
    if (capacity - size_ < more) capacity = size_ + more;
    auto* data = static_cast<char*>(std::realloc(data_, capacity));
    if (!data) throw std::bad_alloc();
    data_ = data;
    capacity_ = capacity;
  }

  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace vendral
