#pragma once
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace bellarune {

// The game's own plain text window, for machines where the desktop has no plain text
// editor to show the help and the catalog in: modeless, editable, saved on request.
// A missing file opens empty and is created by the first save.
class TextWindow : public QWidget {
    Q_OBJECT
public:
    explicit TextWindow(const QString& path, QWidget* parent = nullptr);

    // Opens a window on path in a window style of the text editor's start: 3 maximised
    // with focus, 2 and 6 minimised, 4 normal without focus, any other normal with focus.
    // Returns at once; the window deletes itself when closed.
    static TextWindow* open(const QString& path, int windowStyle);

    // Writes the text back to the file, with the line ends it had (CR LF for a new file).
    // Refuses, with a message, for a file that is there but could not be read.
    bool save();
    // Why the file could not be read; empty when it was read or is missing.
    QString readError() const { return readError_; }

    QPlainTextEdit* Text1;
    QPushButton* cmdSave;
    QPushButton* cmdClose;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString unreadText() const;

    QString path_;
    QString readError_;
    bool crlf_ = true;
};

}  // namespace bellarune
