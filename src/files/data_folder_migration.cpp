#include "files/data_folder_migration.h"

#include <algorithm>

#include "files/ini_file.h"
#include "files/settings.h"

namespace mrv {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSection = "program";
constexpr const char* kOfferedKey = "CopyOffered";

bool SameFolder(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return a == b || fs::equivalent(a, b, error);
}

// The regular files of `dir` (links followed) with the extension, as `prefix`/name.
void AddFiles(const fs::path& dir, const char* extension, const fs::path& prefix,
              std::vector<fs::path>& files) {
  std::error_code error;
  for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    if (it->path().extension() != extension || !it->is_regular_file(error)) continue;
    files.push_back(prefix / it->path().filename());
  }
}

}  // namespace

std::vector<fs::path> FilesLeftInProgramFolder(const DataFolder& folder) {
  std::vector<fs::path> files;
  if (folder.program_dir.empty() || folder.dir.empty() || SameFolder(folder.dir, folder.program_dir)) {
    return files;
  }
  AddFiles(folder.program_dir / "games", ".stg", "games", files);
  AddFiles(folder.program_dir, ".mrv", {}, files);
  std::erase_if(files, [&folder](const fs::path& file) {
    std::error_code error;
    return fs::exists(fs::symlink_status(folder.dir / file, error));
  });
  std::sort(files.begin(), files.end());
  return files;
}

int CopyFilesToDataFolder(const DataFolder& folder, const std::vector<fs::path>& files,
                          std::string& error) {
  int copied = 0;
  for (const fs::path& file : files) {
    std::error_code code;
    fs::create_directories((folder.dir / file).parent_path(), code);
    std::string reason;
    const CopyOutcome outcome =
        code ? CopyOutcome::kFailed
             : CopyFileIfMissing(folder.program_dir / file, folder.dir / file, reason);
    if (outcome == CopyOutcome::kCopied) ++copied;
    if (outcome == CopyOutcome::kFailed && error.empty()) {
      error = "Unable to copy " + (folder.program_dir / file).string() + ": " +
              (code ? code.message() : reason);
    }
  }
  return copied;
}

bool CopyWasOffered(const DataFolder& folder) {
  IniFile ini;
  if (!ini.Load(SettingsPath(folder.dir))) return false;
  const auto offered = ini.Find(kSection, kOfferedKey);
  return offered && SameFolder(*offered, folder.program_dir);
}

bool RememberCopyOffered(const DataFolder& folder) {
  IniFile ini;
  return ini.Load(SettingsPath(folder.dir)) &&
         ini.WriteString(kSection, kOfferedKey, folder.program_dir.string()) && ini.Save();
}

}  // namespace mrv
