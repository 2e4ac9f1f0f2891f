#include "core/letter_count.h"

#include <algorithm>
#include <cstddef>

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
    const __m256i upper = _mm256_and_si256(bytes, _mm256_set1_epi8(static_cast<char>(0xDF)));
    __m256i hits = _mm256_setzero_si256();
    ((hits = _mm256_or_si256(hits, _mm256_cmpeq_epi8(upper, _mm256_set1_epi8(kLetters)))), ...);
    return hits;
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

template <typename Class>
std::int64_t CountScalar(const unsigned char* data, std::size_t size) {
  std::int64_t hits = 0;
  for (std::size_t i = 0; i < size; ++i) hits += Class::Hit(data[i]);
  return hits;
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

template <typename Class>
std::int64_t CountSse2(std::string_view text) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  if (size < 16) return CountScalar<Class>(data, size);
  std::int64_t hits = 0;
  __m128i lanes = _mm_setzero_si128();  // each lane counts up to 255 hits
  int pending = 0;
  std::size_t i = 0;
  for (; i + 16 <= size; i += 16) {
    lanes = _mm_sub_epi8(lanes, Class::Mask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i))));
    if (++pending == 255) {
      hits += SumLanes(lanes);
      lanes = _mm_setzero_si128();
      pending = 0;
    }
  }
  if (i < size) {  // the last 16 bytes again, without the lanes counted already
    const __m128i counted = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kCountedLanes + 32 - (16 - (size - i))));
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + size - 16));
    lanes = _mm_sub_epi8(lanes, _mm_andnot_si128(counted, Class::Mask(bytes)));
  }
  return hits + SumLanes(lanes);
}

#if defined(__GNUC__) && defined(__x86_64__)
#define VENDRAL_AVX2 1

__attribute__((target("avx2"))) std::int64_t SumLanes256(__m256i lanes) {
  const __m256i sums = _mm256_sad_epu8(lanes, _mm256_setzero_si256());
  return _mm256_extract_epi64(sums, 0) + _mm256_extract_epi64(sums, 1) + _mm256_extract_epi64(sums, 2) +
         _mm256_extract_epi64(sums, 3);
}

// The same 32 bytes at a time, for processors that have AVX2.
template <typename Class>
__attribute__((target("avx2"))) std::int64_t CountAvx2(std::string_view text) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  if (size < 32) return CountSse2<Class>(text);
  std::int64_t hits = 0;
  __m256i lanes = _mm256_setzero_si256();
  int pending = 0;
  std::size_t i = 0;
  for (; i + 32 <= size; i += 32) {
    lanes = _mm256_sub_epi8(lanes, Class::Mask(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i))));
    if (++pending == 255) {
      hits += SumLanes256(lanes);
      lanes = _mm256_setzero_si256();
      pending = 0;
    }
  }
  if (i < size) {
    const __m256i counted = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kCountedLanes + 32 - (32 - (size - i))));
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + size - 32));
    lanes = _mm256_sub_epi8(lanes, _mm256_andnot_si256(counted, Class::Mask(bytes)));
  }
  return hits + SumLanes256(lanes);
}

#endif

template <typename Class>
std::int64_t (*ChooseCount())(std::string_view) {
#ifdef VENDRAL_AVX2
  if (__builtin_cpu_supports("avx2")) return CountAvx2<Class>;
#endif
  return CountSse2<Class>;
}

#else

template <typename Class>
std::int64_t (*ChooseCount())(std::string_view) {
  return [](std::string_view text) {
    return CountScalar<Class>(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  };
}

#endif

}  // namespace

std::int64_t CountGcLetters(std::string_view text) {
  static const auto count = ChooseCount<Letters<'G', 'C'>>();
  return count(text);
}

std::int64_t CountArdentaLetters(std::string_view text) {
  static const auto count = ChooseCount<Letters<'L', 'V', 'W', 'I', 'F', 'M', 'P', 'C', 'D', 'E', 'K', 'R'>>();
  return count(text);
}

std::int64_t CountLineFeeds(std::string_view text) {
  static const auto count = ChooseCount<Byte<'\n'>>();
  return count(text);
}

std::int64_t CountCarriageReturns(std::string_view text) {
  static const auto count = ChooseCount<Byte<'\r'>>();
  return count(text);
}

std::int64_t CountUpToSpace(std::string_view text) {
  static const auto count = ChooseCount<UpToSpace>();
  return count(text);
}

}  // namespace vendral
