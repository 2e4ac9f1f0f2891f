#include "core/scan/dispatch.h"

namespace vendral::scan {
namespace {

VectorUnit FindBestVectorUnit() {
#ifdef VENDRAL_SCAN_AVX2
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("bmi")) {
    return VectorUnit::kAvx2;
  }
#endif
#ifdef VENDRAL_SCAN_SSE2
  return VectorUnit::kSse2;
#else
  return VectorUnit::kPlain;
#endif
}

}  // namespace

VectorUnit BestVectorUnit() {
  static const VectorUnit unit = FindBestVectorUnit();
  return unit;
}

bool HasPopcount() {
#ifdef VENDRAL_SCAN_POPCOUNT
  return __builtin_cpu_supports("popcnt");
#else
  return false;
#endif
}

}  // namespace vendral::scan
