// Benchmarks of the work the program does per event: building the main window, laying out and
// filling a grid, and drawing one frame of the enter picture. Run:
// build/release/bench/fokarium_bench

#include "app/event_bindings.h"
#include "grid/number_generator.h"
#include "ui/controls/fonts.h"
#include "ui/controls/properties.h"
#include "ui/form/form_window.h"
#include "ui/picture_views/embedded_assets.h"
#include "ui/pictures/gif_canvas.h"
#include "ui/pictures/gif_decoder.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

void buildMainWindow(benchmark::State& state) {
    for (auto _ : state) {
        ui::FormWindow window;
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(buildMainWindow)->Unit(benchmark::kMillisecond);

void layOutAndFillSixBySix(benchmark::State& state) {
    ui::FormWindow window;
    app::bindEventHandlers(window);
    for (auto _ : state) {
        ui::writeProperty(ui::组合框1, ui::Property::CurrentItem, 3);
        window.raise(ui::组合框1, ui::Event::ListItemSelected);
        window.raise(ui::按钮1, ui::Event::Clicked);
    }
}
BENCHMARK(layOutAndFillSixBySix)->Unit(benchmark::kMicrosecond);

void drawOneCycleOfTheEnterPicture(benchmark::State& state) {
    const auto animation = pictures::decodeGif(ui::enterGifBytes());
    pictures::GifCanvas canvas(animation->width, animation->height, 0xFFFFFFFF);
    for (auto _ : state) {
        for (const auto& frame : animation->frames) {
            canvas.draw(frame);
            const QImage view(reinterpret_cast<const uchar*>(canvas.pixels()), canvas.width(),
                              canvas.height(), QImage::Format_ARGB32);
            benchmark::DoNotOptimize(
                view.scaled(80, 80, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        }
    }
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(animation->frames.size()));
}
BENCHMARK(drawOneCycleOfTheEnterPicture)->Unit(benchmark::kMillisecond);

void drawBatches(benchmark::State& state) {
    grid::NumberGenerator generator;
    for (auto _ : state) {
        benchmark::DoNotOptimize(generator.draw(1, 36));
    }
}
BENCHMARK(drawBatches);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    ui::installDefaultGuiFont();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
