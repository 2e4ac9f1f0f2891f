#include "core/scan/letter_count.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

#include "core/scan/description_line.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#include <immintrin.h>
#define VENDRAL_SSE2 1
#endif

namespace vendral {
namespace {

// What is counted is a class of bytes, given as a type with a test of one
// byte and, where the processor has them, of 16 or 32 bytes at once (0xFF
// in every lane whose byte is a hit).

// A letter from A to Z or its lower-case form: for such a letter L,
// (c & 0xDF) == L holds exactly when c is L or l.
template <char... kLetters>
struct Letters {
  static bool Hit(unsigned char c) {
    const auto upper = static_cast<unsigned char>(c & 0xDF);
    return ((upper == static_cast<unsigned char>(kLetters)) | ...);
  }
#ifdef VENDRAL_SSE2
  static __m128i Mask(__m128i bytes) {
    const __m128i upper = _mm_and_si128(bytes, _mm_set1_epi8(static_cast<char>(0xDF)));
    __m128i hits = _mm_setzero_si128();
    ((hits = _mm_or_si128(hits, _mm_cmpeq_epi8(upper, _mm_set1_epi8(kLetters)))), ...);
    return hits;
  }
#if defined(__GNUC__) && defined(__x86_64__)
  __attribute__((target("avx2"))) static __m256i Mask(__m256i bytes) {
    if constexpr (sizeof...(kLetters) > 3) {
      return TableMask(bytes);
    } else {
      const __m256i upper = _mm256_and_si256(bytes, _mm256_set1_epi8(static_cast<char>(0xDF)));
      __m256i hits = _mm256_setzero_si256();
      ((hits = _mm256_or_si256(hits, _mm256_cmpeq_epi8(upper, _mm256_set1_epi8(kLetters)))), ...);
      return hits;
    }
  }

  // Many letters (Ardenta's twelve) by two lookups of 16 entries instead
  // of a comparison each: a byte's low 4 bits pick the high halves that
  // make a letter with them, as bits 4 to 7 for high halves 4 to 7 (the
  // letters in either case); its high 4 bits pick their own bit, or bit 0
  // where no letter has that high half, which no low entry holds.
  struct Tables {
    std::array<char, 16> low{};
    std::array<char, 16> high{};
  };
  static constexpr Tables kTables = [] {
    Tables t;
    for (const char upper : {kLetters...}) {
      for (const int c : {upper & 0xFF, (upper | 0x20) & 0xFF}) t.low[c & 0x0F] |= static_cast<char>(1 << (c >> 4));
    }
    for (int high = 0; high < 16; ++high) t.high[high] = static_cast<char>(high >= 4 && high <= 7 ? 1 << high : 1);
    return t;
  }();
  __attribute__((target("avx2"))) static __m256i TableMask(__m256i bytes) {
    const __m256i low_table = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(kTables.low.data())));
    const __m256i high_table = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(kTables.high.data())));
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i low_bits = _mm256_shuffle_epi8(low_table, _mm256_and_si256(bytes, nibble));
    const __m256i high_bit = _mm256_shuffle_epi8(high_table, _mm256_and_si256(_mm256_srli_epi16(bytes, 4), nibble));
    return _mm256_cmpeq_epi8(_mm256_and_si256(low_bits, high_bit), high_bit);
  }
#endif
#endif
};

// One byte value.
template <char kByte>
struct Byte {
  static bool Hit(unsigned char c) { return c == static_cast<unsigned char>(kByte); }
#ifdef VENDRAL_SSE2
  static __m128i Mask(__m128i bytes) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(kByte)); }
#if defined(__GNUC__) && defined(__x86_64__)
  __attribute__((target("avx2"))) static __m256i Mask(__m256i bytes) {
    return _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(kByte));
  }
#endif
#endif
};

// The blank and control characters: every byte up to the space.
struct UpToSpace {
  static bool Hit(unsigned char c) { return c <= ' '; }
#ifdef VENDRAL_SSE2
  static __m128i Mask(__m128i bytes) {
    return _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(' ')), bytes);
  }
#if defined(__GNUC__) && defined(__x86_64__)
  __attribute__((target("avx2"))) static __m256i Mask(__m256i bytes) {
    return _mm256_cmpeq_epi8(_mm256_min_epu8(bytes, _mm256_set1_epi8(' ')), bytes);
  }
#endif
#endif
};

// Several classes are counted in one pass over the bytes, each on its own.
template <typename... Classes>
using Counts = std::array<std::int64_t, sizeof...(Classes)>;

