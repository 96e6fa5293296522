#pragma once

#include "game/front_end.h"
#include "game/registry.h"
#include "game/sys_info.h"
#include "sound/sound_player.h"

#include <QAccessible>
#include <QDialog>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class QLineEdit;

namespace velmora {

class Game;
class MainWindow;

// Files and programs of the desktop the game runs on.
class DesktopSystem : public SysInfoPlatform {
public:
    bool fileExists(const std::string& path) override;
    bool startProgram(const std::string& path) override;
};

// The Qt front end: brings the main window's widgets to life for the game.
// Menu choices, clicks, keys and the clock's ticks become calls on the Game;
// the game's requests become the widgets' changes, message boxes and sounds.
//
// Keys: an event filter on the application sees every key meant for the
// main window or any of its controls (a filter on the window would miss the
// focused control's) and hands each to the game once, consuming none.
// Message boxes are opened and left to the event loop; the game hears when
// each one closes.
class QtFrontEnd : public QObject, public FrontEnd, private QAccessible::ActivationObserver {
    Q_OBJECT

public:
    QtFrontEnd(MainWindow& window, Game& game);
    ~QtFrontEnd() override;


    void setCommandEnabled(Command command, bool enabled) override;
    void setPanelVisible(bool visible) override;
    std::string optionText(OptionBox box) const override;
    void setOptionText(OptionBox box, const std::string& text) override;
    void selectOptionText(OptionBox box) override;
    void setReadout(const std::string& text) override;
    void placeReadout(std::int32_t left, std::int32_t top) override;
    void showSprite(const Picture& image, std::int32_t x, std::int32_t y) override;
    void showSurface(const Rect& changed) override;
    void describeBoard(const std::string& words) override;
    void showMessage(const std::string& prompt, const std::string& title, MessageIcon icon) override;
    void setClockRunning(bool running) override;
    void playCue(Cue cue) override;
    void showAbout() override;
    Registry& registry() override { return registry_; }
    SysInfoPlatform& system() override { return system_; }
    void quit(int status) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void accessibilityActiveChanged(bool active) override;
    QLineEdit* textBox(OptionBox box) const;

    MainWindow& window_;
    Game& game_;
    QTimer clock_;
    QTimer cueWait_;
    QTimer soundRest_;  // lets the sound device go a while after the last cue
    std::unique_ptr<SoundPlayer> player_;
    QPointer<QDialog> about_;
    NoRegistry registry_;  // Linux has none
    DesktopSystem system_;
};

} // namespace velmora
