#include "qtnotifier.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "latin1text.h"

namespace bellarune {

void QtNotifier::showMessage(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Bellarune Game"), displayText(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtNotifier::askOkCancel(const std::string& text, const std::string& title)
{
    QMessageBox box(QMessageBox::Question, title.empty() ? QStringLiteral("Bellarune Game") : qs(title),
                    displayText(text), QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
    return box.exec() == QMessageBox::Ok;
}

void QtNotifier::reportFailure(const std::string& text)
{
    std::fprintf(stderr, "bellarune: %s\n", displayText(text).toLocal8Bit().constData());
    showMessage(text);
}

}  // namespace bellarune
