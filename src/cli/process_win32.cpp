#include "cli/process.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <mutex>

#include "files/path_text.h"

namespace mrv::cli {

namespace {

// The capture that a console event stops. The system calls the handler on a thread of
// its own, at any time.
std::mutex watch_mutex;
MonitorCapture* watched = nullptr;
bool requested_early = false;  // a request came before the capture was watched
bool watch_over = false;

BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  {
    const std::lock_guard<std::mutex> lock(watch_mutex);
    if (watched != nullptr) {
      watched->Stop();
    } else if (!watch_over) {
      requested_early = true;
    }
  }
  // A closed console ends the tool as soon as this returns: wait here while it writes
  // the report and the saved game; its exit ends this thread too.
  if (event == CTRL_CLOSE_EVENT) Sleep(INFINITE);
  return TRUE;
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8FromPath(std::filesystem::path(wide[i])));
  LocalFree(wide);
  return arguments;
}

void PrepareStandardStreams() {
  // Text mode would write every line break as CR LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
}

struct StopOnRequest::Watcher {};

StopOnRequest::StopOnRequest() : watcher_(std::make_unique<Watcher>()) {
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

// The handler stays, with nothing to stop: a late Ctrl-C is ignored until the tool exits.
StopOnRequest::~StopOnRequest() {
  const std::lock_guard<std::mutex> lock(watch_mutex);
  watched = nullptr;
  watch_over = true;
}

void StopOnRequest::Watch(MonitorCapture& capture) {
  const std::lock_guard<std::mutex> lock(watch_mutex);
  watched = &capture;
  if (requested_early) capture.Stop();
}

}  // namespace mrv::cli
