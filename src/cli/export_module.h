// The HTML export is a module of its own, which morvane-cli loads for `export` alone:
// its pictures are drawn with QtGui, and so every other verb starts without loading Qt.
// The tool and the module meet at one C function, so that no C++ object, exception or
// copy of a library's state crosses between them.
#pragma once

namespace mrv::cli {

// Runs `export` on the data folder with the arguments after the verb, all UTF-8, and
// returns the exit code; prints what went wrong on standard error itself. The strings
// are the caller's and need to live only for the call.
using ExportMain = int(const char* data_dir, int argc, const char* const* argv) noexcept;

// The name the module exports it under.
inline constexpr const char* kExportMainName = "morvane_export_main";

}  // namespace mrv::cli
