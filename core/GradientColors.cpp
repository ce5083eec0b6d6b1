// The gradient line colours: extended-precision steps, in 80-bit long double or exactly in integers.
#include "core/GradientColors.h"

#include <cfloat>
#include <cmath>
#include <initializer_list>

namespace tessarin {
namespace {

int BitLength(std::uint64_t v) {
  int n = 0;
  while (v) {
    ++n;
    v >>= 1;
  }
  return n;
}

// A binary floating-point value mantissa × 2^exponent, the mantissa at most 64 bits wide.
struct Extended {
  std::uint64_t mantissa;
  int exponent;
};

// span / n rounded to a 64-bit mantissa, ties to even, by long division bit by bit.
Extended Quotient(std::uint64_t span, std::uint64_t n) {
  std::uint64_t m = span / n;
  std::uint64_t r = span % n;
  int exponent = 0;
  while (BitLength(m) < 64) {
    r <<= 1;
    const bool bit = r >= n;
    if (bit) r -= n;
    m = (m << 1) | (bit ? 1 : 0);
    --exponent;
  }
  r <<= 1;
  const bool roundBit = r >= n;
  if (roundBit) r -= n;
  const bool sticky = r != 0;
  if (roundBit && (sticky || (m & 1))) {
    ++m;
    if (m == 0) {  // carried out of the 64 bits
      m = std::uint64_t{1} << 63;
      ++exponent;
    }
  }
  return {m, exponent};
}

// q × i rounded to a 64-bit mantissa, ties to even; the exact product takes up to 96 bits.
Extended Product(Extended q, std::uint32_t i) {
  const std::uint64_t low = (q.mantissa & 0xFFFFFFFFu) * i;
  const std::uint64_t high = (q.mantissa >> 32) * i;  // to be shifted up by 32
  std::uint64_t lo = low + (high << 32);
  std::uint64_t hi = (high >> 32) + (lo < low ? 1 : 0);
  if (hi == 0) return {lo, q.exponent};  // exact in 64 bits
  const int shift = BitLength(hi);       // bits beyond the 64 kept
  std::uint64_t m = (lo >> shift) | (hi << (64 - shift));
  const std::uint64_t dropped = lo & ((std::uint64_t{1} << shift) - 1);
  const bool roundBit = (dropped >> (shift - 1)) & 1;
  const bool sticky = (dropped & ((std::uint64_t{1} << (shift - 1)) - 1)) != 0;
  int exponent = q.exponent + shift;
  if (roundBit && (sticky || (m & 1))) {
    ++m;
    if (m == 0) {
      m = std::uint64_t{1} << 63;
      ++exponent;
    }
  }
  return {m, exponent};
}

// The nearest integer, ties to even.
int Nearest(Extended v) {
  if (v.exponent >= 0) return static_cast<int>(v.mantissa << v.exponent);
  const int s = -v.exponent;
  if (s > 64) return 0;  // below one half
  const std::uint64_t whole = s == 64 ? 0 : v.mantissa >> s;
  const bool half = (v.mantissa >> (s - 1)) & 1;
  const bool sticky = s > 1 && (v.mantissa & ((std::uint64_t{1} << (s - 1)) - 1)) != 0;
  return static_cast<int>(whole + ((half && (sticky || (whole & 1))) ? 1 : 0));
}

#if LDBL_MANT_DIG == 64 && defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
// The x87 unit computes long double at the precision its control word sets; a Windows
// thread may start at 53 bits. Extended precision and rounding to nearest for the scope.
class X87Extended {
 public:
  X87Extended() {
    __asm__ volatile("fnstcw %0" : "=m"(saved_) : : "memory");
    const unsigned short word = static_cast<unsigned short>((saved_ & ~0x0F00) | 0x0300);
    __asm__ volatile("fldcw %0" : : "m"(word) : "memory");
  }
  ~X87Extended() { __asm__ volatile("fldcw %0" : : "m"(saved_) : "memory"); }
  X87Extended(const X87Extended&) = delete;
  X87Extended& operator=(const X87Extended&) = delete;

 private:
  unsigned short saved_ = 0;
};
#define TESSARIN_EXTENDED_LONG_DOUBLE 1
#endif

}  // namespace

int GradientStepExact(int span, int n, int i) {
  if (span <= 0 || i <= 0 || n <= 0) return 0;
  return Nearest(Product(Quotient(static_cast<std::uint64_t>(span), static_cast<std::uint64_t>(n)),
                         static_cast<std::uint32_t>(i)));
}

bool HasExtendedLongDouble() {
#ifdef TESSARIN_EXTENDED_LONG_DOUBLE
  return true;
#else
  return false;
#endif
}

int GradientStepExtended(int span, int n, int i) {
#ifdef TESSARIN_EXTENDED_LONG_DOUBLE
  if (n <= 0) return 0;
  X87Extended precision;
  volatile long double quotient = static_cast<long double>(span) / static_cast<long double>(n);
  volatile long double product = quotient * static_cast<long double>(i);
  return static_cast<int>(std::nearbyint(static_cast<long double>(product)));
#else
  return GradientStepExact(span, n, i);
#endif
}

int GradientStep(int span, int n, int i) {
#ifdef TESSARIN_EXTENDED_LONG_DOUBLE
  return GradientStepExtended(span, n, i);
#else
  return GradientStepExact(span, n, i);
#endif
}

int GradientChannel(int light, int shadow, int n, int i) {
  return light < shadow ? light + GradientStep(shadow - light, n, i)
                        : light - GradientStep(light - shadow, n, i);
}

std::uint32_t GradientLineColor(std::uint32_t light, std::uint32_t shadow, int n, int i) {
  std::uint32_t color = 0;
  for (int shift : {0, 8, 16}) {
    const int l = static_cast<int>((light >> shift) & 0xFF), s = static_cast<int>((shadow >> shift) & 0xFF);
    color |= static_cast<std::uint32_t>(GradientChannel(l, s, n, i)) << shift;
  }
  return color;
}

}  // namespace tessarin
