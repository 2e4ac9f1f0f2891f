// The cells of a composition CSV line, written straight into the output:
// the description line's cell, piece by piece as it is read, and after it
// the cells of the value with the line break.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/lines/line_file.h"
#include "core/text/value_text.h"

namespace vendral {
namespace composition_cells {

// 0x80 in each byte of word that is 0, and 0 in every other byte.
inline std::uint64_t ZeroBytes(std::uint64_t word) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
  return ~(((word & kLow7) + kLow7) | word | kLow7);
}

// Copies 8 bytes or more with every comma made a full stop, a word at a
// time (the last word overlaps the one before); false where they hold a
// CR, which the copy keeps.
inline bool CopyCellWords(std::string_view bytes, char* out) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  std::uint64_t crs = 0;
  const auto copy_word = [&](std::size_t at) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + at, sizeof word);
    crs |= ZeroBytes(word ^ (kOnes * '\r'));
    word += ZeroBytes(word ^ (kOnes * ',')) >> 6;  // 0x80 >> 6 is 2, which makes ',' a '.'
    std::memcpy(out + at, &word, sizeof word);
  };
  std::size_t at = 0;
  for (; at + 8 <= bytes.size(); at += 8) copy_word(at);
  if (at < bytes.size()) copy_word(bytes.size() - 8);
  return crs == 0;
}

// Copies a piece of a description line to out as the line's cell: every
// comma made a full stop, every CR left out. Returns how many bytes it
// stored; out needs room for the piece.
inline std::size_t CopyCell(std::string_view piece, char* out) {
  static_assert(',' + 2 == '.');
  if (piece.size() >= 8 && CopyCellWords(piece, out)) return piece.size();
  std::size_t size = 0;
  for (const char c : piece) {
    out[size] = c == ',' ? '.' : c;
    size += c != '\r';
  }
  return size;
}

}  // namespace composition_cells

// A piece of the description line into its cell, so that it stays one CSV
// cell: every comma made a full stop, every CR left out, a step at a time.
inline void WriteDescriptionPiece(LineFile& output, std::string_view piece) {
  if (piece.ends_with('\r')) piece.remove_suffix(1);  // mostly the one of a CR LF
  for (std::size_t step = 0; !piece.empty(); piece.remove_prefix(step)) {
    step = std::min(piece.size(), LineFile::kWriteRoom);
    output.Wrote(composition_cells::CopyCell(piece.substr(0, step), output.WriteRoom()));
  }
}

// The cells after the description and the line break: the percentage of
// hits in total, or "error: " for a record without counted characters.
inline void WriteValueCells(LineFile& output, PercentageTexts& percentages, std::int64_t hits,
                            std::int64_t total) {
  constexpr std::string_view kCellsBetween = ",,,";
  static_assert(kCellsBetween.size() + PercentageTexts::kTextRoom + 2 <= LineFile::kWriteRoom);
  char* out = output.WriteRoom();
  std::size_t size = 0;
  if (total == 0) {
    constexpr std::string_view kError = ",,,error: ";
    size = kError.copy(out, kError.size());
  } else {
    size = kCellsBetween.copy(out, kCellsBetween.size());
    size += percentages.CopyText(hits, total, out + size);
  }
  output.WroteLine(size);
}

}  // namespace vendral
