#include "textwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QWindow>

#include "data/atomicfile.h"
#include "latin1text.h"
#include "makewidget.h"
#include "posixfilecalls.h"
#include "twips.h"

namespace bellarune {

TextWindow::TextWindow(const QString& path, QWidget* parent) : QWidget(parent, Qt::Window), path_(path)
{
    setObjectName("textwindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QFileInfo(path).fileName() + " - Bellarune Game");

    Text1 = makeWidget<QPlainTextEdit>(
        this, {.name = "Text1", .accessible = "Text", .font = designFont("Courier New", 10)});
    cmdSave = makeWidget<QPushButton>(
        this, {.name = "cmdSave", .caption = "Save", .tip = "Save the text to its file (Ctrl+S)"});
    cmdClose = makeWidget<QPushButton>(this, {.name = "cmdClose", .caption = "Close"});
    resize(twipsToPx(9000), twipsToPx(6600));

    QFile f(path);
    if (f.exists()) {
        QByteArray data;
        if (f.open(QIODevice::ReadOnly))
            data = f.readAll();
        if (f.error() == QFileDevice::NoError) {
            crlf_ = data.contains("\r\n") || !data.contains('\n');
            // The game's text files are 8-bit text, like its data file.
            Text1->setPlainText(displayText(std::string(data.constData(), std::size_t(data.size()))));
        } else {
            // A file that is there but was not read must never be replaced by an empty text.
            readError_ = f.errorString();
            Text1->setReadOnly(true);
            cmdSave->setEnabled(false);
        }
    }
    Text1->document()->setModified(false);

    connect(cmdSave, &QPushButton::clicked, this, &TextWindow::save);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, &TextWindow::save);
}

TextWindow* TextWindow::open(const QString& path, int windowStyle)
{
    // While a modal screen (setup) is open every other window is blocked: the text window is made
    // transient for it, which keeps it usable. It is a window of its own, never re-parented, so it
    // stays as it is (shown, maximised) when the screen closes.
    QWidget* modal = QApplication::activeModalWidget();
    auto* w = new TextWindow(path);
    if (modal && modal->windowHandle()) {
        w->winId();
        w->windowHandle()->setTransientParent(modal->windowHandle());
        modal->installEventFilter(w);
    }
    const bool focus = windowStyle != 4 && windowStyle != 6;
    w->setAttribute(Qt::WA_ShowWithoutActivating, !focus);
    if (windowStyle == 3)
        w->showMaximized();
    else if (windowStyle == 2 || windowStyle == 6)
        w->showMinimized();
    else
        w->showNormal();
    if (focus) {
        w->raise();
        w->activateWindow();
    }
    if (!w->readError_.isEmpty())
        QMessageBox::warning(w, "Bellarune Game", w->unreadText());
    return w;
}

bool TextWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The screen it was opened over is closing: from now on an ordinary window of the game.
    if (event->type() == QEvent::Hide && windowHandle() &&
        windowHandle()->transientParent() == static_cast<QWidget*>(watched)->windowHandle()) {
        watched->removeEventFilter(this);
        windowHandle()->setTransientParent(nullptr);
    }
    return QWidget::eventFilter(watched, event);
}

QString TextWindow::unreadText() const
{
    return QFileInfo(path_).fileName() + " cannot be read: " + readError_ +
           "\nIt is not shown, and it is not saved over.";
}

bool TextWindow::save()
{
    if (!readError_.isEmpty()) {
        QMessageBox::warning(this, "Bellarune Game", unreadText());
        return false;
    }
    // The raw text keeps a no-break space, which the plain text would save as a blank.
    QString text = Text1->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, '\n').replace(QChar::LineSeparator, '\n');
    text = storableText(text);
    if (crlf_)
        text.replace('\n', QStringLiteral("\r\n"));
    std::string error;
    PosixFileCalls calls;
    if (!writeFileAtomically(QFile::encodeName(path_).toStdString(), ss(text), error, &calls)) {
        QMessageBox::warning(this, "Bellarune Game", qs(error) + "\n" + path_);
        return false;
    }
    Text1->document()->setModified(false);
    return true;
}

void TextWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The text fills the window above one row of buttons along the bottom.
    const int w = pxToTwips(width()), h = pxToTwips(height());
    setGeometryTwips(Text1, 0, 0, w, std::max(0, h - 600));
    setGeometryTwips(cmdSave, 120, std::max(0, h - 495), 1095, 375);
    setGeometryTwips(cmdClose, 1440, std::max(0, h - 495), 1095, 375);
}

void TextWindow::closeEvent(QCloseEvent* event)
{
    if (Text1->document()->isModified()) {
        const auto answer = QMessageBox::question(
            this, "Bellarune Game", "Save the changes to " + QFileInfo(path_).fileName() + "?",
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !save())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

}  // namespace bellarune
