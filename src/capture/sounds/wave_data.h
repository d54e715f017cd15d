// The capture's two sounds as wave files compiled into the program (PCM, mono,
// 22050 Hz, 8 bits per sample), for a sound player that plays them from memory.
#pragma once

#include <span>

#include "capture/platform.h"

namespace mrv {

// The whole wave file of the sound, headers included.
std::span<const unsigned char> WaveData(Sound sound);

}  // namespace mrv
