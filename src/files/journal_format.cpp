#include "files/journal_format.h"

#include <array>

#include "files/local_time.h"

namespace mrv::journal {

namespace {

void PutVarint(std::uint64_t value, std::string& out) {
  while (value >= 0x80) {
    out += static_cast<char>((value & 0x7F) | 0x80);
    value >>= 7;
  }
  out += static_cast<char>(value);
}

bool GetVarint(std::string_view bytes, std::size_t& offset, std::uint64_t& value) {
  value = 0;
  for (int shift = 0; shift < 64; shift += 7) {
    if (offset >= bytes.size()) return false;
    const auto byte = static_cast<std::uint8_t>(bytes[offset++]);
    value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) return true;
  }
  return false;  // longer than any 64-bit number
}

void PutText(std::string_view text, std::string& out) {
  PutVarint(text.size(), out);
  out += text;
}

bool GetText(std::string_view bytes, std::size_t& offset, std::string& text) {
  std::uint64_t length = 0;
  if (!GetVarint(bytes, offset, length) || length > bytes.size() - offset) return false;
  text.assign(bytes.substr(offset, static_cast<std::size_t>(length)));
  offset += static_cast<std::size_t>(length);
  return true;
}

std::uint64_t ZigZag(std::int64_t value) {
  return (static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63);
}

std::int64_t UnZigZag(std::uint64_t value) {
  return static_cast<std::int64_t>(value >> 1) ^ -static_cast<std::int64_t>(value & 1);
}

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t crc = i;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1) != 0 ? 0xEDB88320u : 0);
    table[i] = crc;
  }
  return table;
}

constexpr auto kCrcTable = MakeCrcTable();

void PutUint32(std::uint32_t value, std::string& out) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The options' flags, in this order, as bits of one number.
template <typename Options, typename Visit>
void EachFlag(Options& options, Visit visit) {
  visit(options.monitor);
  visit(options.minimize_to_tray);
  visit(options.headshot_sound);
  visit(options.cyclic_stats);
  visit(options.stats_after_kill);
  visit(options.stats_after_death);
  visit(options.cyclic_hits);
  visit(options.hits_after_kill);
  visit(options.hits_after_death);
  visit(options.frag_announcements);
  visit(options.streak_announcements);
}

// A journal holds a profile's nicknames, which are at most a hundred.
constexpr std::uint64_t kMaxOwnNicknames = 1024;

}  // namespace

bool IsTimed(Tag tag) {
  switch (tag) {
    case Tag::kStarted:
    case Tag::kBoundary:
    case Tag::kAppended:
    case Tag::kReplaced:
    case Tag::kFound:
    case Tag::kLost:
    case Tag::kReading:
    case Tag::kHeartbeat:
    case Tag::kStopped:
    case Tag::kEnded:
      return true;
    default:
      return false;
  }
}

bool HasText(Tag tag) {
  switch (tag) {
    case Tag::kStarted:
    case Tag::kWeapon:
    case Tag::kTemplate:
    case Tag::kGameTexts:
    case Tag::kOptions:
    case Tag::kAppended:
    case Tag::kReplaced:
    case Tag::kStopped:
      return true;
    default:
      return false;
  }
}

bool HasNumber(Tag tag) {
  return tag == Tag::kDraw || tag == Tag::kAnswer || tag == Tag::kTyping || tag == Tag::kUnread;
}

bool IsKnownTag(char byte) {
  constexpr std::string_view kTags = "SWKGOBTRFLCNAYUHXE";
  return kTags.find(byte) != std::string_view::npos;
}

void RecordEncoder::Encode(const Record& record, std::string& out) {
  out += static_cast<char>(record.tag);
  if (IsTimed(record.tag)) {
    PutVarint(ZigZag(static_cast<std::int64_t>(record.time - previous_time_)), out);
    previous_time_ = record.time;
  }
  if (HasNumber(record.tag)) PutVarint(record.number, out);
  if (HasText(record.tag)) PutText(record.text, out);
}

