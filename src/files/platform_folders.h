// The folders the system gives the running program, each found the platform's way:
// the one place where the data-folder rule (data_folder.h) meets the operating system.
// Every function returns an empty path when the system does not say.
#pragma once

#include <filesystem>

namespace mrv {

// The folder of the running executable, links resolved.
std::filesystem::path ProgramFolder();

// Where Morvane keeps a user's files when its program folder cannot:
// $XDG_DATA_HOME/morvane (by default ~/.local/share/morvane), %APPDATA%\Morvane on Windows.
std::filesystem::path UserDataFolder();

// The user's home folder ($HOME, %USERPROFILE% on Windows).
std::filesystem::path HomeFolder();

// The game's own folder of the user's files, ~/.q3a/q3ut4, when it exists (it writes
// qconsole.log there); empty on Windows, where the game keeps them in its own folder.
std::filesystem::path GameFolder();

// An environment variable that names a folder; empty when unset or empty.
std::filesystem::path EnvironmentFolder(const char* name);

}  // namespace mrv
