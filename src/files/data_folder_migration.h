// Saved games and profiles left in the program's folder while the data folder is
// another one (an older version kept everything beside the program, or that folder is
// read-only now). The desktop program offers once to copy them; the originals stay.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "files/data_folder.h"

namespace mrv {

// games/*.stg and *.mrv of the program folder that the data folder lacks, relative to
// both folders and sorted; empty when the two are one folder.
std::vector<std::filesystem::path> FilesLeftInProgramFolder(const DataFolder& folder);

// Copies them into the data folder, never over a file that exists. Returns how many
// were copied; a failure is told in `error` (the first one) and the others are still
// tried.
int CopyFilesToDataFolder(const DataFolder& folder, const std::vector<std::filesystem::path>& files,
                          std::string& error);

// Whether the copy was offered already for this program folder: stats.ini of the data
// folder keeps the folder it was offered for (key "CopyOffered" of section "program").
bool CopyWasOffered(const DataFolder& folder);
// False when stats.ini cannot keep it (missing, read-only).
bool RememberCopyOffered(const DataFolder& folder);

}  // namespace mrv
