#include "files/data_folder.h"

#include <chrono>
#include <random>

#include "files/file_lock.h"
#include "files/platform_folders.h"

namespace mrv {

namespace fs = std::filesystem;

namespace {

// Seeding copies three small files: a program that waits longer than this for another
// one is looking at a stuck program, not a busy one.
constexpr std::chrono::seconds kSeedPatience{10};

std::string UniqueSuffix() {
  static thread_local std::mt19937_64 random(std::random_device{}() ^
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  constexpr char kHex[] = "0123456789abcdef";
  std::string suffix;
  for (std::uint64_t bits = random(), i = 0; i < 12; ++i, bits >>= 4) suffix += kHex[bits & 15];
  return suffix;
}

// Creates and removes an entry of the folder; the reason when it cannot.
std::error_code WriteCheck(const fs::path& dir) {
  const fs::path probe = dir / (".morvane-write-check-" + UniqueSuffix());
  std::error_code error;
  if (!fs::create_directory(probe, error) && !error) error = std::make_error_code(std::errc::file_exists);
  if (error) return error;
  fs::remove(probe, error);
  return error;
}

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

// The first folder that ships the files: beside the program (a build folder, a portable
// folder), or the installed share/morvane.
fs::path SeedSource(const fs::path& program_dir) {
  if (program_dir.empty()) return {};
  for (const fs::path& dir : {program_dir, program_dir.parent_path() / "share" / "morvane"}) {
    std::error_code error;
    if (fs::is_regular_file(dir / kShippedFiles[0], error)) return dir;
  }
  return {};
}

std::string Unwritable(const fs::path& dir, const std::string& reason) {
  return "Unable to write in the data folder " + dir.string() + ": " + reason;
}

}  // namespace

DataFolderPlaces SystemDataFolderPlaces(fs::path option) {
  return {std::move(option), EnvironmentFolder(kDataFolderVariable), ProgramFolder(),
          UserDataFolder()};
}

DataFolder ChooseDataFolder(const DataFolderPlaces& places) {
  const auto absolute = [](const fs::path& path) {
    std::error_code error;
    const fs::path full = fs::absolute(path, error);
    return error ? path : full;
  };
  if (!places.option.empty()) {
    return {absolute(places.option), DataFolderSource::kOption, places.program_dir};
  }
  if (!places.environment.empty()) {
    return {absolute(places.environment), DataFolderSource::kEnvironment, places.program_dir};
  }
  std::error_code error;
  if (!places.program_dir.empty() &&
      fs::is_regular_file(places.program_dir / kShippedFiles[0], error) &&
      !WriteCheck(places.program_dir)) {
    return {places.program_dir, DataFolderSource::kProgramFolder, places.program_dir};
  }
  return {places.user_dir, DataFolderSource::kUserFolder, places.program_dir};
}

std::string DescribeDataFolder(const DataFolder& folder) {
  if (folder.dir.empty()) return "none (no home folder: set MORVANE_DIR or give --dir)";
  switch (folder.source) {
    case DataFolderSource::kOption:
      return folder.dir.string() + " (--dir)";
    case DataFolderSource::kEnvironment:
      return folder.dir.string() + " (" + kDataFolderVariable + ")";
    case DataFolderSource::kProgramFolder:
      return folder.dir.string() + " (the program's folder)";
    case DataFolderSource::kUserFolder:
      break;
  }
  return folder.dir.string() + " (the user's data folder)";
}

bool PrepareDataFolder(const DataFolder& folder, std::string& error) {
  const fs::path& dir = folder.dir;
  if (dir.empty()) {
    error = "No folder for Morvane's data: set HOME or MORVANE_DIR, or give --dir.";
    return false;
  }
  std::error_code code;
  fs::create_directories(dir, code);
  if (code || !fs::is_directory(dir, code)) {
    error = "Unable to create the data folder " + dir.string() + ": " +
            (code ? code.message() : "a file has its name");
    return false;
  }
  const fs::path settings = dir / kShippedFiles[0];
  if (Exists(settings)) return true;
  const fs::path source = SeedSource(folder.program_dir);
  if (source.empty() || source == dir) return true;

  const FileLock lock = FileLock::Acquire(settings, kSeedPatience);
  if (!lock.held()) {
    const std::error_code why = WriteCheck(dir);
    error = lock.busy() ? "Another Morvane program is still setting up the data folder " +
                              dir.string() + "."
                        : Unwritable(dir, why ? why.message() : "no lock file can be made");
    return false;
  }
  if (Exists(settings)) return true;  // seeded meanwhile by another program
  // stats.ini last: a folder holding it is complete.
  for (std::size_t i = kShippedFiles.size(); i-- > 0;) {
    const fs::path from = source / kShippedFiles[i];
    if (!Exists(from)) continue;
    std::string reason;
    if (CopyFileIfMissing(from, dir / kShippedFiles[i], reason) == CopyOutcome::kFailed) {
      error = Unwritable(dir, reason);
      return false;
    }
  }
  return true;
}

CopyOutcome CopyFileIfMissing(const fs::path& from, const fs::path& to, std::string& error) {
  if (Exists(to)) return CopyOutcome::kExisted;
  const fs::path temporary = fs::path(to) += ".copy-" + UniqueSuffix();
  std::error_code code;
  fs::copy_file(from, temporary, fs::copy_options::none, code);
  if (!code) {
    fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::add, code);
  }
  // Taken between the look and now: the other copy stays.
  if (!code && Exists(to)) {
    fs::remove(temporary, code);
    return CopyOutcome::kExisted;
  }
  if (!code) fs::rename(temporary, to, code);
  if (!code) return CopyOutcome::kCopied;
  error = code.message();
  std::error_code ignored;
  fs::remove(temporary, ignored);
  return CopyOutcome::kFailed;
}

}  // namespace mrv