template <typename... Classes>
Counts<Classes...> CountScalar(const unsigned char* data, std::size_t size) {
  Counts<Classes...> counts{};
  for (std::size_t i = 0; i < size; ++i) {
    std::size_t k = 0;
    ((counts[k++] += Classes::Hit(data[i])), ...);
  }
  return counts;
}

#ifdef VENDRAL_SSE2

// The sum of the 16 byte lanes.
std::int64_t SumLanes(__m128i lanes) {
  const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
  return _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
}

// 0xFF in the first `counted` lanes: the part of an overlapping last load
// that was counted already.
alignas(32) constexpr unsigned char kCountedLanes[64] = {
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

template <typename... Classes>
Counts<Classes...> CountSse2(std::string_view text) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  if (size < 16) return CountScalar<Classes...>(data, size);
  Counts<Classes...> counts{};
  __m128i lanes[sizeof...(Classes)];  // each lane counts up to 255 hits
  const auto add_lanes = [&] {
    for (std::size_t k = 0; k < sizeof...(Classes); ++k) {
      counts[k] += SumLanes(lanes[k]);
      lanes[k] = _mm_setzero_si128();
    }
  };
  for (__m128i& lane : lanes) lane = _mm_setzero_si128();
  int pending = 0;
  std::size_t i = 0;
  for (; i + 16 <= size; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    std::size_t k = 0;
    ((lanes[k] = _mm_sub_epi8(lanes[k], Classes::Mask(bytes)), ++k), ...);
    if (++pending == 255) {
      add_lanes();
      pending = 0;
    }
  }
  if (i < size) {  // the last 16 bytes again, without the lanes counted already
    const __m128i counted = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kCountedLanes + 32 - (16 - (size - i))));
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + size - 16));
    std::size_t k = 0;
    ((lanes[k] = _mm_sub_epi8(lanes[k], _mm_andnot_si128(counted, Classes::Mask(bytes))), ++k), ...);
  }
  add_lanes();
  return counts;
}

#if defined(__GNUC__) && defined(__x86_64__)
#define VENDRAL_AVX2 1

__attribute__((target("avx2"))) std::int64_t SumLanes256(__m256i lanes) {
  const __m256i sums = _mm256_sad_epu8(lanes, _mm256_setzero_si256());
  return _mm256_extract_epi64(sums, 0) + _mm256_extract_epi64(sums, 1) + _mm256_extract_epi64(sums, 2) +
         _mm256_extract_epi64(sums, 3);
}

// The same 32 bytes at a time, for processors that have AVX2.
template <typename... Classes>
__attribute__((target("avx2"))) Counts<Classes...> CountAvx2(std::string_view text) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  if (size < 32) return CountSse2<Classes...>(text);
  Counts<Classes...> counts{};
  __m256i lanes[sizeof...(Classes)];
  const auto add_lanes = [&]() __attribute__((target("avx2"))) {
    for (std::size_t k = 0; k < sizeof...(Classes); ++k) {
      counts[k] += SumLanes256(lanes[k]);
      lanes[k] = _mm256_setzero_si256();
    }
  };
  for (__m256i& lane : lanes) lane = _mm256_setzero_si256();
  int pending = 0;
  std::size_t i = 0;
  for (; i + 32 <= size; i += 32) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
    std::size_t k = 0;
    ((lanes[k] = _mm256_sub_epi8(lanes[k], Classes::Mask(bytes)), ++k), ...);
    if (++pending == 255) {
      add_lanes();
      pending = 0;
    }
  }
  if (i < size) {
    const __m256i counted = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kCountedLanes + 32 - (32 - (size - i))));
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + size - 32));
    std::size_t k = 0;
    ((lanes[k] = _mm256_sub_epi8(lanes[k], _mm256_andnot_si256(counted, Classes::Mask(bytes))), ++k), ...);
  }
  add_lanes();
  return counts;
}

#endif

template <typename... Classes>
Counts<Classes...> (*ChooseCount())(std::string_view) {
#ifdef VENDRAL_AVX2
  if (__builtin_cpu_supports("avx2")) return CountAvx2<Classes...>;
#endif
  return CountSse2<Classes...>;
}

#else

