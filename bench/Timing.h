// What every benchmark measures with: the median of a run's figures, and the time a piece
// of work takes on the performance counter (its drawing flushed).
#pragma once
#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline double Seconds(const std::function<void()>& work) {
  LARGE_INTEGER frequency, from, to;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&from);
  work();
  GdiFlush();
  QueryPerformanceCounter(&to);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
