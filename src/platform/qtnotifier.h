#pragma once
#include "data/notifier.h"

namespace bellarune {

// Message boxes over the active window, titled "Bellarune Game".
class QtNotifier : public Notifier {
public:
    void showMessage(const std::string& text) override;
    bool askOkCancel(const std::string& text, const std::string& title) override;
    void reportFailure(const std::string& text) override;
};

}  // namespace bellarune
