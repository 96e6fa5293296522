// The browser's entry: the game and its page front end, made once; the
// page's events come in through the functions below.

#include "game/board_pictures.h"
#include "game/game.h"
#include "web/web_front_end.h"

#include <emscripten.h>

namespace {

velmora::Game* game = nullptr;

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void velmora_key(int code)
{
    game->keyDown(static_cast<std::int16_t>(code));
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
