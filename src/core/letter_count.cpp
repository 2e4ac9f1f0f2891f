#include "core/letter_count.h"

#include <algorithm>
#include <cstddef>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VENDRAL_SSE2 1
#endif

namespace vendral {
namespace {

// For a letter L from A to Z, (c & 0xDF) == L holds exactly when c is L or
// its lower-case form.
template <char... kLetters>
std::int64_t CountScalar(const unsigned char* data, std::size_t size) {
  std::int64_t hits = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const auto upper = static_cast<unsigned char>(data[i] & 0xDF);
    hits += ((upper == static_cast<unsigned char>(kLetters)) | ...);
  }
  return hits;
}

#ifdef VENDRAL_SSE2

// 0xFF in every lane whose byte is a hit.
template <char... kLetters>
__m128i HitMask(__m128i bytes) {
  const __m128i upper = _mm_and_si128(bytes, _mm_set1_epi8(static_cast<char>(0xDF)));
  __m128i hits = _mm_setzero_si128();
  ((hits = _mm_or_si128(hits, _mm_cmpeq_epi8(upper, _mm_set1_epi8(kLetters)))), ...);
  return hits;
}

// The sum of the 16 byte lanes.
std::int64_t SumLanes(__m128i lanes) {
  const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
  return _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
}

template <char... kLetters>
std::int64_t Count(std::string_view text) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  if (size < 16) return CountScalar<kLetters...>(data, size);
  std::int64_t hits = 0;
  std::size_t i = 0;
  while (i + 16 <= size) {
    // Byte lanes count up to 255 hits before they are summed.
    __m128i lanes = _mm_setzero_si128();
    const std::size_t stop = std::min(size - 15, i + 255 * 16);
    for (; i < stop; i += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
      lanes = _mm_sub_epi8(lanes, HitMask<kLetters...>(bytes));
    }
    hits += SumLanes(lanes);
  }
  if (i < size) {
    // The last 16 bytes again, without the lanes that were counted already.
    const std::size_t counted = 16 - (size - i);
    alignas(16) static constexpr unsigned char kSkip[32] = {
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const __m128i fresh = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kSkip + 16 - counted));
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + size - 16));
    const __m128i mask = _mm_andnot_si128(fresh, HitMask<kLetters...>(bytes));
    hits += SumLanes(_mm_sub_epi8(_mm_setzero_si128(), mask));
  }
  return hits;
}

#else

template <char... kLetters>
std::int64_t Count(std::string_view text) {
  return CountScalar<kLetters...>(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

#endif

}  // namespace

std::int64_t CountGcLetters(std::string_view text) { return Count<'G', 'C'>(text); }

std::int64_t CountArdentaLetters(std::string_view text) {
  return Count<'L', 'V', 'W', 'I', 'F', 'M', 'P', 'C', 'D', 'E', 'K', 'R'>(text);
}

}  // namespace vendral
