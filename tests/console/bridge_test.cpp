// The real bridge running the scripted fake game, seen through BridgeConsole.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "capture/console/bridge_console.h"
#include "capture/console/bridge_protocol.h"
#include "support/bridge_harness.h"
#include "support/paths.h"

namespace mrv::test {
namespace {

// Sends one raw frame and returns the answer's kind, or 0 when the bridge hung up.
class RawClient {
 public:
  explicit RawClient(const std::filesystem::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    socket_ = socket(AF_UNIX, SOCK_STREAM, 0);
    connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  }
  ~RawClient() { close(socket_); }
  char Send(const std::string& bytes) {
    send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    bridge::FrameReader reader;
    char buffer[4096];
    while (true) {
      // A change notice can come in the same read as the answer, before it.
      while (auto frame = reader.Next()) {
        if (frame->kind != bridge::kChanged) return frame->kind;
      }
      const ssize_t got = recv(socket_, buffer, sizeof buffer, 0);
      if (got <= 0) return 0;
      reader.Feed(std::string_view(buffer, static_cast<std::size_t>(got)));
    }
  }

 private:
  int socket_ = -1;
};

TEST(BridgeTest, ServesTheConsoleTextAndTypesIntoTheGame) {
  ScratchDir scratch("bridge-serve");
  BridgeConsole console(scratch / "console.sock");
  EXPECT_FALSE(console.Find()) << "no bridge runs yet";
  EXPECT_EQ(console.TextLength(), 0u);
  EXPECT_FALSE(console.TypeLine("name"));

  BridgeRun bridge(scratch.path(), "evening.script");
  ASSERT_TRUE(bridge.WaitUntilServing()) << bridge.messages();
  ASSERT_TRUE(console.Find());
  std::string text = WaitForText(console, "captured the Blue flag!");
  EXPECT_TRUE(console.CanType()) << "the game printed nothing, its terminal tells";
  EXPECT_NE(text.find("\r\nFak joined the red team.\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\n(DEAD) Rasec: meh\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nFak captured the Blue flag!\r\n"), std::string::npos);
  EXPECT_EQ(console.TextLength(), text.size());

  ASSERT_TRUE(console.DropRead(text.size()));
  EXPECT_EQ(console.TextLength(), 0u);
  EXPECT_EQ(console.Text(), "");

  ASSERT_TRUE(console.TypeLine("ut_echo MRV_GETMYSTATS")) << console.last_error();
  ASSERT_TRUE(console.TypeLine("mapname"));
  ASSERT_TRUE(console.TypeLine("name"));
  ASSERT_TRUE(
      console.TypeLine("ut_echo \"^2Hits:^7 3     ^1Hits Taken:^7 0\";ut_echo \"^2Head:^7 1"));
  text = WaitForText(console, "Head: 1 \r\n");
  EXPECT_EQ(text,
            "MRV_GETMYSTATS \r\n"
            "\"mapname\" is:\"ut4_abbey\" default:\"nomap\"\r\n"
            "\"name\" is:\"Fak\" default:\"UnnamedPlayer\"\r\n"
            "Hits: 3     Hits Taken: 0 \r\n"
            "Head: 1 \r\n")
      << "the echo of the typed lines stays out of the text";

  // Lines the game's terminal would drop are refused, by the client and by the bridge.
  for (const char* dropped : {"ut_echo a\tb", "ut_echo \x1b[A", "a\x7f", "a\x85", "caf\xe9"}) {
    EXPECT_FALSE(console.TypeLine(dropped)) << dropped;
  }
  EXPECT_TRUE(console.TypeLine(std::string(255, 'x')));
  EXPECT_FALSE(console.TypeLine(std::string(256, 'x')));
  RawClient raw(bridge.socket());
  EXPECT_EQ(raw.Send(bridge::EncodeFrame(bridge::kTypeLine, "say \x01hi")), bridge::kRefused);
  EXPECT_EQ(raw.Send(bridge::EncodeFrame(bridge::kTypeLine, "echo caf\xe9 au lait")),
            bridge::kRefused);
  EXPECT_EQ(raw.Send(bridge::EncodeFrame(bridge::kTypeLine, std::string(300, 'x'))),
            bridge::kRefused);
  EXPECT_EQ(raw.Send(bridge::EncodeFrame('?')), 0) << "an unknown request ends the connection";
  RawClient oversized(bridge.socket());
  EXPECT_EQ(oversized.Send(bridge::EncodeLength(bridge::kMaxFrameBytes + 1)), 0);

  // The game quits: the bridge ends with it and the console reads as gone.
  ASSERT_TRUE(console.TypeLine("quit"));
  EXPECT_EQ(bridge.WaitForExit(), 0);
  EXPECT_EQ(console.TextLength(), 0u);
  EXPECT_FALSE(console.Find());
  EXPECT_FALSE(std::filesystem::exists(bridge.socket()));
}

TEST(BridgeTest, EachClientReadsAndDropsItsOwnText) {
  ScratchDir scratch("bridge-clients");
  BridgeRun bridge(scratch.path(), "evening.script");
  ASSERT_TRUE(bridge.WaitUntilServing());
  {
    BridgeConsole gone(bridge.socket());
    ASSERT_TRUE(gone.Find());
    WaitForText(gone, "captured the Blue flag!");
  }
  BridgeConsole capture(bridge.socket());
  BridgeConsole player(bridge.socket());
  ASSERT_TRUE(capture.Find() && player.Find());
  const std::string read = WaitForText(capture, "captured the Blue flag!");
  ASSERT_TRUE(player.TypeLine("ut_echo printed after the read"));
  WaitForText(player, "printed after the read");
  // Only what was read goes, however much the client asks to drop.
  ASSERT_TRUE(capture.DropRead(read.size() + 1000));
  EXPECT_EQ(capture.Text(), "printed after the read \r\n");
  EXPECT_EQ(player.Text(), read + "printed after the read \r\n") << "the other client keeps it";

  // A client of the first protocol clears only its own text, and only to nothing.
  RawClient old(bridge.socket());
  EXPECT_EQ(old.Send(bridge::EncodeFrame(bridge::kClearText)), bridge::kDone);
  EXPECT_EQ(old.Send(bridge::EncodeFrame(bridge::kClearText, "new text")), bridge::kRefused);
  EXPECT_EQ(capture.TextLength(), 25u);
  EXPECT_TRUE(bridge.running()) << "the game outlives its clients";
}

// The text keeps its last 1 MB: a client that did not read in time is told of the loss,
// once.
TEST(BridgeTest, TellsAClientOfLinesLostBeforeItReadThem) {
  ScratchDir scratch("bridge-loss");
  BridgeRun bridge(scratch.path(), WriteScript(scratch.path(), "flood.script",
                                               {"sleep 300", "burst 20000 " + std::string(100, '-'),
                                                "print After the flood.", "sleep 60000"}));
  ASSERT_TRUE(bridge.WaitUntilServing());
  BridgeConsole console(bridge.socket());
  ASSERT_TRUE(console.Find());
  EXPECT_FALSE(console.TakeLineLoss());
  const std::string text = WaitForText(console, "After the flood.");
  EXPECT_LE(text.size(), bridge::kMaxTextBytes);
  EXPECT_TRUE(console.TakeLineLoss());
  EXPECT_FALSE(console.TakeLineLoss());
  console.Text();
  EXPECT_FALSE(console.TakeLineLoss()) << "told once";
}

// The terminal's mode decides, whatever the game printed; its own lines count only as
// lines of their own, and a terminal left canonical means no typed input in the end.
TEST(BridgeTest, TellsWhetherTheGameReadsTypedInput) {
  ScratchDir scratch("bridge-typing");
  using State = bridge::TypingState;
  using Lines = std::vector<std::string>;
  const struct {
    Lines lines;
    Lines settings;
    State state;
  } cases[] = {
      {{"console"}, {}, State::kReady},
      {{"print tty console mode disabled", "console"}, {}, State::kReady},
      {{"print Started tty console (use +set ttycon 0 to disable)"}, {}, State::kReady},
      {{"print tty console mode disabled"}, {}, State::kOff},
      {{"print stdin is not a tty, tty console mode failed"}, {}, State::kOff},
      {{"print ^1Fak^7: Started tty console", "print Rasec: tty console mode disabled"},
       {},
       State::kNotYet},
      {{"console"}, {"+set", "ttycon", "0"}, State::kNotYet},
  };
  int run = 0;
  for (const auto& [lines, settings, state] : cases) {
    const std::string name = "case" + std::to_string(++run);
    Lines script = lines;
    script.insert(script.end(), {"print Loaded.", "sleep 60000"});
    BridgeRun bridge(scratch.path(), WriteScript(scratch.path(), name + ".script", script),
                     name + ".log", name + ".sock", settings);
    ASSERT_TRUE(bridge.WaitUntilServing()) << bridge.messages();
    BridgeConsole console(bridge.socket());
    ASSERT_TRUE(console.Find());
    WaitForText(console, "Loaded.");
    EXPECT_EQ(console.CanType(), state == State::kReady) << name;
    EXPECT_EQ(console.ReadsNoInput(), state == State::kOff) << name;
    if (state == State::kReady) continue;
    EXPECT_FALSE(console.TypeLine("name")) << name;
    EXPECT_NE(
        console.last_error().find(state == State::kOff ? "reads no typed input" : "not started"),
        std::string::npos)
        << console.last_error();
    EXPECT_TRUE(console.Find()) << "a refused line leaves the connection as it was";
  }
  // Canonical long after the start: off.
  BridgeRun bridge(scratch.path(), "no_tty_console.script", "wait.log", "wait.sock", {},
                   {"--console-wait", "1"});
  ASSERT_TRUE(bridge.WaitUntilServing());
  BridgeConsole console(bridge.socket());
  ASSERT_TRUE(console.Find());
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!console.ReadsNoInput() && std::chrono::steady_clock::now() < deadline) {
    console.WaitForChange(std::chrono::milliseconds(100));
    console.Text();
  }
  EXPECT_TRUE(console.ReadsNoInput());
}

// The game takes typed bytes at its own pace: lines typed faster than that, by several
// clients, reach it whole and in order, the bridge holds a bounded amount, and it tells
// how much the game has not read yet.
TEST(BridgeTest, QueuesTypedLinesAtTheGamesPace) {
  ScratchDir scratch("bridge-pace");
  const std::string long_line = "ut_echo " + std::string(200, 'y');
  BridgeRun bridge(scratch.path(),
                   WriteScript(scratch.path(), "pace.script",
                               {"pace 2", "console", "print Loaded.", "expect 20000 first",
                                "expect 20000 second", "expect 20000 yyyy", "expect 20000 third",
                                "print Typing done.", "sleep 60000"}));
  ASSERT_TRUE(bridge.WaitUntilServing());
  BridgeConsole capture(bridge.socket());
  BridgeConsole player(bridge.socket());
  ASSERT_TRUE(capture.Find() && player.Find());
  WaitForText(capture, "Loaded.");
  ASSERT_TRUE(capture.TypeLine("ut_echo first"));
  ASSERT_TRUE(player.TypeLine("ut_echo second"));
  ASSERT_TRUE(capture.TypeLine(long_line));
  ASSERT_TRUE(player.TypeLine("ut_echo third"));
  EXPECT_GT(capture.UnreadTyping(), 200u);
  const std::string text = WaitForText(capture, "Typing done.");
  EXPECT_EQ(text.find("first \r\nsecond \r\n" + std::string(200, 'y') + " \r\nthird \r\n"),
            text.find("first"))
      << text;
  EXPECT_NE(text.find("Typing done."), std::string::npos) << bridge.messages();
  EXPECT_EQ(capture.UnreadTyping(), 0u) << "the game read everything";

  std::string refused;
  for (int i = 0; i < 30 && refused.empty(); ++i) {
    if (!player.TypeLine(long_line)) refused = player.last_error();
  }
  EXPECT_NE(refused.find("not read what was typed before"), std::string::npos) << refused;
  EXPECT_LE(capture.UnreadTyping(), bridge::kMaxUnreadTyping);
}

TEST(BridgeTest, PassesTheGamesExitStatusOn) {
  ScratchDir scratch("bridge-exit");
  BridgeRun bridge(scratch.path(), "crash.script");
  EXPECT_EQ(bridge.WaitForExit(), 42);
}

TEST(BridgeTest, ReplacesAStaleSocketButNotALiveOne) {
  ScratchDir scratch("bridge-sockets");
  MakeStaleSocket(scratch / "console.sock");
  ASSERT_TRUE(std::filesystem::exists(scratch / "console.sock"));
  BridgeRun first(scratch.path(), "evening.script", "first.log");
  ASSERT_TRUE(first.WaitUntilServing()) << first.messages();

  BridgeRun second(scratch.path(), "evening.script", "second.log");
  EXPECT_EQ(second.WaitForExit(), 1);
  EXPECT_NE(second.messages().find("already serving"), std::string::npos);
  BridgeConsole console(first.socket());
  EXPECT_TRUE(console.Find()) << "the first bridge still serves";
  EXPECT_NE(WaitForText(console, "ioq3").find("ioq3"), std::string::npos);

  // Nor is a file that is not a socket ever removed.
  WriteFileBytes(scratch / "notes.txt", "mine");
  BridgeRun third(scratch.path(), "evening.script", "third.log", "notes.txt");
  EXPECT_EQ(third.WaitForExit(), 1);
  EXPECT_EQ(ReadFileBytes(scratch / "notes.txt"), "mine");
}

}  // namespace
}  // namespace mrv::test
