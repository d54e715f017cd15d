// The recovery folder of the data folder ("recovery/"), where the journals of live
// captures are kept until the game captured is saved or dropped, and the journals of
// captures that never ended that way (a crash, a kill, a power cut) wait to be
// recovered.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "files/journal_writer.h"

namespace mrv {

std::filesystem::path RecoveryFolder(const std::filesystem::path& data_dir);

struct UnfinishedCapture {
  std::filesystem::path file;
  // When it started, "yyyy-mm-dd hh:mm:ss"; the file's name when the journal cannot be
  // read.
  std::string started;
};

// The journals in the folder that no running capture holds, oldest first (those that
// cannot be read by their names).
std::vector<UnfinishedCapture> FindUnfinishedCaptures(const std::filesystem::path& data_dir);

// Takes the journal for this program: its lock, so that no other program offers or
// recovers it meanwhile. Empty when another program holds it.
JournalFile ClaimJournal(const std::filesystem::path& file);

}  // namespace mrv
