#include "core/scan/line_stretch.h"

#include <bit>
#include <cstring>

#include "core/scan/byte_classes.h"
#include "core/scan/chunk_masks.h"
#include "core/scan/description_line.h"
#include "core/scan/dispatch.h"
#include "core/scan/scan.h"

namespace vendral {
namespace {

using scan::ChunkMasks;
using scan::VectorUnit;

// The stretch is looked at a chunk at a time: a 60-column line then takes
// one step. Each loop is built for every vector unit (dispatch.h).
struct LeadingPlainLinesLoop {
  template <VectorUnit kUnit>
  static PlainLines Run(std::string_view bytes);
};

struct CopyLinesLoop {
  template <VectorUnit kUnit>
  static std::size_t Run(std::string_view bytes, char* out, std::size_t room, LineBreaks breaks, MarkedLines marked,
                         std::size_t& written);
};

// Whether a line that starts with this byte may be plain: the byte is
// above the space, and no ">".
bool StartsPlainLine(char first) { return !scan::UpToSpaceOrMark::Hit(static_cast<unsigned char>(first)); }

template <VectorUnit kUnit>
PlainLines LeadingPlainLinesLoop::Run(std::string_view bytes) {
  using Masks = ChunkMasks<kUnit>;
  std::int64_t line_feeds = 0;  // in the chunks before `at`
  std::int64_t carriage_returns = 0;
  std::uint64_t after_line_feed = 1;  // the byte before the chunk ends a line: the stretch starts one
  // The last chunk with an LF before the first bad byte: where the plain lines end.
  struct {
    std::size_t at = 0;
    std::uint64_t line_feeds = 0, carriage_returns = 0;  // its good lanes
    std::int64_t line_feeds_before = 0, carriage_returns_before = 0;
  } last;
  for (std::size_t at = 0; at < bytes.size(); at += kChunkBytes) {
    const char* chunk = bytes.data() + at;
    std::uint64_t valid = ~std::uint64_t{0};
    char last_bytes[kChunkBytes];
    if (const std::size_t left = bytes.size() - at; left < kChunkBytes) {
      chunk = scan::CopyShortChunk(chunk, left, last_bytes);
      valid = LanesBelow(left);
    }
    const std::uint64_t lf = Masks::template Mask<scan::LineFeed>(chunk) & valid;
    const std::uint64_t special = Masks::template Mask<scan::UpToSpaceOrMark>(chunk) & valid;
    const std::uint64_t line_starts = lf << 1 | after_line_feed;
    // A line that starts with a byte up to the space (an LF or a CR among
    // them) or with ">" may be blank or a description line.
    const std::uint64_t bad = ~valid | (line_starts & special);
    // Only a chunk with other special bytes than LFs can hold a CR.
    const std::uint64_t cr = (special & ~lf) == 0 ? 0 : Masks::template Mask<scan::CarriageReturn>(chunk) & valid;
    // The lanes before the first bad one.
    const std::uint64_t good = bad == 0 ? ~std::uint64_t{0} : (bad & (0 - bad)) - 1;
    if ((lf & good) != 0) last = {at, lf & good, cr & good, line_feeds, carriage_returns};
    if (bad != 0) break;
    line_feeds += std::popcount(lf);
    carriage_returns += std::popcount(cr);
    after_line_feed = lf >> 63;
  }
  PlainLines plain;
  if (last.line_feeds == 0) return plain;
  const int last_lane = 63 - std::countl_zero(last.line_feeds);
  plain.size = last.at + static_cast<std::size_t>(last_lane) + 1;
  plain.line_feeds = last.line_feeds_before + std::popcount(last.line_feeds);
  // CRs after the last LF belong to a line that is not in the run.
  const std::uint64_t kept = last_lane == 63 ? ~std::uint64_t{0} : LanesBelow(static_cast<std::size_t>(last_lane) + 1);
  plain.carriage_returns = last.carriage_returns_before + std::popcount(last.carriage_returns & kept);
  return plain;
}

template <VectorUnit kUnit>
std::size_t CopyLinesLoop::Run(std::string_view bytes, char* out, std::size_t room, LineBreaks breaks,
                               MarkedLines marked, std::size_t& written) {
  using Masks = ChunkMasks<kUnit>;
  const bool crlf = breaks == LineBreaks::kCrLf;
  const bool stop_before_marks = marked == MarkedLines::kStopBefore;
  char* to = out;
  bool at_mark = false;
  // Each step stores a whole chunk and moves on to the first CR or LF in it.
  const auto copy = [&](const char* from, const char* end, bool whole_chunks) {
    while (static_cast<std::size_t>(to - out) + kLineCopySlack <= room) {
      const auto left = static_cast<std::size_t>(end - from);
      if (whole_chunks ? left < kChunkBytes : left == 0) break;
      std::uint64_t stops = Masks::template Mask<scan::CarriageReturn>(from);
      if (crlf || stop_before_marks) stops |= Masks::template Mask<scan::LineFeed>(from);
      if (left < kChunkBytes) stops &= LanesBelow(left);
      std::memcpy(to, from, kChunkBytes);
      if (stops == 0) {
        const std::size_t step = left < kChunkBytes ? left : kChunkBytes;
        from += step;
        to += step;
        continue;
      }
      const int stop = std::countr_zero(stops);
      if (from[stop] == '\r') {  // left out
        from += stop + 1;
        to += stop;
      } else {  // an LF, with a CR before it where the breaks are CR LF
        const int lf_at = crlf ? stop + 1 : stop;
        to[stop] = '\r';
        to[lf_at] = '\n';
        from += stop + 1;
        to += lf_at + 1;
        if (stop_before_marks && from < end && StartsMarkedLine(*from)) {
          at_mark = true;
          break;
        }
      }
    }
    return from;
  };
  const char* from = copy(bytes.data(), bytes.data() + bytes.size(), true);
  const auto left = static_cast<std::size_t>(bytes.data() + bytes.size() - from);
  if (left > 0 && left < kChunkBytes && !at_mark) {  // else the room is used up, or a marked line is next
    // The last bytes are copied out, so that whole chunks can be loaded.
    char last_bytes[2 * kChunkBytes] = {};
    std::memcpy(last_bytes, from, left);
    from += copy(last_bytes, last_bytes + left, false) - last_bytes;
  }
  written = static_cast<std::size_t>(to - out);
  return static_cast<std::size_t>(from - bytes.data());
}

}  // namespace

PlainLines LeadingPlainLines(std::string_view bytes) {
  // A run of one plain line that a description line follows, the whole
  // text of a short read, is told by two searches.
  if (!bytes.empty() && StartsPlainLine(bytes[0])) {
    const std::size_t lf = bytes.find('\n');
    if (lf != std::string_view::npos && lf + 1 < bytes.size() && bytes[lf + 1] == kDescriptionMark) {
      const std::size_t break_cr = bytes[lf - 1] == '\r' ? 1 : 0;
      if (bytes.substr(0, lf - break_cr).find('\r') == std::string_view::npos) {
        return {lf + 1, 1, static_cast<std::int64_t>(break_cr)};
      }
    }
  }
  static const auto loop = scan::LoopCopies<LeadingPlainLinesLoop, PlainLines, std::string_view>::Best();
  return loop(bytes);
}

std::size_t CopyLines(std::string_view bytes, char* out, std::size_t room, LineBreaks breaks, MarkedLines marked,
                      std::size_t& written) {
  static const auto loop = scan::LoopCopies<CopyLinesLoop, std::size_t, std::string_view, char*, std::size_t,
                                            LineBreaks, MarkedLines, std::size_t&>::Best();
  return loop(bytes, out, room, breaks, marked, written);
}

}  // namespace vendral
