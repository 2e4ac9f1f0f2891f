#include "core/scan/line_stretch.h"

#include <bit>
#include <cstring>

#include "core/scan/description_line.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#include <immintrin.h>
#define VENDRAL_SSE2 1
#if defined(__GNUC__) && defined(__x86_64__)
#define VENDRAL_AVX2 1
#endif
#endif

namespace vendral {

namespace {

// The stretch is looked at 64 bytes at a time, as bit masks with one bit
// for each byte (the first byte in the lowest bit): a 60-column line then
// takes one step.
constexpr std::size_t kChunk = 64;

// The classes of bytes that the line rules look for.
enum class ByteClass {
  kLineFeed,
  kCarriageReturn,
  kUpToSpace,  // the blank and control characters, breaks among them
  kMark,       // ">"
  kSpecial,    // up to the space or ">": in a plain line, only its break
};

// The lanes below lane `count`, for a count below 64.
std::uint64_t LanesBelow(std::size_t count) { return (std::uint64_t{1} << count) - 1; }

// Each way of making masks gives the mask of one class for a chunk; the
// loops ask only for the classes they need.
struct ScalarMasks {
  template <ByteClass kClass>
  static bool Hit(unsigned char c) {
    if constexpr (kClass == ByteClass::kLineFeed) return c == '\n';
    if constexpr (kClass == ByteClass::kCarriageReturn) return c == '\r';
    if constexpr (kClass == ByteClass::kUpToSpace) return c <= ' ';
    if constexpr (kClass == ByteClass::kMark) return c == kDescriptionMark;
    if constexpr (kClass == ByteClass::kSpecial) return c <= ' ' || c == kDescriptionMark;
  }
  template <ByteClass kClass>
  static std::uint64_t Mask(const char* data) {
    std::uint64_t mask = 0;
    for (std::size_t i = 0; i < kChunk; ++i) mask |= std::uint64_t{Hit<kClass>(static_cast<unsigned char>(data[i]))} << i;
    return mask;
  }
};

#ifdef VENDRAL_SSE2
struct Sse2Masks {
  template <ByteClass kClass>
  static __m128i Hits(__m128i bytes) {
    if constexpr (kClass == ByteClass::kLineFeed) return _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'));
    if constexpr (kClass == ByteClass::kCarriageReturn) return _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'));
    if constexpr (kClass == ByteClass::kUpToSpace) return _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(' ')), bytes);
    if constexpr (kClass == ByteClass::kMark) return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(kDescriptionMark));
    if constexpr (kClass == ByteClass::kSpecial) {
      return _mm_or_si128(Hits<ByteClass::kUpToSpace>(bytes), Hits<ByteClass::kMark>(bytes));
    }
  }
  template <ByteClass kClass>
  static std::uint64_t Mask(const char* data) {
    std::uint64_t mask = 0;
    for (int i = 0; i < 4; ++i) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * i));
      mask |= static_cast<std::uint64_t>(_mm_movemask_epi8(Hits<kClass>(bytes))) << (16 * i);
    }
    return mask;
  }
};
#endif

#ifdef VENDRAL_AVX2
struct Avx2Masks {
  template <ByteClass kClass>
  __attribute__((target("avx2"))) static __m256i Hits(__m256i bytes) {
    if constexpr (kClass == ByteClass::kLineFeed) return _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\n'));
    if constexpr (kClass == ByteClass::kCarriageReturn) return _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\r'));
    if constexpr (kClass == ByteClass::kUpToSpace) {
      return _mm256_cmpeq_epi8(_mm256_min_epu8(bytes, _mm256_set1_epi8(' ')), bytes);
    }
    if constexpr (kClass == ByteClass::kMark) return _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(kDescriptionMark));
    if constexpr (kClass == ByteClass::kSpecial) {
      return _mm256_or_si256(Hits<ByteClass::kUpToSpace>(bytes), Hits<ByteClass::kMark>(bytes));
    }
  }
  template <ByteClass kClass>
  __attribute__((target("avx2"))) static std::uint64_t Mask(const char* data) {
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + 32));
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(Hits<kClass>(low))) |
           static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(Hits<kClass>(high)))) << 32;
  }
};
#endif