bool RecordDecoder::Decode(std::string_view payload, std::size_t& offset, Record& record,
                           std::string& fault) {
  std::size_t at = offset;
  if (at >= payload.size()) {
    fault = "nothing left";
    return false;
  }
  const char tag = payload[at++];
  if (!IsKnownTag(tag)) {
    fault = "an unknown record";
    return false;
  }
  record.tag = static_cast<Tag>(tag);
  record.number = 0;
  record.text.clear();
  std::uint64_t value = 0;
  if (IsTimed(record.tag)) {
    if (!GetVarint(payload, at, value)) {
      fault = "a record cut short";
      return false;
    }
    record.time = previous_time_ + static_cast<std::uint64_t>(UnZigZag(value));
  }
  if (HasNumber(record.tag) && !GetVarint(payload, at, record.number)) {
    fault = "a record cut short";
    return false;
  }
  if (HasText(record.tag) && !GetText(payload, at, record.text)) {
    fault = "a record cut short";
    return false;
  }
  if (IsTimed(record.tag)) previous_time_ = record.time;
  offset = at;
  return true;
}

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char byte : bytes) {
    crc = kCrcTable[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFu;
}

std::string FrameBlock(std::string_view payload) {
  std::string block;
  block.reserve(payload.size() + 8);
  PutUint32(static_cast<std::uint32_t>(payload.size()), block);
  PutUint32(Crc32(payload), block);
  block += payload;
  return block;
}

std::string EncodeOptions(const CaptureOptions& options) {
  std::uint64_t flags = 0;
  int bit = 0;
  EachFlag(options, [&flags, &bit](const auto& flag) {
    if (static_cast<bool>(flag)) flags |= std::uint64_t{1} << bit;
    ++bit;
  });
  std::string out;
  PutVarint(flags, out);
  PutVarint(static_cast<std::uint64_t>(options.stats_every_seconds.get()), out);
  PutVarint(static_cast<std::uint64_t>(options.hits_every_seconds.get()), out);
  PutVarint(options.own_nicknames.size(), out);
  for (const std::string& nick : options.own_nicknames) PutText(nick, out);
  return out;
}

bool DecodeOptions(std::string_view bytes, CaptureOptions& options) {
  std::size_t at = 0;
  std::uint64_t flags = 0;
  std::uint64_t stats_every = 0;
  std::uint64_t hits_every = 0;
  std::uint64_t nick_count = 0;
  if (!GetVarint(bytes, at, flags) || !GetVarint(bytes, at, stats_every) ||
      !GetVarint(bytes, at, hits_every) || !GetVarint(bytes, at, nick_count) ||
      nick_count > kMaxOwnNicknames) {
    return false;
  }
  int bit = 0;
  EachFlag(options, [flags, &bit](auto& flag) { flag = ((flags >> bit++) & 1) != 0; });
  // Within the bounds the settings file keeps them in.
  const auto period = [](std::uint64_t value) {
    return static_cast<std::int32_t>(value < CaptureOptions::kMinPeriod   ? CaptureOptions::kMinPeriod
                                     : value > CaptureOptions::kMaxPeriod ? CaptureOptions::kMaxPeriod
                                                                          : value);
  };
  options.stats_every_seconds = period(stats_every);
  options.hits_every_seconds = period(hits_every);
  options.own_nicknames.clear();
  for (std::uint64_t i = 0; i < nick_count; ++i) {
    std::string nick;
    if (!GetText(bytes, at, nick)) return false;
    options.own_nicknames.push_back(std::move(nick));
  }
  return at == bytes.size();
}

std::vector<Record> SetupRecords(const JournalSetup& setup) {
  std::vector<Record> records;
  records.push_back({Tag::kStarted, setup.start_ms, 0, setup.started});
  for (const std::string& weapon : setup.weapons) records.push_back({Tag::kWeapon, 0, 0, weapon});
  for (const std::string& entry : setup.templates) {
    records.push_back({Tag::kTemplate, 0, 0, entry});
  }
  if (setup.game_texts) records.push_back({Tag::kGameTexts, 0, 0, *setup.game_texts});
  records.push_back({Tag::kOptions, 0, 0, EncodeOptions(setup.options)});
  return records;
}

std::string LocalTimeNow() { return LocalTimeText("%Y-%m-%d %H:%M:%S"); }

}  // namespace mrv::journal
