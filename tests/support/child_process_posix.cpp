#include "support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace mrv::test {

namespace {

void Redirect(int fd, const std::filesystem::path& file, int flags) {
  const int opened = open(file.empty() ? "/dev/null" : file.c_str(), flags, 0600);
  dup2(opened, fd);
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments,
                           const std::filesystem::path& out, const std::filesystem::path& err,
                           bool) {
  std::vector<std::string> command = {program.string()};
  command.insert(command.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& argument : command) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_ = fork();
  if (pid_ != 0) {
    if (pid_ < 0) exit_code_ = 127;
    return;
  }
  Redirect(STDIN_FILENO, {}, O_RDONLY);
  Redirect(STDOUT_FILENO, out, O_WRONLY | O_CREAT | O_TRUNC);
  Redirect(STDERR_FILENO, err, O_WRONLY | O_CREAT | O_TRUNC);
  execv(argv[0], argv.data());
  _exit(127);
}

ChildProcess::~ChildProcess() {
  if (running()) Kill();
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!exit_code_) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    } else if (std::chrono::steady_clock::now() >= deadline) {
      break;
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  return exit_code_;
}

void ChildProcess::Kill() {
  if (exit_code_) return;
  kill(pid_, SIGKILL);
  int status = 0;
  waitpid(pid_, &status, 0);
  exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool ChildProcess::Interrupt() {
  return !exit_code_ && kill(pid_, SIGINT) == 0;
}

std::filesystem::path ThisProgram() {
  return std::filesystem::read_symlink("/proc/self/exe");
}

}  // namespace mrv::test
