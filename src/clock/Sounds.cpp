#include "clock/Sounds.h"

#include "clock/StopWatch.h"
#include "files/ProgramFolder.h"
#include "settings/Preferences.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace modStopWatch {

namespace {
// The player lives in a module of its own, beside the program, loaded at the first sound:
// the audio libraries cost memory that a counter which never plays a sound should not pay.
using ModulePlayer = void (*)(const QString &path);

ModulePlayer LoadModulePlayer()
{
    static QLibrary module(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/libpendrel-sound"));
    static const ModulePlayer play = [] {
        const auto found = reinterpret_cast<ModulePlayer>(module.resolve("pendrel_play_sound"));
        if (!found) // an installation without its player: say why it stays silent
            qWarning("Pendrel plays no sounds: no player found in %s (%s)",
                     qPrintable(module.fileName()), qPrintable(module.errorString()));
        return found;
    }();
    return play;
}

void SystemPlayer(const QString &path)
{
    // No application object, a missing file or no module: silence, and nothing to report.
    if (!QCoreApplication::instance() || !QFileInfo(path).isFile())
        return;
    if (const ModulePlayer play = LoadModulePlayer())
        play(path);
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
    connect(&count, &StopWatch::dayRolledOver, this, [this] { PlaySoundFile(DaySoundPath()); });
    connect(&count, &StopWatch::wasReset, this, [this] { PlaySoundFile(ResetSoundPath()); });
}

void Sounds::PlaySoundFile(const QString &path)
{
    // Read now, not when the sound was asked for: a change in Customize applies at once.
    if (!m_preferences.Values().blnPlaySounds)
        return;
    if (player())
        player()(path);
    else
        SystemPlayer(path);
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
