// The browser's entry: the game and its page front end, made once; the
// page's events come in through the functions below.

#include "board/keyboard.h"
#include "game/board_pictures.h"
#include "game/game.h"
#include "game/window_description.h"
#include "web/web_front_end.h"

#include <emscripten.h>

namespace {

velmora::Game* game = nullptr;

} // namespace

extern "C" {

// A key going down in the main window: the game sees it first. What it
// means to the page: the number of the menu command it is the shortcut of,
// or -1.
EMSCRIPTEN_KEEPALIVE int velmora_key(int code, int control)
{
    game->keyDown(static_cast<std::int16_t>(code));
    const std::optional<velmora::Command> command = velmora::shortcutCommand(static_cast<std::uint16_t>(code), control != 0);
    return command ? static_cast<int>(*command) : -1;
}

// Whether the key plays the game (Space, Left, Right): the page keeps the
// browser's own use of it.
EMSCRIPTEN_KEEPALIVE int velmora_plays_the_game(int code)
{
    return velmora::playsTheGame(static_cast<std::int16_t>(code));
}

// A press (a click or a tap) on the board, in the board's own pixels.
EMSCRIPTEN_KEEPALIVE void velmora_board_pressed(double x, double y)
{
    game->boardPressed(x, y);
}

// How often, in milliseconds, the page's clock ticks while it runs.
EMSCRIPTEN_KEEPALIVE int velmora_tick_interval()
{
    return velmora::Game::TickInterval;
}

EMSCRIPTEN_KEEPALIVE void velmora_tick()
{
    game->tick();
}

EMSCRIPTEN_KEEPALIVE void velmora_command(int command)
{
    game->command(static_cast<velmora::Command>(command));
}

EMSCRIPTEN_KEEPALIVE void velmora_message_closed()
{
    game->messageClosed();
}

EMSCRIPTEN_KEEPALIVE void velmora_cue_ended()
{
    game->cueEnded();
}

} // extern "C"

int main()
{
    // Made once and kept for the page's life: the runtime stays after main.
    static velmora::Game theGame(velmora::boardPictures());
    static velmora::WebFrontEnd frontEnd(theGame);
    game = &theGame;
    frontEnd.build();
    theGame.attach(frontEnd);
    theGame.load();
    // A page cannot tell whether a screen reader listens: the board in words
    // is always kept, where one finds it.
    theGame.setScreenReader(true);
    return 0;
}
