#include "console_bridge/listen_socket.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace mrv::bridge {

namespace {

constexpr int kBacklog = 8;

// Empty when nothing is in the way of binding the path (a dead socket was removed).
std::string ClearStaleSocket(const std::filesystem::path& path, const sockaddr_un& address) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return {};
  if (!S_ISSOCK(info.st_mode)) return path.string() + " exists and is not a socket";
  const int probe = socket(AF_UNIX, SOCK_STREAM, 0);
  if (probe < 0) return std::string("cannot make a socket: ") + std::strerror(errno);
  const bool live =
      connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  const int probe_error = errno;
  close(probe);
  if (live) return "another morvane-console is already serving " + path.string();
  if (probe_error != ECONNREFUSED) {
    return "cannot check " + path.string() + ": " + std::strerror(probe_error);
  }
  if (unlink(path.c_str()) != 0 && errno != ENOENT) {
    return "cannot remove the stale socket " + path.string() + ": " + std::strerror(errno);
  }
  return {};
}

}  // namespace

int ListenOn(const std::filesystem::path& path, std::string& error) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string name = path.string();
  if (name.empty() || name.size() >= sizeof(address.sun_path)) {
    error = "the socket path is empty or too long: " + name;
    return -1;
  }
  std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
  error = ClearStaleSocket(path, address);
  if (!error.empty()) return -1;

  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  if (listener < 0) {
    error = std::string("cannot make a socket: ") + std::strerror(errno);
    return -1;
  }
  // The socket file is born private: only this user may talk to the game.
  const mode_t previous_mask = umask(0177);
  const bool bound =
      bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  const int bind_error = errno;
  umask(previous_mask);
  if (!bound || listen(listener, kBacklog) != 0) {
    error = "cannot listen on " + name + ": " + std::strerror(bound ? errno : bind_error);
    close(listener);
    return -1;
  }
  fcntl(listener, F_SETFD, FD_CLOEXEC);
  fcntl(listener, F_SETFL, fcntl(listener, F_GETFL) | O_NONBLOCK);
  return listener;
}

}  // namespace mrv::bridge
