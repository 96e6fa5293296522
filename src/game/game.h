#pragma once

#include "board/board_host.h"
#include "board/game_state.h"
#include "game/board_pictures.h"
#include "game/board_target.h"
#include "game/front_end.h"
#include "game/window_description.h"
#include "render/surface.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

// The game as a whole: its state and drawing surface, the phases (start-up,
// new game, the clock's ticks with the lost game, the won game, exit), the
// options panel's logic and the keys. It drives a FrontEnd and is driven by
// it: every event of the window arrives as one call below and runs to its
// end before the next. No call waits.
//
// What the game waits for is a state of its own, and what follows it is kept
// as a continuation. While one of its message boxes is open, the main
// window's keys and commands do nothing and ticks run as ever; once the box is
// closed (messageClosed) the game goes on with what follows it. While a cue
// the cue list marks sync sounds (the time-up ring) the game is held as
// a blocked thread would be: keys and commands are dropped, what follows the
// cue runs once it has ended (cueEnded), and the ticks that fell due meanwhile
// come as one tick after it.
//
// No phase variable exists: a game is in play exactly while the clock runs.
// The phase is the clock, the two menu items, the panel and Finished.
//
// A failed check (an overflow, a bad index) in any handler is reported with
// the runtime's message; once the report is closed the program ends with
// status 1. From the failure on no event runs anything.
class Game : public BoardHost {
public:
    // The surface covers the client area (the main window's description
    // gives its size and colour), and grows with it.
    explicit Game(BoardPictures pictures, std::int32_t surfaceWidth = mainWindow().clientWidth,
                  std::int32_t surfaceHeight = mainWindow().clientHeight);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The front end must be attached before any call that reaches it (only
    // resizeClient, which grows the surface alone, may come first).
    void attach(FrontEnd& frontEnd);

    // Start-up: the defaults (10 disks, 60 seconds) in the state and the
    // option boxes, and the first board. False if it failed (reported).
    bool load();

    // A menu item, its shortcut key or a button. A command whose item is
    // greyed, or that comes while the game waits, does nothing.
    void command(Command command);
    bool enabled(Command command) const;

    // One tick of the one-second clock, which a front end runs every
    // TickInterval milliseconds while the game asks. A tick that arrives
    // after the clock was switched off is dropped.
    static constexpr int TickInterval = 1000;
    void tick();

    // A key going down anywhere in the main window, before the control that
    // has the focus gets it too: once per key, by its virtual-key code. The
    // modifiers held with it change nothing.
    void keyDown(std::int16_t keyCode);
    // A press (a click or a tap) on the board at a point of the client area,
    // in the board's own pixels: on a tower's column while a game runs, as
    // Left or Right to that tower and then Space. Off the board, nothing.
    void boardPressed(double x, double y);

    // A screen reader begins or stops listening. While one listens, the board
    // in words goes to the front end after each event that changed it.
    void setScreenReader(bool listening);
    // The client area's size: the surface grows with it and never shrinks.
    void resizeClient(std::int32_t width, std::int32_t height);

    // The player closes the main window by its frame. While the game waits
    // it stays (the box in front is answered first): false. Otherwise the
    // clock ends with the window: true. The program ends with its last
    // window: this one, or the About once it is closed too.
    bool closeWindow();

    // What the front end reports of what the game waits for: the most recent
    // of the open message boxes was closed (also one open since before the
    // ring, closed while it sounds: what follows that box runs); the cue the
    // game waits for ended.
    void messageClosed();
    void cueEnded();
    // Whether a message box is open or a held cue sounds.
    bool waiting() const { return !afterBoxes_.empty() || cueHeld_; }

    void NewGame();
    void EndGameWon() override;

    const GameState& state() const { return state_; }
    Surface& surface() { return surface_; }
    const CursorSprite& sprite() const { return target_.sprite(); }
    bool clockRunning() const override { return clockRunning_; }

    // BoardHost
    PictureSizes pictureSizes() const override;
    void DrawPeg(std::int16_t tower) override;
    void DrawDisk(const DiskSlot& slot, std::int16_t level) override;
    void RedrawBoard() override;
    void showCursorSprite(float left, float top) override;
    void moveCursorSprite(float left) override;
    void PlaySoundCue(Cue cue) override;

private:
    void Form_Load();
    void startGame();
    void LoseGame();
    void countSecond();
    void placeReadout();
    void setClock(bool running);
    void setEnabled(Command command, bool enabled);
    // Plays the cue. What follows it (then) runs once it has ended if the
    // game waits for the cue, at once otherwise.
    void playCueThen(Cue cue, std::function<void()> then);
    // Opens a message box; `then` runs once it is closed.
    void showMessage(const std::string& prompt, const std::string& title, std::function<void()> then = {});
    void applyOptions();
    void stepOption(OptionBox box, double step, double wrapValue, const char* replacement);
    void refuseOption(OptionBox box);

    void describe();
    // Runs one handler to its end, under the error policy above.
    bool run(const std::function<void()>& handler);

    BoardPictures pictures_;
    GameState state_;
    Surface surface_;
    BoardTarget target_;
    FrontEnd* frontEnd_ = nullptr;
    bool clockRunning_ = false;
    bool optionsEnabled_ = true;  // StartJoc is never greyed
    bool failed_ = false;
    bool aboutOpen_ = false;
    bool windowOpen_ = true;  // the main window, until its frame closes it
    // What follows each open message box, the most recent last; what follows
    // the held cue while it sounds, and a tick that fell due meanwhile.
    std::vector<std::function<void()>> afterBoxes_;
    bool cueHeld_ = false;
    std::function<void()> afterCue_;
    bool tickDue_ = false;
    bool screenReader_ = false;
    std::string described_;  // the board in words, as the front end last had it
};

} // namespace velmora
