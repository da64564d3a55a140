// The process-wide runtime generator. It starts in the state of a seed of 1, so the
// subscribers' moves repeat from one launch to the next unless the user seeds it.
#include "random/runtimerandom.h"

namespace vadidazid {

RuntimeRandom& ProcessRuntimeRandom() {
  static RuntimeRandom generator;
  return generator;
}

void SeedRuntimeRandom(uint32_t seed) { ProcessRuntimeRandom().Seed(seed); }

int32_t RuntimeRandom31() { return ProcessRuntimeRandom().Next(); }

}  // namespace vadidazid
