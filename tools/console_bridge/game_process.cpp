#include "console_bridge/game_process.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#if defined(__APPLE__) || defined(__FreeBSD__) || defined(__OpenBSD__) || defined(__NetBSD__)
#include <util.h>
#else
#include <pty.h>
#endif

namespace mrv::bridge {

namespace {

void SetFlags(int fd, bool non_blocking) {
  fcntl(fd, F_SETFD, fcntl(fd, F_GETFD) | FD_CLOEXEC);
  if (non_blocking) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

void CloseAll(std::initializer_list<int> fds) {
  for (const int fd : fds) {
    if (fd >= 0) close(fd);
  }
}

[[noreturn]] void RunGame(const std::vector<std::string>& command, int slave, int output,
                          int errors, int report) {
  // A session of its own with the pseudo-terminal as its controlling terminal, as if
  // it had been started from a terminal window.
  setsid();
#ifdef TIOCSCTTY
  ioctl(slave, TIOCSCTTY, 0);
#endif
  dup2(slave, STDIN_FILENO);
  dup2(output, STDOUT_FILENO);
  dup2(errors, STDERR_FILENO);
  CloseAll({slave > STDERR_FILENO ? slave : -1, output > STDERR_FILENO ? output : -1,
            errors > STDERR_FILENO ? errors : -1});
  // The bridge ignores broken pipes; the game gets the usual default.
  signal(SIGPIPE, SIG_DFL);
  // The game's terminal is this pseudo-terminal, whatever terminal the bridge runs in:
  // a TERM of "dumb" (an editor's shell, a CI runner) would make current engines keep
  // their terminal console off.
  setenv("TERM", "xterm", 1);
  std::vector<char*> arguments;
  for (const auto& argument : command) arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);
  execvp(arguments[0], arguments.data());
  const int failure = errno;
  [[maybe_unused]] const ssize_t written = write(report, &failure, sizeof failure);
  _exit(127);
}

}  // namespace

GameProcess StartGame(const std::vector<std::string>& command, std::string& error) {
  GameProcess game;
  int master = -1;
  int slave = -1;
  int output[2] = {-1, -1};
  int errors[2] = {-1, -1};
  int report[2] = {-1, -1};
  if (command.empty()) {
    error = "no game to start";
    return game;
  }
  char terminal_name[256] = {};
  if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0 ||
      ttyname_r(slave, terminal_name, sizeof terminal_name) != 0 || pipe(output) != 0 ||
      pipe(errors) != 0 || pipe(report) != 0) {
    error = std::string("cannot make the game's terminal and pipes: ") + std::strerror(errno);
    CloseAll({master, slave, output[0], output[1], errors[0], errors[1], report[0], report[1]});
    return game;
  }
  for (const int fd : {master, output[0], errors[0], report[0], report[1]}) SetFlags(fd, false);
  const pid_t pid = fork();
  const int fork_error = errno;
  if (pid == 0) RunGame(command, slave, output[1], errors[1], report[1]);
  CloseAll({slave, output[1], errors[1], report[1]});
  int failure = 0;
  ssize_t got;
  do {
    got = read(report[0], &failure, sizeof failure);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  if (pid < 0 || got > 0) {
    error = "cannot start " + command[0] + ": " + std::strerror(pid < 0 ? fork_error : failure);
    if (pid > 0) waitpid(pid, nullptr, 0);
    CloseAll({master, output[0], errors[0]});
    return game;
  }
  for (const int fd : {master, output[0], errors[0]}) SetFlags(fd, true);
  game.pid = pid;
  game.terminal = master;
  game.output = output[0];
  game.errors = errors[0];
  game.terminal_name = terminal_name;
  return game;
}

int ExitCodeOf(int wait_status) {
  if (WIFEXITED(wait_status)) return WEXITSTATUS(wait_status);
  if (WIFSIGNALED(wait_status)) return 128 + WTERMSIG(wait_status);
  return 1;
}

}  // namespace mrv::bridge
