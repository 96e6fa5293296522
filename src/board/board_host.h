#pragma once

#include "board/game_state.h"
#include "board/cue.h"

#include <cstdint>

namespace velmora {

// The sizes of the two hidden picture boxes that the board geometry is derived
// from, in pixels of the window, border included.
struct PictureSizes {
    float pictureWidth = 0.0f;   // the box of the board-disk image
    float pictureHeight = 0.0f;
    float selectorWidth = 0.0f;  // the box of the cursor image
};

// What the rules ask of the game around them. The rules never call a window
// toolkit; the game implements this, tests implement it with a recorder.
class BoardHost {
public:
    virtual ~BoardHost() = default;

    virtual PictureSizes pictureSizes() const = 0;

    // The renderer's three operations.
    virtual void DrawPeg(std::int16_t tower) = 0;
    virtual void DrawDisk(const DiskSlot& slot, std::int16_t level) = 0;
    virtual void RedrawBoard() = 0;

    // Puts the cursor sprite at (left, top) with the cursor image and makes it
    // visible. Positions stay reals: a half-width of 41.5 is not rounded.
    virtual void showCursorSprite(float left, float top) = 0;
    // Moves the sprite sideways only; its picture and height stay.
    virtual void moveCursorSprite(float left) = 0;

    // A game is in play exactly while the clock runs.
    virtual bool clockRunning() const = 0;
    virtual void PlaySoundCue(Cue cue) = 0;
    // The end of a won game: cue, clock off, message, menus.
    virtual void EndGameWon() = 0;
};

} // namespace velmora
