// The classes of bytes that the scans look for. Each is a type with the
// plain test of one byte, Hit, and beside it the test of a whole vector for
// each vector unit, Hits: 0xFF in every lane whose byte is a hit, 0 in the
// others. A new unit adds its Hits to each class here.
#pragma once

#include <array>

#include "core/scan/description_line.h"
#include "core/scan/dispatch.h"

#ifdef VENDRAL_SCAN_SSE2
#include <emmintrin.h>
#endif
#ifdef VENDRAL_SCAN_AVX2
#include <immintrin.h>
#endif

namespace vendral::scan {

// One byte value.
template <char kByte>
struct Byte {
  static bool Hit(unsigned char c) { return c == static_cast<unsigned char>(kByte); }
#ifdef VENDRAL_SCAN_SSE2
  static __m128i Hits(__m128i bytes) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(kByte)); }
#endif
#ifdef VENDRAL_SCAN_AVX2
  VENDRAL_AVX2_CODE static __m256i Hits(__m256i bytes) {
    return _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(kByte));
  }
#endif
};

using LineFeed = Byte<'\n'>;
using CarriageReturn = Byte<'\r'>;
using DescriptionMark = Byte<kDescriptionMark>;

// The blank and control characters: every byte up to the space, line
// breaks among them.
struct UpToSpace {
  static bool Hit(unsigned char c) { return c <= ' '; }
#ifdef VENDRAL_SCAN_SSE2
  static __m128i Hits(__m128i bytes) {
    return _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(' ')), bytes);
  }
#endif
#ifdef VENDRAL_SCAN_AVX2
  VENDRAL_AVX2_CODE static __m256i Hits(__m256i bytes) {
    return _mm256_cmpeq_epi8(_mm256_min_epu8(bytes, _mm256_set1_epi8(' ')), bytes);
  }
#endif
};

// The bytes of either of two classes.
template <typename First, typename Second>
struct Either {
  static bool Hit(unsigned char c) { return First::Hit(c) || Second::Hit(c); }
#ifdef VENDRAL_SCAN_SSE2
  static __m128i Hits(__m128i bytes) { return _mm_or_si128(First::Hits(bytes), Second::Hits(bytes)); }
#endif
#ifdef VENDRAL_SCAN_AVX2
  VENDRAL_AVX2_CODE static __m256i Hits(__m256i bytes) {
    return _mm256_or_si256(First::Hits(bytes), Second::Hits(bytes));
  }
#endif
};

// What a plain line may start with, and in a plain line nothing but its
// break is: a byte up to the space, or ">".
using UpToSpaceOrMark = Either<UpToSpace, DescriptionMark>;

// Letters from A to Z in either case: for such a letter L, (c & 0xDF) == L
// holds exactly when c is L or l.
template <char... kLetters>
struct Letters {
  static bool Hit(unsigned char c) {
    const auto upper = static_cast<unsigned char>(c & 0xDF);
    return ((upper == static_cast<unsigned char>(kLetters)) | ...);
  }
#ifdef VENDRAL_SCAN_SSE2
  static __m128i Hits(__m128i bytes) {
    const __m128i upper = _mm_and_si128(bytes, _mm_set1_epi8(static_cast<char>(0xDF)));
    __m128i hits = _mm_setzero_si128();
    ((hits = _mm_or_si128(hits, _mm_cmpeq_epi8(upper, _mm_set1_epi8(kLetters)))), ...);
    return hits;
  }
#endif
#ifdef VENDRAL_SCAN_AVX2
  VENDRAL_AVX2_CODE static __m256i Hits(__m256i bytes) {
    if constexpr (sizeof...(kLetters) > 3) {
      return TableHits(bytes);
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
  VENDRAL_AVX2_CODE static __m256i TableHits(__m256i bytes) {
    const __m256i low_table =
        _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(kTables.low.data())));
    const __m256i high_table =
        _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(kTables.high.data())));
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i low_bits = _mm256_shuffle_epi8(low_table, _mm256_and_si256(bytes, nibble));
    const __m256i high_bit = _mm256_shuffle_epi8(high_table, _mm256_and_si256(_mm256_srli_epi16(bytes, 4), nibble));
    return _mm256_cmpeq_epi8(_mm256_and_si256(low_bits, high_bit), high_bit);
  }
#endif
};

}  // namespace vendral::scan
