#include "core/scan/description_line.h"

namespace vendral {

std::size_t FindDescription(std::string_view bytes, bool at_line_start) {
  if (at_line_start && StartsWithDescription(bytes)) return 0;
  for (std::size_t from = 0;;) {
    const std::size_t mark = bytes.find(kDescriptionMark, from);
    if (mark == std::string_view::npos) return mark;
    std::size_t start = mark;
    while (start > 0 && bytes[start - 1] == '\r') --start;
    if (start > 0 && bytes[start - 1] == '\n') return start;
    from = mark + 1;
  }
}

}  // namespace vendral
