#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "engine/gamestate.h"

class QSoundEffect;

namespace bellarune {

// Plays the game's wave files with QSoundEffect: asynchronous, one at a time.
// A file that is missing or not a PCM wave, or a machine without audio output, fails
// at once; a decoding failure found later is reported through onLateFailure.
class SoundPlayer : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;
    bool play(const std::string& file) override;
    std::function<void()> onLateFailure;

    // True when the file looks like a wave file QSoundEffect can play (RIFF/WAVE with PCM data).
    static bool isPlayableWave(const QString& path);

private:
    std::map<QString, QSoundEffect*> effects_;
    QSoundEffect* current_ = nullptr;
    int outputsKnown_ = -1;  // -1 not checked yet, 0 none, 1 present
};

}  // namespace bellarune
