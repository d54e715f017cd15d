// The console logs the parse benchmark reads, written as the game leaves them:
// - kGenerated: a long run of evenings of 16 players on few maps (map loads, joins,
//   kills through every shipped template, hits, flags, chat, noise);
// - kLaterText: the same evenings as Urban Terror 4.1 and later versions print them
//   (hits with a damage part, the hits of a watched player, names in colour in kill
//   lines, "13 crosshairs parsed"), read only with GameTexts.txt;
// - kRepeatedSample: samples/long_session.log again and again, whose renames touch every
//   map met so far;
// - kMapHeavy: years of a player's qconsole.log, as 4.1 and later versions print it: a
//   map every 9 to 12 KB, each of 10 to 30 players drawn from thousands who come and go,
//   regulars more often, on servers of every game type; read only with GameTexts.txt.
// Each log depends only on its kind and size: the same bytes every time.
#pragma once

#include <cstdint>
#include <filesystem>

#include "capture/matching/death_templates.h"

namespace bench {

enum class LogKind { kGenerated, kLaterText, kRepeatedSample, kMapHeavy };

// Writes at least `bytes` of the log kind to `path`; the kill lines use the templates'
// wordings. Aborts when the file cannot be written.
void WriteBenchLog(LogKind kind, const std::filesystem::path& path, std::uint64_t bytes,
                   const mrv::DeathTemplates& templates);

}  // namespace bench
