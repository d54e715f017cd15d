#include "files/path_text.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <climits>
#endif

namespace mrv {

#ifdef _WIN32

// The standard library's own conversions throw on a byte that is no UTF-8 (from char8_t)
// or take a narrow text byte by byte (from char); the system's do neither.
std::filesystem::path PathFromUtf8(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return std::filesystem::path(std::move(wide));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  if (wide.empty() || wide.size() > INT_MAX) return {};
  const int size = static_cast<int>(wide.size());
  std::string text(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
  return text;
}

#else

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::string(text));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  return path.native();
}

#endif

}  // namespace mrv
