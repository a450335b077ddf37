#include "soundplayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include "latin1text.h"

namespace bellarune {

SoundPlayer::SoundPlayer(GameState& state, QObject* parent) : QObject(parent), state_(state)
{}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::isPlayableWave(const QByteArray& head)
{
    if (head.size() < 44 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return false;
    // Walk the chunks to the format chunk: PCM (1) or float (3), a sane channel count.
    qsizetype pos = 12;
    while (pos + 8 <= head.size()) {
        const QByteArray id = head.mid(pos, 4);
        const quint32 len = quint8(head[pos + 4]) | quint8(head[pos + 5]) << 8 | quint8(head[pos + 6]) << 16 |
                            quint32(quint8(head[pos + 7])) << 24;
        if (id == "fmt ") {
            if (len < 16 || pos + 8 + 16 > head.size())
                return false;
            const int format = quint8(head[pos + 8]) | quint8(head[pos + 9]) << 8;
            const int channels = quint8(head[pos + 10]) | quint8(head[pos + 11]) << 8;
            return (format == 1 || format == 3 || format == 0xFFFE) && channels >= 1 && channels <= 8;
        }
        pos += 8 + len + (len & 1);
    }
    return false;
}

void SoundPlayer::reportFault(const QString& error, const std::string& file, int number)
{
    state_.reportFailure(ss(error) + state_.NL + file + " " + std::to_string(number));
}

bool SoundPlayer::play(const std::string& file, int number)
{
    const QString path = qs(file);
    QFile f(path);
    if (!f.exists())
        return false;
    // A file the system will not open or read (no permission, a directory, an I/O error) is a
    // fault of the installation, not a sound that cannot be played: the sound stays on.
    if (!f.open(QIODevice::ReadOnly)) {
        reportFault(f.errorString(), file, number);
        return true;
    }
    const QByteArray head = f.read(64 * 1024);
    if (f.error() != QFileDevice::NoError) {
        reportFault(f.errorString(), file, number);
        return true;
    }
    if (!isPlayableWave(head))
        return false;
    // Asked again after a failure: the player may have plugged in a device before turning the
    // sound back on.
    if (outputsKnown_ != 1)
        outputsKnown_ = QMediaDevices::audioOutputs().isEmpty() ? 0 : 1;
    if (outputsKnown_ == 0)
        return false;

    QSoundEffect*& effect = effects_[path];
    if (effect && effect->status() == QSoundEffect::Error) {
        // A sound that failed keeps its error; after sound is turned on again it is loaded afresh.
        if (current_ == effect)
            current_ = nullptr;
        effect->deleteLater();
        effect = nullptr;
    }
    if (!effect) {
        effect = new QSoundEffect(this);
        // QSoundEffect finds a file it cannot decode, or a device it cannot open, only
        // after play() has returned; that too is a failure to play, and Qt gives no text for it.
        connect(effect, &QSoundEffect::statusChanged, this, [this, e = effect] {
            if (e->status() == QSoundEffect::Error)
                state_.settings.SoundOn = 0;
        });
        effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    }
    // A new sound cuts off the one playing.
    if (current_ && current_ != effect)
        current_->stop();
    current_ = effect;
    effect->stop();
    effect->play();
    return true;
}

}  // namespace bellarune
