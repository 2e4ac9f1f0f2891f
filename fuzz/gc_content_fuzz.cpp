// GC-content on arbitrary source bytes; see composition_fuzz.h.
#include "composition_fuzz.h"
#include "core/tools/composition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vendral::fuzz::FuzzComposition(vendral::kGcLetters, data, size);
  return 0;
}
