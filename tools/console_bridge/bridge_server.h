// The bridge's one event loop: drains the game's output into the console text, serves
// the console operations to its clients, and types their lines into the game.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "capture/console/bridge_protocol.h"
#include "capture/console/console_text.h"
#include "console_bridge/game_process.h"

namespace mrv::bridge {

class BridgeServer {
 public:
  // Takes ownership of every descriptor.
  BridgeServer(int listener, int signals, GameProcess game);
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
  // Empty when the line went to the game, else why not.
  std::string Type(std::string_view line);
  void FlushKeyboard();
  void NoticeChange(const Client* requester);
  void Flush(Client& client);
  void Drop(Client& client);

  int listener_;
  int signals_;
  GameProcess game_;
  ConsoleText text_{kMaxTextBytes};
  bool console_ready_ = false;
  std::string keyboard_;  // typed bytes the terminal has not taken yet
  std::vector<std::unique_ptr<Client>> clients_;
  int stop_requests_ = 0;
  int exit_code_ = -1;
};

}  // namespace mrv::bridge
