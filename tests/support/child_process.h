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
  // stream. A program that cannot be started exits with 127 at once.
  ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& out = {}, const std::filesystem::path& err = {});
  // A program still running is killed.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The exit code once the program ended, or nothing while it still runs after the limit.
  std::optional<int> Wait(std::chrono::milliseconds limit);
  bool running() { return !Wait(std::chrono::milliseconds(0)); }
  // Ends the program at once, as a crash would, and waits for its end.
  void Kill();

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
