#include "capture/sounds/wave_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace mrv {
namespace {

std::uint32_t Little(std::span<const unsigned char> bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

std::string_view Tag(std::span<const unsigned char> bytes, std::size_t at) {
  return {reinterpret_cast<const char*>(bytes.data() + at), 4};
}

TEST(WaveDataTest, EachSoundIsAShortMono8BitWave) {
  for (const Sound sound : {Sound::Headshot, Sound::Monkey}) {
    const auto wave = WaveData(sound);
    ASSERT_GT(wave.size(), 44u);
    EXPECT_EQ(Tag(wave, 0), "RIFF");
    EXPECT_EQ(Little(wave, 4, 4), wave.size() - 8);
    EXPECT_EQ(Tag(wave, 8), "WAVE");
    EXPECT_EQ(Tag(wave, 12), "fmt ");
    EXPECT_EQ(Little(wave, 16, 4), 16u);
    EXPECT_EQ(Little(wave, 20, 2), 1u) << "PCM";
    EXPECT_EQ(Little(wave, 22, 2), 1u) << "mono";
    EXPECT_EQ(Little(wave, 24, 4), 22050u);
    EXPECT_EQ(Little(wave, 28, 4), 22050u) << "bytes per second";
    EXPECT_EQ(Little(wave, 32, 2), 1u) << "block size";
    EXPECT_EQ(Little(wave, 34, 2), 8u) << "bits per sample";
    EXPECT_EQ(Tag(wave, 36), "data");
    const std::uint32_t samples = Little(wave, 40, 4);
    EXPECT_EQ(samples, wave.size() - 44);
    EXPECT_LT(samples, 22050u / 2) << "under half a second";
  }
  EXPECT_FALSE(std::ranges::equal(WaveData(Sound::Headshot), WaveData(Sound::Monkey)));
}

}  // namespace
}  // namespace mrv
