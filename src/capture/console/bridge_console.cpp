#include "capture/console/bridge_console.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <thread>
#include <utility>

namespace mrv {

namespace {

// A bridge answers at once; one that does not within this time is taken as gone...
constexpr std::chrono::milliseconds kAnswerTimeout{5000};
// ...or within this one once the capture was asked to end.
constexpr std::chrono::milliseconds kAnswerTimeoutWhenCancelled{100};
// How often a wait for an answer looks at the cancel request.
constexpr std::chrono::milliseconds kCancelCheck{50};

int WaitReadable(int socket, std::chrono::milliseconds timeout) {
  pollfd watch{socket, POLLIN, 0};
  int ready;
  do {
    ready = poll(&watch, 1, static_cast<int>(timeout.count()));
  } while (ready < 0 && errno == EINTR);
  return ready;
}

bool SendAll(int socket, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

}  // namespace

BridgeConsole::BridgeConsole(std::filesystem::path socket_path)
    : socket_path_(std::move(socket_path)) {}

BridgeConsole::~BridgeConsole() {
  Disconnect({});
}

bool BridgeConsole::Find() {
  if (socket_ >= 0) {
    // A closed bridge shows as a readable socket that reads end of stream.
    if (WaitReadable(socket_, std::chrono::milliseconds(0)) > 0)
      Receive(std::chrono::milliseconds(0));
    if (socket_ >= 0 && TakeNotices()) return true;
    Disconnect(last_error_);
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = socket_path_.string();
  if (path.size() >= sizeof(address.sun_path)) {
    last_error_ = "the socket path is too long: " + path;
    return false;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  socket_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket_ < 0) {
    last_error_ = std::string("cannot make a socket: ") + std::strerror(errno);
    return false;
  }
  // A bridge that does not take a request within the answer time is taken as gone.
  const timeval send_timeout{static_cast<time_t>(kAnswerTimeout.count() / 1000), 0};
  setsockopt(socket_, SOL_SOCKET, SO_SNDTIMEO, &send_timeout, sizeof send_timeout);
  // Without waiting: a bridge that takes no more connections must not hold the capture.
  const int flags = fcntl(socket_, F_GETFL);
  fcntl(socket_, F_SETFL, flags | O_NONBLOCK);
  if (connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    const int error = errno;
    Disconnect("no console bridge at " + path + ": " + std::strerror(error));
    // No bridge there is the usual wait for the game; a full one is not.
    problem_ = error == EAGAIN ? "The console bridge at " + path + " takes no connections." : "";
    return false;
  }
  fcntl(socket_, F_SETFL, flags);
  changed_ = false;
  last_error_.clear();
  AskTyping();
  if (socket_ < 0) {
    // Something listens there, but it is not a bridge this program can talk to.
    problem_ = "The console bridge at " + path + " cannot be used: " + last_error_ + ".";
    return false;
  }
  problem_.clear();
  return true;
}

std::size_t BridgeConsole::TextLength() {
  const auto answer = Ask(bridge::kAskLength, {}, bridge::kLength);
  if (!answer) return 0;
  const auto length = bridge::DecodeLength(answer->payload);
  if (!length) {
    Disconnect("the bridge sent a malformed length");
    return 0;
  }
  return *length;
}

std::string BridgeConsole::Text() {
  auto answer = Ask(bridge::kAskNewText, {}, bridge::kNewText);
  if (!answer) return {};
  const auto lost = bridge::DecodeLength(std::string_view(answer->payload).substr(0, 4));
  if (!lost) {
    Disconnect("the console bridge sent a malformed text");
    return {};
  }
  if (*lost > 0) line_loss_ = true;
  // Whether the game reads typed input can change at any time early on; asked with
  // every read, so a capture learns it before it would type.
  AskTyping();
  return answer->payload.substr(4);
}

bool BridgeConsole::TakeLineLoss() {
  return std::exchange(line_loss_, false);
}

bool BridgeConsole::DropRead(std::size_t length) {
  const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(length, UINT32_MAX));
  return Ask(bridge::kDropRead, bridge::EncodeLength(count), bridge::kDone).has_value();
}

void BridgeConsole::AskTyping() {
  const auto answer = Ask(bridge::kAskTyping, {}, bridge::kTyping);
  typing_ = answer && answer->payload.size() == 1
                ? static_cast<bridge::TypingState>(answer->payload[0])
                : bridge::TypingState::kNotYet;
}

std::size_t BridgeConsole::UnreadTyping() {
  const auto answer = Ask(bridge::kAskUnread, {}, bridge::kUnread);
  const auto unread = answer ? bridge::DecodeLength(answer->payload) : std::nullopt;
  return unread.value_or(0);
}

bool BridgeConsole::TypeLine(const std::string& line) {
  // Checked here as well, so that a line the game cannot take is not even sent.
  std::string problem = bridge::TypedLineProblem(line);
  if (!problem.empty()) {
    last_error_ = std::move(problem);
    return false;
  }
  return Ask(bridge::kTypeLine, line, bridge::kDone).has_value();
}

void BridgeConsole::WaitForChange(std::chrono::milliseconds timeout) {
  if (socket_ < 0) {
    std::this_thread::sleep_for(timeout);
    return;
  }
  if (!TakeNotices()) return;
  if (!changed_ && Receive(timeout)) TakeNotices();
  changed_ = false;
}

std::optional<bridge::Frame> BridgeConsole::Ask(char kind, std::string_view payload,
                                                char answer_kind) {
  if (socket_ < 0) {
    last_error_ = "not connected to the console bridge";
    return std::nullopt;
  }
  if (payload.size() >= bridge::kMaxFrameBytes) {
    last_error_ = "the request is too large for the console bridge";
    return std::nullopt;
  }
  if (!SendAll(socket_, bridge::EncodeFrame(kind, payload))) {
    Disconnect("the console bridge is gone");
    return std::nullopt;
  }
  using Clock = std::chrono::steady_clock;
  const auto asked = Clock::now();
  while (true) {
    while (auto frame = reader_.Next()) {
      if (frame->kind == bridge::kChanged) {
        // Sent before the answer, so the answer already reflects it.
        changed_ = false;
        continue;
      }
      if (frame->kind == answer_kind) {
        last_error_.clear();
        return frame;
      }
      if (frame->kind == bridge::kRefused && kind == bridge::kTypeLine) {
        last_error_ = std::move(frame->payload);
        return std::nullopt;
      }
      Disconnect("the console bridge sent an unexpected answer");
      return std::nullopt;
    }
    const bool cancelled = cancel_ != nullptr && cancel_->requested();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        asked + (cancelled ? kAnswerTimeoutWhenCancelled : kAnswerTimeout) - Clock::now());
    if (reader_.broken()) {
      Disconnect("the console bridge sent an oversized message");
      return std::nullopt;
    }
    if (left.count() <= 0) {
      Disconnect("the console bridge did not answer");
      return std::nullopt;
    }
    // In slices, so that a cancel cuts the wait short.
    if (!Receive(std::min(left, kCancelCheck)) && socket_ < 0) return std::nullopt;
  }
}

bool BridgeConsole::Receive(std::chrono::milliseconds timeout) {
  if (WaitReadable(socket_, timeout) <= 0) return false;
  char buffer[65536];
  ssize_t got;
  do {
    got = recv(socket_, buffer, sizeof buffer, 0);
  } while (got < 0 && errno == EINTR);
  if (got <= 0) {
    Disconnect("the console bridge closed the connection");
    return false;
  }
  reader_.Feed(std::string_view(buffer, static_cast<std::size_t>(got)));
  return true;
}

bool BridgeConsole::TakeNotices() {
  while (auto frame = reader_.Next()) {
    if (frame->kind != bridge::kChanged) {
      Disconnect("the console bridge sent an unexpected message");
      return false;
    }
    changed_ = true;
  }
  if (reader_.broken()) {
    Disconnect("the console bridge sent an oversized message");
    return false;
  }
  return socket_ >= 0;
}

void BridgeConsole::Disconnect(std::string reason) {
  if (socket_ >= 0) close(socket_);
  socket_ = -1;
  reader_.Clear();
  changed_ = false;
  typing_ = bridge::TypingState::kNotYet;
  last_error_ = std::move(reason);
}

}  // namespace mrv
