#pragma once
// Shared pieces for the tests: a temporary program directory, a state with fakes for
// the message boxes and the sound, item builders and a way to answer modal windows.
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/gamestate.h"

class QWidget;

namespace bellarune::test {

class RecordingNotifier : public Notifier {
public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askOkCancel(const std::string& text, const std::string& title) override
    {
        questions.push_back(title + "|" + text);
        return answerOk;
    }
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool answerOk = true;
};

class FakeSound : public SoundOutput {
public:
    bool play(const std::string& file) override
    {
        played.push_back(file);
        return !failAll;
    }
    std::vector<std::string> played;
    bool failAll = false;
};

// A temporary directory made the current one for the test's lifetime.
class ProgramDir {
public:
    ProgramDir();
    ~ProgramDir();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const std::string& contents) const;
    std::string read(const QString& name) const;
    bool exists(const QString& name) const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// A state with the name tables filled, a seeded generator, a recording notifier and a fake sound.
struct TestState {
    TestState(uint64_t seed = 12345);
    GameState state;
    RecordingNotifier notifier;
    FakeSound sound;
    std::vector<std::pair<std::string, int>> textsShown;
};

ItemRecord person(const std::string& name, int16_t year1, int16_t year2, const std::string& description = "",
                  int16_t itemType = Officer);
ItemRecord event(const std::string& name, int16_t itemType, int16_t year1, const std::string& dateText,
                 const std::string& description = "");
// Appends items to the table and sizes TimesUsed for them.
void setItems(GameState& state, const std::vector<ItemRecord>& items);

// Runs fn on the next modal window that opens (polling the event loop), so a test can
// answer a dialog that a handler shows with exec().
void onNextModal(std::function<void(QWidget*)> fn, int timeoutMs = 5000);
// Closes every modal window that opens until the returned guard is destroyed.
class ModalAutoCloser {
public:
    ModalAutoCloser(std::function<void(QWidget*)> onEach = {});
    ~ModalAutoCloser();
    int closed() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

std::string readAll(const QString& path);

}  // namespace bellarune::test
