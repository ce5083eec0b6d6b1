// The end of a wait on the system's millisecond counter, free of the platform.
#pragma once
#include <cstdint>

namespace ui {

// Whether a wait of waitMs milliseconds that started at tick count start is over at tick
// count now: the counter has moved on by more than waitMs, counted modulo 2^32 so that the
// counter's wrap-around changes nothing. A negative wait is over at once.
constexpr bool WaitIsOver(std::uint32_t start, std::uint32_t now, std::int32_t waitMs) {
  if (waitMs < 0) return true;
  const std::uint32_t elapsed = now - start;  // unsigned: modulo 2^32
  return elapsed > static_cast<std::uint32_t>(waitMs);
}

}  // namespace ui
