// morvane-cli export: runs the HTML export's module (export_module.h), found where the
// build or the install put it. Only this verb loads Qt.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli.h"
#include "cli/export_module.h"
#include "cli/loadable_module.h"
#include "cli/setup.h"
#include "files/path_text.h"
#include "files/platform_folders.h"

namespace mrv::cli {

namespace {

// Beside the program (a build's bin/, the portable folder, Windows), or in lib/morvane/
// beside the bin/ of a system install. Never the current folder nor a search path: no
// other program's module can be taken for this one.
std::vector<std::filesystem::path> ModuleFolders(const std::filesystem::path& program_folder) {
  std::filesystem::path installed = program_folder.parent_path() / MORVANE_INSTALLED_MODULE_DIR;
  return {program_folder, installed.make_preferred()};
}

}  // namespace

int RunExportCommand(const Environment& env, const Arguments& args) {
  const std::filesystem::path program_folder = ProgramFolder();
  if (program_folder.empty()) {
    PrintError("the HTML export cannot be found: the system does not say where morvane-cli is");
    return kExitFailure;
  }
  const std::vector<std::filesystem::path> folders = ModuleFolders(program_folder);
  for (const std::filesystem::path& folder : folders) {
    const std::filesystem::path file = folder / MORVANE_EXPORT_MODULE;
    std::error_code error;
    if (!std::filesystem::exists(file, error)) continue;
    const ModuleFunction entry = LoadModuleFunction(file, kExportMainName);
    if (entry.address == nullptr) {
      PrintError("the HTML export cannot be loaded: " + entry.error);
      return kExitFailure;
    }
    const std::string data_dir = Utf8FromPath(env.data_dir);
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    const auto run = reinterpret_cast<ExportMain*>(entry.address);
    return run(data_dir.c_str(), static_cast<int>(argv.size()), argv.data());
  }
  PrintError("the HTML export is not installed: no " MORVANE_EXPORT_MODULE " in " +
             Utf8FromPath(folders[0]) + " or " + Utf8FromPath(folders[1]));
  return kExitFailure;
}

}  // namespace mrv::cli
