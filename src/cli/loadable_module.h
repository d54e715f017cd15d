// A module (a shared library) loaded while the tool runs, the system's way: the verbs
// that need a large library load it only when they run.
#pragma once

#include <filesystem>
#include <string>

namespace mrv::cli {

struct ModuleFunction {
  void (*address)() = nullptr;  // to be cast to the function's own type; null when not found
  std::string error;            // why not, naming the file
};

// The function `name` of the module file `file`, which is loaded from there alone (its
// own libraries from the system's folders, never the current one). The module stays
// loaded for the rest of the process: what its code left to run at exit needs it.
ModuleFunction LoadModuleFunction(const std::filesystem::path& file, const char* name);

}  // namespace mrv::cli
