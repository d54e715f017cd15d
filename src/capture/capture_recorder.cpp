#include "capture/capture_recorder.h"

#include "capture/matching/game_texts.h"
#include "files/open_file.h"
#include "files/recovery_folder.h"

namespace mrv {

namespace {

using journal::Record;
using journal::Tag;

// An idle capture still notes the time this often, so that the time of a capture lost
// in a quiet moment is known to about a minute.
constexpr std::uint64_t kHeartbeatMs = 60'000;
// GameTexts.txt is a few kilobytes; a journal keeps one of up to this size.
constexpr std::size_t kMaxGameTextsBytes = std::size_t{1} << 20;

constexpr const char* kNotJournaled = "The capture is not journaled (";
constexpr const char* kJournalingStopped = "Journaling stopped (";
constexpr const char* kCrashWouldLose = "): a crash would lose what follows.";

// GameTexts.txt as it is now, when it is there; false when it cannot be kept.
bool ReadGameTexts(const std::filesystem::path& data_dir, std::optional<std::string>& bytes) {
  const std::filesystem::path path = data_dir / kGameTextsFile;
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return true;
  std::FILE* file = OpenForReading(path, InputKind::kRegular);
  // The capture read it as missing too.
  if (file == nullptr) return true;
  std::string content(kMaxGameTextsBytes + 1, '\0');
  content.resize(std::fread(content.data(), 1, content.size(), file));
  std::fclose(file);
  if (content.size() > kMaxGameTextsBytes) return false;
  bytes = std::move(content);
  return true;
}

}  // namespace

class CaptureRecorder::TappedClock final : public Clock {
 public:
  TappedClock(CaptureRecorder& recorder, Clock& clock) : recorder_(recorder), clock_(clock) {}
  std::uint64_t Millis() override {
    const std::uint64_t now = clock_.Millis();
    if (!recorder_.idle_) recorder_.Append({Tag::kReading, now, 0, {}});
    return now;
  }
  bool Wait(std::chrono::milliseconds duration, CancelToken& cancel) override {
    return clock_.Wait(duration, cancel);
  }

 private:
  CaptureRecorder& recorder_;
  Clock& clock_;
};

class CaptureRecorder::TappedRandom final : public Random {
 public:
  TappedRandom(CaptureRecorder& recorder, Random& random) : recorder_(recorder), random_(random) {}
  int Next(int n) override {
    const int draw = random_.Next(n);
    recorder_.Append({Tag::kDraw, 0, static_cast<std::uint64_t>(draw), {}});
    return draw;
  }

 private:
  CaptureRecorder& recorder_;
  Random& random_;
};

class CaptureRecorder::TappedPrompt final : public Prompt {
 public:
  TappedPrompt(CaptureRecorder& recorder, Prompt& prompt) : recorder_(recorder), prompt_(prompt) {}
  void Inform(const std::string& text, const std::string& title) override {
    prompt_.Inform(text, title);
  }
  bool Ask(const std::string& text, const std::string& title) override {
    return Note(prompt_.Ask(text, title));
  }
  bool AskText(const std::string& text, const std::string& title, std::string& input) override {
    return Note(prompt_.AskText(text, title, input));
  }
  void Error(const std::string& text, const std::string& caption) override {
    prompt_.Error(text, caption);
  }

 private:
  bool Note(bool answer) {
    recorder_.Append({Tag::kAnswer, 0, answer ? 1u : 0u, {}});
    return answer;
  }

  CaptureRecorder& recorder_;
  Prompt& prompt_;
};

class CaptureRecorder::TappedConsole final : public GameConsole {
 public:
  TappedConsole(CaptureRecorder& recorder, GameConsole& console)
      : recorder_(recorder), console_(console) {}
  bool Find() override {
    const bool found = console_.Find();
    recorder_.ConsoleFound(found);
    return found;
  }
  std::size_t TextLength() override {
    const std::size_t length = console_.TextLength();
    recorder_.ConsoleLength(length);
    return length;
  }
  std::string Text() override {
    std::string text = console_.Text();
    recorder_.ConsoleRead(text);
    return text;
  }
  bool DropRead(std::size_t length) override {
    const bool dropped = console_.DropRead(length);
    recorder_.ConsoleDropped(length);
    return dropped;
  }
  bool TypeLine(const std::string& line) override {
    recorder_.ConsoleActed();
    return console_.TypeLine(line);
  }
  // How fast the game reads typed text decides when the capture types and how often
  // it reads the clock meanwhile: a replay must see the same answers.
  std::size_t UnreadTyping() override {
    const std::size_t unread = console_.UnreadTyping();
    if (!recorder_.idle_) recorder_.Append({Tag::kUnread, 0, unread, {}});
    return unread;
  }
  bool CanType() const override {
    NoteTyping();
    return console_.CanType();
  }
  bool ReadsNoInput() const override {
    NoteTyping();
    return console_.ReadsNoInput();
  }
  void WaitForChange(std::chrono::milliseconds timeout) override {
    recorder_.ConsoleActed();
    console_.WaitForChange(timeout);
    recorder_.Heartbeat();
  }
  // What only the player is told, or what only ends waits: nothing a replay needs.
  std::string Problem() const override { return console_.Problem(); }
  bool TakeLineLoss() override { return console_.TakeLineLoss(); }
  void FollowCancel(const CancelToken* cancel) override { console_.FollowCancel(cancel); }

 private:
  // Both answers at once, so that a replay never sees one without the other.
  void NoteTyping() const { recorder_.ConsoleTyping(console_.CanType(), console_.ReadsNoInput()); }

