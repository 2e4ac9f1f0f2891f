// A chunk's mask of a byte class, as each vector unit makes it:
// ChunkMasks<kUnit>::Mask<Class>(chunk) reads kChunkBytes bytes from chunk
// and sets bit i where byte i is of the class. No vector leaves a unit's
// code, so a loop over masks is written once for every unit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/scan/byte_classes.h"
#include "core/scan/dispatch.h"
#include "core/scan/scan.h"

namespace vendral::scan {

template <VectorUnit kUnit>
struct ChunkMasks;

template <>
struct ChunkMasks<VectorUnit::kPlain> {
  template <typename Class>
  static std::uint64_t Mask(const char* chunk) {
    std::uint64_t mask = 0;
    for (std::size_t i = 0; i < kChunkBytes; ++i) {
      mask |= std::uint64_t{Class::Hit(static_cast<unsigned char>(chunk[i]))} << i;
    }
    return mask;
  }
};

#ifdef VENDRAL_SCAN_SSE2
template <>
struct ChunkMasks<VectorUnit::kSse2> {
  template <typename Class>
  static std::uint64_t Mask(const char* chunk) {
    std::uint64_t mask = 0;
    for (std::size_t i = 0; i < kChunkBytes / 16; ++i) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk + 16 * i));
      mask |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(Class::Hits(bytes)))} << (16 * i);
    }
    return mask;
  }
};
#endif

#ifdef VENDRAL_SCAN_AVX2
template <>
struct ChunkMasks<VectorUnit::kAvx2> {
  template <typename Class>
  VENDRAL_AVX2_CODE static std::uint64_t Mask(const char* chunk) {
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(chunk));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(chunk + 32));
    return std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(Class::Hits(low)))} |
           std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(Class::Hits(high)))} << 32;
  }
};
#endif

// The last bytes of a stretch, fewer than a chunk, copied out so that a
// whole chunk can be loaded. Returns out; its lanes from `size` on hold
// byte 0, and the caller masks them off.
inline const char* CopyShortChunk(const char* bytes, std::size_t size, char (&out)[kChunkBytes]) {
  std::memcpy(out, bytes, size);
  std::memset(out + size, 0, kChunkBytes - size);
  return out;
}

}  // namespace vendral::scan
