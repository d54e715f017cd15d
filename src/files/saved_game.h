// Saved games (.stg): the whole stats store of one capture as CR LF text, one value or
// one list per line, with marker lines around each map's sections.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "files/prompt.h"
#include "model/stats_store.h"

namespace mrv {

// The longest line the writer writes and the reader reads; a longer one fails the load.
// Captured names never exceed it (the store refuses them), nor do value lists.
inline constexpr std::size_t kMaxGameFileLine = kMaxNameLength;

// Now as "yyyy-mm-dd hh:mm": the name a freshly captured game gets, and the stats
// viewer's LastGame until a loaded game's name replaces it.
std::string CurrentGameName();

// "<program dir>/games/<name>.stg", each ":" of the name (and each path separator or
// control character, which would lead elsewhere) made a "."; creates the games folder
// when it can.
std::filesystem::path GameFilePath(const std::filesystem::path& data_dir,
                                   std::string_view game_name);

// The file's content; empty when a text of the store cannot be written so that it
// reads back (a line break in a name, a line over kMaxGameFileLine, a nickname that
// reads as the end-of-list marker): never for what a capture stored.
std::optional<std::string> GameFileText(const StatsStore& store, std::string_view game_name);

// Writes the file through a temporary one. On failure shows "Unable to save file "
// and the file name, and returns false.
bool SaveGame(const StatsStore& store, const std::filesystem::path& file,
              std::string_view game_name, Prompt& prompt);

// Appends the file's maps to the store (whose weapon_count is the W of the file).
// True when at least one map was read and nothing failed. A failure shows "Unable to
// load file " and the file name; the maps read until then, the last one perhaps only
// partly, stay in the store. A file holding only the name loads nothing and
// returns false without a message.
bool LoadGame(StatsStore& store, const std::filesystem::path& file, std::string& game_name,
              Prompt& prompt);

}  // namespace mrv
