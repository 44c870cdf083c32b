#include "base/processor.h"
#include "database/word_steps.h"

namespace stavbas {
namespace {

int WidestWordBlocks(int widest) {
#if defined(STAVBAS_WIDE_WORD_BLOCKS)
  return WidestBlocks(widest);
#else
  (void)widest;
  return 16;
#endif
}

}  // namespace

int wordBlockWidth = WidestWordBlocks(64);

void LimitWordBlockWidth(int widest) {
  wordBlockWidth = WidestWordBlocks(widest);
}

}  // namespace stavbas
