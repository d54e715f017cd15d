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
#include <string_view>
#include <vector>

namespace mrv {

namespace {

// Short enough that the poll loop's 3000 ms quiet rule and the cyclic replies stay exact.
constexpr std::chrono::milliseconds kMaxWait{10};

// A character position past any text: the box takes it as its end.
constexpr int kPastTheEnd = 0x7fffffff;

// How long a typed line waits at most for the game to take the one typed before.
constexpr ULONGLONG kTakenWaitMs = 1000;

HWND Handle(void* handle) {
  return static_cast<HWND>(handle);
}

// The window's first `length` characters (fewer when it holds fewer).
std::string WindowText(HWND window, std::size_t length) {
  // Room for the terminating zero the window writes.
  std::vector<char> buffer(length + 1, '\0');
  const LRESULT copied = SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(buffer.size()),
                                      reinterpret_cast<LPARAM>(buffer.data()));
  const auto count =
      static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(length)));
  return std::string(buffer.data(), count);
}

std::string WholeText(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  return WindowText(window, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace

bool Win32Console::Find() {
  input_line_ = output_box_ = nullptr;
  last_typed_.clear();
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
  last_read_ = TextUpTo(TextLength());
  return last_read_;
}

std::string Win32Console::TextUpTo(std::size_t length) {
  return WindowText(Handle(output_box_), length);
}

// The game answers each message between two of its frames, and in a frame it may add
// lines where the selection is, or replace its whole text (once 32767 characters were
// added). So the read text is selected, found still at the start, and only then
// replaced: a whole-text replacement after that check took the selection away, and a
// line added after it replaced the selection itself, so nothing unread goes.
bool Win32Console::DropRead(std::size_t length) {
  if (output_box_ == nullptr) return false;
  HWND output_box = Handle(output_box_);
  length = std::min(length, last_read_.size());
  const std::string_view read(last_read_.data(), length);
  bool dropped = false;
  if (TextUpTo(length) == read) {
    SendMessageA(output_box, EM_SETSEL, 0, static_cast<LPARAM>(length));
    dropped = TextUpTo(length) == read;
    if (dropped) SendMessageA(output_box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
  }
  // The game adds its next lines where the caret is, which the replacement left at the
  // start: back to the end, or they would come before the lines still unread.
  SendMessageA(output_box, EM_SETSEL, kPastTheEnd, kPastTheEnd);
  return dropped;
}

// The game takes a typed line when it handles the posted Enter, between two of its
// frames, and the window answers sent messages before posted ones: a line typed
// before the game took the last one would replace it in the input line, and that one
// would be lost. So each line first waits, briefly at most, until the last one is gone.
bool Win32Console::TypeLine(const std::string& line) {
  if (input_line_ == nullptr) return false;
  HWND input_line = Handle(input_line_);
  if (!last_typed_.empty()) {
    const ULONGLONG give_up = GetTickCount64() + kTakenWaitMs;
    while (WholeText(input_line) == last_typed_ && GetTickCount64() < give_up) Sleep(1);
  }
  const LRESULT set =
      SendMessageA(input_line, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
  PostMessageA(input_line, WM_SETFOCUS, 0, 0);
  PostMessageA(input_line, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(input_line, WM_KEYUP, VK_RETURN, 0);
  last_typed_ = set == 1 ? line : std::string();
  return set == 1;
}

void Win32Console::WaitForChange(std::chrono::milliseconds timeout) {
  Sleep(static_cast<DWORD>(std::clamp(timeout, std::chrono::milliseconds(0), kMaxWait).count()));
}

}  // namespace mrv
