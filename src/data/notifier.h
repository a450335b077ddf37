#pragma once
#include <string>
#include <vector>

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

// Keeps what it is told instead of showing it, for a caller that words or lists the messages
// itself; a question is answered Cancel.
class KeepingNotifier : public Notifier {
public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askOkCancel(const std::string&, const std::string&) override { return false; }
    // Every message kept, one after another.
    std::string text() const
    {
        std::string all;
        for (const std::string& m : messages)
            all += m;
        return all;
    }
    std::vector<std::string> messages;
};

}  // namespace bellarune
