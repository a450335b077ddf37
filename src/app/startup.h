#pragma once
#include <QString>
#include <QStringList>
#include <memory>

class QLockFile;

namespace bellarune {

// The command line, read before anything needs a display.
struct CommandLine {
    int exitCode = -1;  // 0 or 2 when the program ends at once (help, version, a bad option)
    QString output;     // what to print then: on standard output for 0, standard error for 2
    QString dir;        // --dir, empty without it
};
CommandLine parseCommandLine(const QStringList& arguments);

// Where the shipped files lie when the game is installed: share/games/bellarune beside
// the executable's bin/ or games/. Empty for the portable game and build/game.
QString installedDataDir(const QString& executableDir);

// The player's own program directory of an installed game, from XDG_DATA_HOME or HOME;
// empty (with the reason in error) when neither gives an absolute path.
QString playerProgramDir(QString& error);

// The program directory, ready to play from: made when missing, locked for this run,
// and (for an installed game) given a copy of each shipped file that is missing there.
class ProgramDirectory {
public:
    ProgramDirectory();
    ~ProgramDirectory();
    // False with a message for the player in error when the game cannot start.
    bool open(const QString& dir, const QString& shippedDir, QString& error);
    QString path() const { return path_; }
    static constexpr const char* LockFileName = "bellarune.lock";

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

// Copies each regular file of from that is missing in to, each through a temporary name
// and a rename. False at the first failure, with the message for the player in error.
bool copyMissingFiles(const QString& from, const QString& to, QString& error);

}  // namespace bellarune
