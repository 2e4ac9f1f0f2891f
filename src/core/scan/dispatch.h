// Which copy of a scan loop runs. A loop is written once, over the vector
// unit it is built for, and built for every unit that this build can
// target; the best unit that the processor has is found once, at the first
// scan. Plain C++ is always there, and gives the same results as any unit.
//
// A unit is added here (its value, its build switch, its test in
// dispatch.cpp, its case in LoopCopies) and in byte_classes.h,
// chunk_masks.h and byte_lanes.h.
#pragma once

#if defined(__SSE2__) || defined(_M_X64)
#define VENDRAL_SCAN_SSE2 1
#if defined(__GNUC__) && defined(__x86_64__)
// Code for a unit that not every x86-64 processor has is built with
// function attributes and chosen at run time.
#define VENDRAL_SCAN_AVX2 1
#define VENDRAL_SCAN_POPCOUNT 1
#endif
#endif

#ifdef VENDRAL_SCAN_AVX2
// The vector tests of the AVX2 unit.
#define VENDRAL_AVX2_CODE __attribute__((target("avx2")))
// A loop copy for the AVX2 unit, with the bit instructions that come with
// every AVX2 processor, flattened so that the vector tests inline into it.
#define VENDRAL_AVX2_LOOP __attribute__((target("avx2,popcnt,bmi"), flatten))
#endif

#ifdef VENDRAL_SCAN_POPCOUNT
#define VENDRAL_POPCOUNT_LOOP __attribute__((target("popcnt")))
#define VENDRAL_INLINE_INTO_COPIES __attribute__((always_inline))
#else
#define VENDRAL_POPCOUNT_LOOP
#define VENDRAL_INLINE_INTO_COPIES
#endif

namespace vendral::scan {

enum class VectorUnit {
  kPlain,  // C++ without vectors
  kSse2,   // x86-64: 16 bytes at a time, on every such processor
  kAvx2,   // x86-64: 32 bytes at a time
};

// The best unit that this build has copies for and the processor runs.
VectorUnit BestVectorUnit();

// One copy of a loop for each vector unit: Loop::Run<kUnit>(args...) is the
// loop built for kUnit. Best() gives the copy for BestVectorUnit(); a caller
// keeps it, so that the choice is made once.
template <typename Loop, typename Result, typename... Args>
struct LoopCopies {
  using Function = Result (*)(Args...);

  static Function Best() {
    switch (BestVectorUnit()) {
#ifdef VENDRAL_SCAN_AVX2
      case VectorUnit::kAvx2: return RunAvx2;
#endif
#ifdef VENDRAL_SCAN_SSE2
      case VectorUnit::kSse2: return Loop::template Run<VectorUnit::kSse2>;
#endif
      default: return Loop::template Run<VectorUnit::kPlain>;
    }
  }

#ifdef VENDRAL_SCAN_AVX2
  VENDRAL_AVX2_LOOP static Result RunAvx2(Args... args) {
    return Loop::template Run<VectorUnit::kAvx2>(args...);
  }
#endif
};

// Whether the processor has an instruction that counts the set bits of a
// word; without it each count is a call.
bool HasPopcount();

// Calls loop() in a copy built with that instruction where the processor
// has it. A loop that counts the bits of many masks gains from it; it must
// be marked VENDRAL_INLINE_INTO_COPIES, so that each copy holds it whole.
template <typename Loop>
VENDRAL_POPCOUNT_LOOP auto RunWithPopcount(Loop& loop) {
  return loop();
}
template <typename Loop>
auto RunCountingBits(Loop loop) {
  static const bool popcount = HasPopcount();
  return popcount ? RunWithPopcount(loop) : loop();
}

}  // namespace vendral::scan