template <typename... Classes>
Counts<Classes...> (*ChooseCount())(std::string_view) {
  return [](std::string_view text) {
    return CountScalar<Classes...>(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  };
}

#endif

using GcLetters = Letters<'G', 'C'>;
using ArdentaLetters = Letters<'L', 'V', 'W', 'I', 'F', 'M', 'P', 'C', 'D', 'E', 'K', 'R'>;

// The classes of whole chunks, from masks of the same classes as above: one
// way for each kind of vector.
struct ScalarChunks {
  template <typename Class>
  static std::uint64_t Mask(const unsigned char* chunk) {
    std::uint64_t mask = 0;
    for (std::size_t i = 0; i < kChunkBytes; ++i) mask |= std::uint64_t{Class::Hit(chunk[i])} << i;
    return mask;
  }
};

#ifdef VENDRAL_SSE2
struct Sse2Chunks {
  template <typename Class>
  static std::uint64_t Mask(const unsigned char* chunk) {
    std::uint64_t mask = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk + 16 * i));
      mask |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(Class::Mask(bytes)))} << (16 * i);
    }
    return mask;
  }
};
#endif

#ifdef VENDRAL_AVX2
struct Avx2Chunks {
  template <typename Class>
  __attribute__((target("avx2"))) static std::uint64_t Mask(const unsigned char* chunk) {
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(chunk));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(chunk + 32));
    return std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(Class::Mask(low)))} |
           std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(Class::Mask(high)))} << 32;
  }
};
#endif

template <typename Letters, typename Chunks>
ChunkClasses ClassifyChunk(const unsigned char* chunk) {
  ChunkClasses c;
  c.letters = Chunks::template Mask<Letters>(chunk);
  c.up_to_space = Chunks::template Mask<UpToSpace>(chunk);
  c.line_feeds = Chunks::template Mask<Byte<'\n'>>(chunk);
  // Most chunks hold no blank or control character but LFs, so no CR.
  if ((c.up_to_space & ~c.line_feeds) != 0) c.carriage_returns = Chunks::template Mask<Byte<'\r'>>(chunk);
  c.marks = Chunks::template Mask<Byte<kDescriptionMark>>(chunk);
  return c;
}

template <typename Letters, typename Chunks>
void ClassifyChunks(std::string_view text, ChunkClasses* out) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t at = 0;
  for (; at + kChunkBytes <= text.size(); at += kChunkBytes) *out++ = ClassifyChunk<Letters, Chunks>(data + at);
  if (at == text.size()) return;
  // The last bytes are copied out, so that a whole chunk can be loaded.
  const std::size_t left = text.size() - at;
  unsigned char last[kChunkBytes] = {};
  std::memcpy(last, data + at, left);
  ChunkClasses c = ClassifyChunk<Letters, Chunks>(last);
  const std::uint64_t valid = (std::uint64_t{1} << left) - 1;
  for (std::uint64_t* mask : {&c.letters, &c.up_to_space, &c.line_feeds, &c.carriage_returns, &c.marks}) *mask &= valid;
  *out = c;
}

template <typename Letters>
ChunkClassifier ChooseClassifier() {
#ifdef VENDRAL_AVX2
  if (__builtin_cpu_supports("avx2")) {
    return [](std::string_view text, ChunkClasses* out) __attribute__((target("avx2"), flatten)) {
      ClassifyChunks<Letters, Avx2Chunks>(text, out);
    };
  }
#endif
#ifdef VENDRAL_SSE2
  return ClassifyChunks<Letters, Sse2Chunks>;
#else
  return ClassifyChunks<Letters, ScalarChunks>;
#endif
}

template <typename Class>
StretchCounts CountStretch(std::string_view text) {
  static const auto count = ChooseCount<Class, UpToSpace, Byte<'\n'>>();
  const auto counts = count(text);
  return {counts[0], counts[1], counts[2]};
}

}  // namespace

StretchCounts CountGcStretch(std::string_view text) { return CountStretch<GcLetters>(text); }

StretchCounts CountArdentaStretch(std::string_view text) { return CountStretch<ArdentaLetters>(text); }

void ClassifyGcChunks(std::string_view text, ChunkClasses* out) {
  static const ChunkClassifier classify = ChooseClassifier<GcLetters>();
  classify(text, out);
}

void ClassifyArdentaChunks(std::string_view text, ChunkClasses* out) {
  static const ChunkClassifier classify = ChooseClassifier<ArdentaLetters>();
  classify(text, out);
}

std::int64_t CountCarriageReturns(std::string_view text) {
  static const auto count = ChooseCount<Byte<'\r'>>();
  return count(text)[0];
}

}  // namespace vendral
