#include "capture/matching/console_line.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mrv {

std::uint64_t ConsoleLine::WidePairsOf(std::string_view text) {
#if defined(__SSE2__)
  const std::size_t n = text.size();
  if (n < 17) return PairsOf(text);
  const char* data = text.data();
  // Four sums of bits, so that setting one does not wait for the one before.
  std::uint64_t bits[4] = {};
  alignas(16) unsigned char numbers[16];
  const __m128i ones = _mm_set1_epi8(1);
  const __m128i low_six = _mm_set1_epi8(63);
  // The pairs ending at `at` to `at` + 15; the last block overlaps the one before, and
  // a pair counted twice changes nothing.
  for (std::size_t at = 1;; at = std::min(at + 16, n - 16)) {
    const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at - 1));
    const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
    // (before * 31 + after) & 63, where before * 32 keeps only its lowest bit, moved up
    // by five: within each byte, as the multiplication is.
    const __m128i times_32 = _mm_slli_epi16(_mm_and_si128(before, ones), 5);
    const __m128i sum = _mm_add_epi8(_mm_sub_epi8(times_32, before), after);
    _mm_store_si128(reinterpret_cast<__m128i*>(numbers), _mm_and_si128(sum, low_six));
    for (int i = 0; i < 16; i += 4) {
      bits[0] |= std::uint64_t{1} << numbers[i];
      bits[1] |= std::uint64_t{1} << numbers[i + 1];
      bits[2] |= std::uint64_t{1} << numbers[i + 2];
      bits[3] |= std::uint64_t{1} << numbers[i + 3];
    }
    if (at == n - 16) return bits[0] | bits[1] | bits[2] | bits[3];
  }
#else
  return PairsOf(text);
#endif
}

}  // namespace mrv
