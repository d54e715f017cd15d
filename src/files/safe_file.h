// Replacing a file so that at every instant it exists with either its old or its new
// content: the new content goes to the ".tmp" file beside it, is flushed to disk, and
// then takes the file's name by one rename.
#pragma once

#include <filesystem>
#include <string_view>

namespace mrv {

std::filesystem::path TemporaryFileFor(const std::filesystem::path& target);

// False when anything fails; the temporary file is then left in place for recovery
// and the target is unchanged.
bool ReplaceFileSafely(const std::filesystem::path& target, std::string_view content);

}  // namespace mrv
