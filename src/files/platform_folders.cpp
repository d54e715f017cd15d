#include "files/platform_folders.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <string>
#endif

namespace mrv {

#ifdef _WIN32

namespace {

std::filesystem::path WideEnvironment(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

}  // namespace

std::filesystem::path ProgramFolder() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      return std::filesystem::path(name).parent_path();
    }
    if (name.size() >= 32768) return {};
    name.resize(name.size() * 2);
  }
}

std::filesystem::path UserDataFolder() {
  const std::filesystem::path roaming = WideEnvironment(L"APPDATA");
  return roaming.is_absolute() ? roaming / L"Morvane" : std::filesystem::path();
}

std::filesystem::path HomeFolder() { return WideEnvironment(L"USERPROFILE"); }

std::filesystem::path GameFolder() { return {}; }

std::filesystem::path EnvironmentFolder(const char* name) {
  return WideEnvironment(std::filesystem::path(name).wstring().c_str());
}

#else

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const auto self = std::filesystem::canonical("/proc/self/exe", error);
  return error ? std::filesystem::path() : self.parent_path();
}

std::filesystem::path UserDataFolder() {
  // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory rules say.
  const std::filesystem::path data_home = EnvironmentFolder("XDG_DATA_HOME");
  if (data_home.is_absolute()) return data_home / "morvane";
  const std::filesystem::path home = HomeFolder();
  return home.is_absolute() ? home / ".local" / "share" / "morvane" : std::filesystem::path();
}

std::filesystem::path HomeFolder() { return EnvironmentFolder("HOME"); }

std::filesystem::path GameFolder() {
  const std::filesystem::path home = HomeFolder();
  if (!home.is_absolute()) return {};
  const std::filesystem::path game = home / ".q3a" / "q3ut4";
  std::error_code error;
  return std::filesystem::is_directory(game, error) ? game : std::filesystem::path();
}

std::filesystem::path EnvironmentFolder(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

#endif

}  // namespace mrv
