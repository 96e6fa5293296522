#include "game/game.h"

#include "board/checked_math.h"
#include "board/keyboard.h"
#include "board/pointer.h"
#include "game/about_texts.h"
#include "game/board_description.h"
#include "game/sys_info.h"
#include "sound/cue_table.h"
#include "velmora/version.h"
#include "render/board_renderer.h"

#include <exception>
#include <utility>

namespace velmora {

Game::Game(BoardPictures pictures, std::int32_t surfaceWidth, std::int32_t surfaceHeight)
    : pictures_(std::move(pictures))
    , surface_(surfaceWidth, surfaceHeight, mainWindow().background)
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
        describe();
        return true;
    } catch (const RuntimeError& error) {
        report = "Run-time error '" + std::to_string(error.number()) + "':\n\n" + error.what();
    } catch (const std::exception& error) {
        report = std::string("Run-time error:\n\n") + error.what();
    }
    failed_ = true;
    setClock(false);
    afterBoxes_.assign(1, [this] { frontEnd_->quit(1); });
    frontEnd_->showMessage(report, ApplicationTitle, MessageIcon::Error);
    return false;
}

void Game::showMessage(const std::string& prompt, const std::string& title, std::function<void()> then)
{
    afterBoxes_.push_back(then ? std::move(then) : [] {});
    frontEnd_->showMessage(prompt, title, MessageIcon::None);
}

void Game::playCueThen(Cue cue, std::function<void()> then)
{
    frontEnd_->playCue(cue);
    if (cueHolds(cue)) {
        cueHeld_ = true;
        afterCue_ = std::move(then);
    } else {
        then();
    }
}

void Game::messageClosed()
{
    if (afterBoxes_.empty())
        return;
    const std::function<void()> then = std::move(afterBoxes_.back());
    afterBoxes_.pop_back();
    if (failed_)
        then();  // the failure's own: the end of the program
    else
        run(then);
}

void Game::cueEnded()
{
    if (!std::exchange(cueHeld_, false))
        return;
    run(std::exchange(afterCue_, {}));
    // The tick that fell due while the cue held the game comes now.
    if (!cueHeld_ && std::exchange(tickDue_, false))
        tick();
}

void Game::command(Command command)
{
    if (waiting() || !enabled(command))
        return;
    run([&] {
        switch (command) {
        case Command::Start: startGame(); break;
        case Command::Options: frontEnd_->setPanelVisible(true); break;  // an open panel stays as it is
        case Command::Exit:
            // At once, in every phase; there is nothing to save.
            setClock(false);
            frontEnd_->quit(0);
            break;
        case Command::About:  // modeless: the game goes on; never a second one
            if (std::exchange(aboutOpen_, true))
                frontEnd_->focusAbout();
            else
                frontEnd_->openAbout();
            break;
        case Command::CloseAbout:
            // Unloaded: the next Despre loads it again.
            aboutOpen_ = false;
            frontEnd_->closeAbout();
            if (!windowOpen_)
                frontEnd_->quit(0);
            break;
        case Command::TimeUp: stepOption(OptionBox::TimeLimit, 10, 1510, "30"); break;
        case Command::TimeDown: stepOption(OptionBox::TimeLimit, -10, 20, "1500"); break;
        case Command::LevelUp: stepOption(OptionBox::DiskCount, 1, 11, "4"); break;
        case Command::LevelDown: stepOption(OptionBox::DiskCount, -1, 3, "10"); break;
        case Command::Apply: applyOptions(); break;
        case Command::SystemInfo:
            // The message has no title of its own: the application's stands
            // there. Once it is closed the About has the keyboard again.
            if (!StartSysInfo(frontEnd_->registry(), frontEnd_->system()))
                showMessage(SysInfoUnavailable, ApplicationTitle, [this] {
                    if (aboutOpen_)
                        frontEnd_->focusAbout();
                });
            break;
        default:
            // A command by a number past the table (the page hands them over
            // as numbers) is a bad index.
            throw RuntimeError(RuntimeError::SubscriptOutOfRange);
        }
    });
}

void Game::setScreenReader(bool listening)
{
    screenReader_ = listening;
    described_.clear();
    describe();
}

void Game::describe()
{
    if (!screenReader_)
        return;
    std::string words = describeBoard(state_);
    if (words != described_)
        frontEnd_->describeBoard(described_ = std::move(words));
}

void Game::resizeClient(std::int32_t width, std::int32_t height)
{
    surface_.ensureSize(width, height);
}

bool Game::closeWindow()
{
    if (waiting())
        return false;
    windowOpen_ = false;
    if (!failed_)
        setClock(false);
    if (!aboutOpen_)
        frontEnd_->quit(0);
    return true;
}

bool Game::enabled(Command command) const
{
    return command != Command::Options || optionsEnabled_;
}

void Game::setEnabled(Command command, bool enabled)
{
    if (command == Command::Options)
        optionsEnabled_ = enabled;
    frontEnd_->setCommandEnabled(command, enabled);
}

void Game::setClock(bool running)
{
    clockRunning_ = running;
    frontEnd_->setClockRunning(running);
}

void Game::keyDown(std::int16_t keyCode)
{
    if (!waiting())
        run([&] { Form_KeyDown(state_, *this, keyCode); });
}

void Game::boardPressed(double x, double y)
{
    const MainWindowDescription& window = mainWindow();
    if (!waiting() && x >= 0 && y >= 0 && x < window.clientWidth && y < window.clientHeight)
        run([&] { BoardPress(state_, *this, x); });
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
    target_.showCursorSprite(left, top);
}

void Game::moveCursorSprite(float left)
{
    target_.moveCursorSprite(left);
}

void Game::PlaySoundCue(Cue cue)
{
    frontEnd_->playCue(cue);
}

} // namespace velmora
