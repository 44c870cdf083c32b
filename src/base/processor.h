#pragma once
// What the processor offers beyond plain x86-64, for the loops that have a wider way for it;
// each asks once, when it first needs to know.

namespace stavbas {

inline bool ProcessorHasAvx2() {
#if defined(__GNUC__) && defined(__x86_64__)
  __builtin_cpu_init();  // may be asked before the runtime has done it (static initialisers)
  return __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

// AVX-512 with byte and word operations.
inline bool ProcessorHasAvx512Bw() {
#if defined(__GNUC__) && defined(__x86_64__)
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
#else
  return false;
#endif
}

// The widest blocks, up to `widest`, that the processor takes in one step with its own bit
// count: 64 bytes (AVX-512 for bytes), 32 (AVX2) or 16 (SSE2, every x86-64 processor).
inline int WidestBlocks(int widest) {
#if defined(__GNUC__) && defined(__x86_64__)
  __builtin_cpu_init();
  const bool popcnt = __builtin_cpu_supports("popcnt");
  if (widest >= 64 && popcnt && ProcessorHasAvx512Bw()) return 64;
  if (widest >= 32 && popcnt && ProcessorHasAvx2()) return 32;
#else
  (void)widest;
#endif
  return 16;
}

// The same with the byte compress (VBMI2).
inline bool ProcessorHasAvx512Vbmi2() {
#if defined(__GNUC__) && defined(__x86_64__)
  return ProcessorHasAvx512Bw() && __builtin_cpu_supports("avx512vbmi2");
#else
  return false;
#endif
}

}  // namespace stavbas
