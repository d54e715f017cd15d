#include "support/child_process.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "files/path_text.h"

namespace mrv::test {

namespace {

// One argument as the command line carries it (the rules CommandLineToArgvW reads):
// quoted, with backslashes doubled before a quote.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

HANDLE Inheritable(const std::filesystem::path& file, bool write) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(file.empty() ? L"NUL" : file.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                     write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments,
                           const std::filesystem::path& out, const std::filesystem::path& err,
                           bool own_console) {
  std::wstring command_line = Quoted(program.native());
  for (const std::string& argument : arguments) {
    command_line += L" " + Quoted(PathFromUtf8(argument).native());
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = Inheritable({}, false);
  startup.hStdOutput = Inheritable(out, true);
  startup.hStdError = Inheritable(err, true);
  PROCESS_INFORMATION started{};
  if (CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, TRUE,
                     own_console ? CREATE_NEW_CONSOLE : 0, nullptr, nullptr, &startup, &started)) {
    CloseHandle(started.hThread);
    process_ = started.hProcess;
  } else {
    exit_code_ = 127;
  }
  for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
}

ChildProcess::~ChildProcess() {
  if (running()) Kill();
  if (process_ != nullptr) CloseHandle(process_);
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds limit) {
  if (exit_code_) return exit_code_;
  if (WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  exit_code_ = static_cast<int>(code);
  return exit_code_;
}

void ChildProcess::Kill() {
  if (exit_code_) return;
  TerminateProcess(process_, kKilledExitCode);
  Wait(std::chrono::milliseconds(INFINITE));
}

namespace {

BOOL WINAPI IgnoreCtrlC(DWORD) {
  return TRUE;
}

}  // namespace

// Only a program of the console can press Ctrl-C in it: this one visits it, ignoring
// the key itself, and leaves.
bool ChildProcess::Interrupt() {
  if (exit_code_) return false;
  FreeConsole();
  if (!AttachConsole(GetProcessId(process_))) return false;
  SetConsoleCtrlHandler(IgnoreCtrlC, TRUE);
  const bool sent = GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) != 0;
  FreeConsole();
  return sent;
}

std::filesystem::path ThisProgram() {
  std::wstring name(32768, L'\0');
  name.resize(GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size())));
  return name;
}

}  // namespace mrv::test
