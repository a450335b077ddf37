#include "soundplayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace bellarune {

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::isPlayableWave(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
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

bool SoundPlayer::play(const std::string& file)
{
    const QString path = QString::fromLatin1(file.c_str());
    if (!isPlayableWave(path))
        return false;
    if (outputsKnown_ < 0)
        outputsKnown_ = QMediaDevices::audioOutputs().isEmpty() ? 0 : 1;
    if (outputsKnown_ == 0)
        return false;

    QSoundEffect*& effect = effects_[path];
    if (!effect) {
        effect = new QSoundEffect(this);
        connect(effect, &QSoundEffect::statusChanged, this, [this, e = effect] {
            if (e->status() == QSoundEffect::Error && onLateFailure)
                onLateFailure();
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
