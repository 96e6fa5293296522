// How long a full redraw and a full reset take: on the bare drawing surface,
// and through the real window (offscreen platform), which also repaints the
// changed area after every disk.

#include "app/form1.h"
#include "board/reset_board.h"
#include "render/board_canvas.h"
#include "render/board_renderer.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

// The renderer and the reset drawing on a bare surface, without any widget.
class SurfaceHost : public BoardHost, public RenderTarget {
public:
    SurfaceHost()
        : canvas_(QSize(1002, 628), QColor(192, 192, 0))
        , disk_(QImage(QStringLiteral(VELMORA_BOARD_DISK_IMAGE)).convertToFormat(QImage::Format_RGB32))
    {
    }

    GameState state;

    PictureSizes pictureSizes() const override { return {214.0f, 87.0f, 83.0f}; }
    void DrawPeg(std::int16_t tower) override { velmora::DrawPeg(state, *this, tower); }
    void DrawDisk(const DiskSlot& slot, std::int16_t level) override { velmora::DrawDisk(state, *this, slot, level); }
    void RedrawBoard() override { velmora::RedrawBoard(state, *this); }
    void showCursorSprite(float, float) override {}
    void moveCursorSprite(float) override {}
    bool clockRunning() const override { return true; }
    void PlaySoundCue(const SoundCue&) override {}
    void EndGameWon() override {}

    DiskPictureMetrics diskPicture() const override { return {214.0f, 87.0f, 210.0f, 83.0f}; }
    void setSpritePicture(SpritePicture) override {}
    void refreshSprite() override {}
    void Cls() override { canvas_.clear(); }
    void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) override
    {
        canvas_.fillBox(x1, y1, x2, y2, colour);
    }
    void TransparentBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, std::int32_t sourceX,
                        std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight,
                        std::uint32_t transparentColour) override
    {
        canvas_.transparentBlt(QRect(x, y, width, height), disk_, QRect(sourceX, sourceY, sourceWidth, sourceHeight),
                               transparentColour);
    }
    void Refresh() override { benchmark::DoNotOptimize(canvas_.takeDirty()); }

private:
    BoardCanvas canvas_;
    QImage disk_;
};

// Fifteen disks spread over the three towers as a game in progress leaves them.
void spreadFifteenDisks(GameState& state)
{
    const std::int16_t towers[3][5] = {{1, 4, 7, 10, 13}, {2, 5, 8, 11, 14}, {3, 6, 9, 12, 15}};
    for (std::int16_t tower = 1; tower <= 3; ++tower) {
        state.TowerCount(tower) = 5;
        for (std::int16_t level = 1; level <= 5; ++level)
            state.Towers(tower)(level) = DiskSlot{towers[tower - 1][level - 1], tower};
    }
}

void BM_RedrawBoard_Surface(benchmark::State& run)
{
    SurfaceHost host;
    host.state.DiskCount = 15;
    ResetBoard(host.state, host);
    spreadFifteenDisks(host.state);
    for (auto _ : run)
        host.RedrawBoard();
}
BENCHMARK(BM_RedrawBoard_Surface)->Unit(benchmark::kMicrosecond);

void BM_ResetBoard_Surface(benchmark::State& run)
{
    SurfaceHost host;
    host.state.DiskCount = 15;
    for (auto _ : run)
        ResetBoard(host.state, host);
}
BENCHMARK(BM_ResetBoard_Surface)->Unit(benchmark::kMicrosecond);

// The loaded window, shown, with a 15-disk board; false when it cannot be shown.
bool showFifteenDiskWindow(Form1& window, benchmark::State& run)
{
    window.load();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        run.SkipWithError("window not exposed");
        return false;
    }
    window.state().DiskCount = 15;
    ResetBoard(window.state(), window);
    return true;
}

void BM_RedrawBoard_Window(benchmark::State& run)
{
    Form1 window;
    if (!showFifteenDiskWindow(window, run))
        return;
    spreadFifteenDisks(window.state());
    for (auto _ : run)
        window.RedrawBoard();
}
BENCHMARK(BM_RedrawBoard_Window)->Unit(benchmark::kMicrosecond);

void BM_ResetBoard_Window(benchmark::State& run)
{
    Form1 window;
    if (!showFifteenDiskWindow(window, run))
        return;
    for (auto _ : run)
        ResetBoard(window.state(), window);
}
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
