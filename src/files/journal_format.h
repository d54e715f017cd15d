// The capture journal's format: what a live capture read from the game's console, with
// the moments it read it, so that a capture lost to a crash can be played again through
// the same interpreter (capture/journal_replay.h). The writer (journal_writer.h) appends
// records as the capture goes; the reader (journal_reader.h) takes them back one by one.
//
// The file: the magic line, then blocks, each a 32-bit little-endian payload length, the
// payload's CRC-32 and the payload, which holds whole records. A block is written at
// once and flushed to disk, so a crash leaves every block complete but perhaps the last.
// A record is its tag byte followed by its fields: numbers as LEB128 varints (times as
// zigzag differences from the previous timed record), texts as a varint length and the
// bytes.
//
// The setup comes first: kStarted, the weapon table (kWeapon), the death-message
// templates (kTemplate), GameTexts.txt when there was one (kGameTexts) and the options
// (kOptions). The run follows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/capture_options.h"

namespace mrv::journal {

inline constexpr std::string_view kMagic = "Morvane capture journal 1\n";
inline constexpr std::string_view kFileExtension = ".journal";

// Blocks are at most this long; one record never is.
inline constexpr std::size_t kMaxBlockPayload = std::size_t{16} << 20;

enum class Tag : char {
  // The setup.
  kStarted = 'S',    // timed: the start; text: the local date and time "yyyy-mm-dd hh:mm:ss"
  kWeapon = 'W',     // text: a weapon table entry
  kTemplate = 'K',   // text: a death-message template entry
  kGameTexts = 'G',  // text: GameTexts.txt as read
  kOptions = 'O',    // text: the options (EncodeOptions); again in the run when they changed
  // The run.
  kBoundary = 'B',  // timed: the console changed; its event follows after the readings
                    // made in between
  kAppended = 'T',  // timed, text: what the console gained since it was last read
  kReplaced = 'R',  // timed, text: the console's whole text, which no longer begins with
                    // what was read
  kFound = 'F',     // timed: the console was found
  kLost = 'L',      // timed: the console was lost
  kReading = 'C',   // timed: a reading of the clock by the capture
  kDraw = 'N',      // number: a random draw
  kAnswer = 'A',    // number: 1 for OK, 0 for Cancel, to one of the capture's questions
  kTyping = 'Y',    // number: bit 0 typed lines reach the game, bit 1 it reads no input
  kUnread = 'U',    // number: typed characters the game had not read yet, as the capture
                    // asked
  kHeartbeat = 'H', // timed: the capture still ran
  kStopped = 'X',   // timed, text: why journaling stopped while the capture went on
  kEnded = 'E',     // timed: the capture ended on purpose
};

inline constexpr std::uint8_t kTypingCanType = 1;
inline constexpr std::uint8_t kTypingReadsNoInput = 2;

bool IsTimed(Tag tag);
bool HasText(Tag tag);
bool HasNumber(Tag tag);
// Whether the byte is one of the tags above.
bool IsKnownTag(char byte);

struct Record {
  Tag tag = Tag::kHeartbeat;
  std::uint64_t time = 0;   // timed records: the capture clock's milliseconds
  std::uint64_t number = 0;
  std::string text;
};

// Appends records to a block payload, keeping the time of the last timed one.
class RecordEncoder {
 public:
  explicit RecordEncoder(std::uint64_t previous_time = 0) : previous_time_(previous_time) {}
  // Appends `record` to `out`.
  void Encode(const Record& record, std::string& out);

 private:
  std::uint64_t previous_time_;
};

// Takes records back from block payloads in order.
class RecordDecoder {
 public:
  // The next record of `payload` from `offset` on, which moves past it; false, with
  // `offset` unchanged, when the bytes there are no whole record (`fault` says why).
  bool Decode(std::string_view payload, std::size_t& offset, Record& record, std::string& fault);

 private:
  std::uint64_t previous_time_ = 0;
};

// A block: length, CRC-32 and the payload.
std::string FrameBlock(std::string_view payload);
std::uint32_t Crc32(std::string_view bytes);

// The options as a kOptions record holds them.
std::string EncodeOptions(const CaptureOptions& options);
// False, with `options` as far as they were read, for bytes that are no options.
bool DecodeOptions(std::string_view bytes, CaptureOptions& options);

// What a capture's interpretation depends on, besides the console's text.
struct JournalSetup {
  std::string started;  // "yyyy-mm-dd hh:mm:ss", local time
  std::uint64_t start_ms = 0;
  std::vector<std::string> weapons;
  std::vector<std::string> templates;
  std::optional<std::string> game_texts;
  CaptureOptions options;
};

// The setup's records, in order.
std::vector<Record> SetupRecords(const JournalSetup& setup);

// "yyyy-mm-dd hh:mm:ss" of the local time now.
std::string LocalTimeNow();

}  // namespace mrv::journal
