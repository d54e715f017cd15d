#include "cli/loadable_module.h"

#include <dlfcn.h>

namespace mrv::cli {

ModuleFunction LoadModuleFunction(const std::filesystem::path& file, const char* name) {
  // A name with a slash is opened as it is, never looked up on a search path. Binding
  // everything now reports a missing library here, not as a crash in the middle.
  void* const module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) return {nullptr, dlerror()};
  void* const address = dlsym(module, name);
  if (address == nullptr) return {nullptr, file.string() + ": it has no function " + name};
  return {reinterpret_cast<void (*)()>(address), {}};
}

}  // namespace mrv::cli
