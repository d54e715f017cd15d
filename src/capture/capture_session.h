// Everything one capture works with, in one place: the store it fills, the weapon
// table and templates it reads, its state and options, and the platform services.
//
// A log-file parse in a few lines:
//   StatsStore store(weapons.size());
//   DeathTemplates templates = LoadDeathTemplates(data_dir, prompt);
//   GameTexts texts = LoadGameTexts(data_dir, prompt);
//   CaptureSession session(store, weapons, templates, {clock, sound, random, prompt, cancel},
//                          texts);
//   session.state.options.own_nicknames = profile_nicks;
//   LogParseResult result = ParseLogFile(session, log_path, on_progress);
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "capture/capture_state.h"
#include "capture/console/game_console.h"
#include "capture/matching/death_templates.h"
#include "capture/matching/game_texts.h"
#include "capture/name_index.h"
#include "capture/platform.h"
#include "capture/typed_line.h"
#include "files/prompt.h"
#include "model/stats_store.h"
#include "model/weapons.h"

namespace mrv {

struct CaptureServices {
  Clock& clock;
  SoundPlayer& sound;
  Random& random;
  Prompt& prompt;
  CancelToken& cancel;
  GameConsole* console = nullptr;  // the game's console; none for a log file
  // Paces the live figures a front end shows. They are for display only, so they read a
  // clock of their own: the capture's clock is journaled, and a replay must read it
  // exactly as the live run did. None: no live figures (a log file, a replay).
  Clock* figures_clock = nullptr;
};

// The pause after a line typed into the game, which gives the game time to run it. It
// starts once the game has read what was typed: the game reads typed text at its own
// pace, a character a frame.
inline constexpr std::chrono::milliseconds kCommandPause{700};
// Announcements are typed at most this often; replies to the player's commands always.
inline constexpr std::chrono::milliseconds kAnnouncementPeriod{1000};
// More typed text than this still unread by the game, and the capture waits before it
// types more, so that the console's bounded queue never refuses a reply...
inline constexpr std::size_t kTypeAheadLimit = 1024;
// ...unless the game read none of it for this long: it reads no more, and waiting on
// would only hold the capture up.
inline constexpr std::chrono::milliseconds kTypingStall{2000};

struct CaptureSession {
  // Without game texts the capture reads the older game text only.
  CaptureSession(StatsStore& store, const WeaponTable& weapons, const DeathTemplates& templates,
                 CaptureServices services, const GameTexts& game_texts = NoGameTexts())
      : store(store),
        weapons(weapons),
        templates(templates),
        game_texts(game_texts),
        services(services),
        template_notice(services.prompt),
        names(store) {}

  StatsStore& store;
  const WeaponTable& weapons;
  const DeathTemplates& templates;
  const GameTexts& game_texts;
  CaptureServices services;
  CaptureState state;
  CorruptTemplateNotice template_notice;
  // Where the store's nicknames stand; see SettleStore.
  NameIndex names;
  // Every fast path of the interpretation takes its plain form instead: the reference
  // the interpreter's fuzz target compares the capture with.
  bool plain = false;
  // Told the headshot sound's new state when the player's in-game command switched it,
  // on the capture's thread; a front end that shows the option follows it from here.
  std::function<void(bool enabled)> headshot_switched;

  bool monitor() const { return state.options.monitor; }
  MapRecord& current_map() { return *state.context.current_map; }
  // Whether typed lines reach the game: not from a log file, saved or followed.
  bool CanType() const;
  // Types a line into the game, once the game has read enough of what was typed before;
  // nothing is typed while parsing a log file. False when the line was not typed.
  bool Type(const TypedLine& line);
  // Waits until the game has read what was typed, then kCommandPause; false when the
  // capture was cancelled meanwhile.
  bool Pause();
  // Whether an announcement (a streak, a top player, timed or automatic stats) may be
  // typed now: the last one began at least kAnnouncementPeriod ago and the game has read
  // everything typed before. True starts the announcement's period.
  bool MayAnnounce();

 private:
  // Waits until at most `unread` typed bytes are left unread by the game, or it stalls;
  // false when the wait was cancelled.
  bool WaitForTyping(std::size_t unread);

  // When the last announcement began, in the clock's milliseconds.
  std::optional<std::uint64_t> last_announcement_;
};

// A sound output that plays nothing, for programs and captures without sound.
class SilentSoundPlayer final : public SoundPlayer {
 public:
  void Play(Sound) override {}
  void StopAll() override {}
  int Volume() override { return volume_; }
  void SetVolume(int volume) override { volume_ = volume; }

 private:
  int volume_ = 255;
};

}  // namespace mrv
