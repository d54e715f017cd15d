// Replacing a file so that at every instant it exists with either its old or its new
// content: the new content goes to a temporary file beside it ("<name>.tmp", or a
// unique "<name>.tmp.XXXXXX" when that one is taken), is flushed to disk, and then
// takes the file's name by one rename.
//
// The temporary file is created exclusively and never through a link, so a link
// planted under its name cannot redirect the write. A file that is a link is updated
// at the link's target, so the link survives, and the new file keeps the old one's
// permissions. Only regular files are replaced: a device, a fifo or a folder under the
// name is refused, and so is a file its user may not write or that nobody may write
// (a read-only file).
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace mrv {

enum class ReplaceResult {
  kReplaced,
  kRefused,        // the target may not be replaced; nothing was written
  kNoTemporary,    // no temporary file could be created; nothing was written
  kTemporaryLeft,  // writing or renaming failed: the target is unchanged and the
                   // temporary file stays for recovery
};

ReplaceResult ReplaceFileSafely(const std::filesystem::path& target, std::string_view content);

// What becomes of a target that is a link.
enum class LinkRule {
  kUpdateTarget,  // the link's target gets the content and the link stays
  kRefuse,        // nothing is written: for files written into folders others may share
                  // (reports and their pictures), where a planted link would redirect
                  // the write to a file of the user's
};

// The same replacement, with the rule for links and, after a failure, why it failed
// in `reason`: a plain sentence ("It is a link.", "No such file or directory.").
ReplaceResult ReplaceFileSafely(const std::filesystem::path& target, std::string_view content,
                                LinkRule links, std::string& reason);

// Takes the new content piece by piece, so that a large file never needs to be held whole.
class ContentSink {
 public:
  virtual ~ContentSink() = default;
  // Once a write has failed, later pieces are dropped and the replacement fails.
  virtual void Write(std::string_view piece) = 0;
};

// The same replacement, with the content written into the sink by `produce` (which runs
// once, after the temporary file was created).
ReplaceResult ReplaceFileSafely(const std::filesystem::path& target,
                                const std::function<void(ContentSink&)>& produce);

}  // namespace mrv
