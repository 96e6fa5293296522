#pragma once

#include "game/front_end.h"
#include "game/registry.h"
#include "game/sys_info.h"
#include "sound/sound_player.h"

#include <QAccessible>
#include <QDialog>
#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <map>
#include <memory>

class QLabel;
class QLineEdit;

namespace velmora {

class Announcer;
class BoardView;
class Game;
class PanelFrame;
class SpriteView;

// The Qt front end: builds the main window as the game describes it (the
// board with the cursor sprite and the read-out standing on it, the options
// panel, hidden until opened, and the menus with their shortcut keys), and
// the About when it is asked for. Menu choices, clicks, keys, the clock's
// ticks and the window's close become calls on the Game; the game's requests
// become the widgets' changes, message boxes and sounds.
//
// Keys: an event filter on the application sees every key meant for the
// main window or any of its controls (a filter on the window would miss the
// focused control's) and hands each to the game once, consuming none.
// Message boxes are opened and left to the event loop; the game hears when
// each one closes.
class QtFrontEnd : public QObject, public FrontEnd, private QAccessible::ActivationObserver {
    Q_OBJECT

public:
    // The game's surface must outlive the front end.
    explicit QtFrontEnd(Game& game);
    ~QtFrontEnd() override;

    QMainWindow& window() { return window_; }
    QWidget* boardView() const;

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
    void openAbout() override;
    void focusAbout() override;
    void closeAbout() override;
    Registry& registry() override { return registry_; }
    SysInfoPlatform& system() override { return system_; }
    void quit(int status) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMainWindow();
    void accessibilityActiveChanged(bool active) override;
    QLineEdit* textBox(OptionBox box) const { return optionBoxes_.at(box); }

    Game& game_;
    QMainWindow window_;
    BoardView* boardView_ = nullptr;
    SpriteView* sprite_ = nullptr;
    Announcer* announcer_ = nullptr;
    QLabel* readOut_ = nullptr;
    PanelFrame* optionsPanel_ = nullptr;
    std::map<Command, QAction*> menuItems_;
    std::map<OptionBox, QLineEdit*> optionBoxes_;
    QTimer clock_;
    QTimer cueWait_;
    QTimer soundRest_;  // lets the sound device go a while after the last cue
    std::unique_ptr<SoundPlayer> player_;
    QPointer<QDialog> about_;
    NoRegistry registry_;  // Linux has none
    NoSystem system_;  // without a registry, System Info asks nothing of the desktop
};

} // namespace velmora