  CaptureRecorder& recorder_;
  GameConsole& console_;
};

CaptureRecorder::CaptureRecorder(Clock& clock, Random& random, Prompt& prompt)
    : real_clock_(clock),
      clock_(std::make_unique<TappedClock>(*this, clock)),
      random_(std::make_unique<TappedRandom>(*this, random)),
      prompt_(std::make_unique<TappedPrompt>(*this, prompt)) {}

CaptureRecorder::~CaptureRecorder() = default;

Clock& CaptureRecorder::clock() {
  return *clock_;
}

Random& CaptureRecorder::random() {
  return *random_;
}

Prompt& CaptureRecorder::prompt() {
  return *prompt_;
}

GameConsole& CaptureRecorder::Record(GameConsole& console, MonitorStatus& status) {
  status_ = &status;
  console_ = std::make_unique<TappedConsole>(*this, console);
  return *console_;
}

bool CaptureRecorder::StartJournal(const std::filesystem::path& data_dir,
                                   const CaptureSession& session) {
  journal::JournalSetup setup;
  setup.started = journal::LocalTimeNow();
  setup.start_ms = real_clock_.Millis();
  for (int i = 0; i < session.weapons.size(); ++i) setup.weapons.push_back(session.weapons.entry(i));
  setup.templates = session.templates.entries();
  setup.options = session.state.options;
  std::string error;
  if (!ReadGameTexts(data_dir, setup.game_texts)) {
    error = std::string(kGameTextsFile) + " is too large to keep";
  } else {
    writer_ = JournalWriter::Create(RecoveryFolder(data_dir), setup, error);
  }
  if (!writer_) {
    not_started_ = error;
    return false;
  }
  live_options_ = &session.state.options;
  recorded_options_ = setup.options;
  last_record_ms_ = setup.start_ms;
  return true;
}

JournalFile CaptureRecorder::End() {
  if (!writer_) return {};
  ReleaseHeld(false);
  writer_->End(real_clock_.Millis());
  JournalFile file = writer_->TakeFile();
  writer_.reset();
  return file;
}

std::uint64_t CaptureRecorder::Now() {
  return real_clock_.Millis();
}

void CaptureRecorder::Append(journal::Record record) {
  if (!writer_) return;
  if (journal::IsTimed(record.tag)) last_record_ms_ = record.time;
  if (holding_) {
    held_.push_back(std::move(record));
  } else {
    writer_->Append(record);
  }
}

void CaptureRecorder::ConsoleLength(std::size_t length) {
  TellNotices();
  if (length == last_length_) {
    idle_ = true;
    return;
  }
  idle_ = false;
  last_length_ = length;
  if (!writer_) return;
  ReleaseHeld(true);
  holding_ = true;
  held_.push_back({Tag::kBoundary, Now(), 0, {}});
}

void CaptureRecorder::ConsoleRead(const std::string& text) {
  idle_ = false;
  if (!writer_) return;
  if (text.size() >= read_.size() && text.compare(0, read_.size(), read_) == 0) {
    if (text.size() == read_.size()) {
      // Nothing new: the capture handles nothing, as a replay will not.
      ReleaseHeld(true);
    } else {
      CommitEvent({Tag::kAppended, Now(), 0, text.substr(read_.size())});
    }
  } else {
    CommitEvent({Tag::kReplaced, Now(), 0, text});
  }
  read_ = text;
}

void CaptureRecorder::ConsoleDropped(std::size_t length) {
  ConsoleActed();
  read_.erase(0, std::min(length, read_.size()));
}

void CaptureRecorder::ConsoleFound(bool found) {
  TellNotices();
  if (found == found_) {
    if (!found) Heartbeat();
    return;
  }
  found_ = found;
  idle_ = false;
  if (!found) read_.clear();
  if (writer_) CommitEvent({found ? Tag::kFound : Tag::kLost, Now(), 0, {}});
}

void CaptureRecorder::ConsoleTyping(bool can_type, bool reads_no_input) {
  const int typing = (can_type ? journal::kTypingCanType : 0) |
                     (reads_no_input ? journal::kTypingReadsNoInput : 0);
  if (typing == typing_) return;
  typing_ = typing;
  Append({Tag::kTyping, 0, static_cast<std::uint64_t>(typing), {}});
}

void CaptureRecorder::ConsoleActed() {
  idle_ = false;
  ReleaseHeld(false);
}

void CaptureRecorder::Heartbeat() {
  if (!writer_) return;
  const std::uint64_t now = Now();
  if (now >= last_record_ms_ + kHeartbeatMs) Append({Tag::kHeartbeat, now, 0, {}});
}

void CaptureRecorder::TellNotices() {
  if (status_ == nullptr) return;
  if (!not_started_.empty()) {
    status_->Add(kNotJournaled + not_started_ + kCrashWouldLose);
    not_started_.clear();
  }
  if (writer_ && writer_->stopped() && !stop_told_) {
    stop_told_ = true;
    status_->Add(kJournalingStopped + writer_->StopReason() + kCrashWouldLose);
  }
}

void CaptureRecorder::CommitEvent(journal::Record event) {
  // The options the event is read with, when the player changed them meanwhile.
  if (live_options_ != nullptr && !(*live_options_ == recorded_options_)) {
    recorded_options_ = *live_options_;
    writer_->Append({Tag::kOptions, 0, 0, journal::EncodeOptions(recorded_options_)});
  }
  holding_ = false;
  for (const journal::Record& record : held_) writer_->Append(record);
  held_.clear();
  last_record_ms_ = event.time;
  writer_->Append(event);
}

void CaptureRecorder::ReleaseHeld(bool drop_readings) {
  if (!holding_) return;
  holding_ = false;
  for (const journal::Record& record : held_) {
    if (record.tag == Tag::kBoundary || (drop_readings && record.tag == Tag::kReading)) continue;
    writer_->Append(record);
  }
  held_.clear();
}

}  // namespace mrv
