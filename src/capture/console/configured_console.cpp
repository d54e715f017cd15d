#include "capture/console/configured_console.h"

#include "capture/console/log_follow_console.h"
#ifdef _WIN32
#include "capture/console/win32_console.h"
#else
#include "capture/console/bridge_console.h"
#endif

namespace mrv {

std::unique_ptr<GameConsole> OpenConfiguredConsole(const ConsoleChoice& choice,
                                                   std::string& error) {
  switch (choice.backend) {
    case ConsoleBackend::kBridge: {
#ifdef _WIN32
      error =
          "Console=bridge in stats.ini: the console bridge runs only where the game has a "
          "terminal console; use Console=window or Console=log";
      return nullptr;
#else
      if (!choice.bridge_socket.empty()) {
        return std::make_unique<BridgeConsole>(choice.bridge_socket);
      }
      bridge::SocketPath socket = bridge::DefaultSocketPath();
      if (!socket.error.empty()) {
        error = socket.error;
        return nullptr;
      }
      return std::make_unique<BridgeConsole>(std::move(socket.path));
#endif
    }
    case ConsoleBackend::kLog:
      if (choice.log_path.empty()) {
        error = "Console=log in stats.ini needs ConsoleLog, the game's qconsole.log";
        return nullptr;
      }
      return std::make_unique<LogFollowConsole>(choice.log_path);
    case ConsoleBackend::kWindow:
#ifdef _WIN32
      return std::make_unique<Win32Console>();
#else
      break;
#endif
  }
  error =
      "Console=window in stats.ini: the game's console window exists only on Windows; "
      "use Console=bridge or Console=log";
  return nullptr;
}

}  // namespace mrv
