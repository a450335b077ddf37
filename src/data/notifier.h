#pragma once
#include <string>

namespace bellarune {

// How the data and engine code talk to the player. The UI shows message boxes;
// tests record the messages instead.
class Notifier {
public:
    virtual ~Notifier() = default;
    // A message box with an OK button and the program's title.
    virtual void showMessage(const std::string& text) = 0;
    // A message box with OK and Cancel; true for OK.
    virtual bool askOkCancel(const std::string& text, const std::string& title) = 0;
    // A failure the player must know of; the UI also leaves it on standard error.
    virtual void reportFailure(const std::string& text) { showMessage(text); }
};

// Drops every message; for code paths that have no one to tell.
class NullNotifier : public Notifier {
public:
    void showMessage(const std::string&) override {}
    bool askOkCancel(const std::string&, const std::string&) override { return false; }
};

}  // namespace bellarune
