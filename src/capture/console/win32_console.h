// The game's console window on Windows ("Q3 WinConsole"): its output box is read and
// emptied of what was read, and commands are typed into its input line with window
// messages.
// Built on Windows only.
#pragma once

#include <chrono>
#include <string>

#include "capture/console/game_console.h"

namespace mrv {

class Win32Console final : public GameConsole {
 public:
  // Finds the console window and its two "Edit" children: the first is the input
  // line, the next one the output box. True only when both were found.
  bool Find() override;
  // A window that no longer exists reports 0.
  std::size_t TextLength() override;
  std::string Text() override;
  // Selects the first `length` characters and replaces the selection with nothing, so
  // that a line the game adds meanwhile stays, then puts the caret back at the end,
  // where the game appends. Nothing is dropped (false) when the box no longer begins
  // with what Text() read: the game replaced its text meanwhile.
  bool DropRead(std::size_t length) override;
  // Waits, a second at most, until the game took the line typed before; then sets the
  // input line's text and posts focus and an Enter key press without waiting for
  // them. True when the text was set.
  bool TypeLine(const std::string& line) override;
  // The window sends no notice of changes: a short sleep.
  void WaitForChange(std::chrono::milliseconds timeout) override;

 private:
  // The box's first `length` characters (fewer when it holds fewer).
  std::string TextUpTo(std::size_t length);

  // What the last Text() read, which DropRead drops.
  std::string last_read_;
  // The last line typed into this window, until the game takes it.
  std::string last_typed_;
  // The window handles (HWND), kept opaque so that this header needs no <windows.h>.
  void* input_line_ = nullptr;
  void* output_box_ = nullptr;
};

}  // namespace mrv
