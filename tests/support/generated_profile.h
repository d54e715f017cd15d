// A profile of generated games for the Progress window's picture and the benchmark of a
// 10,000-game profile: a player who slowly gets better, a few games an evening from
// 2023-01-02 on, each named by its date and time as a fresh capture is (a saved
// scrim now and then by its own name), capture the flag every third game. Written
// straight in the profile layout, since adding 10,000 games one by one would rewrite
// the file 10,000 times. The same games for the same seed.
#pragma once

#include <cstdint>
#include <filesystem>

namespace mrv::test {

// The profile file of the nickname Morv with `games` games of `weapon_count` weapons.
void WriteGeneratedProfile(const std::filesystem::path& file, int games, int weapon_count,
                           std::uint32_t seed = 2024);

}  // namespace mrv::test
