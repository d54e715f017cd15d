// The game's console window as the engine builds and fills it: a top-level window of
// class "Q3 WinConsole" whose children are, in the order they are created, the input
// line, the copy, clear and quit buttons, and the output box. A line is appended to the
// output box where its caret is, with its colour codes dropped and CR LF line ends
// (and written to standard error, for the tests' messages). Enter in the input line
// (the key press, as the system's message loop turns it into a character) echoes "]"
// and the line, then runs it. The clear button empties the output box.
//
// The engine also replaces the box's whole text by the newest line once 32767
// characters were added since it last did; the stand-in leaves that out. What that
// wipes before any program read it is lost to every reader, and a capture's handling
// of a replaced box is tested on its own.
#include "support/fake_game/console.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <utility>

namespace mrv::fake_game {

namespace {

constexpr std::size_t kBufferSize = 16384;
constexpr int kCopyId = 1;
constexpr int kQuitId = 2;
constexpr int kClearId = 3;
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

  // The engine answers other programs' messages once a frame, and a frame rarely
  // prints more than a line or two: here each line printed is a frame of its own.
  void Print(const std::string& text) override {
    Append(text + "\n");
    Pump();
  }
  void Start() override {}
  void Serve(std::chrono::steady_clock::time_point deadline) override;
  void EndFrame() override { Pump(); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK InputLineProc(HWND window, UINT message, WPARAM w, LPARAM l);
  void Append(const std::string& message);
  void Pump();

  HWND window_ = nullptr;
  HWND input_line_ = nullptr;
  HWND output_box_ = nullptr;
  WNDPROC input_line_proc_ = nullptr;
};

HWND Child(HWND parent, const char* window_class, DWORD style, int id, int y, int height) {
  return CreateWindowExA(0, window_class, nullptr, WS_CHILD | WS_VISIBLE | style, 6, y, 528,
                         height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

WindowConsole::WindowConsole() {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = &WindowConsole::WindowProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW);
  window_class.lpszClassName = "Q3 WinConsole";
  RegisterClassA(&window_class);
  // Never shown: drawing every line would cost a display far more than the game pays.
  window_ = CreateWindowExA(0, "Q3 WinConsole", "Urban Terror Console",
                            WS_POPUPWINDOW | WS_CAPTION | WS_MINIMIZEBOX, 0, 0, 540, 450, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
  input_line_ = Child(window_, "edit", WS_BORDER | ES_LEFT | ES_AUTOHSCROLL, kInputLineId, 400, 20);
  for (const auto& [caption, id] : {std::pair{"copy", kCopyId}, std::pair{"clear", kClearId},
                                     std::pair{"quit", kQuitId}}) {
    SetWindowTextA(Child(window_, "button", BS_PUSHBUTTON, id, 425, 24), caption);
  }
  output_box_ = Child(window_, "edit",
                      WS_VSCROLL | WS_BORDER | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                      kOutputBoxId, 40, 354);
  the_console = this;
  input_line_proc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      input_line_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowConsole::InputLineProc)));
  SetFocus(input_line_);
}

WindowConsole::~WindowConsole() {
  DestroyWindow(window_);
  the_console = nullptr;
}

LRESULT CALLBACK WindowConsole::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_COMMAND && LOWORD(w) == kClearId && the_console != nullptr) {
    SetWindowTextA(the_console->output_box_, "");
    return 0;
  }
  return DefWindowProcA(window, message, w, l);
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
  SendMessageA(output_box_, EM_LINESCROLL, 0, 0xffff);
  SendMessageA(output_box_, EM_SCROLLCARET, 0, 0);
  SendMessageA(output_box_, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
  std::fputs(message.c_str(), stderr);
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