template <typename Masks>
PlainLines LeadingPlainLinesWith(std::string_view bytes) {
  std::int64_t line_feeds = 0;  // in the chunks before `at`
  std::int64_t carriage_returns = 0;
  std::uint64_t after_line_feed = 1;  // the byte before the chunk ends a line: the stretch starts one
  // The last chunk with an LF before the first bad byte: where the plain lines end.
  struct {
    std::size_t at = 0;
    std::uint64_t line_feeds = 0, carriage_returns = 0;  // its good lanes
    std::int64_t line_feeds_before = 0, carriage_returns_before = 0;
  } last;
  for (std::size_t at = 0; at < bytes.size(); at += kChunk) {
    const char* chunk = bytes.data() + at;
    std::uint64_t valid = ~std::uint64_t{0};
    char last_bytes[kChunk];
    if (const std::size_t left = bytes.size() - at; left < kChunk) {
      std::memcpy(last_bytes, chunk, left);
      std::memset(last_bytes + left, 'A', kChunk - left);
      chunk = last_bytes;
      valid = LanesBelow(left);
    }
    const std::uint64_t lf = Masks::template Mask<ByteClass::kLineFeed>(chunk) & valid;
    const std::uint64_t special = Masks::template Mask<ByteClass::kSpecial>(chunk) & valid;
    const std::uint64_t line_starts = lf << 1 | after_line_feed;
    // A line that starts with a byte up to the space (an LF or a CR among
    // them) or with ">" may be blank or a description line.
    const std::uint64_t bad = ~valid | (line_starts & special);
    // Only a chunk with other special bytes than LFs can hold a CR.
    const std::uint64_t cr = (special & ~lf) == 0 ? 0 : Masks::template Mask<ByteClass::kCarriageReturn>(chunk) & valid;
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

template <typename Masks>
std::size_t CopyLinesWith(std::string_view bytes, char* out, std::size_t room, LineBreaks breaks,
                          MarkedLines marked, std::size_t& written) {
  const bool crlf = breaks == LineBreaks::kCrLf;
  const bool stop_before_marks = marked == MarkedLines::kStopBefore;
  char* to = out;
  bool at_mark = false;
  // Each step stores a whole chunk and moves on to the first CR or LF in it.
  const auto copy = [&](const char* from, const char* end, bool whole_chunks) {
    while (static_cast<std::size_t>(to - out) + kLineCopySlack <= room) {
      const auto left = static_cast<std::size_t>(end - from);
      if (whole_chunks ? left < kChunk : left == 0) break;
      std::uint64_t stops = Masks::template Mask<ByteClass::kCarriageReturn>(from);
      if (crlf || stop_before_marks) stops |= Masks::template Mask<ByteClass::kLineFeed>(from);
      if (left < kChunk) stops &= LanesBelow(left);
      std::memcpy(to, from, kChunk);
      if (stops == 0) {
        const std::size_t step = left < kChunk ? left : kChunk;
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
  if (left > 0 && left < kChunk && !at_mark) {  // else the room is used up, or a marked line is next
    // The last bytes are copied out, so that whole chunks can be loaded.
    char last_bytes[2 * kChunk] = {};
    std::memcpy(last_bytes, from, left);
    from += copy(last_bytes, last_bytes + left, false) - last_bytes;
  }
  written = static_cast<std::size_t>(to - out);
  return static_cast<std::size_t>(from - bytes.data());
}

// Each way of making masks gets its own copy of the loops, built for its
// processor; the best one that the processor has is chosen once.
struct StretchFunctions {
  PlainLines (*leading_plain_lines)(std::string_view);
  std::size_t (*copy_lines)(std::string_view, char*, std::size_t, LineBreaks, MarkedLines, std::size_t&);
};

#ifdef VENDRAL_AVX2
__attribute__((target("avx2,popcnt,bmi"), flatten)) PlainLines LeadingPlainLinesAvx2(std::string_view bytes) {
  return LeadingPlainLinesWith<Avx2Masks>(bytes);
}
__attribute__((target("avx2,popcnt,bmi"), flatten)) std::size_t CopyLinesAvx2(std::string_view bytes, char* out,
                                                                             std::size_t room, LineBreaks breaks,
                                                                             MarkedLines marked, std::size_t& written) {
  return CopyLinesWith<Avx2Masks>(bytes, out, room, breaks, marked, written);
}
#endif

StretchFunctions ChooseStretchFunctions() {
#ifdef VENDRAL_AVX2
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("bmi")) {
    return {LeadingPlainLinesAvx2, CopyLinesAvx2};
  }
#endif
#ifdef VENDRAL_SSE2
  return {LeadingPlainLinesWith<Sse2Masks>, CopyLinesWith<Sse2Masks>};
#else
  return {LeadingPlainLinesWith<ScalarMasks>, CopyLinesWith<ScalarMasks>};
#endif
}

const StretchFunctions& Functions() {
  static const StretchFunctions functions = ChooseStretchFunctions();
  return functions;
}

}  // namespace

PlainLines LeadingPlainLines(std::string_view bytes) {
  // A run of one plain line that a description line follows, the whole
  // text of a short read, is told by two searches.
  if (!bytes.empty() && static_cast<unsigned char>(bytes[0]) > ' ' && bytes[0] != kDescriptionMark) {
    const std::size_t lf = bytes.find('\n');
    if (lf != std::string_view::npos && lf + 1 < bytes.size() && bytes[lf + 1] == kDescriptionMark) {
      const std::size_t break_cr = bytes[lf - 1] == '\r' ? 1 : 0;
      if (bytes.substr(0, lf - break_cr).find('\r') == std::string_view::npos) {
        return {lf + 1, 1, static_cast<std::int64_t>(break_cr)};
      }
    }
  }
  return Functions().leading_plain_lines(bytes);
}

std::size_t CopyLines(std::string_view bytes, char* out, std::size_t room, LineBreaks breaks, MarkedLines marked,
                      std::size_t& written) {
  return Functions().copy_lines(bytes, out, room, breaks, marked, written);
}

}  // namespace vendral
