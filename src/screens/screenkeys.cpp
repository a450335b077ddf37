#include "screenkeys.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

#include "platform/focusring.h"

namespace bellarune {

namespace {

class EnterPresses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->isAutoRepeat())
            return false;
        static_cast<QPushButton*>(watched)->click();
        return true;
    }
};

class SortListKeys : public QObject {
public:
    explicit SortListKeys(QListWidget* list) : QObject(list), list_(list) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int row = list_->currentRow(), last = list_->count() - 1;
        switch (key) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_Home:
            case Qt::Key_End:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown: {
                int to = key == Qt::Key_Up ? row - 1 : key == Qt::Key_Down ? row + 1 : 0;
                if (key == Qt::Key_End || key == Qt::Key_PageDown)
                    to = last;
                if (row < 0)
                    to = 0;
                list_->setCurrentRow(std::clamp(to, 0, last), QItemSelectionModel::NoUpdate);
                return true;
            }
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Space:
                if (row >= 0) {
                    list_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
                    // The list was refilled when the line moved: stay with the item that moved.
                    if (list_->currentRow() < 0)
                        list_->setCurrentRow(std::max(row - 1, 0), QItemSelectionModel::NoUpdate);
                }
                return true;
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Escape:
                return false;
            default:
                // Typing a letter would select a line by its name, and so push it.
                return !static_cast<QKeyEvent*>(event)->text().isEmpty();
        }
    }

private:
    QListWidget* list_;
};

// The current line in dashes, seen on the list's grey where the style's own mark is faint.
class CurrentLine : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem plain(option);
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(p, plain, index);
        if (option.state & QStyle::State_HasFocus)
            paintDashedOutline(*p, option.rect, 2);
    }
};

}  // namespace

void pressOnEnter(std::initializer_list<QPushButton*> buttons)
{
    for (QPushButton* b : buttons)
        b->installEventFilter(new EnterPresses(b));
}

void sortListKeys(QListWidget* list)
{
    list->installEventFilter(new SortListKeys(list));
    list->setItemDelegate(new CurrentLine(list));
}

}  // namespace bellarune
