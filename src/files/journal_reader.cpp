#include "files/journal_reader.h"

#include <array>

#include "files/open_file.h"

namespace mrv {

namespace {

using journal::Record;
using journal::Tag;

// Bounds of a setup that no real capture comes near: they only keep a hostile journal
// from making the replay slow.
constexpr std::size_t kMaxWeapons = 255;
constexpr std::size_t kMaxWeaponEntry = 256;
constexpr std::size_t kMaxTemplates = std::size_t{1} << 16;
constexpr std::size_t kMaxGameTexts = std::size_t{1} << 20;
constexpr std::size_t kMaxStarted = 64;

bool IsSetupTag(Tag tag) {
  return tag == Tag::kStarted || tag == Tag::kWeapon || tag == Tag::kTemplate ||
         tag == Tag::kGameTexts;
}

std::uint32_t Uint32At(const std::array<unsigned char, 8>& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
  return value;
}

}  // namespace

JournalReader::~JournalReader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool JournalReader::Open(const std::filesystem::path& file, std::string& error) {
  file_ = OpenForReading(file, InputKind::kRegular);
  if (file_ == nullptr) {
    error = "cannot be read";
    return false;
  }
  std::string magic(journal::kMagic.size(), '\0');
  if (std::fread(magic.data(), 1, magic.size(), file_) != magic.size() || magic != journal::kMagic) {
    error = "is no capture journal";
    return false;
  }
  next_block_ = magic.size();
  return ReadSetup(error);
}

bool JournalReader::ReadSetup(std::string& error) {
  Record record;
  bool options = false;
  bool first = true;
  while (Next(record)) {
    if (first != (record.tag == Tag::kStarted)) {
      error = "has a damaged setup";
      return false;
    }
    first = false;
    switch (record.tag) {
      case Tag::kStarted:
        if (record.text.size() > kMaxStarted) {
          error = "has a damaged setup";
          return false;
        }
        setup_.started = record.text;
        setup_.start_ms = record.time;
        break;
      case Tag::kWeapon:
        if (setup_.weapons.size() == kMaxWeapons || record.text.size() < 2 ||
            record.text.size() > kMaxWeaponEntry) {
          error = "has a damaged weapon table";
          return false;
        }
        setup_.weapons.push_back(record.text);
        break;
      case Tag::kTemplate:
        if (setup_.templates.size() == kMaxTemplates) {
          error = "has too many death messages";
          return false;
        }
        setup_.templates.push_back(record.text);
        break;
      case Tag::kGameTexts:
        if (setup_.game_texts || record.text.size() > kMaxGameTexts) {
          error = "has damaged game texts";
          return false;
        }
        setup_.game_texts = record.text;
        break;
      case Tag::kOptions:
        if (!journal::DecodeOptions(record.text, setup_.options)) {
          error = "has damaged options";
          return false;
        }
        options = true;
        break;
      default:
        error = "has a damaged setup";
        return false;
    }
    if (options) {  // the setup ends with the options
      in_setup_ = false;
      return true;
    }
  }
  error = stopped_.empty() ? "ends inside its setup" : "has a damaged setup (" + stopped_ + ")";
  return false;
}

bool JournalReader::Next(Record& record) {
  if (!stopped_.empty()) return false;
  while (at_ >= payload_.size()) {
    if (!NextBlock()) return false;
  }
  const std::uint64_t where = offset();
  std::string fault;
  if (!decoder_.Decode(payload_, at_, record, fault)) {
    return Fail(where, "a block is damaged (" + fault + ")");
  }
  // The setup comes once, first; options may change during the run.
  if (!in_setup_ && IsSetupTag(record.tag)) {
    return Fail(where, "a block is damaged (a setup record in the run)");
  }
  return true;
}

bool JournalReader::NextBlock() {
  if (next_block_ >= kMaxReadBytes) {
    return Fail(next_block_, "the journal is longer than any capture writes");
  }
  std::array<unsigned char, kBlockHead> head{};
  const std::size_t got = std::fread(head.data(), 1, head.size(), file_);
  if (got == 0 && std::feof(file_)) return false;  // the end
  if (got != head.size()) {
    return Fail(next_block_, std::feof(file_) ? "the journal ends inside a block (it was cut "
                                                "off while being written)"
                                              : "the journal cannot be read further");
  }
  const std::uint32_t length = Uint32At(head, 0);
  if (length > journal::kMaxBlockPayload) return Fail(next_block_, "a block is damaged");
  payload_.resize(length);
  if (std::fread(payload_.data(), 1, length, file_) != length) {
    return Fail(next_block_, std::feof(file_) ? "the journal ends inside a block (it was cut "
                                                "off while being written)"
                                              : "the journal cannot be read further");
  }
  if (journal::Crc32(payload_) != Uint32At(head, 4)) {
    return Fail(next_block_, "a block is damaged");
  }
  block_start_ = next_block_;
  next_block_ += kBlockHead + length;
  at_ = 0;
  return true;
}

bool JournalReader::Fail(std::uint64_t where, const std::string& why) {
  stopped_ = "at byte " + std::to_string(where) + ": " + why;
  payload_.clear();
  at_ = 0;
  return false;
}

}  // namespace mrv
