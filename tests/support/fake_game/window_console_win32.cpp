// The game's console window as the engine builds and fills it: a top-level window of
// class "Q3 WinConsole" whose children are, in the order they are created, the input
// line, the copy, clear and quit buttons, and the output box. A line is appended to the
// output box where its caret is, with its colour codes dropped and CR LF line ends, and
// once 32767 characters were appended since the last time, the new text replaces the
// whole box instead. Enter in the input line (the key press, as the system's message
// loop turns it into a character) echoes "]" and the line, then runs it.
//
// The box's text lost that way before any program read it is written to standard
// output, one "wiped unread: LINE" per line, for the tests to count.
#include "support/fake_game/console.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <vector>

namespace mrv::fake_game {

namespace {

constexpr std::size_t kBufferSize = 16384;
constexpr unsigned long kMostAppended = 0x7fff;
constexpr int kOutputBoxId = 100;
constexpr int kInputLineId = 101;

class WindowConsole;
WindowConsole* the_console = nullptr;

class WindowConsole final : public Console {
 public:
  WindowConsole();
  ~WindowConsole() override;
  WindowConsole(const WindowConsole&) = delete;
  WindowConsole& operator=(const WindowConsole&) = delete;

  void Print(const std::string& text) override { Append(text + "\n"); }
  void Start() override {}
  void Serve(std::chrono::steady_clock::time_point deadline) override;
  void EndFrame() override { Pump(); }

 private:
  static LRESULT CALLBACK InputLineProc(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK OutputBoxProc(HWND window, UINT message, WPARAM w, LPARAM l);
  void Append(const std::string& message);
  void Pump();

  HWND window_ = nullptr;
  HWND input_line_ = nullptr;
  HWND output_box_ = nullptr;
  WNDPROC input_line_proc_ = nullptr;
  WNDPROC output_box_proc_ = nullptr;
  unsigned long appended_ = 0;
  // The lines appended since a program last read the box's text.
  std::vector<std::string> unread_;
};

HWND Child(HWND parent, const char* window_class, DWORD style, int id, int y, int height) {
  return CreateWindowExA(0, window_class, nullptr, WS_CHILD | WS_VISIBLE | style, 6, y, 528,
                         height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

WindowConsole::WindowConsole() {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW);
  window_class.lpszClassName = "Q3 WinConsole";
  RegisterClassA(&window_class);
  window_ = CreateWindowExA(0, "Q3 WinConsole", "Urban Terror Console",
                            WS_POPUPWINDOW | WS_CAPTION | WS_MINIMIZEBOX | WS_VISIBLE, 0, 0, 540,
                            450, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  input_line_ = Child(window_, "edit", WS_BORDER | ES_LEFT | ES_AUTOHSCROLL, kInputLineId, 400, 20);
  int id = 1;
  for (const char* button : {"copy", "clear", "quit"}) {
    HWND created = Child(window_, "button", BS_PUSHBUTTON, id++, 425, 24);
    SetWindowTextA(created, button);
  }
  output_box_ = Child(window_, "edit",
                      WS_VSCROLL | WS_BORDER | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                      kOutputBoxId, 40, 354);
  the_console = this;
  input_line_proc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      input_line_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowConsole::InputLineProc)));
  output_box_proc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      output_box_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowConsole::OutputBoxProc)));
  SetFocus(input_line_);
}

WindowConsole::~WindowConsole() {
  DestroyWindow(window_);
  the_console = nullptr;
}

LRESULT CALLBACK WindowConsole::InputLineProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  WindowConsole& console = *the_console;
  if (message == WM_CHAR && w == '\r') {
    char typed[1024];
    GetWindowTextA(console.input_line_, typed, sizeof typed);
    SetWindowTextA(console.input_line_, "");
    console.Append("]" + std::string(typed) + "\n");
    for (const std::string& answer : console.commands.Run(typed)) console.Print(answer);
    return 0;
  }
  return CallWindowProcA(console.input_line_proc_, window, message, w, l);
}

LRESULT CALLBACK WindowConsole::OutputBoxProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  WindowConsole& console = *the_console;
  if (message == WM_GETTEXT) console.unread_.clear();
  return CallWindowProcA(console.output_box_proc_, window, message, w, l);
}

void WindowConsole::Append(const std::string& message) {
  std::string_view rest = message;
  // Of a message longer than the buffer, only its end.
  if (rest.size() > kBufferSize - 1) rest.remove_prefix(rest.size() - (kBufferSize - 1));
  std::string text;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '\n' && i + 1 < rest.size() && rest[i + 1] == '\r') {
      text += "\r\n";
      ++i;
    } else if (rest[i] == '\r' || rest[i] == '\n') {
      text += "\r\n";
    } else if (rest[i] == '^' && i + 1 < rest.size() && rest[i + 1] >= '0' && rest[i + 1] <= '9') {
      ++i;
    } else {
      text += rest[i];
    }
  }
  appended_ += static_cast<unsigned long>(text.size());
  if (appended_ > kMostAppended) {
    SendMessageA(output_box_, EM_SETSEL, 0, -1);
    appended_ = static_cast<unsigned long>(text.size());
    for (const std::string& line : unread_) std::printf("wiped unread: %s\n", line.c_str());
    std::fflush(stdout);
    unread_.clear();
  }
  unread_.push_back(message.substr(0, message.find_first_of("\r\n")));
  SendMessageA(output_box_, EM_LINESCROLL, 0, 0xffff);
  SendMessageA(output_box_, EM_SCROLLCARET, 0, 0);
  SendMessageA(output_box_, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void WindowConsole::Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void WindowConsole::Serve(std::chrono::steady_clock::time_point deadline) {
  while (!commands.quit_requested()) {
    Pump();
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || commands.quit_requested()) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
  }
}

}  // namespace

std::unique_ptr<Console> OpenConsole(bool) {
  return std::make_unique<WindowConsole>();
}

}  // namespace mrv::fake_game
