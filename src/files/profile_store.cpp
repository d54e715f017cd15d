#include "files/profile_store.h"

#include <algorithm>
#include <system_error>

#include "files/path_text.h"
#include "model/text.h"

namespace mrv {

bool IsValidProfileName(std::string_view name) {
  return !name.empty() && name.find_first_of("\\/*:?|<>\"") == std::string_view::npos;
}

ProfileStore::ProfileStore(std::filesystem::path data_dir, int weapon_count,
                     std::chrono::milliseconds lock_patience)
    : data_dir_(std::move(data_dir)),
      weapon_count_(weapon_count),
      lock_patience_(lock_patience) {}

std::filesystem::path ProfileStore::Resolve(const std::string& file_name) const {
  const std::filesystem::path path = PathFromUtf8(file_name);
  return path.is_absolute() ? path : data_dir_ / path;
}

bool ProfileStore::Fail(std::string_view text) {
  last_error_ = text;
  return false;
}

bool ProfileStore::FailReading(const ProfileLines& lines, std::string_view damaged_text) {
  return Fail(lines.failure() == ProfileLines::Failure::kUnreadable ? kUnableToReadFile
                                                                    : damaged_text);
}

bool ProfileStore::Open(const std::string& file_name) {
  if (active_) return false;
  const auto path = Resolve(file_name);
  auto look = [&] {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return Look::kMissing;
    if (!std::filesystem::is_regular_file(status) || !lines_.Open(path)) return Look::kRefused;
    lines_.Close();
    return Look::kReadable;
  };
  Look found = look();
  if (found == Look::kRefused) {
    // Another program rewriting the file holds its lock meanwhile, and on Windows the
    // file can then refuse to open: look again once that lock is free.
    const FileLock lock = FileLock::Acquire(path, lock_patience_);
    if (lock.held()) found = look();
  }
  if (found == Look::kMissing) return false;
  if (found == Look::kRefused) return Fail(kUnableToOpenFile);
  active_ = true;
  file_name_ = file_name;
  path_ = path;
  return true;
}

bool ProfileStore::Close() {
  lines_.Close();
  lock_.Release();
  active_ = false;
  file_name_.clear();
  path_.clear();
  return true;
}

bool ProfileStore::Lock() {
  if (!active_) return false;
  if (!lock_.held()) lock_ = FileLock::Acquire(path_, lock_patience_);
  return lock_.held() || FailLocking(lock_);
}

bool ProfileStore::LockForChange(const std::filesystem::path& file, FileLock& own) {
  if (lock_.Guards(file)) return true;
  own = FileLock::Acquire(file, lock_patience_);
  return own.held() || FailLocking(own);
}

bool ProfileStore::FailLocking(const FileLock& attempt) {
  if (attempt.busy()) return Fail(kProfileLocked);
  // A folder that takes no lock file takes no rewritten profile either.
  return Fail(std::string(kUnableToSaveFile) + "\r\n" + attempt.failure());
}

ProfileStore::Reading::Reading(ProfileStore& profile_store)
    : lines_(profile_store.lines_),
      opened_(profile_store.active_ && profile_store.lines_.Open(profile_store.path_)) {}

bool ProfileStore::ReadNicknames(std::vector<std::string>& nicknames) {
  nicknames.clear();
  const Reading reading(*this);
  if (!reading.opened()) return Fail(kUnableToReadFile);
  std::vector<std::string> found;
  if (!lines_.SkipTo(kNicknamesMarker) || !lines_.CollectUntil(kEndNicknamesMarker, found)) {
    return FailReading(lines_, kFileNotValid);
  }
  if (found.empty()) return Fail(kNoNicknamesFound);
  nicknames = std::move(found);
  return true;
}

bool ProfileStore::ListGames(std::vector<std::string>& games) {
  const Reading reading(*this);
  if (!reading.opened()) return Fail(kUnableToReadFile);
  // Only the games section: a note or nickname that looks like a game line is none.
  std::vector<std::string> found;
  if (lines_.SkipTo(kGamesMarker)) {
    std::string line;
    while (lines_.Next(line)) {
      if (KeyOf(line) == "GAME") found.push_back(ExtractField(line, '=', 3, false));
    }
  }
  if (lines_.failed()) return FailReading(lines_, kInvalidFile);
  games.insert(games.end(), std::make_move_iterator(found.begin()),
               std::make_move_iterator(found.end()));
  return true;
}

bool ProfileStore::ReadTotals(StatsRecord& totals) {
  last_error_.clear();
  const Reading reading(*this);
  if (!reading.opened()) return Fail(kUnableToReadFile);
  StatsRecord sum = NewStatsRecord(weapon_count_);
  if (lines_.SkipTo(kTotalsMarker)) {
    std::string line;
    bool ended = false;
    while (!ended && lines_.Next(line)) {
      const auto key = KeyOf(line);
      ended = key == kEndTotalsMarker;
      const int index = StatsKeyIndex(key);
      if (index >= 0 && !AddStatsValue(sum, index, ValueOf(line))) return Fail(kInvalidFile);
    }
    if (!ended) return FailReading(lines_, kInvalidFile);
  } else if (lines_.failed()) {
    return FailReading(lines_, kInvalidFile);
  }
  totals = std::move(sum);
  return true;
}

bool ProfileStore::ReadGames(std::span<const std::int32_t> numbers, StatsRecord& sums) {
  last_error_.clear();
  const Reading reading(*this);
  if (!reading.opened()) return Fail(kUnableToReadFile);
  if (!lines_.SkipTo(kGamesMarker)) return FailReading(lines_, kInvalidFile);
  StatsRecord sum = NewStatsRecord(weapon_count_);
  std::size_t next = 0;
  std::string wanted;
  std::string line;
  while (next < numbers.size()) {
    wanted = "GAME=" + std::to_string(numbers[next]) + "=";
    bool found = false;
    while (!found && lines_.Next(line)) found = line.starts_with(wanted);
    if (!found) break;
    // The block's figures run up to the first line that is no figure.
    while (lines_.Next(line)) {
      const int index = StatsKeyIndex(KeyOf(line));
      if (index < 0) {
        if (line != kEndGameMarker) return Fail(kInvalidFile);
        break;
      }
      if (!AddStatsValue(sum, index, ValueOf(line))) return Fail(kInvalidFile);
    }
    if (lines_.failed()) break;
    ++next;
  }
  // A missing game, or numbers out of order.
  if (next < numbers.size()) return FailReading(lines_, kInvalidFile);
  sums = std::move(sum);
  return true;
}

bool ProfileStore::ReadGameFigures(std::vector<GameFigures>& games) {
  last_error_.clear();
  const Reading reading(*this);
  if (!reading.opened()) return Fail(kUnableToReadFile);
  std::vector<GameFigures> found;
  StatsRecord block = NewStatsRecord(weapon_count_);
  const StatsRecord empty = block;
  if (lines_.SkipTo(kGamesMarker)) {
    std::string line;
    bool more = lines_.Next(line);
    while (more) {
      // Every game line starts a block, as ListGames counts them.
      if (KeyOf(line) != "GAME") {
        more = lines_.Next(line);
        continue;
      }
      std::string name = ExtractField(line, '=', 3, false);
      block = empty;
      // The block's figures run up to the first line that is no figure: its end.
      while ((more = lines_.Next(line))) {
        const int index = StatsKeyIndex(KeyOf(line));
        if (index < 0) break;
        if (!AddStatsValue(block, index, ValueOf(line))) return Fail(kInvalidFile);
      }
      if (more && line != kEndGameMarker) return Fail(kInvalidFile);
      found.push_back(FiguresOf(std::move(name), block));
      if (more) more = lines_.Next(line);
    }
  }
  if (lines_.failed()) return FailReading(lines_, kInvalidFile);
  games = std::move(found);
  return true;
}

std::vector<std::string> ProfileStore::FillProfileList() const {
  std::vector<std::string> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(data_dir_, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code type_error;
    if (!it->is_regular_file(type_error)) continue;
    auto name = Utf8FromPath(it->path().filename());
    if (name.ends_with(".mrv")) files.push_back(std::move(name));
  }
  std::sort(files.begin(), files.end());
  files.insert(files.begin(), std::string(kNoProfileEntry));
  return files;
}

bool LoadProfile(ProfileStore& profile_store, const std::string& file_name, LoadedProfile& slot) {
  slot.reset();
  if (profile_store.Active() && !profile_store.Close()) return false;
  ProfileRecord loaded;
  loaded.name = file_name;
  if (!profile_store.Open(file_name)) return false;
  if (!profile_store.ReadNicknames(loaded.nicks)) {
    profile_store.Close();
    return false;
  }
  slot = std::move(loaded);
  return true;
}

}  // namespace mrv
