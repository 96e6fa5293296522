#pragma once

#include "game/game.h"
#include "game/sys_info.h"
#include "sound/cue_table.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

// A front end that writes down what the game asks of it, in order, and keeps
// what a real one would show: the option boxes' texts, the menu items, the
// panel, the sprite, the read-out. Drawing and sprite repaints are kept out of
// the journal, which holds what a player hears and answers: cues, boxes,
// menu items, the panel, the clock.
class RecordingFrontEnd : public velmora::FrontEnd {
public:
    std::vector<std::string> journal;
    std::map<velmora::OptionBox, std::string> texts;
    bool optionsEnabled = true;
    bool clock = false;
    std::int32_t spriteX = -1;
    std::int32_t spriteWidth = 0;  // 83 with the cursor, 81 with the disk in hand
    std::string readout;
    std::vector<velmora::Rect> shown;  // each part of the surface put on the screen
    std::vector<std::string> described;  // the board in words, each time it was told
    velmora::NoRegistry noRegistry;
    velmora::NoSystem noSystem;
    int boxes = 0;         // message boxes open
    bool ringing = false;  // a cue the game waits for sounds
    std::int32_t spriteWidthAtBox = 0;  // the sprite's width when the last box opened

    void setCommandEnabled(velmora::Command command, bool enabled) override
    {
        const bool start = command == velmora::Command::Start;
        if (!start)
            optionsEnabled = enabled;
        journal.push_back(std::string(start ? "start " : "options ") + (enabled ? "on" : "off"));
    }
    void setPanelVisible(bool visible) override { journal.push_back(visible ? "panel shown" : "panel hidden"); }
    std::string optionText(velmora::OptionBox box) const override { return texts.at(box); }
    void setOptionText(velmora::OptionBox box, const std::string& text) override { texts[box] = text; }
    void selectOptionText(velmora::OptionBox box) override
    {
        journal.push_back(box == velmora::OptionBox::TimeLimit ? "select time" : "select level");
    }
    void setReadout(const std::string& text) override { readout = text; }
    void placeReadout(std::int32_t left, std::int32_t top) override
    {
        journal.push_back("read-out at " + std::to_string(left) + "," + std::to_string(top));
    }
    void showSprite(const velmora::Picture& image, std::int32_t x, std::int32_t) override
    {
        spriteX = x;
        spriteWidth = image.width;
    }
    void showSurface(const velmora::Rect& changed) override { shown.push_back(changed); }
    void describeBoard(const std::string& words) override { described.push_back(words); }
    void showMessage(const std::string& prompt, const std::string& title, velmora::MessageIcon icon) override
    {
        journal.push_back(icon == velmora::MessageIcon::Error ? "failure " + prompt : "box " + title + ": " + prompt);
        ++boxes;
        spriteWidthAtBox = spriteWidth;
    }
    void setClockRunning(bool running) override
    {
        clock = running;
        journal.push_back(running ? "clock on" : "clock off");
    }
    void playCue(velmora::Cue cue) override
    {
        static const char* const names[] = {"lift", "drop", "win", "time up", "lose"};
        journal.push_back(std::string("cue ") + names[static_cast<int>(cue)]);
        ringing = ringing || velmora::cueHolds(cue);
    }
    void openAbout() override { journal.push_back("about"); }
    void focusAbout() override { journal.push_back("about forward"); }
    void closeAbout() override { journal.push_back("about closed"); }
    velmora::Registry& registry() override { return noRegistry; }
    velmora::SysInfoPlatform& system() override { return noSystem; }
    void quit(int status) override { journal.push_back("quit " + std::to_string(status)); }

    // What was journalled since the last call.
    std::vector<std::string> take() { return std::exchange(journal, {}); }
};

// A loaded game with a recording front end, the journal of the load taken.
// Its surface is one pixel unless asked: the rules are played without the
// cost of drawing.
struct TestGame {
    RecordingFrontEnd frontEnd;
    velmora::Game game;

    explicit TestGame(bool wholeSurface = false)
        : game(velmora::boardPictures(), wholeSurface ? velmora::mainWindow().clientWidth : 1,
               wholeSurface ? velmora::mainWindow().clientHeight : 1)
    {
        game.attach(frontEnd);
        game.load();
        frontEnd.take();
    }

    const velmora::GameState& state() const { return game.state(); }
    // The disk count (and time limit) of the next game, as Ok applies them.
    void apply(int disks, int seconds = 60)
    {
        frontEnd.texts[velmora::OptionBox::DiskCount] = std::to_string(disks);
        frontEnd.texts[velmora::OptionBox::TimeLimit] = std::to_string(seconds);
        game.command(velmora::Command::Apply);
    }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            game.tick();
    }
    // Ends what the game waits for, as the sound and a player would: the ring
    // sounds to its end, each box is closed, the most recent first.
    void settle()
    {
        while (frontEnd.ringing || frontEnd.boxes > 0) {
            if (std::exchange(frontEnd.ringing, false)) {
                game.cueEnded();
            } else {
                --frontEnd.boxes;
                frontEnd.journal.push_back("box closed");
                game.messageClosed();
            }
        }
    }
    std::vector<std::string> press(std::int16_t key) { return after([&] { game.keyDown(key); }); }
    // A press on the board at a point of the client area.
    std::vector<std::string> pressAt(double x, double y = 300) { return after([&] { game.boardPressed(x, y); }); }
    // What the event journals, the ring sounded out and the boxes closed.
    template <typename Event>
    std::vector<std::string> after(Event event)
    {
        frontEnd.take();
        event();
        settle();
        return frontEnd.take();
    }
};
