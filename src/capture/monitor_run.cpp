#include "capture/monitor_run.h"

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "capture/interpreter.h"
#include "capture/line_handling.h"
#include "model/text.h"

namespace mrv {

namespace {

// A console longer than this is cleared once it has been quiet for a while...
constexpr std::size_t kClearWhenQuietAbove = 1000;
constexpr std::uint64_t kQuietBeforeClearMs = 3000;
// ...and one longer than this at once, to keep every read cheap.
constexpr std::size_t kClearAbove = 10000;

constexpr const char* kNoTypingNotice = "In-game replies are off: the game reads no typed input.";
constexpr const char* kLinesLostNotice =
    "The game printed faster than it could be read: some lines were lost.";

constexpr const char* kGameLostQuestion =
    "Quake 3 was closed!\r\n\r\nContinue searching for Quake?\r\n\r\n(click cancel to show stats)";

// Lines end at CR, LF or CR LF; a last line without a break is a line as well.
void SplitConsoleLines(std::string_view text, std::vector<std::string_view>& lines) {
  lines.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      return;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
}

// How many of the `handled` first lines of the last read (`lines`, views into
// `old_text`) the console's new text still begins with. Usually all: the console only
// grew. But its front may have gone since: lines dropped because the game outran the
// reader, a console the player emptied, a whole text the game's window replaced once
// 32767 characters were added. What the new text keeps of the last read is the longest
// tail of it, from a line start, that the new text begins with; everything after is new.
std::size_t HandledLinesKept(std::string_view old_text, const std::vector<std::string_view>& lines,
                             std::size_t handled, std::string_view text) {
  for (std::size_t first = 0; first < lines.size() && first < handled; ++first) {
    const auto start = static_cast<std::size_t>(lines[first].data() - old_text.data());
    if (text.starts_with(old_text.substr(start))) return handled - first;
  }
  return 0;
}

class MonitorRun {
 public:
  MonitorRun(CaptureSession& session, GameConsole& console, MonitorStatus& status,
             const MonitorRequests& requests)
      : session_(session),
        console_(console),
        clock_(session.services.clock),
        cancel_(session.services.cancel),
        status_(status),
        requests_(requests) {}

  MonitorEnd Run();

 private:
  MonitorEnd RunUntilEnd();
  enum class PollEnd { kCancelled, kGameLost, kUnknownWeapon, kStoreFull };

  // Looks for the game until it is found (true) or the run is cancelled.
  bool Search();
  // Every read of the console's text: into text_, telling of lines lost before it; the
  // line index then counts the handled lines the new text still begins with.
  void ReadConsole();
  // Drops what the last read took and was not dropped yet, so that a capture started
  // later never handles those lines again.
  void DropWhatWasRead();
  PollEnd Poll();
  PollEnd PollLines();
  // Why a line ended the run.
  PollEnd EndByLine() const;
  // Reads what arrived since the last read, then drops what was read from the
  // console; false when a line ended the run.
  bool ReadAndClear();
  // Handles the lines of text_ from the line index on; false when one ended the run.
  bool HandleNewLines();
  // The current map's time ends now.
  void EndMapTime();
  // Hands the figures of the current map to the status when the throttle lets them go.
  void ReportFigures();

  CaptureSession& session_;
  GameConsole& console_;
  Clock& clock_;
  CancelToken& cancel_;
  MonitorStatus& status_;
  const MonitorRequests& requests_;

