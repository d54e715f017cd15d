// morvane-console: runs the game with its terminal console on a pseudo-terminal and
// serves that console (its text, and typing into it) on a Unix-domain socket, so that
// a capture can follow the game as it would follow the console window on Windows.
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "capture/console/bridge_protocol.h"
#include "console_bridge/bridge_server.h"
#include "console_bridge/game_process.h"
#include "console_bridge/listen_socket.h"
#include "console_bridge/signal_pipe.h"
#include "product.h"

namespace {

constexpr const char* kUsage =
    "usage: morvane-console [--socket PATH] [--console-wait SECONDS] -- GAME [ARGUMENTS...]\n"
    "Starts GAME with its console on a terminal and serves that console to Morvane\n"
    "on a Unix-domain socket, so that a live capture reads what the game prints and\n"
    "answers in the game. Exits with the game's exit status.\n"
    "\n"
    "Options:\n"
    "  --socket PATH           the socket to serve on (default:\n"
    "                          $XDG_RUNTIME_DIR/morvane-console.sock, or\n"
    "                          /tmp/morvane-UID/morvane-console.sock without XDG_RUNTIME_DIR)\n"
    "  --console-wait SECONDS  commands are typed into the game once its terminal console\n"
    "                          started; a game that has not started it this long after its\n"
    "                          own start reads none (default 15)\n"
    "  --help                  this text\n"
    "  --version               the version\n"
    "\n"
    "Example:\n"
    "  morvane-console -- ~/UrbanTerror43/Quake3-UrT.x86_64 +set ttycon 1\n";

constexpr int kDefaultConsoleWait = 15;
constexpr int kMaxConsoleWait = 3600;

int Fail(const std::string& message) {
  std::fprintf(stderr, "morvane-console: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string socket_path;
  int console_wait = kDefaultConsoleWait;
  std::vector<std::string> game;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (!game.empty()) {
      game.emplace_back(argument);
    } else if (argument == "--") {
      for (++i; i < argc; ++i) game.emplace_back(argv[i]);
    } else if (argument == "--socket" && i + 1 < argc) {
      socket_path = argv[++i];
    } else if (argument == "--console-wait" && i + 1 < argc) {
      const std::string_view seconds = argv[++i];
      const auto read =
          std::from_chars(seconds.data(), seconds.data() + seconds.size(), console_wait);
      if (read.ec != std::errc() || read.ptr != seconds.data() + seconds.size() ||
          console_wait < 0 || console_wait > kMaxConsoleWait) {
        std::fputs(kUsage, stderr);
        return 2;
      }
    } else if (argument == "--help" || argument == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (argument == "--version") {
      std::printf("morvane-console %s\n", std::string(mrv::kVersion).c_str());
      return 0;
    } else if (argument.starts_with("-")) {
      std::fputs(kUsage, stderr);
      return 2;
    } else {
      game.emplace_back(argument);
    }
  }
  if (game.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (socket_path.empty()) {
    const auto path = mrv::bridge::DefaultSocketPath();
    if (!path.error.empty()) return Fail(path.error);
    socket_path = path.path.string();
  }

  std::string error;
  const int listener = mrv::bridge::ListenOn(socket_path, error);
  if (listener < 0) return Fail(error);
  const int signals = mrv::bridge::InstallSignalPipe();
  const auto process =
      signals >= 0 ? mrv::bridge::StartGame(game, error) : mrv::bridge::GameProcess{};
  if (process.pid < 0) {
    unlink(socket_path.c_str());
    return Fail(signals >= 0 ? error : "cannot set up signal handling");
  }
  std::fprintf(stderr, "morvane-console: serving the console of %s on %s\n", game[0].c_str(),
               socket_path.c_str());
  int exit_code;
  {
    mrv::bridge::BridgeServer server(listener, signals, process,
                                     std::chrono::seconds(console_wait));
    exit_code = server.Run();
  }
  unlink(socket_path.c_str());
  return exit_code;
}
