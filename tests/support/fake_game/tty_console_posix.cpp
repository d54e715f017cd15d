#include "support/fake_game/tty_console.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace mrv::fake_game {

namespace {

constexpr std::size_t kMaxLine = 255;
termios saved_terminal{};

void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace

std::unique_ptr<Console> OpenConsole(bool terminal_console) {
  return std::make_unique<TtyConsole>(terminal_console);
}

void TtyConsole::Print(const std::string& text) {
  WriteAll(STDERR_FILENO, text + "\n");
}

TtyConsole::~TtyConsole() {
  if (raw_mode_set_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_terminal);
}

void TtyConsole::Start() {
  if (!enabled_) return;
  if (isatty(STDIN_FILENO) != 1) {
    Print("tty console mode disabled");
    return;
  }
  termios terminal{};
  if (tcgetattr(STDIN_FILENO, &terminal) == 0) {
    saved_terminal = terminal;
    terminal.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON);
    terminal.c_cc[VMIN] = 1;
    terminal.c_cc[VTIME] = 0;
    raw_mode_set_ = tcsetattr(STDIN_FILENO, TCSANOW, &terminal) == 0;
  }
  reading_ = true;
}

void TtyConsole::Serve(std::chrono::steady_clock::time_point deadline) {
  using Clock = std::chrono::steady_clock;
  while (true) {
    const auto now = Clock::now();
    if (deadline <= now || commands.quit_requested()) return;
    // A paced game takes its next byte at its next frame.
    const bool waiting = !reading_ || now < next_byte_;
    const auto until = waiting ? std::min(deadline, reading_ ? next_byte_ : deadline) : deadline;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - now);
    if (waiting) {
      poll(nullptr, 0, static_cast<int>(left.count()));
      continue;
    }
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, static_cast<int>(left.count())) <= 0) continue;
    char bytes[512];
    const ssize_t got = read(STDIN_FILENO, bytes, pace.count() > 0 ? 1 : sizeof bytes);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      reading_ = false;  // the terminal went away
      continue;
    }
    next_byte_ = Clock::now() + pace;
    for (ssize_t i = 0; i < got && OnByte(bytes[i]); ++i) {
    }
  }
}

bool TtyConsole::OnByte(char byte) {
  if (byte == '\n' || byte == '\r') {
    WriteAll(STDOUT_FILENO, "\n]");
    const std::string line = std::move(editing_);
    editing_.clear();
    for (const std::string& answer : commands.Run(line)) Print(answer);
    return true;
  }
  const auto code = static_cast<unsigned char>(byte);
  if (code == 0x7f || code == '\b') {
    if (!editing_.empty()) editing_.pop_back();
    return true;
  }
  if (code < 0x20 || code > 0x7f) {
    // As the game's terminal console: any other byte starts a key sequence that is
    // dropped with everything typed after it; what was typed before stays.
    tcflush(STDIN_FILENO, TCIFLUSH);
    return false;
  }
  if (editing_.size() >= kMaxLine) return true;
  editing_ += byte;
  WriteAll(STDOUT_FILENO, std::string_view(&byte, 1));
  return true;
}

}  // namespace mrv::fake_game
