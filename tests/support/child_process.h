// Another program run by a test, as its users run it: its standard output and error
// go to files, its standard input is empty.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mrv::test {

// What a program killed with Kill() exits with on every system (128 + SIGKILL).
inline constexpr int kKilledExitCode = 137;

class ChildProcess {
 public:
  // Starts the program with the arguments (UTF-8); an empty file name discards that
  // stream. A program that cannot be started exits with 127 at once. On Windows, with
  // `own_console` the program gets a console of its own, as when it is started from
  // the desktop, so that a Ctrl-C sent to it reaches no other program.
  ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& out = {}, const std::filesystem::path& err = {},
               bool own_console = false);
  // A program still running is killed.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The exit code once the program ended, or nothing while it still runs after the limit.
  std::optional<int> Wait(std::chrono::milliseconds limit);
  bool running() { return !Wait(std::chrono::milliseconds(0)); }
  // Ends the program at once, as a crash would, and waits for its end.
  void Kill();
  // Presses Ctrl-C in the program's console (on Windows the one of its own); true
  // when it was sent.
  bool Interrupt();

 private:
  std::optional<int> exit_code_;
#ifdef _WIN32
  void* process_ = nullptr;  // the process HANDLE
#else
  int pid_ = -1;
#endif
};

// The test program that is running, for a test that runs a second copy of it.
std::filesystem::path ThisProgram();

}  // namespace mrv::test
