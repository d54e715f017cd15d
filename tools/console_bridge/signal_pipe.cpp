#include "console_bridge/signal_pipe.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

namespace mrv::bridge {

namespace {

int write_end = -1;

void OnSignal(int number) {
  const int saved = errno;
  const char byte = number == SIGCHLD ? kChildSignal : kStopSignal;
  // A full pipe already holds a byte that wakes the loop.
  [[maybe_unused]] const ssize_t written = write(write_end, &byte, 1);
  errno = saved;
}

}  // namespace

int InstallSignalPipe() {
  int ends[2];
  if (pipe(ends) != 0) return -1;
  for (const int fd : ends) {
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
  write_end = ends[1];
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int number : {SIGCHLD, SIGTERM, SIGINT, SIGHUP}) sigaction(number, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
  return ends[0];
}

}  // namespace mrv::bridge
