#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

// What every benchmark times with: a steady clock, durations in
// milliseconds, and the median of a run's samples.
namespace tallowin::bench {

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The middle sample; the mean of the two middle ones for an even count.
inline double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  const std::size_t middle = samples.size() / 2;
  return samples.size() % 2 != 0 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

}  // namespace tallowin::bench
