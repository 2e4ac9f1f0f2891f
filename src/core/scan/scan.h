// The byte scans: the loops that apply the line rules to whole stretches
// of raw bytes, 64 at a time, and the one place that knows the processor's
// vector units.
//
// Their words:
//   block             what a line file reads at a time (kBlockSize bytes).
//   stretch           the unread raw bytes of a block, CRs included, as
//                     LineFile::UnreadBytes hands them out; a scan applies
//                     the line rules to a whole stretch at once.
//   line start        the start of the source, or just after an LF; CRs
//                     are left out of every line, so CRs after a line
//                     start still stand at one.
//   piece             a part of one line, CRs left out, as
//                     LineFile::ReadLinePiece hands it out: a line of any
//                     length is read piece by piece.
//   description line  a line that begins with ">" (description_line.h).
//   marked line       one that starts with ">" or a CR: in raw bytes it
//                     may be a description line.
//   plain lines       whole lines, each ended by LF, whose first byte is
//                     above the space and no ">": neither blank nor
//                     description lines, whatever follows, so their rules
//                     need no look at each line. Most sequence lines are.
//   run               sequence bytes counted from the masks alone, up to
//                     a stop: a description line, a CR at a line start,
//                     or a blank or control character other than a break.
//   chunk, lane       64 bytes looked at as one; each byte is a lane.
//   mask              64 bits for a chunk, bit i for lane i (the first
//                     byte in the lowest bit), set where the byte is of a
//                     byte class (a line feed, a CR, up to the space, ">",
//                     letters: byte_classes.h).
//   batch             chunks classified together, so that the rules walk
//                     over masks without going over the bytes again.
//   vector unit       how the processor tests many bytes at once (SSE2,
//                     AVX2), or plain C++ without vectors. Every loop is
//                     written once and built for each unit, and the best
//                     copy that the processor runs is chosen once
//                     (dispatch.h).
//
// The room:
//   description_line.h  the description-line rule
//   byte_classes.h      the byte classes, each plain test beside its vector tests
//   chunk_masks.h       a chunk's mask of a byte class, for each vector unit
//   byte_lanes.h        counting bytes of a class in vector lanes, for each unit
//   dispatch.h          the vector units, which one runs, and the copies of a loop
//   line_stretch.h      the line rules over a stretch: plain lines, line copies
//   letter_count.h      the composition tools' counts and chunk classes
// Another vector unit (arm64's NEON) is added in dispatch.h, byte_classes.h,
// chunk_masks.h and byte_lanes.h; the loops stay as they are.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vendral {

inline constexpr std::size_t kChunkBytes = 64;

// The lanes below lane `count`, for a count below 64.
constexpr std::uint64_t LanesBelow(std::size_t count) { return (std::uint64_t{1} << count) - 1; }

// The lanes from lane `first` on, for a first lane up to 64.
constexpr std::uint64_t LanesFrom(std::size_t first) { return first >= 64 ? 0 : ~std::uint64_t{0} << first; }

}  // namespace vendral
