#include "core/tools/skipping_composition.h"

#include <array>
#include <cstdint>

#include "core/scan/description_line.h"
#include "core/text/value_text.h"
#include "core/tools/composition_cells.h"

namespace vendral {
namespace {

enum ByteClass : std::uint8_t {
  kHit = 1,         // a letter of the mode, in either case, and not skipped
  kCounted = 2,     // in the total, where the line's trimming leaves it
  kAboveSpace = 4,  // ends the trimming of the line's start and end
};

using ByteClasses = std::array<std::uint8_t, 256>;

ByteClasses ClassesOf(std::string_view letters, std::string_view skipped) {
  ByteClasses classes{};
  for (int c = 0; c < 256; ++c) {
    const auto byte = static_cast<char>(c);
    const char upper = byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte;
    const bool skip = skipped.find(byte) != std::string_view::npos;
    classes[c] =
        static_cast<std::uint8_t>((c > ' ' ? kAboveSpace : 0) | (skip ? 0 : kCounted) |
                                  (!skip && letters.find(upper) != std::string_view::npos ? kHit : 0));
  }
  return classes;
}

// The counts of one record, its sequence lines taken piece by piece: a
// line counts the characters from its first to its last above the space,
// but the skipped ones.
class SkippingCounts {
 public:
  explicit SkippingCounts(const ByteClasses& classes) : classes_(classes) {}

  void Add(std::string_view piece) {
    for (const char c : piece) {
      const std::uint8_t byte_class = classes_[static_cast<unsigned char>(c)];
      hits_ += byte_class & kHit;
      if (byte_class & kAboveSpace) {
        line_ += blanks_ + ((byte_class & kCounted) != 0);
        blanks_ = 0;
        in_line_ = true;
      } else if (in_line_ && (byte_class & kCounted)) {
        ++blanks_;  // counts once a character above the space follows
      }
    }
  }
  void EndLine() {
    total_ += line_;
    line_ = blanks_ = 0;
    in_line_ = false;
  }
  void WriteAndReset(LineFile& output, PercentageTexts& percentages, RunRecord& record) {
    EndLine();
    WriteValueCells(output, percentages, hits_, total_);
    hits_ = total_ = 0;
    ++record.records_read;
    ++record.records_written;
  }

 private:
  const ByteClasses& classes_;
  std::int64_t hits_ = 0;
  std::int64_t total_ = 0;
  std::int64_t line_ = 0;    // the counted characters of the line up to its last above the space
  std::int64_t blanks_ = 0;  // counted blanks after that, not yet known to be inside the line
  bool in_line_ = false;     // a character above the space has been met in the line
};

}  // namespace

bool CountRecordsSkipping(LineFile& source, LineFile& output, std::string_view letters,
                          std::string_view skipped, char decimal_symbol, RunRecord& record) {
  const ByteClasses classes = ClassesOf(letters, skipped);
  PercentageTexts percentages(decimal_symbol);
  SkippingCounts counts(classes);
  bool in_record = false;
  bool in_description = false;
  bool at_line_start = true;
  while (!source.AtEnd()) {
    bool line_ended = false;
    const std::string_view piece = source.ReadLinePiece(line_ended);
    if (at_line_start && piece.starts_with(kDescriptionMark)) {
      if (in_record) counts.WriteAndReset(output, percentages, record);
      in_record = in_description = true;
    }
    if (in_description) {
      WriteDescriptionPiece(output, piece);
    } else if (in_record) {
      counts.Add(piece);
      if (line_ended) counts.EndLine();
    }
    if (line_ended) in_description = false;
    at_line_start = line_ended;
  }
  if (in_record) counts.WriteAndReset(output, percentages, record);
  return in_record;
}

}  // namespace vendral
