#include "console_bridge/bridge_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

#include "console_bridge/signal_pipe.h"

namespace mrv::bridge {

namespace {

constexpr std::size_t kReadChunk = 65536;
// A game that prints without pause must not keep the loop from its clients.
constexpr int kMaxChunksPerRead = 16;
constexpr std::size_t kMaxClients = 8;
// Bytes written into the terminal reach its queue, where they are counted, a moment
// later; this long at most, even on a busy machine.
constexpr std::chrono::milliseconds kTerminalSettle{200};

void CloseIfOpen(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// Reads what is there now, up to a bound; false at the end of the stream or on an error.
bool ReadAvailable(int fd, std::string& into) {
  char buffer[kReadChunk];
  for (int chunks = 0; chunks < kMaxChunksPerRead;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) {
      into.append(buffer, static_cast<std::size_t>(got));
      if (static_cast<std::size_t>(got) < sizeof buffer) return true;
      ++chunks;
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    return got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }
  return true;
}

}  // namespace

struct BridgeServer::Watch {
  enum class Source { kSignals, kListener, kGameErrors, kGameOutput, kTerminal, kClient };
  Source source;
  Client* client;
  pollfd poll;
};

BridgeServer::BridgeServer(int listener, int signals, GameProcess game,
                           std::chrono::milliseconds console_wait)
    : listener_(listener), signals_(signals), game_(std::move(game)), typing_(console_wait) {}

BridgeServer::~BridgeServer() {
  for (auto& client : clients_) CloseIfOpen(client->socket);
  for (int* fd : {&listener_, &signals_, &game_.terminal, &game_.output, &game_.errors})
    CloseIfOpen(*fd);
}

int BridgeServer::Run() {
  while (exit_code_ < 0) {
    const std::vector<Watch> watches = Watches();
    std::vector<pollfd> polls;
    polls.reserve(watches.size());
    for (const auto& watch : watches) polls.push_back(watch.poll);
    if (poll(polls.data(), polls.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return 1;
    }
    for (std::size_t i = 0; i < watches.size(); ++i) {
      const short events = polls[i].revents;
      if (events == 0) continue;
      switch (watches[i].source) {
        case Watch::Source::kSignals:
          OnSignals();
          break;
        case Watch::Source::kListener:
          Accept();
          break;
        case Watch::Source::kGameErrors:
          OnGameErrors();
          break;
        case Watch::Source::kGameOutput: {
          // Only the echo of typed characters comes this way: read and dropped.
          std::string echo;
          if (!ReadAvailable(game_.output, echo)) CloseIfOpen(game_.output);
          break;
        }
        case Watch::Source::kTerminal:
          OnTerminal(events);
          break;
        case Watch::Source::kClient: {
          Client& client = *watches[i].client;
          if (client.socket < 0) break;
          if (events & POLLOUT) Serve(client);
          if (client.socket >= 0 && (events & (POLLIN | POLLHUP | POLLERR))) Receive(client);
          break;
        }
      }
    }
    std::erase_if(clients_, [](const auto& client) { return client->socket < 0; });
  }
  return exit_code_;
}

std::vector<BridgeServer::Watch> BridgeServer::Watches() const {
  std::vector<Watch> watches;
  const auto add = [&](Watch::Source source, int fd, short events, Client* client = nullptr) {
    if (fd >= 0) watches.push_back({source, client, {fd, events, 0}});
  };
  add(Watch::Source::kSignals, signals_, POLLIN);
  add(Watch::Source::kListener, listener_, POLLIN);
  add(Watch::Source::kGameErrors, game_.errors, POLLIN);
  add(Watch::Source::kGameOutput, game_.output, POLLIN);
  add(Watch::Source::kTerminal, game_.terminal, keyboard_.empty() ? POLLIN : POLLIN | POLLOUT);
  for (const auto& client : clients_) {
    // A client with an answer still on its way sends nothing new until it is taken.
    add(Watch::Source::kClient, client->socket, client->outbox.empty() ? POLLIN : POLLOUT,
        client.get());
  }
  return watches;
}

void BridgeServer::OnSignals() {
  std::string bytes;
  ReadAvailable(signals_, bytes);
  if (bytes.find(kStopSignal) != std::string::npos) {
    // Stop the game and leave when it is gone; ask harder the second time.
    const int signal = ++stop_requests_ > 1 ? SIGKILL : SIGTERM;
    // The whole process group of the game, or the game alone before it made its group.
    if (kill(-game_.pid, signal) != 0) kill(game_.pid, signal);
  }
  int status = 0;
  pid_t ended;
  do {
    ended = waitpid(game_.pid, &status, WNOHANG);
  } while (ended < 0 && errno == EINTR);
  if (ended != game_.pid) return;
  // What the game printed last still counts for nobody, but the pipe is emptied
  // so that nothing it wrote is left hanging.
  if (game_.errors >= 0) OnGameErrors();
  exit_code_ = ExitCodeOf(status);
}

void BridgeServer::OnGameErrors() {
  std::string raw;
  const bool open = ReadAvailable(game_.errors, raw);
  const std::string_view lines = text_.Append(raw);
  for (std::string_view rest = lines; !rest.empty();) {
    const std::size_t end = std::min(rest.find("\r\n"), rest.size());
    typing_.OnLine(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 2, rest.size()));
  }
  if (!lines.empty()) NoticeChange();
  if (!open) CloseIfOpen(game_.errors);
}

void BridgeServer::OnTerminal(short events) {
  if (events & POLLOUT) FlushKeyboard();
  if (game_.terminal < 0 || !(events & (POLLIN | POLLHUP | POLLERR))) return;
  // The terminal's own echo, if the game left it on: dropped like the game's echo.
  std::string echo;
  if (!ReadAvailable(game_.terminal, echo)) {
    // No process holds the terminal any more: the game cannot be typed into.
    CloseIfOpen(game_.terminal);
    keyboard_.clear();
  }
}

void BridgeServer::Accept() {
  while (true) {
    const int socket = accept(listener_, nullptr, nullptr);
    if (socket < 0) return;
    if (clients_.size() >= kMaxClients) {
      close(socket);
      continue;
    }
    fcntl(socket, F_SETFD, FD_CLOEXEC);
    fcntl(socket, F_SETFL, fcntl(socket, F_GETFL) | O_NONBLOCK);
    auto client = std::make_unique<Client>();
    client->socket = socket;
    client->from = text_.begin();
    clients_.push_back(std::move(client));
  }
}

void BridgeServer::Receive(Client& client) {
  std::string bytes;
  const bool open = ReadAvailable(client.socket, bytes);
  client.reader.Feed(bytes);
  Serve(client);
  // A client that left still gets its last requests answered if it can take them.
  if (!open) Drop(client);
}

void BridgeServer::Serve(Client& client) {
  while (client.socket >= 0) {
    Flush(client);
    if (client.socket < 0 || !client.outbox.empty()) return;
    const auto request = client.reader.Next();
    if (!request) {
      if (client.reader.broken()) Drop(client);
      return;
    }
    if (!Answer(client, *request)) Drop(client);
  }
}

bool BridgeServer::Answer(Client& client, const Frame& request) {
  switch (request.kind) {
    case kAskLength:
      client.outbox +=
          EncodeFrame(kLength, EncodeLength(static_cast<std::uint32_t>(TextOf(client).size())));
      break;
    case kAskText:
    case kAskNewText: {
      // Lines the client had not read when they went are lost to it; told once.
      const std::uint64_t lost = text_.begin() - std::min(client.from, text_.begin());
      if (request.kind == kAskNewText) client.from += lost;
      const std::string_view text = TextOf(client);
      client.read_end = text_.end();
      client.read_from = client.read_end - text.size();
      if (request.kind == kAskText) {
        client.outbox += EncodeFrame(kText, text);
      } else {
        const auto told = static_cast<std::uint32_t>(std::min<std::uint64_t>(lost, UINT32_MAX));
        client.outbox += EncodeFrame(kNewText, EncodeLength(told) + std::string(text));
      }
      break;
    }
    case kDropRead: {
      const auto count = DecodeLength(request.payload);
      if (!count) return false;
      DropFor(client, std::min(client.read_from + *count, client.read_end));
      client.outbox += EncodeFrame(kDone);
      break;
    }
    case kClearText:
      if (!request.payload.empty()) {
        client.outbox += EncodeFrame(kRefused, "only an empty text can replace the console text");
        break;
      }
      DropFor(client, text_.end());
      client.outbox += EncodeFrame(kDone);
      break;
    case kAskTyping:
      client.outbox +=
          EncodeFrame(kTyping, std::string(1, static_cast<char>(typing_.State(game_.terminal))));
      break;
    case kAskUnread: {
      // What the game still has to read before it has read the client's last line.
      NoteTypingRead();
      const std::uint64_t unread = client.typed_end - std::min(client.typed_end, read_at_least_);
      client.outbox += EncodeFrame(
          kUnread,
          EncodeLength(static_cast<std::uint32_t>(std::min<std::uint64_t>(unread, UINT32_MAX))));
      break;
    }
    case kTypeLine: {
      const std::string refusal = Type(client, request.payload);
      client.outbox += refusal.empty() ? EncodeFrame(kDone) : EncodeFrame(kRefused, refusal);
      break;
    }
    default:
      return false;
  }
  // The client now knows the text as it is: the next change is news to it.
  client.armed = true;
  return true;
}

std::string_view BridgeServer::TextOf(const Client& client) const {
  const std::uint64_t from = std::max(client.from, text_.begin());
  return std::string_view(text_.text()).substr(static_cast<std::size_t>(from - text_.begin()));
}

void BridgeServer::DropFor(Client& client, std::uint64_t new_from) {
  client.from = std::max(client.from, new_from);
  // What every client has dropped goes.
  std::uint64_t kept_from = text_.end();
  for (const auto& other : clients_) {
    if (other->socket >= 0) kept_from = std::min(kept_from, std::max(other->from, text_.begin()));
  }
  text_.DropFront(static_cast<std::size_t>(kept_from - text_.begin()));
}

std::string BridgeServer::Type(Client& client, std::string_view line) {
  const TypingState state = typing_.State(game_.terminal);
  if (state == TypingState::kOff) {
    return "the game reads no typed input: its terminal console is off";
  }
  if (state != TypingState::kReady) {
    return "the game's terminal console has not started yet";
  }
  std::string problem = TypedLineProblem(line);
  if (!problem.empty()) return problem;
  NoteTypingRead();
  if (UnreadTyping() + line.size() + 1 > kMaxUnreadTyping) {
    return "the game has not read what was typed before yet";
  }
  keyboard_ += line;
  keyboard_ += '\n';
  typed_ += line.size() + 1;
  client.typed_end = typed_;
  FlushKeyboard();
  return {};
}

void BridgeServer::FlushKeyboard() {
  while (!keyboard_.empty() && game_.terminal >= 0) {
    const ssize_t written = write(game_.terminal, keyboard_.data(), keyboard_.size());
    if (written > 0) {
      keyboard_.erase(0, static_cast<std::size_t>(written));
      recent_writes_.emplace_back(std::chrono::steady_clock::now(),
                                  static_cast<std::size_t>(written));
      written_ += static_cast<std::uint64_t>(written);
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else {
      return;  // the rest goes when the terminal has room
    }
  }
}

void BridgeServer::NoteTypingRead() {
  if (game_.terminal < 0) {
    read_at_least_ = typed_;  // nobody will read it
    return;
  }
  const auto now = std::chrono::steady_clock::now();
  while (!recent_writes_.empty() && now - recent_writes_.front().first > kTerminalSettle) {
    recent_writes_.pop_front();
  }
  const int terminal =
      open(game_.terminal_name.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (terminal < 0) return;
  // Asking whether the game's side is readable moves what was written into the
  // terminal's queue when that is empty: nothing readable then means all was read.
  pollfd waiting{terminal, POLLIN, 0};
  int queued = 0;
  if (poll(&waiting, 1, 0) <= 0 || !(waiting.revents & POLLIN)) {
    read_at_least_ = written_;
  } else if (ioctl(terminal, FIONREAD, &queued) == 0) {
    // The queue does not count what was written a moment ago yet.
    std::uint64_t arriving = 0;
    for (const auto& write : recent_writes_) arriving += write.second;
    const std::uint64_t held = std::min(
        std::max<std::uint64_t>(static_cast<std::uint64_t>(queued) + arriving, 1), written_);
    read_at_least_ = std::max(read_at_least_, written_ - held);
  }
  close(terminal);
}

void BridgeServer::NoticeChange() {
  for (auto& client : clients_) {
    if (!client->armed || client->socket < 0) continue;
    client->armed = false;
    client->outbox += EncodeFrame(kChanged);
    Flush(*client);
  }
}

void BridgeServer::Flush(Client& client) {
  while (!client.outbox.empty()) {
    const ssize_t sent =
        send(client.socket, client.outbox.data(), client.outbox.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      client.outbox.erase(0, static_cast<std::size_t>(sent));
    } else if (sent < 0 && errno == EINTR) {
      continue;
    } else {
      if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK) Drop(client);
      return;
    }
  }
}

void BridgeServer::Drop(Client& client) {
  CloseIfOpen(client.socket);
  client.outbox.clear();
}

}  // namespace mrv::bridge
