// The bridge's one event loop: drains the game's output into the console text, serves
// the console operations to its clients, and types their lines into the game. Each
// client reads the text from a position of its own (see bridge_protocol.h); the text
// keeps what any client has yet to drop, up to its capacity. Typed lines go to the
// game whole and in the order they came, from all clients; the game takes them at its
// own pace, and what it has not read yet is bounded by kMaxUnreadTyping.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "capture/console/bridge_protocol.h"
#include "capture/console/console_text.h"
#include "console_bridge/game_process.h"
#include "console_bridge/typing_readiness.h"

namespace mrv::bridge {

class BridgeServer {
 public:
  // Takes ownership of every descriptor. A terminal the game leaves canonical for
  // longer than `console_wait` means that it reads no typed input.
  BridgeServer(int listener, int signals, GameProcess game, std::chrono::milliseconds console_wait);
  ~BridgeServer();
  BridgeServer(const BridgeServer&) = delete;
  BridgeServer& operator=(const BridgeServer&) = delete;

  // Runs until the game ends; returns its exit code.
  int Run();

 private:
  struct Client {
    int socket = -1;  // -1 once closed; swept out after each round
    FrameReader reader;
    std::string outbox;
    bool armed = true;  // owed one change notice
    // Positions in the game's whole output: where the client's text starts, and the
    // part of it that its last text request sent.
    std::uint64_t from = 0;
    std::uint64_t read_from = 0;
    std::uint64_t read_end = 0;
    // Where the client's last typed line ends in everything typed since the start.
    std::uint64_t typed_end = 0;
  };
  struct Watch;

  std::vector<Watch> Watches() const;
  void OnSignals();
  void OnGameErrors();
  void OnTerminal(short events);
  void Accept();
  void Receive(Client& client);
  void Serve(Client& client);
  bool Answer(Client& client, const Frame& request);
  // The client's text: the kept text from where the client last dropped.
  std::string_view TextOf(const Client& client) const;
  void DropFor(Client& client, std::uint64_t new_from);
  // Empty when the line went to the game, else why not.
  std::string Type(Client& client, std::string_view line);
  void FlushKeyboard();
  // Learns how far the game has read what was typed, from what the terminal still holds.
  void NoteTypingRead();
  // Typed bytes the game has not read yet, from all clients.
  std::uint64_t UnreadTyping() const { return typed_ - read_at_least_; }
  // New lines: every client's text changed.
  void NoticeChange();
  void Flush(Client& client);
  void Drop(Client& client);

  int listener_;
  int signals_;
  GameProcess game_;
  ConsoleText text_{kMaxTextBytes};
  TypingReadiness typing_;
  std::string keyboard_;  // typed bytes the terminal has not taken yet
  // The last moments' writes into the terminal, which it may not count yet: when and
  // how many bytes.
  std::deque<std::pair<std::chrono::steady_clock::time_point, std::size_t>> recent_writes_;
  // Bytes typed since the start, the part of them written into the terminal, and how
  // many of them the game has read at least.
  std::uint64_t typed_ = 0;
  std::uint64_t written_ = 0;
  std::uint64_t read_at_least_ = 0;
  std::vector<std::unique_ptr<Client>> clients_;
  int stop_requests_ = 0;
  int exit_code_ = -1;
};

}  // namespace mrv::bridge
