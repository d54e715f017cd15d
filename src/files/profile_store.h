// The profile component: opens one player profile file at a time and reads it, adds
// and removes games, and creates, summarises and edits profile files by name.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_lock.h"
#include "files/game_figures.h"
#include "files/profile_format.h"
#include "model/stats_store.h"

namespace mrv {

// The profile the program has loaded: its file name, nicknames and the figures shown.
// Held beside the ProfileStore by whoever owns it.
using LoadedProfile = std::optional<ProfileRecord>;

// The summary of a profile file's totals block.
struct ProfileInfo {
  std::int32_t games = 0;
  std::int32_t time = 0;
  std::string first_game;
  std::string last_game;
};

inline constexpr std::string_view kNoProfileEntry = "<no profile loaded>";

// The texts LastError reports.
inline constexpr std::string_view kUnableToOpenFile = "Unable to open file!";
inline constexpr std::string_view kUnableToReadFile = "Unable to read from file!";
inline constexpr std::string_view kFileNotValid = "The file doesn't seem valid!";
inline constexpr std::string_view kNoNicknamesFound = "No nicknames found! Invalid file!";
inline constexpr std::string_view kInvalidFile = "Invalid file!";
inline constexpr std::string_view kUnableToSaveFile = "Unable to save file!";
inline constexpr std::string_view kUnableToWriteFile = "Unable to write to file!";
inline constexpr std::string_view kInvalidGameName = "Invalid game name!";
inline constexpr std::string_view kUnableToDeleteFile = "Unable to delete file ";
inline constexpr std::string_view kProfileLocked =
    "Unable to open profile!\n\n\rThe file could be locked by another process.";
inline constexpr std::string_view kProfileChanged =
    "The profile was changed by another program since its games were read!\r\n"
    "Nothing was removed.";

// How long a change waits while another program changes the same profile.
inline constexpr std::chrono::milliseconds kProfileLockPatience{2000};

// A profile name never holds \ / * : ? | < > or a double quote, and is not empty.
bool IsValidProfileName(std::string_view name);

class ProfileStore {
 public:
  // Relative file names resolve in `data_dir`; every per-weapon list holds
  // `weapon_count` values.
  ProfileStore(std::filesystem::path data_dir, int weapon_count,
            std::chrono::milliseconds lock_patience = kProfileLockPatience);
  ProfileStore(const ProfileStore&) = delete;
  ProfileStore& operator=(const ProfileStore&) = delete;

  // Fails without a text when a profile is open already or no file has that name.
  bool Open(const std::string& file_name);
  // Closes the profile and lets go of its lock.
  bool Close();

  // Keeps every other program from changing the open profile until Unlock or Close,
  // so that figures read meanwhile are still the profile's when a change made
  // meanwhile is written. Fails with kProfileLocked when another program holds the
  // profile beyond the lock patience, or kUnableToSaveFile followed by the reason when
  // no lock file can be made beside it. The changes below take the lock for their own duration when it is not
  // held already.
  bool Lock();
  void Unlock() { lock_.Release(); }
  bool Locked() const { return lock_.held(); }
  bool Active() const { return active_; }
  const std::string& LastError() const { return last_error_; }
  int weapon_count() const { return weapon_count_; }

  // Readers of the open profile; each starts again from the file's first line.
  bool ReadNicknames(std::vector<std::string>& nicknames);
  // Appends the game names, the most recently added first.
  bool ListGames(std::vector<std::string>& games);
  bool ReadTotals(StatsRecord& totals);
  // The sum of the games with these numbers, given in ascending order.
  bool ReadGames(std::span<const std::int32_t> numbers, StatsRecord& sums);
  // The figures of every game, the most recently added first, named as ListGames names
  // them: the whole games section in one pass. A damaged game block fails it.
  bool ReadGameFigures(std::vector<GameFigures>& games);

