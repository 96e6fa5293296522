#pragma once

#include "app/form1.h"

#include <QTest>

#include <memory>

// A player that plays nothing, for window tests that do not listen.
class SilentPlayer : public velmora::SoundPlayer {
public:
    void play(const std::string&, std::uint32_t) override {}
};

// The loaded main window, shown, with silent cues and message boxes that
// return at once; null if it could not be shown.
inline std::unique_ptr<velmora::Form1> shownWindow()
{
    auto window = std::make_unique<velmora::Form1>();
    window->setSoundPlayer(std::make_unique<SilentPlayer>());
    window->setMessageBox([](const QString&, const QString&) {});
    window->load();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}
