#include "settingssave.h"

#include <QDir>
#include <cstdio>

#include "engine/gamestate.h"

namespace bellarune {

namespace {
// Keeps the reason the settings writer gives instead of showing it.
class ReasonKeeper : public Notifier {
public:
    void showMessage(const std::string& text) override { reason = text; }
    bool askOkCancel(const std::string&, const std::string&) override { return false; }
    std::string reason;
};
}  // namespace

bool SaveSettingsOrTell(GameState& state)
{
    ReasonKeeper keeper;
    if (SaveSettings(state.SettingsFileName, state.settings, &keeper))
        return true;
    const std::string file =
        QDir::current().absoluteFilePath(QString::fromStdString(state.SettingsFileName)).toStdString();
    const std::string text =
        "Your settings could not be saved in " + file + ": " + keeper.reason + "." + state.NL +
        "The game goes on with them, but they will be lost when it ends. To keep them, make "
        "sure that folder can be written and its disk has room." +
        state.NL + "You will not be told again until the game starts anew.";
    if (state.notifier ? state.notifier->showMessageOnce("settings not saved", text) : true)
        std::fprintf(stderr, "bellarune: %s\n",
                     QString::fromStdString(text).replace("\r\n", "\n").toLocal8Bit().constData());
    return false;
}

}  // namespace bellarune
