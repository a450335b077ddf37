#pragma once
#include <QObject>
#include <QString>
#include <map>

#include "engine/gamestate.h"

class QSoundEffect;

namespace bellarune {

// Plays the game's wave files with QSoundEffect: asynchronous, one at a time.
//
// A sound that cannot be played here (no file, not a PCM wave, no audio output, or
// QSoundEffect giving up on it later) is a failure to play: play() returns false, or the
// late failure turns SoundOn off, and nothing is shown; once the player turns sound on again,
// such a sound is tried afresh. A file that is there but that the system will not let us open
// or read is a fault of the installation: it is reported in a message box with the system's
// error text, the file name and the number of the sound played, and the game goes on.
class SoundPlayer : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit SoundPlayer(GameState& state, QObject* parent = nullptr);
    ~SoundPlayer() override;
    bool play(const std::string& file, int number) override;

private:
    static bool isPlayableWave(const QByteArray& head);
    void reportFault(const QString& error, const std::string& file, int number);

    GameState& state_;
    std::map<QString, QSoundEffect*> effects_;
    QSoundEffect* current_ = nullptr;
    int outputsKnown_ = -1;  // -1 not checked yet, 0 none, 1 present
};

}  // namespace bellarune
