#pragma once

#include "board/board_host.h"
#include "board/game_state.h"
#include "game/board_pictures.h"
#include "game/board_target.h"
#include "game/front_end.h"
#include "render/surface.h"

#include <cstdint>
#include <functional>
#include <string>

namespace velmora {

// The game as a whole: its state and drawing surface, the phases (start-up,
// new game, the clock's ticks with the lost game, the won game, exit), the
// options panel's logic and the keys. It drives a FrontEnd and is driven by
// it: every event of the window arrives as one call below and runs to its
// end before the next, except where it waits in a message box, inside which
// clock ticks arrive and run nested.
//
// No phase variable exists: a game is in play exactly while the clock runs.
// The phase is the clock, the two menu items, the panel and Finished.
//
// A failed check (an overflow, a bad index) in any handler is reported with
// the runtime's message and ends the program with status 1; from then on no
// event runs anything.
class Game : public BoardHost {
public:
    static constexpr std::int32_t ClientWidth = 1002;
    static constexpr std::int32_t ClientHeight = 628;
    static constexpr Pixel BoardBackground = rgb(192, 192, 0);

    // The surface covers the client area, and grows with it.
    explicit Game(BoardPictures pictures, std::int32_t surfaceWidth = ClientWidth,
                  std::int32_t surfaceHeight = ClientHeight);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The front end must be attached before any other call.
    void attach(FrontEnd& frontEnd);

    // Start-up: the defaults (10 disks, 60 seconds) in the state and the
    // option boxes, and the first board. False if it failed (reported).
    bool load();

    // The menu.
    void startGame();   // "StartJoc", F2: also during a game, afresh
    void openOptions(); // "Optiuni", Ctrl+O
    void exitGame();    // "Exit", F4: at once, in every phase
    void openAbout();   // "Despre", F1

    // One tick of the one-second clock. A tick that arrives after the clock
    // was switched off is dropped.
    void tick();

    // A key going down anywhere in the main window (see takesKeyAt), before
    // the control that has the focus gets it too. Virtual-key code and shift
    // state (1 Shift, 2 Ctrl, 4 Alt).
    void keyDown(std::int16_t keyCode, std::int16_t shift);

    // The options panel's buttons.
    void stepTimeUp();
    void stepTimeDown();
    void stepLevelUp();
    void stepLevelDown();
    void applyOptions();  // "Ok"

    void NewGame();
    void EndGameWon() override;

    const GameState& state() const { return state_; }
    GameState& state() { return state_; }
    Surface& surface() { return surface_; }
    const BoardPictures& pictures() const { return pictures_; }
    bool clockRunning() const override { return clockRunning_; }
    // The window's font size: the game sets it, and nothing prints with it.
    float fontSize() const { return fontSize_; }
    void setFontSize(float points) { fontSize_ = points; }

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
    void LoseGame();
    void placeReadout();
    void setClock(bool running);
    void stepOption(OptionBox box, double step, double wrapValue, const char* replacement);
    void refuseOption(OptionBox box);

    // Runs one handler to its end, under the error policy above.
    bool run(const std::function<void()>& handler);

    BoardPictures pictures_;
    GameState state_;
    Surface surface_;
    BoardTarget target_;
    FrontEnd* frontEnd_ = nullptr;
    bool clockRunning_ = false;
    bool failed_ = false;
    float fontSize_ = 0.0f;
};

// Where a key is handled: a key event travels from the control that has the
// focus up to its window, and the game takes it once, where it first arrives
// (the focused control, else the window itself). The key is never consumed.
inline bool takesKeyAt(const void* receiver, const void* focusedInWindow, const void* window)
{
    return receiver == (focusedInWindow ? focusedInWindow : window);
}

} // namespace velmora
