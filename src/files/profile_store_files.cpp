// The operations of the profile component on a file named by the caller.
#include "files/profile_store.h"
#include "files/safe_file.h"
#include "model/text.h"

namespace mrv {

bool ProfileStore::CreateProfileFile(const std::string& file_name, const std::string& first_nickname,
                                  const std::vector<std::string>& notes) {
  const std::vector<std::string> nicknames = {first_nickname};
  if (!IsStorableHeader(notes, nicknames)) return Fail(kUnableToWriteFile);
  std::string content;
  AppendHeader(content, notes, nicknames);
  // Overwriting an existing profile is the user's choice; it still must not leave a
  // half-written file behind, nor cut into another program's change.
  FileLock lock;
  if (!LockForChange(Resolve(file_name), lock)) return false;
  if (ReplaceFileSafely(Resolve(file_name), content) != ReplaceResult::kReplaced) {
    return Fail(kUnableToWriteFile);
  }
  return true;
}

bool ProfileStore::ReadProfileInfo(const std::string& file_name, std::vector<std::string>& nicknames,
                                std::vector<std::string>& notes, ProfileInfo& info) {
  nicknames.clear();
  notes.clear();
  ProfileLines lines;
  if (!lines.Open(Resolve(file_name))) return Fail(kUnableToOpenFile);
  std::vector<std::string> found_notes;
  std::vector<std::string> found_nicknames;
  std::string line;
  const bool header = lines.Next(line) && line == kNotesMarker &&
                      lines.CollectUntil(kEndNotesMarker, found_notes) && lines.Next(line) &&
                      line == kNicknamesMarker &&
                      lines.CollectUntil(kEndNicknamesMarker, found_nicknames) &&
                      !found_nicknames.empty();
  if (!header) return Fail(kFileNotValid);
  ProfileInfo found;
  if (lines.Next(line) && line == kTotalsMarker) {
    while (lines.Next(line) && line != kEndTotalsMarker) {
      const auto key = KeyOf(line);
      const auto value = ValueOf(line);
      if (key == "GAMES" || key == "TIME") {
        const auto number = ParseCount(value);
        if (!number) return Fail(kFileNotValid);
        (key == "GAMES" ? found.games : found.time) = *number;
      } else if (key == "FIRSTGAME") {
        found.first_game = value;
      } else if (key == "LASTGAME") {
        found.last_game = value;
      }
    }
  }
  if (lines.failed()) return Fail(kFileNotValid);
  nicknames = std::move(found_nicknames);
  notes = std::move(found_notes);
  info = std::move(found);
  return true;
}

bool ProfileStore::SaveNotesAndNicknames(const std::string& file_name,
                                      const std::vector<std::string>& nicknames,
                                      const std::vector<std::string>& notes) {
  if (!IsStorableHeader(notes, nicknames)) return Fail(kUnableToSaveFile);
  const auto path = Resolve(file_name);
  FileLock lock;
  if (!LockForChange(path, lock)) return false;
  ProfileLines lines;
  if (!lines.Open(path)) return Fail(kUnableToSaveFile);
  std::string content = RewriteBuffer(path);
  AppendHeader(content, notes, nicknames);
  // Without its nickname section's end the file is not a profile; rewriting it would
  // drop everything.
  if (!lines.SkipTo(kEndNicknamesMarker)) return Fail(kUnableToSaveFile);
  std::string line;
  while (lines.Next(line)) AppendLine(content, line);
  if (lines.failed()) return Fail(kUnableToSaveFile);
  lines.Close();
  if (ReplaceFileSafely(path, content) != ReplaceResult::kReplaced) {
    return Fail(kUnableToSaveFile);
  }
  return true;
}

bool ProfileStore::DeleteProfileFile(const std::string& file_name) {
  const auto path = Resolve(file_name);
  FileLock lock;
  if (!LockForChange(path, lock)) return false;
  std::error_code error;
  std::filesystem::remove(path, error);
  if (error) return Fail(std::string(kUnableToDeleteFile) + path.string());
  return true;
}

}  // namespace mrv