  // Puts the game on top of the open profile and adds it into `totals`, which the
  // caller read with ReadTotals just before (and discards after a failure).
  bool AddGame(const StatsRecord& game, StatsRecord& totals, const std::string& id);
  // Takes the games with these numbers (ascending, from 1) out of the open profile,
  // whose games the caller read as `listed` (ListGames). Games are known by what they
  // are: under the lock, the file must still hold exactly the games listed, in that
  // order; otherwise, or for a number beyond the list, nothing changes and the failure
  // is kProfileChanged. The totals lose the figures of the removed games' own blocks,
  // and FIRSTGAME and LASTGAME name the oldest and newest games left (empty when none).
  bool RemoveGames(std::span<const std::int32_t> numbers, std::span<const std::string> listed);

  // Operations on a profile file named by the caller, open or not.
  bool CreateProfileFile(const std::string& file_name, const std::string& first_nickname,
                         const std::vector<std::string>& notes);
  bool ReadProfileInfo(const std::string& file_name, std::vector<std::string>& nicknames,
                       std::vector<std::string>& notes, ProfileInfo& info);
  bool SaveNotesAndNicknames(const std::string& file_name,
                             const std::vector<std::string>& nicknames,
                             const std::vector<std::string>& notes);
  // Deletes a profile file once no other program is changing it; a file that is gone
  // already is no failure. Fails with kProfileLocked, or kUnableToDeleteFile followed
  // by the file's full path.
  bool DeleteProfileFile(const std::string& file_name);
  // "<no profile loaded>", then the profile files of the data folder by name.
  std::vector<std::string> FillProfileList() const;

 private:
  // What Open finds at the profile's path.
  enum class Look { kReadable, kMissing, kRefused };

  // While it lives, the open profile's file is open for one read from its first line.
  // It is closed between reads, so that no other program finds it open: Windows
  // replaces no file that is open, and another program's change would fail.
  class Reading {
   public:
    explicit Reading(ProfileStore& profile_store);
    ~Reading() { lines_.Close(); }
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;
    bool opened() const { return opened_; }

   private:
    ProfileLines& lines_;
    bool opened_;
  };

  std::filesystem::path Resolve(const std::string& file_name) const;
  bool Fail(std::string_view text);
  // The failure text of a line source that stopped early.
  bool FailReading(const ProfileLines& lines, std::string_view damaged_text);
  // The open profile locked for a change (see LockForChange).
  bool BeginChange(FileLock& own_lock);
  // Writes the new content in place of the open profile and opens it again.
  bool ReplaceOpenProfile(const std::string& content);
  // Makes sure the file is locked against other programs for a change: by this
  // profile_store's lock, or else by `own`.
  bool LockForChange(const std::filesystem::path& file, FileLock& own);
  // kProfileLocked when another program held the file, else kUnableToSaveFile and why.
  bool FailLocking(const FileLock& attempt);

  std::filesystem::path data_dir_;
  int weapon_count_;
  ProfileLines lines_;
  bool active_ = false;
  std::string file_name_;
  std::filesystem::path path_;
  std::string last_error_;
  std::chrono::milliseconds lock_patience_;
  FileLock lock_;
};

// Holds the open profile's lock for a scope (unless it was held before).
class ProfileLockScope {
 public:
  explicit ProfileLockScope(ProfileStore& profile_store)
      : profile_store_(profile_store), taken_(!profile_store.Locked() && profile_store.Lock()) {}
  ~ProfileLockScope() {
    if (taken_) profile_store_.Unlock();
  }
  ProfileLockScope(const ProfileLockScope&) = delete;
  ProfileLockScope& operator=(const ProfileLockScope&) = delete;
  bool locked() const { return profile_store_.Locked(); }

 private:
  ProfileStore& profile_store_;
  bool taken_;
};

// Loads the named profile into the slot: closes what the profile_store has open, opens the
// file and reads its nicknames. On failure the slot is empty and LastError tells why.
bool LoadProfile(ProfileStore& profile_store, const std::string& file_name, LoadedProfile& slot);

}  // namespace mrv
