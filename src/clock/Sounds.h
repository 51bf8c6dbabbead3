#pragma once

#include <QObject>
#include <QString>

#include <functional>

class Preferences;

namespace modStopWatch {

class StopWatch;

// The two sounds: one when the count is reset, one at each day roll-over, while sounds are on.
class Sounds : public QObject
{
    Q_OBJECT

public:
    Sounds(const StopWatch &count, const Preferences &preferences, QObject *parent = nullptr);

    // Starts a sound file when sounds are on at this moment, and returns at once. A missing
    // file, or no audio device, plays nothing.
    void PlaySoundFile(const QString &path);

    // Where the two sounds are looked for: the program's folder, formed anew at each use.
    static QString DaySoundPath();
    static QString ResetSoundPath();

private:
    const Preferences &m_preferences;
};

// What actually makes the sound. Tests install a recorder; an empty function restores the
// system's player.
using SoundPlayer = std::function<void(const QString &path)>;
void SetSoundPlayer(SoundPlayer player);

} // namespace modStopWatch
