#pragma once

#include "board/board_host.h"

#include <string>
#include <vector>

// A window stand-in that writes down everything the game asks of it, in order.
class RecordingHost : public velmora::BoardHost {
public:
    velmora::PictureSizes sizes{214.0f, 87.0f, 83.0f};
    bool clock = true;
    std::vector<std::string> calls;
    float spriteLeft = -1.0f;
    float spriteTop = -1.0f;

    velmora::PictureSizes pictureSizes() const override { return sizes; }
    void DrawPeg(std::int16_t tower) override { calls.push_back("peg " + std::to_string(tower)); }
    void DrawDisk(const velmora::DiskSlot& slot, std::int16_t level) override
    {
        calls.push_back("disk " + std::to_string(slot.DiskNumber) + " of tower " + std::to_string(slot.TowerNumber)
                        + " at level " + std::to_string(level));
    }
    void RedrawBoard() override { calls.push_back("redraw"); }
    void showCursorSprite(float left, float top) override
    {
        spriteLeft = left;
        spriteTop = top;
        calls.push_back("sprite");
    }
    void moveCursorSprite(float left) override
    {
        spriteLeft = left;
        calls.push_back("move sprite");
    }
    bool clockRunning() const override { return clock; }
    void PlaySoundCue(const velmora::SoundCue& cue) override
    {
        calls.push_back("cue " + std::string(cue.fileName.substr(1)));
    }
    void EndGameWon() override
    {
        clock = false;  // as the window's end of a won game does first thing after its cue
        calls.push_back("won");
    }
};
