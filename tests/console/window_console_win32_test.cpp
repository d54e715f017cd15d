// The game's console window (the fake game's, built as the engine builds it) seen
// through Win32Console: found by its class and children, read, emptied of what was
// read while the rest stays in order (and of nothing once the window was emptied
// since the read), typed into the way a player's Enter does, and gone with the game.
#include <gtest/gtest.h>
#include <windows.h>

#include "capture/console/win32_console.h"
#include "support/window_game.h"
#include "support/paths.h"

namespace mrv::test {
namespace {

TEST(WindowConsoleTest, ReadsTypesAndDropsOnlyWhatWasRead) {
  ScratchDir scratch("window-console");
  const std::string script =
      WriteScript(scratch.path(), "game.script",
                  {"map ut4_abbey", "name ^1Fak", "print ^1Fak^7 joined the ^1red^7 team.",
                   "print Second line.", "expect 5000 first", "print Third line.",
                   "expect 5000 name", "expect 5000 cleared", "print After the clear.",
                   "sleep 200", "quit 0"});
  WindowGame game(scratch.path(), script);
  ASSERT_TRUE(game.WaitUntilShown());
  Win32Console console;
  ASSERT_TRUE(console.Find());
  const std::string first = "Fak joined the red team.\r\n";
  EXPECT_EQ(WaitForText(console, "Second line."), first + "Second line.\r\n")
      << "colour codes dropped, CR LF line ends";

  // Only what was read goes; the game's next lines come after what stayed.
  ASSERT_TRUE(console.DropRead(first.size()));
  EXPECT_EQ(console.Text(), "Second line.\r\n");
  EXPECT_TRUE(console.TypeLine("first"));
  EXPECT_EQ(WaitForText(console, "Third line."),
            "Second line.\r\n]first\r\nUnknown command \"first\"\r\nThird line.\r\n");

  // Lines typed one right after the other all reach the game, in order; commands typed
  // together run in order, with the answers the capture asks for.
  EXPECT_TRUE(console.TypeLine("ut_echo one"));
  EXPECT_TRUE(console.TypeLine("mapname;name"));
  EXPECT_NE(WaitForText(console, "UnnamedPlayer").find("]ut_echo one\r\none \r\n"
                                                       "]mapname;name\r\n"
                                                       "\"mapname\" is:\"ut4_abbey\" "
                                                       "default:\"nomap\"\r\n"
                                                       "\"name\" is:\"Fak\" "
                                                       "default:\"UnnamedPlayer\"\r\n"),
            std::string::npos)
      << console.Text();

  // The player empties the window with its clear button between the capture's read and
  // its drop, and the game prints on: nothing it printed goes.
  const std::string read = console.Text();
  Win32Console player;
  ASSERT_TRUE(player.Find());
  // What the button tells its window when it is clicked.
  HWND window = FindWindowA("Q3 WinConsole", nullptr);
  HWND clear = FindWindowExA(window, nullptr, "Button", "clear");
  ASSERT_NE(clear, nullptr);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(clear), BN_CLICKED),
               reinterpret_cast<LPARAM>(clear));
  EXPECT_TRUE(player.TypeLine("cleared"));
  const std::string after = "]cleared\r\nUnknown command \"cleared\"\r\nAfter the clear.\r\n";
  ASSERT_EQ(WaitForText(player, "After the clear."), after);
  EXPECT_FALSE(console.DropRead(read.size()));
  EXPECT_EQ(player.Text(), after);

  EXPECT_EQ(game.WaitForExit(), 0);
  EXPECT_EQ(console.TextLength(), 0u) << "a window that is gone has no text";
  EXPECT_FALSE(console.Find());
  EXPECT_FALSE(console.TypeLine("quit")) << "nothing to type into";
}

}  // namespace
}  // namespace mrv::test
