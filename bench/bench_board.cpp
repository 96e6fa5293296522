// How long a full redraw and a full reset take: on the bare drawing surface,
// and through the real window (offscreen platform, or X), which also repaints
// the changed area after every disk.

#include "game/game.h"
#include "game/board_pictures.h"
#include "game/sys_info.h"
#include "qt/qt_front_end.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <map>

using namespace velmora;

namespace {

// A front end that shows nothing: the game's own work alone.
class QuietFrontEnd : public FrontEnd {
public:
    void setCommandEnabled(Command, bool) override {}
    void setPanelVisible(bool) override {}
    std::string optionText(OptionBox box) const override { return texts.at(box); }
    void setOptionText(OptionBox box, const std::string& text) override { texts[box] = text; }
    void selectOptionText(OptionBox) override {}
    void setReadout(const std::string&) override {}
    void placeReadout(std::int32_t, std::int32_t) override {}
    void showSprite(const Picture& image, std::int32_t, std::int32_t) override { benchmark::DoNotOptimize(image); }
    void showSurface(const Rect& changed) override { benchmark::DoNotOptimize(changed); }
    void describeBoard(const std::string&) override {}
    void showMessage(const std::string&, const std::string&, MessageIcon) override {}
    void setClockRunning(bool) override {}
    void playCue(Cue) override {}
    void openAbout() override {}
    void focusAbout() override {}
    void closeAbout() override {}
    Registry& registry() override { return noRegistry; }
    SysInfoPlatform& system() override { return system_; }
    void quit(int) override {}

    std::map<OptionBox, std::string> texts;

private:
    NoRegistry noRegistry;
    NoSystem system_;
};

// A loaded game of fifteen disks, on the bare surface or in the real window,
// shown; false (with the reason given to the run) when it cannot be shown.
struct Board {
    Game game{boardPictures()};
    QuietFrontEnd quiet;
    std::unique_ptr<QtFrontEnd> frontEnd;

    bool start(benchmark::State& run, bool inWindow)
    {
        if (inWindow) {
            frontEnd = std::make_unique<QtFrontEnd>(game);
            game.attach(*frontEnd);
        } else {
            game.attach(quiet);
        }
        game.load();
        if (frontEnd) {
            frontEnd->window().show();
            if (!QTest::qWaitForWindowExposed(&frontEnd->window())) {
                run.SkipWithError("window not exposed");
                return false;
            }
        }
        // Fifteen disks, set through the options panel as a player would.
        FrontEnd& shown = frontEnd ? static_cast<FrontEnd&>(*frontEnd) : quiet;
        shown.setOptionText(OptionBox::TimeLimit, "60");
        shown.setOptionText(OptionBox::DiskCount, "15");
        game.command(Command::Apply);
        return true;
    }
};

void redraw(benchmark::State& run, bool inWindow)
{
    Board board;
    if (!board.start(run, inWindow))
        return;
    for (auto _ : run)
        board.game.RedrawBoard();
}

void reset(benchmark::State& run, bool inWindow)
{
    Board board;
    if (!board.start(run, inWindow))
        return;
    for (auto _ : run)
        board.game.NewGame();
}

void BM_RedrawBoard_Surface(benchmark::State& run) { redraw(run, false); }
void BM_ResetBoard_Surface(benchmark::State& run) { reset(run, false); }
void BM_RedrawBoard_Window(benchmark::State& run) { redraw(run, true); }
void BM_ResetBoard_Window(benchmark::State& run) { reset(run, true); }
BENCHMARK(BM_RedrawBoard_Surface)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ResetBoard_Surface)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawBoard_Window)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ResetBoard_Window)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
