// morvane-cli monitor against console bridges that misbehave: one that answers in a
// way no bridge does, and one that never answers.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "capture/console/bridge_protocol.h"
#include "files/ini_file.h"
#include "files/settings.h"
#include "support/paths.h"

namespace mrv::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Listens where a bridge would and takes requests: answers each with a frame of a kind
// no bridge sends, or never answers at all.
class WrongBridge {
 public:
  WrongBridge(const fs::path& path, bool answers) : answers_(answers) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
    bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    listen(listener_, 8);
    pipe(stop_);
    thread_ = std::thread([this] { Serve(); });
  }
  ~WrongBridge() {
    [[maybe_unused]] const ssize_t written = write(stop_[1], "x", 1);
    thread_.join();
    for (const int fd : {listener_, stop_[0], stop_[1]}) close(fd);
  }
  int requests() const { return requests_.load(); }

 private:
  void Serve() {
    std::vector<int> clients;
    while (true) {
      std::vector<pollfd> watches = {{stop_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
      for (const int client : clients) watches.push_back({client, POLLIN, 0});
      poll(watches.data(), watches.size(), -1);
      if (watches[0].revents != 0) break;
      if (watches[1].revents != 0) clients.push_back(accept(listener_, nullptr, nullptr));
      for (std::size_t i = 2; i < watches.size(); ++i) {
        if (watches[i].revents == 0) continue;
        char bytes[4096];
        if (read(watches[i].fd, bytes, sizeof bytes) <= 0) continue;
        ++requests_;
        const std::string answer = bridge::EncodeFrame('z', "?");
        if (answers_) send(watches[i].fd, answer.data(), answer.size(), MSG_NOSIGNAL);
      }
    }
    for (const int client : clients) close(client);
  }

  bool answers_;
  int listener_ = -1;
  int stop_[2] = {-1, -1};
  std::atomic<int> requests_{0};
  std::thread thread_;
};

// `morvane-cli --dir DIR monitor` with the bridge socket set in DIR's stats.ini.
class Monitor {
 public:
  Monitor(const ScratchDir& dir, const fs::path& socket) : errors_(dir / "err.txt") {
    for (const char* file : {"stats.ini", "DeathMsgs.txt"}) {
      fs::copy_file(ShippedDir() / file, dir / file);
    }
    IniFile settings;
    settings.Load(SettingsPath(dir.path()));
    settings.WriteString("Monitor", "BridgeSocket", socket.string());
    settings.Save();
    const std::string program = (fs::path(MORVANE_BIN_DIR) / "morvane-cli").string();
    const std::string folder = dir.path().string();
    pid_ = fork();
    if (pid_ != 0) return;
    dup2(open("/dev/null", O_RDWR), STDIN_FILENO);
    dup2(open("/dev/null", O_RDWR), STDOUT_FILENO);
    dup2(open(errors_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
    execl(program.c_str(), program.c_str(), "--dir", folder.c_str(), "monitor",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  ~Monitor() {
    if (exit_code_) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  std::string errors() const { return ReadFileBytes(errors_); }
  bool WaitUntil(const std::function<bool()>& done) const {
    const auto deadline = Clock::now() + std::chrono::seconds(15);
    while (!done() && Clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return done();
  }
  // Ctrl-C; the exit code, or nothing when the tool did not end within the limit.
  std::optional<int> Interrupt(std::chrono::milliseconds limit) {
    kill(pid_, SIGINT);
    const auto deadline = Clock::now() + limit;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (Clock::now() > deadline) return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return exit_code_;
  }

 private:
  fs::path errors_;
  pid_t pid_ = -1;
  std::optional<int> exit_code_;
};

TEST(MonitorCommandTest, SaysWhyABridgeCannotBeUsed) {
  ScratchDir dir("cli-monitor-wrong-bridge");
  WrongBridge bridge(dir / "console.sock", true);
  Monitor monitor(dir, dir / "console.sock");
  const std::string why = "The console bridge at " + (dir / "console.sock").string() +
                          " cannot be used: the console bridge sent an unexpected answer.";
  ASSERT_TRUE(monitor.WaitUntil([&] { return bridge.requests() >= 3; })) << monitor.errors();
  EXPECT_EQ(monitor.Interrupt(std::chrono::seconds(10)), 0) << monitor.errors();
  const std::string errors = monitor.errors();
  EXPECT_NE(
      errors.find("Waiting for Quake3...\nClick \"Ok\" to stop and view stats\n" + why + "\n"),
      std::string::npos)
      << errors;
  EXPECT_EQ(errors.find(why), errors.rfind(why)) << "told once";
}

// A bridge that does not answer holds Ctrl-C up for a moment only, not for the 5 s it
// is otherwise given to answer.
TEST(MonitorCommandTest, CtrlCStopsAtOnceWhileABridgeDoesNotAnswer) {
  ScratchDir dir("cli-monitor-silent-bridge");
  WrongBridge bridge(dir / "console.sock", false);
  Monitor monitor(dir, dir / "console.sock");
  ASSERT_TRUE(monitor.WaitUntil([&] { return bridge.requests() >= 1; })) << monitor.errors();
  EXPECT_EQ(monitor.Interrupt(std::chrono::milliseconds(2500)), 0) << monitor.errors();
}

}  // namespace
}  // namespace mrv::test
