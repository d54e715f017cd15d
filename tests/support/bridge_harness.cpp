#include "support/bridge_harness.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <thread>

#include "capture/console/bridge_console.h"
#include "support/paths.h"

namespace mrv::test {

namespace {

constexpr std::chrono::milliseconds kRetry{10};

std::filesystem::path Program(const std::string& name) {
  return std::filesystem::path(MORVANE_BIN_DIR) / name;
}

}  // namespace

BridgeRun::BridgeRun(const std::filesystem::path& folder, const std::string& script,
                     const std::string& messages, const std::string& socket,
                     const std::vector<std::string>& settings,
                     const std::vector<std::string>& options)
    : socket_(folder / socket), messages_(folder / messages) {
  std::vector<std::string> game = {Program("morvane-fake-game").string(),
                                   (TestDataDir() / "fake_game" / script).string()};
  game.insert(game.end(), settings.begin(), settings.end());
  Start(game, options);
}

BridgeRun::BridgeRun(const std::filesystem::path& folder, const std::vector<std::string>& game,
                     const std::string& messages, const std::string& socket)
    : socket_(folder / socket), messages_(folder / messages) {
  Start(game, {});
}

void BridgeRun::Start(const std::vector<std::string>& game,
                      const std::vector<std::string>& options) {
  std::vector<std::string> command = {Program("morvane-console").string(), "--socket",
                                      socket_.string()};
  command.insert(command.end(), options.begin(), options.end());
  command.push_back("--");
  command.insert(command.end(), game.begin(), game.end());
  std::vector<char*> arguments;
  for (const auto& argument : command) arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);
  pid_ = fork();
  if (pid_ != 0) return;
  const int log = open(messages_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  dup2(log, STDERR_FILENO);
  execv(arguments[0], arguments.data());
  _exit(126);
}

BridgeRun::~BridgeRun() {
  if (!running()) return;
  kill(pid_, SIGTERM);
  if (!WaitForExit()) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

std::string BridgeRun::messages() const {
  return ReadFileBytes(messages_);
}

bool BridgeRun::running() {
  if (pid_ < 0 || exit_code_) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
  exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return false;
}

bool BridgeRun::WaitUntilServing() {
  BridgeConsole probe(socket_);
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (running() && std::chrono::steady_clock::now() < deadline) {
    if (probe.Find()) return true;
    std::this_thread::sleep_for(kRetry);
  }
  return false;
}

std::optional<int> BridgeRun::WaitForExit(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (running() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(kRetry);
  return exit_code_;
}

void MakeStaleSocket(const std::filesystem::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  close(listener);
}

}  // namespace mrv::test
