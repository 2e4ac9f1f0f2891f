// The line rules of a reading line file, byte by byte and nothing else:
// the reference that the fuzz targets hold the real readers against.
// LF and CR LF end a line, any other CR is dropped, byte 26 ends the input,
// the end of the file ends the last line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vendral::fuzz {

class ReferenceLineReader {
 public:
  explicit ReferenceLineReader(std::string_view bytes);

  bool AtEnd() const { return next_ >= bytes_.size(); }
  // The next line; empty once the end is met.
  std::string ReadLine();

 private:
  std::string_view bytes_;  // up to byte 26
  std::size_t next_ = 0;
};

// Every line of a file, as a reader that reads until AtEnd gets them.
std::vector<std::string> ReferenceLines(std::string_view bytes);

// Empty, or of characters up to the space only.
bool IsBlankLine(std::string_view line);

}  // namespace vendral::fuzz
