#include "soundplayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include "twips.h"

namespace bellarune {

SoundPlayer::SoundPlayer(GameState& state, QObject* parent) : QObject(parent), state_(state)
{}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::isPlayableWave(QFile& f)
{
    const QByteArray head = f.read(64 * 1024);
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

void SoundPlayer::reportFault(const QString& error, const std::string& file)
{
    // The number of the sound that names this file (the same file may serve two sounds:
    // the first is named).
    std::size_t n = 0;
    while (n + 1 < state_.SoundFiles.size() && state_.SoundFiles[n] != file)
        ++n;
    state_.message(ss(error) + state_.NL + file + " " + std::to_string(n));
}

bool SoundPlayer::play(const std::string& file)
{
    const QString path = qs(file);
    QFile f(path);
    if (!f.exists())
        return false;
    if (!f.open(QIODevice::ReadOnly)) {
        reportFault(f.errorString(), file);
        return true;  // not a failure to play: the sound stays on
    }
    if (!isPlayableWave(f))
        return false;
    if (outputsKnown_ < 0)
        outputsKnown_ = QMediaDevices::audioOutputs().isEmpty() ? 0 : 1;
    if (outputsKnown_ == 0)
        return false;

    QSoundEffect*& effect = effects_[path];
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
