#include "game/game.h"
#include "win32/win32_front_end.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    // The game first: its surface must outlive the window that shows it.
    velmora::Game game(velmora::boardPictures());
    velmora::Win32FrontEnd frontEnd(instance, game);
    if (!frontEnd.create())
        return 1;
    game.attach(frontEnd);
    if (!game.load())
        return 1;
    return frontEnd.run(show);
}
