// Counting the bytes of byte classes a vector at a time, as each vector unit
// does it: every class gets a vector whose byte lanes count the hits at
// their place, up to kMostVectors vectors, after which they are summed.
// The loop that walks a text over these steps is written once
// (letter_count.cpp); a unit gives the steps.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/scan/byte_classes.h"
#include "core/scan/dispatch.h"

namespace vendral::scan {

// The counts of several classes, in the order the classes are given.
template <typename... Classes>
using Counts = std::array<std::int64_t, sizeof...(Classes)>;

// A byte lane counts up to 255 hits.
inline constexpr std::size_t kMostVectors = 255;

// 0xFF in the first 32 bytes: at offset 32 - n, the first n lanes of a
// vector, which an overlapping last load counted already.
alignas(32) inline constexpr unsigned char kCountedLanes[64] = {
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// For each unit: kWidth, the bytes of a vector; kNarrower, the unit that
// counts a text shorter than that; Add, the hits of up to kMostVectors
// whole vectors; AddLast, those of one vector but its first lanes.
template <VectorUnit kUnit>
struct ByteLanes;

#ifdef VENDRAL_SCAN_SSE2
template <>
struct ByteLanes<VectorUnit::kSse2> {
  static constexpr std::size_t kWidth = 16;
  static constexpr VectorUnit kNarrower = VectorUnit::kPlain;

  template <typename... Classes>
  static void Add(const unsigned char* data, std::size_t vectors, Counts<Classes...>& counts) {
    __m128i lanes[sizeof...(Classes)];
    for (__m128i& lane : lanes) lane = _mm_setzero_si128();
    for (std::size_t i = 0; i < vectors; ++i) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + kWidth * i));
      std::size_t k = 0;
      ((lanes[k] = _mm_sub_epi8(lanes[k], Classes::Hits(bytes)), ++k), ...);
    }
    for (std::size_t k = 0; k < sizeof...(Classes); ++k) counts[k] += Sum(lanes[k]);
  }

  template <typename... Classes>
  static void AddLast(const unsigned char* data, std::size_t counted, Counts<Classes...>& counts) {
    const __m128i skipped = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kCountedLanes + 32 - counted));
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
    std::size_t k = 0;
    // 0 - 0xFF is 1: one in each lane that holds a hit.
    ((counts[k++] += Sum(_mm_sub_epi8(_mm_setzero_si128(), _mm_andnot_si128(skipped, Classes::Hits(bytes))))),
     ...);
  }

  // The sum of the byte lanes.
  static std::int64_t Sum(__m128i lanes) {
    const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
    return _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
  }
};
#endif

#ifdef VENDRAL_SCAN_AVX2
template <>
struct ByteLanes<VectorUnit::kAvx2> {
  static constexpr std::size_t kWidth = 32;
  static constexpr VectorUnit kNarrower = VectorUnit::kSse2;

  template <typename... Classes>
  VENDRAL_AVX2_CODE static void Add(const unsigned char* data, std::size_t vectors,
                                    Counts<Classes...>& counts) {
    __m256i lanes[sizeof...(Classes)];
    for (__m256i& lane : lanes) lane = _mm256_setzero_si256();
    for (std::size_t i = 0; i < vectors; ++i) {
      const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + kWidth * i));
      std::size_t k = 0;
      ((lanes[k] = _mm256_sub_epi8(lanes[k], Classes::Hits(bytes)), ++k), ...);
    }
    for (std::size_t k = 0; k < sizeof...(Classes); ++k) counts[k] += Sum(lanes[k]);
  }

  template <typename... Classes>
  VENDRAL_AVX2_CODE static void AddLast(const unsigned char* data, std::size_t counted,
                                        Counts<Classes...>& counts) {
    const __m256i skipped =
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kCountedLanes + 32 - counted));
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data));
    std::size_t k = 0;
    ((counts[k++] +=
      Sum(_mm256_sub_epi8(_mm256_setzero_si256(), _mm256_andnot_si256(skipped, Classes::Hits(bytes))))),
     ...);
  }

  VENDRAL_AVX2_CODE static std::int64_t Sum(__m256i lanes) {
    const __m256i sums = _mm256_sad_epu8(lanes, _mm256_setzero_si256());
    return _mm256_extract_epi64(sums, 0) + _mm256_extract_epi64(sums, 1) + _mm256_extract_epi64(sums, 2) +
           _mm256_extract_epi64(sums, 3);
  }
};
#endif

}  // namespace vendral::scan
