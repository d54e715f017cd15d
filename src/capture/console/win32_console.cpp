#include "capture/console/win32_console.h"

// Lean: the full header's common dialogs and their macros stay out.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <vector>

namespace mrv {

namespace {

// Short enough that the poll loop's 3000 ms quiet rule and the cyclic replies stay exact.
constexpr std::chrono::milliseconds kMaxWait{10};

HWND Handle(void* handle) {
  return static_cast<HWND>(handle);
}

}  // namespace

bool Win32Console::Find() {
  input_line_ = output_box_ = nullptr;
  HWND window = FindWindowA("Q3 WinConsole", nullptr);
  if (window == nullptr) return false;
  HWND input_line = FindWindowExA(window, nullptr, "Edit", nullptr);
  HWND output_box =
      input_line != nullptr ? FindWindowExA(window, input_line, "Edit", nullptr) : nullptr;
  input_line_ = input_line;
  output_box_ = output_box;
  return input_line != nullptr && output_box != nullptr;
}

std::size_t Win32Console::TextLength() {
  if (output_box_ == nullptr) return 0;
  const LRESULT length = SendMessageA(Handle(output_box_), WM_GETTEXTLENGTH, 0, 0);
  return length > 0 ? static_cast<std::size_t>(length) : 0;
}

std::string Win32Console::Text() {
  const std::size_t length = TextLength();
  // Room for the terminating zero the window writes.
  std::vector<char> buffer(length + 1, '\0');
  const LRESULT copied =
      SendMessageA(Handle(output_box_), WM_GETTEXT, static_cast<WPARAM>(buffer.size()),
                   reinterpret_cast<LPARAM>(buffer.data()));
  const auto count =
      static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(length)));
  return std::string(buffer.data(), count);
}

bool Win32Console::DropRead(std::size_t length) {
  if (output_box_ == nullptr) return false;
  HWND output_box = Handle(output_box_);
  SendMessageA(output_box, EM_SETSEL, 0, static_cast<LPARAM>(length));
  SendMessageA(output_box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
  return true;
}

bool Win32Console::TypeLine(const std::string& line) {
  if (input_line_ == nullptr) return false;
  HWND input_line = Handle(input_line_);
  const LRESULT set =
      SendMessageA(input_line, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
  PostMessageA(input_line, WM_SETFOCUS, 0, 0);
  PostMessageA(input_line, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(input_line, WM_KEYUP, VK_RETURN, 0);
  return set == 1;
}

void Win32Console::WaitForChange(std::chrono::milliseconds timeout) {
  Sleep(static_cast<DWORD>(std::clamp(timeout, std::chrono::milliseconds(0), kMaxWait).count()));
}

}  // namespace mrv
