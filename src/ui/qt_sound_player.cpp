#include "ui/qt_sound_player.h"

#include <QByteArray>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>
#include <algorithm>

#include "capture/sounds/wave_data.h"

namespace mrv::ui {

namespace {

constexpr int kMaxVolume = 255;

// The wave as a data URL, which QSoundEffect reads from memory: no file is written.
QUrl WaveUrl(Sound sound) {
  const std::span<const unsigned char> wave = WaveData(sound);
  const QByteArray bytes(reinterpret_cast<const char*>(wave.data()),
                         static_cast<qsizetype>(wave.size()));
  return QUrl(QStringLiteral("data:audio/wav;base64,") + QString::fromLatin1(bytes.toBase64()));
}

}  // namespace

QtSoundPlayer::QtSoundPlayer(QObject* parent) : QObject(parent) {
  for (const Sound sound : {Sound::Headshot, Sound::Monkey}) {
    auto* effect = new QSoundEffect(this);
    effect->setSource(WaveUrl(sound));
    effects_[static_cast<std::size_t>(sound)] = effect;
  }
}

QSoundEffect* QtSoundPlayer::Effect(Sound sound) const {
  return effects_[static_cast<std::size_t>(sound)];
}

void QtSoundPlayer::OnOwnThread(std::function<void()> action) {
  if (QThread::currentThread() == thread()) {
    action();
  } else {
    QMetaObject::invokeMethod(this, std::move(action), Qt::QueuedConnection);
  }
}

void QtSoundPlayer::Play(Sound sound) {
  OnOwnThread([this, sound] { Effect(sound)->play(); });
}

void QtSoundPlayer::StopAll() {
  OnOwnThread([this] {
    for (QSoundEffect* effect : effects_) effect->stop();
  });
}

void QtSoundPlayer::SetVolume(int volume) {
  volume = std::clamp(volume, 0, kMaxVolume);
  volume_.store(volume);
  OnOwnThread([this, volume] {
    for (QSoundEffect* effect : effects_) {
      effect->setVolume(static_cast<float>(volume) / static_cast<float>(kMaxVolume));
    }
  });
}

}  // namespace mrv::ui
