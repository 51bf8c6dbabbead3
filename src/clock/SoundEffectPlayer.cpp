// The sound player module: Qt Multimedia, loaded by the program at the first sound it plays.
#include <QAudioDevice>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHash>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

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

} // namespace

// Plays `path`; `wait` blocks until it has ended. No audio device: silence.
extern "C" Q_DECL_EXPORT void pendrel_play_sound(const QString &path, bool wait)
{
    if (QMediaDevices::defaultAudioOutput().isNull())
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
