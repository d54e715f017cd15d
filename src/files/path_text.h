// File names held as text. Names that a person typed or a folder listing gave (profile
// names, command-line arguments) are UTF-8 on every system; this is how such a text
// becomes a path and back. On Windows the path is wide, so a name in any script works;
// elsewhere the bytes are the name as they are, valid UTF-8 or not.
//
// Game text (a game's name in a saved game's file name) is Latin-1 and is no such text.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mrv {

// Bytes that are no UTF-8 become U+FFFD on Windows; nothing throws.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace mrv
