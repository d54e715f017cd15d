// Reading a capture journal (journal_format.h) back: its setup, then the records of the
// run one by one, block by block, so that memory stays within one block whatever the
// file's size. A journal is outside input like any file: a damaged, cut or hostile one
// is read up to the damage, and the reader says where and why it stopped.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "files/journal_format.h"

namespace mrv {

class JournalReader {
 public:
  // A journal is never longer than its writer's limit; past twice that, reading stops.
  static constexpr std::uint64_t kMaxReadBytes = std::uint64_t{128} << 20;

  JournalReader() = default;
  ~JournalReader();
  JournalReader(const JournalReader&) = delete;
  JournalReader& operator=(const JournalReader&) = delete;

  // Opens the file and reads its setup. False, with why in `error`, for a file that
  // cannot be read or is no journal, or whose setup is damaged.
  bool Open(const std::filesystem::path& file, std::string& error);
  const journal::JournalSetup& setup() const { return setup_; }

  // The next record of the run; false at the end of the journal, or where it is
  // damaged (then Stopped() says so).
  bool Next(journal::Record& record);
  // Empty while the journal reads well; otherwise where reading stopped and why:
  // "at byte 1234: the journal ends inside a block".
  const std::string& Stopped() const { return stopped_; }
  // The byte reached: the end of the last whole record read.
  std::uint64_t offset() const { return block_start_ + kBlockHead + at_; }

 private:
  static constexpr std::uint64_t kBlockHead = 8;
  // Reads the next block into payload_; false at the end of the file or on damage.
  bool NextBlock();
  bool Fail(std::uint64_t where, const std::string& why);
  bool ReadSetup(std::string& error);

  std::FILE* file_ = nullptr;
  journal::JournalSetup setup_;
  journal::RecordDecoder decoder_;
  std::string payload_;
  std::size_t at_ = 0;               // in payload_
  std::uint64_t block_start_ = 0;    // of payload_'s block in the file
  std::uint64_t next_block_ = 0;     // where the next block starts
  bool in_setup_ = true;
  std::string stopped_;
};

}  // namespace mrv
