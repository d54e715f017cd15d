#include "capture/sounds/wave_data.h"

#include <cstddef>

namespace mrv {

namespace embedded {
extern const unsigned char headshot_wave[];
extern const std::size_t headshot_wave_size;
extern const unsigned char monkey_wave[];
extern const std::size_t monkey_wave_size;
}  // namespace embedded

std::span<const unsigned char> WaveData(Sound sound) {
  switch (sound) {
    case Sound::Headshot:
      return {embedded::headshot_wave, embedded::headshot_wave_size};
    case Sound::Monkey:
      return {embedded::monkey_wave, embedded::monkey_wave_size};
  }
  return {};
}

}  // namespace mrv
