#pragma once
#include <initializer_list>

class QListWidget;
class QPushButton;

namespace bellarune {

// Enter presses the focused button, as Space does, without making any button the default
// of its screen: Enter on the other controls of a question screen must press nothing.
void pressOnEnter(std::initializer_list<QPushButton*> buttons);

// The sorting list from the keyboard: Up, Down, Home and End move the current line without
// selecting it (a selected line is pushed up); Enter or Space on the current line selects
// it, exactly as a click on that line does, and the current line follows the pushed item.
void sortListKeys(QListWidget* list);

}  // namespace bellarune
