#include "textviewer.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

#include "latin1text.h"
#include "textwindow.h"

namespace bellarune {

namespace {

// The desktop entries named for text/plain, in the order the XDG lists rank them.
QStringList registeredEditors()
{
    QStringList lists;
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        lists << dir + "/mimeapps.list";
    const QStringList dataDirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const char* name : {"mimeapps.list", "defaults.list", "mimeinfo.cache"})
        for (const QString& dir : dataDirs)
            lists << dir + "/applications/" + name;
    QStringList ids;
    for (const QString& list : lists) {
        QFile f(list);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        QTextStream in(&f);
        QString group;
        while (!in.atEnd()) {
            const QString line = in.readLine().trimmed();
            if (line.startsWith('['))
                group = line;
            else if (group != "[Removed Associations]" && line.startsWith("text/plain="))
                ids << line.mid(11).split(';', Qt::SkipEmptyParts);
        }
    }
    return ids;
}

// The command line of a desktop entry for one file; empty when it cannot serve here.
QStringList commandFor(const QString& id, const QString& path)
{
    const QString entry = QStandardPaths::locate(QStandardPaths::GenericDataLocation, "applications/" + id);
    if (entry.isEmpty())
        return {};
    QFile f(entry);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QMap<QString, QString> keys;
    QTextStream in(&f);
    for (QString group; !in.atEnd();) {
        const QString line = in.readLine().trimmed();
        const qsizetype eq = line.indexOf('=');
        if (line.startsWith('['))
            group = line;
        else if (group == "[Desktop Entry]" && eq > 0)
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    // An editor that needs a terminal (vi, nano) would run unseen.
    if (keys.value("Terminal") == "true" || keys.value("Hidden") == "true")
        return {};
    QStringList args = QProcess::splitCommand(keys.value("Exec"));
    bool fileGiven = false;
    for (qsizetype i = 0; i < args.size();) {
        const QString a = args[i];
        if (a == "%f" || a == "%F" || a == "%u" || a == "%U") {
            args[i++] = path;
            fileGiven = true;
        } else if (a.size() == 2 && a[0] == '%' && a != "%%") {
            args.removeAt(i);  // %i, %c, %k: nothing the editor needs
        } else {
            args[i++].replace("%%", "%");
        }
    }
    if (!args.isEmpty() && !fileGiven)
        args << path;
    return args;
}

}  // namespace

bool startDesktopTextEditor(const QString& path)
{
    for (const QString& id : registeredEditors()) {
        QStringList args = commandFor(id, path);
        if (args.isEmpty())
            continue;
        const QString program = args.takeFirst();
        if (QProcess::startDetached(program, args))
            return true;
    }
    return false;
}

void ShowInNotepad(const std::string& file, int windowStyle)
{
    const QString path = QFileInfo(qs(file)).absoluteFilePath();
    // A desktop editor may refuse a missing file; the game's own window opens it empty.
    if (QFileInfo(path).isFile() && startDesktopTextEditor(path))
        return;
    TextWindow::open(path, windowStyle);
}

}  // namespace bellarune
