#include "startup.h"

#include <fcntl.h>
#include <unistd.h>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/posixfilecalls.h"

namespace bellarune {

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Bellarune Game, a quiz on the American Civil War.\n\n"
        "The game keeps its questions (zel.dat), settings (zel.INI), quiz log and pictures in its\n"
        "program directory. Installed, that is ${XDG_DATA_HOME:-~/.local/share}/bellarune, where\n"
        "each shipped file that is missing is copied at start; otherwise it is the folder of the\n"
        "program itself.");
    const QCommandLineOption help({"h", "help"}, "Show this help and exit.");
    const QCommandLineOption version({"v", "version"}, "Show the version and exit.");
    const QCommandLineOption dir("dir", "Play from <folder> as the program directory.", "folder");
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(dir);

    CommandLine result;
    const bool parsed = parser.parse(arguments);
    // The usage line names the program as its manual page does, wherever it was started from.
    QString usage = parser.helpText();
    usage.replace(0, usage.indexOf('\n'), "Usage: bellarune [options]");
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QString why =
            parser.errorText().isEmpty()
                ? QString("Unexpected argument '%1'.").arg(parser.positionalArguments().value(0))
                : parser.errorText();
        result.exitCode = 2;
        result.output = "bellarune: " + why + "\n\n" + usage;
    } else if (parser.isSet(help)) {
        result.exitCode = 0;
        result.output = usage;
    } else if (parser.isSet(version)) {
        result.exitCode = 0;
        result.output = "Bellarune Game 1.05\n";
    } else if (parser.isSet(dir) && parser.value(dir).isEmpty()) {
        result.exitCode = 2;
        result.output = "bellarune: --dir needs a folder.\n\n" + usage;
    }
    result.dir = parser.value(dir);
    return result;
}

QString installedDataDir(const QString& executableDir)
{
    const QString data = QDir::cleanPath(executableDir + "/../share/games/bellarune");
    return QFileInfo(data).isDir() ? data : QString();
}

QString playerProgramDir(QString& error)
{
    // As freedesktop.org's base directories have it, a relative XDG_DATA_HOME is ignored.
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(dataHome))
        return QDir::cleanPath(dataHome + "/bellarune");
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return QDir::cleanPath(home + "/.local/share/bellarune");
    error =
        "Bellarune Game has no place for your game files: neither XDG_DATA_HOME nor HOME is set.\n"
        "Start the game from your desktop session, or with --dir and a folder of your own.";
    return {};
}

namespace {

// What the player can do about a failed write, by its cause.
QString advice(int err)
{
    switch (err) {
        case ENOSPC:
        case EDQUOT:
            return "Make room on that disk, then start the game again.";
        case EACCES:
        case EPERM:
        case EROFS:
            return "Make sure you may write to that folder, or start the game with --dir and a folder of "
                   "your own.";
        default:
            return "Check that folder and its disk, then start the game again.";
    }
}

QString reason(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// Copies one file to a temporary name beside target and renames it into place; errno on failure.
int copyOne(const QByteArray& source, const QByteArray& target, const QByteArray& temp)
{
    const int in = ::open(source.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    ::unlink(temp.constData());  // a copy interrupted in an earlier run
    const int out = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) {
        const int err = errno;
        ::close(in);
        return err;
    }
    int err = 0;
    char buf[65536];
    for (;;) {
        const ssize_t got = ::read(in, buf, sizeof buf);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            err = got < 0 ? errno : 0;
            break;
        }
        for (ssize_t done = 0; done < got && !err;) {
            const ssize_t put = ::write(out, buf + done, static_cast<size_t>(got - done));
            if (put < 0 && errno != EINTR)
                err = errno;
            done += put > 0 ? put : 0;
        }
        if (err)
            break;
    }
    if (!err && ::fsync(out) != 0)
        err = errno;
    if (::close(out) != 0 && !err)
        err = errno;
    ::close(in);
    // link() never replaces a file the player made meanwhile; a file system without
    // hard links gets a rename.
    if (!err && ::link(temp.constData(), target.constData()) != 0 && errno != EEXIST &&
        ::rename(temp.constData(), target.constData()) != 0)
        err = errno;
    ::unlink(temp.constData());
    return err;
}

}  // namespace

bool copyMissingFiles(const QString& from, const QString& to, QString& error)
{
    QStringList missing;
    for (const QFileInfo& f : QDir(from).entryInfoList(QDir::Files, QDir::Name)) {
        const QFileInfo there(to + "/" + f.fileName());
        if (!there.exists() && !there.isSymLink())
            missing << f.fileName();
    }
    for (const QString& name : missing) {
        const int err = copyOne(QFile::encodeName(from + "/" + name), QFile::encodeName(to + "/" + name),
                                QFile::encodeName(to + "/." + name + ".part"));
        if (err) {
            error = QString(
                        "Bellarune Game could not copy its file %1 into your game folder %2: %3.\n"
                        "%4 of its files are missing there.\n%5")
                        .arg(name, to, reason(err))
                        .arg(missing.size())
                        .arg(advice(err));
            return false;
        }
    }
    // The new names on the disk too; should that fail, the copies are made again next time.
    std::string ignored;
    PosixFileCalls().syncDirectory(QFile::encodeName(to).toStdString(), ignored);
    return true;
}

ProgramDirectory::ProgramDirectory() = default;
ProgramDirectory::~ProgramDirectory() = default;

bool ProgramDirectory::open(const QString& dir, const QString& shippedDir, QString& error)
{
    path_ = QDir(dir).absolutePath();
    std::error_code ec;
    std::filesystem::create_directories(QFile::encodeName(path_).toStdString(), ec);
    if (ec || !QFileInfo(path_).isDir()) {
        const int err = ec ? ec.value() : ENOTDIR;
        error = QString("Bellarune Game cannot make your game folder %1: %2.\n%3")
                    .arg(path_, reason(err), advice(err));
        return false;
    }
    if (!shippedDir.isEmpty() &&
        QFileInfo(path_).canonicalFilePath() == QFileInfo(shippedDir).canonicalFilePath()) {
        error = QString(
                    "Your game folder %1 is where the game is installed, and the game must not change "
                    "the files there.\nSet XDG_DATA_HOME elsewhere, or start the game with --dir and a "
                    "folder of your own.")
                    .arg(path_);
        return false;
    }
    // One game per folder: two would overwrite each other's saves. A lock left by a game
    // that was killed names a process that is gone, and QLockFile takes it over. A folder
    // the player cannot write is played from without a lock: nothing is saved there, so two
    // games cannot harm each other, and the game says so when it cannot save.
    if (QFileInfo(path_).isWritable()) {
        lock_ = std::make_unique<QLockFile>(path_ + "/" + LockFileName);
        lock_->setStaleLockTime(0);  // a long game's lock never goes stale by age alone
        if (!lock_->tryLock(0) && lock_->error() == QLockFile::LockFailedError) {
            error = QString(
                        "Bellarune Game is already running from the folder %1.\n"
                        "Go on in that game's window, or close it before you start the game again.\n"
                        "(If no game is running on any computer that shares this folder, delete %2 there.)")
                        .arg(path_, LockFileName);
            return false;
        }
    }
    return shippedDir.isEmpty() || copyMissingFiles(shippedDir, path_, error);
}

}  // namespace bellarune