  // The console text of the last read and its lines (views into it); empty after the
  // read text was dropped from the console.
  std::string text_;
  std::vector<std::string_view> lines_;
  // How many lines of the console have been handled.
  std::size_t line_index_ = 0;
  std::size_t previous_length_ = 0;
  // When the console length last changed, in milliseconds; 0 when reset.
  std::uint64_t last_change_ = 0;
  CyclicReplySchedule schedule_;
  // The player was told that the game takes no typed input, since it was found.
  bool told_no_typing_ = false;
  // The last read found lines lost before it: a loss goes on until a read finds none.
  bool losing_lines_ = false;
  // What the player was last told about a console that answered wrongly.
  std::string told_problem_;
  // The figures of the map being played, offered to the status at most twice a second.
  LiveFiguresThrottle figures_;
};

MonitorEnd MonitorRun::Run() {
  const MonitorEnd end = RunUntilEnd();
  DropWhatWasRead();
  return end;
}

MonitorEnd MonitorRun::RunUntilEnd() {
  session_.state.options.monitor = true;
  BeginRun(session_);
  while (true) {
    session_.current_map().start_time = clock_.TickSeconds();
    status_.Clear();
    status_.Add("Waiting for Quake3...");
    status_.Add("Click \"Ok\" to stop and view stats");
    text_.clear();
    lines_.clear();
    const bool found = Search();
    ArmCyclicReplies(session_, schedule_, clock_.TickSeconds());
    if (!found) break;
    status_.Add("Quake3 found!");
    status_.Add("Monitoring...");
    previous_length_ = 0;
    line_index_ = 0;
    last_change_ = 0;
    told_no_typing_ = false;

    const PollEnd end = Poll();
    if (end == PollEnd::kCancelled) break;
    EndMapTime();
    if (end == PollEnd::kUnknownWeapon) return MonitorEnd::kUnknownWeapon;
    if (end == PollEnd::kStoreFull) return MonitorEnd::kStoreFull;
    status_.Add("Quake3 lost!");
    if (!session_.services.prompt.Ask(kGameLostQuestion, "Quake3 lost!")) {
      return MonitorEnd::kGameClosed;
    }
    Bump(session_.state.context.map_counter);
    OpenProvisionalMap(session_);
    RunReset(session_.state);
  }
  EndMapTime();
  return requests_.EndOnRequest();
}

bool MonitorRun::Search() {
  told_problem_.clear();
  while (!cancel_.requested()) {
    ReportFigures();
    if (console_.Find()) return !cancel_.requested();
    std::string problem = console_.Problem();
    if (!problem.empty() && problem != told_problem_) status_.Add(problem);
    told_problem_ = std::move(problem);
    clock_.Wait(kSearchRetryWait, cancel_);
  }
  return false;
}

void MonitorRun::ReadConsole() {
  std::string text = console_.Text();
  line_index_ = HandledLinesKept(text_, lines_, line_index_, text);
  text_ = std::move(text);
  const bool lost = console_.TakeLineLoss();
  if (lost && !losing_lines_) status_.Add(kLinesLostNotice);
  losing_lines_ = lost;
}

void MonitorRun::DropWhatWasRead() {
  if (!text_.empty()) console_.DropRead(text_.size());
  text_.clear();
  lines_.clear();
}

MonitorRun::PollEnd MonitorRun::Poll() {
  try {
    return PollLines();
  } catch (const std::bad_alloc&) {
    // The machine ran out of memory before the store's budget: the same end.
    session_.services.prompt.Error(kStoreFullMessage, "Error");
    return PollEnd::kStoreFull;
  }
}

MonitorRun::PollEnd MonitorRun::EndByLine() const {
  return session_.store.full() ? PollEnd::kStoreFull : PollEnd::kUnknownWeapon;
}

MonitorRun::PollEnd MonitorRun::PollLines() {
  while (!cancel_.requested()) {
    ReportFigures();
    std::size_t length = console_.TextLength();
    const std::uint64_t now = clock_.Millis();
    if (length != previous_length_) last_change_ = now;
    if (length > kClearWhenQuietAbove) {
      if (now > last_change_ + kQuietBeforeClearMs || length > kClearAbove) {
        if (!ReadAndClear()) return EndByLine();
        length = 0;
      }
    } else if (length == 0 && !cancel_.requested() && !console_.Find()) {
      return PollEnd::kGameLost;
    }

    if (length == previous_length_) {
      SendDueCyclicReplies(session_, schedule_, clock_.TickSeconds());
      // Sleeps until the console changes; the timeout keeps the quiet rule, the timed
      // replies and a cancel on time.
      if (!cancel_.requested()) console_.WaitForChange(kConsolePollWait);
      continue;
    }
    ReadConsole();
    previous_length_ = length;
    if (!HandleNewLines()) return EndByLine();
  }
  return PollEnd::kCancelled;
}

bool MonitorRun::ReadAndClear() {
  // What was read is dropped right after the read and before its lines are handled:
  // what the handling types into the game is answered after it, where the next read
  // finds it, and so is every line the game printed since the read.
  ReadConsole();
  console_.DropRead(text_.size());
  const bool go_on = HandleNewLines();
  // The console begins with nothing that was read now.
  lines_.clear();
  text_.clear();
  line_index_ = 0;
  previous_length_ = 0;
  last_change_ = 0;
  return go_on;
}

bool MonitorRun::HandleNewLines() {
  SplitConsoleLines(text_, lines_);
  if (!told_no_typing_ && console_.ReadsNoInput()) {
    status_.Add(kNoTypingNotice);
    told_no_typing_ = true;
  }
  CaptureContext& context = session_.state.context;
  // Until the game was asked to name the map, every read asks for a game start again; a
  // console that cannot be asked would restart the game with every read instead. Once
  // asked, the answer is awaited: asking again would type the questions twice.
  if (session_.CanType() && !context.NamesAsked && session_.current_map().name.starts_with('<')) {
    context.GameStartPending = true;
  }
  for (std::size_t i = line_index_; i < lines_.size(); ++i) {
    if (!HandleCaptureLine(session_, lines_[i])) return false;
  }
  line_index_ = lines_.size();
  return true;
}

void MonitorRun::ReportFigures() {
  Clock* const figures_clock = session_.services.figures_clock;
  if (figures_clock == nullptr) return;
  if (auto figures = figures_.Take(session_.current_map(), figures_clock->Millis())) {
    status_.Figures(*figures);
  }
}

void MonitorRun::EndMapTime() {
  MapRecord& map = session_.current_map();
  map.duration = SaturatingAdd(clock_.TickSeconds(), -static_cast<std::int64_t>(map.start_time));
}

}  // namespace

void MonitorRequests::Request(Kind kind) {
  int none = kNone;
  request_.compare_exchange_strong(none, kind, std::memory_order_acq_rel);
  cancel_.Request();
}

MonitorEnd RunConsoleMonitor(CaptureSession& session, MonitorStatus& status,
                             const MonitorRequests& requests) {
  GameConsole* console = session.services.console;
  if (console == nullptr) return MonitorEnd::kCancelled;
  console->FollowCancel(&session.services.cancel);
  const MonitorEnd end = MonitorRun(session, *console, status, requests).Run();
  console->FollowCancel(nullptr);
  SettleStore(session);
  return end;
}

MonitorCapture::~MonitorCapture() {
  if (!thread_.joinable()) return;
  Cancel();
  thread_.join();
}

void MonitorCapture::Start() {
  if (thread_.joinable()) return;
  thread_ = std::thread([this] { end_ = RunConsoleMonitor(session_, status_, requests_); });
}

MonitorEnd MonitorCapture::Join() {
  if (thread_.joinable()) thread_.join();
  return end_;
}

}  // namespace mrv
