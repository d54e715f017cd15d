#include "capture/journal_replay.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>

#include "capture/capture_session.h"

namespace mrv {

namespace {

using journal::Record;
using journal::Tag;

// A wait of the monitor's poll never jumps past the point where a console quiet since
// its last change would be cleared (3 s), so that the replay clears it as the capture did.
constexpr std::uint64_t kLongestJump = 3100;
constexpr std::uint64_t kShortestStep = 10;

bool IsConsoleEvent(Tag tag) {
  return tag == Tag::kAppended || tag == Tag::kReplaced || tag == Tag::kFound || tag == Tag::kLost;
}

bool StartsSegment(Tag tag) {
  return tag == Tag::kBoundary || IsConsoleEvent(tag);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

// The journal as the replayed capture meets it. The console's events come when the
// capture waits for them, each at its time; the readings, draws and answers recorded
// after an event are given back in order while the capture handles it, and what it
// did not ask for is dropped at the next event, so that a replay that strays from the
// live run strays for one event at most.
class ReplaySource {
 public:
  ReplaySource(JournalReader& reader, std::function<void()> stop)
      : reader_(reader), stop_(std::move(stop)) {
    now_ = reader.setup().start_ms;
    Load();
  }
  // The options the player's changes go to: the replayed session's.
  void Follow(CaptureOptions& options) { options_ = &options; }

  std::uint64_t now() const { return now_; }
  bool ended() const { return ended_; }
  const std::string& stop_reason() const { return stop_reason_; }

  // --- The console ----------------------------------------------------------------
  std::size_t TextLength() {
    const std::size_t length = found_ ? text_.size() : 0;
    idle_ = length == last_length_;
    last_length_ = length;
    return length;
  }
  std::string Text() {
    idle_ = false;
    return found_ ? text_ : std::string();
  }
  void Drop(std::size_t length) {
    idle_ = false;
    text_.erase(0, std::min(length, text_.size()));
  }
  void Acted() { idle_ = false; }
  bool can_type() const { return (typing_ & journal::kTypingCanType) != 0; }
  bool reads_no_input() const { return (typing_ & journal::kTypingReadsNoInput) != 0; }

  // The game is looked for: found at its next event, unless the capture is just being
  // told that it was lost.
  bool Find() {
    if (found_) return true;
    if (lost_untold_) {
      lost_untold_ = false;
      return false;
    }
    if (!next_) {
      Finish();
      return false;
    }
    ApplyEvent();
    if (found_) idle_ = false;
    return found_;
  }

  // The capture waits for the console: time passes up to the next event, which comes.
  void Wait(std::chrono::milliseconds timeout) {
    idle_ = false;
    if (finished_) return;
    SkipToEvent();
    if (!next_) {
      Finish();
      return;
    }
    const std::uint64_t step = std::max<std::uint64_t>(static_cast<std::uint64_t>(timeout.count()),
                                                       kShortestStep);
    const std::uint64_t due = next_->time;
    if (due <= now_ || due - now_ <= step) {
      ApplyEvent();
    } else if (due - now_ > kLongestJump) {
      now_ = due - kLongestJump;
    } else {
      now_ += step;
    }
  }

  // --- The clock, the draws and the answers -----------------------------------------
  std::uint64_t Reading() {
    const auto reading = idle_ ? std::nullopt : Take(readings_);
    // A live clock never goes back; a damaged journal's readings may, below the start
    // or below the time given back when none was recorded.
    given_ = std::max(given_, reading ? *reading : now_);
    now_ = std::max(now_, given_);
    return given_;
  }
  void Waited(std::chrono::milliseconds duration) {
    now_ += static_cast<std::uint64_t>(std::max<std::int64_t>(duration.count(), 0));
  }
  int Draw(int n) {
    const auto draw = Take(draws_);
    // A draw the live run did not make: the answer that announces nothing.
    return draw && *draw < static_cast<std::uint64_t>(n) ? static_cast<int>(*draw) : n - 1;
  }
  bool Answer() {
    const auto answer = Take(answers_);
    return answer && *answer != 0;
  }
  // As the live run was told; a game that had read everything when nothing is recorded.
  std::size_t Unread() {
    if (idle_) return 0;
    const auto unread = Take(unread_);
    return unread ? static_cast<std::size_t>(*unread) : 0;
  }

 private:
  // The next record into next_, or none at the end.
  void Load() {
    Record record;
    if (reader_.Next(record)) {
      next_ = std::move(record);
    } else {
      next_.reset();
    }
  }

  // The next value of this kind recorded before the next event.
  std::optional<std::uint64_t> Take(std::deque<std::uint64_t>& queue) {
    while (queue.empty() && next_ && !StartsSegment(next_->tag)) {
      Note(*next_);
      Load();
    }
    if (queue.empty()) return std::nullopt;
    const std::uint64_t value = queue.front();
    queue.pop_front();
    return value;
  }

  // The records up to the next console event.
  void SkipToEvent() {
    while (next_ && !StartsSegment(next_->tag)) {
      Note(*next_);
      Load();
    }
  }

  // A record that is no console event.
  void Note(const Record& record) {
    // The end's own time comes after the capture's last reading.
    if (journal::IsTimed(record.tag) && record.tag != Tag::kEnded) {
      latest_ = std::max(latest_, record.time);
    }
    switch (record.tag) {
      case Tag::kReading:
        readings_.push_back(record.time);
        break;
      case Tag::kDraw:
        draws_.push_back(record.number);
        break;
      case Tag::kAnswer:
        answers_.push_back(record.number);
        break;
      case Tag::kUnread:
        unread_.push_back(record.number);
        break;
      case Tag::kTyping:
        typing_ = static_cast<std::uint8_t>(record.number);
        break;
      case Tag::kOptions: {
        CaptureOptions changed;
        if (options_ != nullptr && journal::DecodeOptions(record.text, changed)) {
          changed.monitor = true;
          *options_ = changed;
        }
        break;
      }
      case Tag::kStopped:
        stop_reason_ = record.text;
        break;
      case Tag::kEnded:
        ended_ = true;
        break;
      default:
        break;
    }
  }

  // What the live run did not ask for before this event goes; the event comes, with
  // the readings made between the console's change and it.
  void ApplyEvent() {
    SkipToEvent();
    readings_.clear();
    draws_.clear();
    answers_.clear();
    unread_.clear();
    if (next_ && next_->tag == Tag::kBoundary) {
      now_ = std::max(now_, next_->time);
      Load();
      while (next_ && !IsConsoleEvent(next_->tag)) {
        Note(*next_);
        Load();
      }
    }
    if (!next_) {
      Finish();
      return;
    }
    const Record event = std::move(*next_);
    Load();
    now_ = std::max(now_, event.time);
    switch (event.tag) {
      case Tag::kAppended:
        found_ = true;
        text_ += event.text;
        break;
      case Tag::kReplaced:
        found_ = true;
        text_ = event.text;
        break;
      case Tag::kFound:
        found_ = true;
        break;
      default:  // lost
        if (found_) lost_untold_ = true;
        found_ = false;
        text_.clear();
        break;
    }
  }

  // The journal is over: its last moment is the capture's end, and the capture stops.
  void Finish() {
    if (finished_) return;
    finished_ = true;
    while (next_) {
      Note(*next_);
      Load();
    }
    readings_.clear();
    now_ = std::max(now_, latest_);
    stop_();
  }

  JournalReader& reader_;
  std::function<void()> stop_;
  CaptureOptions* options_ = nullptr;
  std::optional<Record> next_;
  std::uint64_t now_ = 0;
  std::uint64_t latest_ = 0;  // of the records noted
  std::uint64_t given_ = 0;  // the latest time the clock gave back

  std::string text_;
  bool found_ = false;
  bool lost_untold_ = false;
  std::size_t last_length_ = static_cast<std::size_t>(-1);
  bool idle_ = false;
  std::uint8_t typing_ = journal::kTypingCanType;

  std::deque<std::uint64_t> readings_;
  std::deque<std::uint64_t> draws_;
  std::deque<std::uint64_t> answers_;
  std::deque<std::uint64_t> unread_;
  bool finished_ = false;
  bool ended_ = false;
  std::string stop_reason_;
};

class ReplayConsole final : public GameConsole {
 public:
  explicit ReplayConsole(ReplaySource& source) : source_(source) {}
  bool Find() override { return source_.Find(); }
  std::size_t TextLength() override { return source_.TextLength(); }
  std::string Text() override { return source_.Text(); }
  bool DropRead(std::size_t length) override {
    source_.Drop(length);
    return true;
  }
  // Typing nothing: the game's answers are in the journal.
  bool TypeLine(const std::string&) override {
    source_.Acted();
    return source_.can_type();
  }
  std::size_t UnreadTyping() override { return source_.Unread(); }
  bool CanType() const override { return source_.can_type(); }
  bool ReadsNoInput() const override { return source_.reads_no_input(); }
  void WaitForChange(std::chrono::milliseconds timeout) override { source_.Wait(timeout); }

 private:
  ReplaySource& source_;
};

class ReplayClock final : public Clock {
 public:
  explicit ReplayClock(ReplaySource& source) : source_(source) {}
  std::uint64_t Millis() override { return source_.Reading(); }
  bool Wait(std::chrono::milliseconds duration, CancelToken& cancel) override {
    source_.Waited(duration);
    return !cancel.requested();
  }

 private:
  ReplaySource& source_;
};

class ReplayRandom final : public Random {
 public:
  explicit ReplayRandom(ReplaySource& source) : source_(source) {}
  int Next(int n) override { return source_.Draw(n); }

 private:
  ReplaySource& source_;
};

// Answers as the player did, and keeps what the capture told.
class ReplayPrompt final : public Prompt {
 public:
  ReplayPrompt(ReplaySource& source, std::vector<std::string>& told)
      : source_(source), told_(told) {}
  void Inform(const std::string& text, const std::string&) override { told_.push_back(text); }
  bool Ask(const std::string&, const std::string&) override { return source_.Answer(); }
  bool AskText(const std::string&, const std::string&, std::string&) override {
    return source_.Answer();
  }
  void Error(const std::string& text, const std::string&) override { told_.push_back(text); }

 private:
  ReplaySource& source_;
  std::vector<std::string>& told_;
};

class NoStatus final : public MonitorStatus {
 public:
  void Clear() override {}
  void Add(std::string_view) override {}
};

}  // namespace

bool JournalReplay::Open(const std::filesystem::path& file, std::string& error) {
  if (!reader_.Open(file, error)) return false;
  const journal::JournalSetup& setup = reader_.setup();
  for (const std::string& entry : setup.weapons) weapons_.Append(entry);
  templates_ = DeathTemplates::FromLines(setup.templates);
  if (setup.game_texts) {
    std::string fault;
    // A file the capture could not use gave it no rules either.
    if (auto texts = GameTexts::FromLines(SplitLines(*setup.game_texts), fault)) {
      texts_ = std::move(*texts);
    }
  }
  return true;
}

RecoveryReport JournalReplay::Run(StatsStore& store) {
  RecoveryReport report;
  report.started = reader_.setup().started;
  CancelToken cancel;
  MonitorRequests requests(cancel);
  ReplaySource source(reader_, [&requests] { requests.Stop(); });
  ReplayConsole console(source);
  ReplayClock clock(source);
  ReplayRandom random(source);
  ReplayPrompt prompt(source, report.messages);
  SilentSoundPlayer sound;
  CaptureSession session(store, weapons_, templates_,
                         {clock, sound, random, prompt, cancel, &console}, texts_);
  session.state.options = reader_.setup().options;
  source.Follow(session.state.options);
  NoStatus status;
  report.end = RunConsoleMonitor(session, status, requests);
  report.damage = reader_.Stopped();
  report.ended = source.ended();
  report.journaling_stopped = source.stop_reason();
  return report;
}

std::string RecoveredGameName(const std::string& started) {
  return started.substr(0, 16);
}

}  // namespace mrv
