#include "base/processor.h"
#include "database/word_steps.h"

namespace stavbas {
namespace {

bool WideBlocksPossible() {
#if defined(STAVBAS_WIDE_WORD_BLOCKS)
  return ProcessorHasAvx2AndPopcnt();
#else
  return false;
#endif
}

}  // namespace

bool wideWordBlocks = WideBlocksPossible();

void UseWideWordBlocks(bool on) {
  wideWordBlocks = on && WideBlocksPossible();
}

}  // namespace stavbas
