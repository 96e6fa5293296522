#include "game/game.h"

#include "board/checked_math.h"
#include "board/keyboard.h"
#include "render/board_renderer.h"

#include <exception>
#include <utility>

namespace velmora {

Game::Game(BoardPictures pictures, std::int32_t surfaceWidth, std::int32_t surfaceHeight)
    : pictures_(std::move(pictures))
    , surface_(surfaceWidth, surfaceHeight, BoardBackground)
    , target_(surface_, pictures_)
{
}

void Game::attach(FrontEnd& frontEnd)
{
    frontEnd_ = &frontEnd;
    target_.attach(frontEnd);
}

bool Game::run(const std::function<void()>& handler)
{
    if (failed_)
        return false;
    std::string report;
    try {
        handler();
        return true;
    } catch (const RuntimeError& error) {
        report = "Run-time error '" + std::to_string(error.number()) + "':\n\n" + error.what();
    } catch (const std::exception& error) {
        report = std::string("Run-time error:\n\n") + error.what();
    }
    failed_ = true;
    setClock(false);
    frontEnd_->showFailure(report);
    frontEnd_->quit(1);
    return false;
}

void Game::setClock(bool running)
{
    clockRunning_ = running;
    frontEnd_->setClockRunning(running);
}

void Game::keyDown(std::int16_t keyCode, std::int16_t shift)
{
    run([&] { Form_KeyDown(state_, *this, keyCode, shift); });
}

// Modeless: the game goes on while the dialog is open.
void Game::openAbout()
{
    run([&] { frontEnd_->showAbout(); });
}

// BoardHost ----------------------------------------------------------------

PictureSizes Game::pictureSizes() const
{
    return PictureSizes{BoardPictures::boxSize(pictures_.boardDisk.width),
                        BoardPictures::boxSize(pictures_.boardDisk.height),
                        BoardPictures::boxSize(pictures_.cursor.width)};
}

void Game::DrawPeg(std::int16_t tower)
{
    velmora::DrawPeg(state_, target_, tower);
}

void Game::DrawDisk(const DiskSlot& slot, std::int16_t level)
{
    velmora::DrawDisk(state_, target_, slot, level);
}

void Game::RedrawBoard()
{
    velmora::RedrawBoard(state_, target_);
}

void Game::showCursorSprite(float left, float top)
{
    frontEnd_->setSpritePicture(SpritePicture::Selector);
    frontEnd_->showSprite(left, top);
}

void Game::moveCursorSprite(float left)
{
    frontEnd_->moveSprite(left);
}

void Game::PlaySoundCue(Cue cue)
{
    frontEnd_->playCue(cue);
}

} // namespace velmora
