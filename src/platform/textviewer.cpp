#include "textviewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace bellarune {

void ShowInNotepad(const std::string& file, int /*windowStyle*/)
{
    // The desktop's default handler for text files; on Linux xdg-open, started detached.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(QString::fromLatin1(file.c_str())).absoluteFilePath()));
}

}  // namespace bellarune
