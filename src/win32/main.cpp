#include "game/game.h"
#include "game/window_description.h"
#include "win32/win32_front_end.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    // The game first: its surface must outlive the window that shows it. The
    // surface's pixels are made once the window is: making the first window
    // starts Wine's window system, which forks, and every page written
    // before that is copied again at its next write.
    velmora::Game game(velmora::boardPictures(), 0, 0);
    velmora::Win32FrontEnd frontEnd(instance, game);
    if (!frontEnd.create())
        return 1;
    game.resizeClient(velmora::mainWindow().clientWidth, velmora::mainWindow().clientHeight);
    game.attach(frontEnd);
    if (!game.load())
        return 1;
    // A screen reader running now hears the board in words at once; one that
    // starts later is heard of at its first question.
    BOOL screenReader = FALSE;
    SystemParametersInfoW(SPI_GETSCREENREADER, 0, &screenReader, 0);
    game.setScreenReader(screenReader != FALSE);
    return frontEnd.run(show);
}
