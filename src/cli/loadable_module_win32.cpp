#include "cli/loadable_module.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "files/path_text.h"

namespace mrv::cli {

namespace {

// The system's text for an error code, without its line break.
std::string ErrorText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring wide = length > 0 ? std::wstring(text, length) : L"error " + std::to_wstring(code);
  LocalFree(text);
  while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' ')) {
    wide.pop_back();
  }
  return Utf8FromPath(std::filesystem::path(wide));
}

}  // namespace

ModuleFunction LoadModuleFunction(const std::filesystem::path& file, const char* name) {
  // The module's own DLLs come from its folder, the program's and the system's, never
  // from the current folder or PATH; a missing one is an error code, never a dialog.
  DWORD old_mode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_mode);
  const HMODULE module = LoadLibraryExW(
      file.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  const DWORD load_error = GetLastError();
  SetThreadErrorMode(old_mode, nullptr);
  const std::string where = Utf8FromPath(file) + ": ";
  if (module == nullptr) return {nullptr, where + ErrorText(load_error)};
  const FARPROC address = GetProcAddress(module, name);
  if (address == nullptr) return {nullptr, where + "it has no function " + name};
  return {reinterpret_cast<void (*)()>(address), {}};
}

}  // namespace mrv::cli
