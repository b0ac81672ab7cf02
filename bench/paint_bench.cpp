// One paint of a wizard-sized window (467 x 397): a fill, a few lines of text and a button face
// stretched around its corners, next to copying the same number of pixels with memcpy, which is
// what presenting the finished picture costs at the least. Read the ratios, not the times.
#include "platform/FontEngine.h"
#include "skin/themes/DrawingHelpers.h"
#include "toolkit/graphics/FontEngineSlot.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 467, kHeight = 397;

// A button face as the skins draw them: 21 x 21, corners and edges in other colours.
TBitmap MakeFace()
{
    TBitmap face(21, 21);
    TCanvas canvas(face);
    canvas.Brush().SetColor(RGB(90, 110, 160));
    canvas.FillRect(TRect(0, 0, 21, 21));
    canvas.Brush().SetColor(RGB(200, 210, 230));
    canvas.Pen().SetColor(RGB(20, 30, 60));
    canvas.RoundRect(0, 0, 21, 21, 6, 6);
    return face;
}

void EnsureFonts()
{
    static const bool installed = [] {
        SetFontEngine(CreatePlatformFontEngine());
        return true;
    }();
    (void)installed;
}

void Paint(TCanvas& canvas, const TBitmap& face)
{
    canvas.Brush().SetColor(TColor(0x515151));
    canvas.FillRect(TRect(0, 0, kWidth, kHeight));
    StretchDrawNinePart(face, canvas, TRect(0, 0, kWidth, kHeight), true);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().SetColor(clWhite);
    TRect text(20, 20, kWidth - 20, kHeight - 20);
    canvas.DrawText("欢迎使用 Didar Ediziveda Merrowin 安装向导。\r\n\r\n"
                    "This wizard installs the animated wallpaper on your computer. It is recommended "
                    "that you close all other applications before continuing.\r\n\r\n"
                    "单击“下一步”继续，或单击“取消”退出安装程序。",
                    text, DT_WORDBREAK | DT_EXPANDTABS);
}

void BM_PaintWindow(benchmark::State& state)
{
    EnsureFonts();
    const TBitmap face = MakeFace();
    TBitmap target(kWidth, kHeight);
    TCanvas canvas(target);
    Paint(canvas, face);  // warm the glyph cache, as every paint after the first finds it
    for (auto _ : state) {
        Paint(canvas, face);
        benchmark::DoNotOptimize(target.Bits());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_PaintWindow)->Unit(benchmark::kMicrosecond);

void BM_FillOnly(benchmark::State& state)
{
    TBitmap target(kWidth, kHeight);
    TCanvas canvas(target);
    canvas.Brush().SetColor(TColor(0x515151));
    for (auto _ : state) {
        canvas.FillRect(TRect(0, 0, kWidth, kHeight));
        benchmark::DoNotOptimize(target.Bits());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_FillOnly)->Unit(benchmark::kMicrosecond);

void BM_NinePartOnly(benchmark::State& state)
{
    const TBitmap face = MakeFace();
    TBitmap target(kWidth, kHeight);
    TCanvas canvas(target);
    for (auto _ : state) {
        StretchDrawNinePart(face, canvas, TRect(0, 0, kWidth, kHeight), true);
        benchmark::DoNotOptimize(target.Bits());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_NinePartOnly)->Unit(benchmark::kMicrosecond);

// The baseline: one copy of the window's pixels.
void BM_MemcpyBaseline(benchmark::State& state)
{
    std::vector<uint32_t> from(size_t(kWidth) * kHeight, 0xFF515151u), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_MemcpyBaseline)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
