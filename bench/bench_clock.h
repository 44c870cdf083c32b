#pragma once
// Timing and memory readings shared by the benchmarks.

#include <sys/resource.h>

#include <chrono>

namespace stavbas::bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// The largest resident size of the process so far.
inline long MaxRssKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

}  // namespace stavbas::bench
