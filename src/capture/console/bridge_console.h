// The game's console served by the morvane-console bridge (Linux and other POSIX
// systems), reached over its Unix-domain socket.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "capture/console/bridge_protocol.h"
#include "capture/console/game_console.h"

namespace mrv {

class BridgeConsole final : public GameConsole {
 public:
  // socket_path: usually bridge::DefaultSocketPath().
  explicit BridgeConsole(std::filesystem::path socket_path);
  ~BridgeConsole() override;
  BridgeConsole(const BridgeConsole&) = delete;
  BridgeConsole& operator=(const BridgeConsole&) = delete;

  // Connects to the bridge; true while connected. A bridge that went away (the game
  // ended) is noticed here, and a new one is connected to.
  bool Find() override;
  // Set when Find reached something at the socket that did not answer as a bridge does.
  std::string Problem() const override { return problem_; }
  // 0 once the connection is closed: the game is gone.
  std::size_t TextLength() override;
  // This client's text; also learns whether the game reads typed input by now, and
  // whether lines went before this client read them.
  std::string Text() override;
  bool TakeLineLoss() override;
  bool DropRead(std::size_t length) override;
  // False when the bridge refused the line (see last_error()) or is gone.
  bool TypeLine(const std::string& line) override;
  // As the bridge counts it; 0 without a bridge.
  std::size_t UnreadTyping() override;
  // As the bridge told at the last Find or Text: the game's terminal console has
  // started (CanType), or failed or was turned off (ReadsNoInput).
  bool CanType() const override { return typing_ == bridge::TypingState::kReady; }
  bool ReadsNoInput() const override { return typing_ == bridge::TypingState::kOff; }
  // Blocks until the bridge reports a change or the timeout passes. Without a
  // connection it just waits out the timeout, so a search loop does not spin.
  void WaitForChange(std::chrono::milliseconds timeout) override;
  // Once the token is cancelled, a bridge that does not answer is given up after a
  // moment instead of the usual seconds.
  void FollowCancel(const CancelToken* cancel) override { cancel_ = cancel; }

  // Why the last operation failed; empty after a success.
  const std::string& last_error() const { return last_error_; }

 private:
  std::optional<bridge::Frame> Ask(char kind, std::string_view payload, char answer_kind);
  void AskTyping();
  // Reads what the socket holds, waiting up to the timeout for it; false when the
  // connection ended or nothing came.
  bool Receive(std::chrono::milliseconds timeout);
  // Takes the change notices already received; false on anything else.
  bool TakeNotices();
  void Disconnect(std::string reason);

  std::filesystem::path socket_path_;
  int socket_ = -1;
  bridge::FrameReader reader_;
  bool changed_ = false;
  bridge::TypingState typing_ = bridge::TypingState::kNotYet;
  bool line_loss_ = false;
  const CancelToken* cancel_ = nullptr;
  std::string problem_;
  std::string last_error_;
};

}  // namespace mrv
