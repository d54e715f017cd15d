// The capture's two sounds through Qt Multimedia: the embedded waves, each loaded once
// into a QSoundEffect, played at the program's own output volume (0 to 255), never the
// system mixer's. The capture calls it from its own thread: every call is carried out,
// in order, on the thread that made the player. Without a sound device playback
// silently does nothing.
#pragma once

#include <QObject>
#include <array>
#include <atomic>
#include <functional>

#include "capture/platform.h"

class QSoundEffect;

namespace mrv::ui {

class QtSoundPlayer final : public QObject, public SoundPlayer {
  Q_OBJECT

 public:
  explicit QtSoundPlayer(QObject* parent = nullptr);

  void Play(Sound sound) override;
  void StopAll() override;
  // What SetVolume set last, at once, from any thread.
  int Volume() override { return volume_.load(); }
  // Brought within 0 to 255.
  void SetVolume(int volume) override;

 private:
  void OnOwnThread(std::function<void()> action);
  QSoundEffect* Effect(Sound sound) const;

  std::array<QSoundEffect*, 2> effects_{};
  std::atomic<int> volume_{255};
};

}  // namespace mrv::ui
