#include "database/word_steps.h"

namespace stavbas {
namespace {

bool ProcessorTakesWideBlocks() {
#if defined(STAVBAS_WIDE_WORD_BLOCKS)
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
#else
  return false;
#endif
}

}  // namespace

bool wideWordBlocks = ProcessorTakesWideBlocks();

void UseWideWordBlocks(bool on) {
  wideWordBlocks = on && ProcessorTakesWideBlocks();
}

}  // namespace stavbas
