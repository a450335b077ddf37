#include "qtnotifier.h"

#include <QApplication>
#include <QMessageBox>

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

}  // namespace bellarune
