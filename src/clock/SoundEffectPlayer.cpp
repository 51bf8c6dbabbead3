// The sound player module: Qt Multimedia, loaded by the program at the first sound it plays.
#include <QAudioDevice>
#include <QCoreApplication>
#include <QHash>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
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

} // namespace

// Starts playing `path` and returns. No audio device: silence.
extern "C" Q_DECL_EXPORT void pendrel_play_sound(const QString &path)
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
}
