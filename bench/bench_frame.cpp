// A typical frame of the game with the software renderer: a full-screen
// background, 250 alpha-blended 36 x 36 images and 40 lines of text.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/graphics.h"

namespace {

plat::ImagePtr Gradient(int w, int h, bool alpha) {
    plat::TPixmap pixmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int a = alpha ? std::min(255, 64 + (x + y) * 4) : 255;
            pixmap.WritePixel(x, y, plat::ARGB(a, x * 255 / w, y * 255 / h, 128));
        }
    return plat::LoadImageFromPixmap(pixmap, plat::FILTEREDIMAGE);
}

void BM_TypicalFrame(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    if (!plat::OpenGraphics(plat::LOGICAL_WIDTH, plat::LOGICAL_HEIGHT, 0, 0)) {
        state.SkipWithError("graphics could not be opened");
        return;
    }
    plat::SetUnthrottledFlip(true);
    auto background = Gradient(plat::LOGICAL_WIDTH, plat::LOGICAL_HEIGHT, false);
    auto gem = Gradient(36, 36, true);
    plat::MidHandleImage(*gem);
    auto font = plat::LoadImageFont(VC_BENCH_SOURCE_DIR "/assets/fonts/Carlito-Regular.ttf", 16);
    plat::SetImageFont(font);  // null falls back to the built-in font
    const std::string line = "The quick brown fox jumps over the lazy dog 0123456789";

    int tick = 0;
    for (auto _ : state) {
        plat::SetBlend(plat::SOLIDBLEND);
        plat::SetColor(255, 255, 255);
        plat::SetAlpha(1);
        plat::DrawImage(*background, 0, 0);
        plat::SetBlend(plat::ALPHABLEND);
        for (int i = 0; i < 250; ++i) {
            plat::SetAlpha(0.5f + 0.5f * float((i + tick) % 10) / 10.0f);
            plat::DrawImage(*gem, float(20 + (i % 18) * 42), float(20 + (i / 18) * 40));
        }
        plat::SetAlpha(1);
        for (int row = 0; row < 40; ++row) plat::DrawText(line, 10, float(row * 15));
        plat::Flip(0);
        ++tick;
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    plat::SetImageFont(nullptr);
    plat::SetUnthrottledFlip(false);
    plat::ResetDrawingState();
    plat::CloseGraphics();
}

}  // namespace

BENCHMARK(BM_TypicalFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
