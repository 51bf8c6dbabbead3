#pragma once

#include <QString>

#include <functional>

namespace modStopWatch {

// Plays a sound file when sounds are on at this moment. `wait` blocks until it has ended;
// otherwise it starts and returns at once. A missing file, or no audio device, plays nothing.
void PlaySoundFile(const QString &path, bool wait);

// The sound of a day roll-over.
void PlayDaySound();
// The sound of Reset.
void PlayResetSound();

// Where the two sounds are looked for: the program's folder, formed anew at each use.
QString DaySoundPath();
QString ResetSoundPath();

// What actually makes the sound. Tests install a recorder; an empty function restores the
// system's player.
using SoundPlayer = std::function<void(const QString &path, bool wait)>;
void SetSoundPlayer(SoundPlayer player);

} // namespace modStopWatch
