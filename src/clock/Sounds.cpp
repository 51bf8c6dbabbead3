#include "clock/Sounds.h"

#include "clock/StopWatch.h"
#include "settings/Preferences.h"
#include "ui/ProgramFolder.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QHash>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace modStopWatch {

namespace {
// One effect per file, kept loaded, so playing again costs nothing. They belong to the
// application object, which outlives every window that plays them.
QHash<QString, QPointer<QSoundEffect>> &effects()
{
    static QHash<QString, QPointer<QSoundEffect>> loaded;
    return loaded;
}

QSoundEffect *EffectFor(const QString &path)
{
    QPointer<QSoundEffect> &effect = effects()[path];
    if (!effect) {
        effect = new QSoundEffect(QCoreApplication::instance());
        effect->setSource(QUrl::fromLocalFile(path));
    }
    return effect;
}

// Waits until the effect has played, or could not: a sound that never ends must not
// hang the window.
void WaitUntilEnded(QSoundEffect *effect)
{
    if (!effect->isPlaying() && effect->status() != QSoundEffect::Loading)
        return;
    QEventLoop loop;
    QObject::connect(effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (!effect->isPlaying())
            loop.quit();
    });
    QObject::connect(effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect->status() == QSoundEffect::Error)
            loop.quit();
    });
    QTimer::singleShot(10'000, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void SystemPlayer(const QString &path, bool wait)
{
    // No application object, no audio device or a missing file: silence, and nothing to report.
    if (!QCoreApplication::instance() || !QFileInfo(path).isFile() ||
        QMediaDevices::defaultAudioOutput().isNull())
        return;
    // A new sound cuts off whatever is still playing.
    for (const QPointer<QSoundEffect> &other : std::as_const(effects())) {
        if (other && other->isPlaying())
            other->stop();
    }
    QSoundEffect *effect = EffectFor(path);
    effect->play();
    if (wait)
        WaitUntilEnded(effect);
}

SoundPlayer &player()
{
    static SoundPlayer current;
    return current;
}

QString InProgramFolder(const char *name)
{
    return ProgramFolder::Path() + QLatin1Char('/') + QLatin1String(name);
}
} // namespace

Sounds::Sounds(const StopWatch &count, const Preferences &preferences, QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
{
    connect(&count, &StopWatch::dayRolledOver, this,
            [this] { PlaySoundFile(DaySoundPath(), false); });
    connect(&count, &StopWatch::wasReset, this, [this] { PlaySoundFile(ResetSoundPath(), false); });
}

void Sounds::PlaySoundFile(const QString &path, bool wait)
{
    // Read now, not when the sound was asked for: a change in Customize applies at once.
    if (!m_preferences.Values().blnPlaySounds)
        return;
    if (player())
        player()(path, wait);
    else
        SystemPlayer(path, wait);
}

QString Sounds::DaySoundPath()
{
    return InProgramFolder("AAAGH2.wav");
}

QString Sounds::ResetSoundPath()
{
    return InProgramFolder("woohoo.wav");
}

void SetSoundPlayer(SoundPlayer soundPlayer)
{
    player() = std::move(soundPlayer);
}

} // namespace modStopWatch
