// How long the drawing tab takes for a 100,000-element drawing: one repaint
// of the whole drawing fitted to a 1000 x 700 view (every shape visible, the
// worst case), a repaint zoomed in on a tenth of it, and building the display
// list anew after a change of the settings.
//
// Runs on Qt's offscreen platform: ./build/release/bin/bench_repaint
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdio>
#include <string>

#include "convert/Conversion.h"
#include "jwc/JwcLoader.h"
#include "paint/PicturePainter.h"
#include "picture/DisplayListBuilder.h"
#include "picture/PictureFrontend.h"
#include "support/JwcBuilder.h"

namespace {

using namespace orvik;

// 70,000 lines, 10,000 arcs and ellipses, 10,000 texts and 10,000 points over 16 layers.
Drawing& BenchDrawing() {
    static Drawing drawing = [] {
        JwcBuilder b;
        b.Paper(2, 518).Group(0, 100, "plan").PoolAt("0000:0000");
        for (int layer = 0; layer < 16; ++layer) b.Layer(layer, std::string(1, 'L') + std::to_string(layer));
        for (int i = 0; i < 70000; ++i) {
            const float x = static_cast<float>(i % 350) * 1.1f, y = static_cast<float>(i / 350) * 0.9f;
            b.Line(LineRecord{x, y, x + 0.9f, y + 0.3f, static_cast<std::uint8_t>(1 + i % 9),
                              static_cast<std::uint8_t>(1 + i % 6), static_cast<std::uint8_t>(i % 16)});
        }
        for (int i = 0; i < 10000; ++i) {
            const float x = static_cast<float>(i % 100) * 3.8f, y = static_cast<float>(i / 100) * 1.8f;
            b.Arc(ArcRecord{x, y, 0.6f, static_cast<std::uint16_t>(i % 2 ? 10000 : 6000), AngleUnits(i % 3 ? 0 : 30),
                            AngleUnits(i % 3 ? 0 : 250), AngleUnits(i % 45), 1, static_cast<std::uint8_t>(1 + i % 6),
                            static_cast<std::uint8_t>(i % 16)});
        }
        const char* words[] = {"\x8B\x8F\x8A\xD4", "ROOM 101", "\x95\x94\x89\xAE", "W=900"};
        for (int i = 0; i < 10000; ++i) {
            const float x = static_cast<float>(i % 100) * 3.8f, y = static_cast<float>(i / 100) * 1.8f;
            b.Text(TextRecord{x, y, x + 2, y, words[i % 4], std::nullopt, static_cast<std::uint8_t>(i % 11),
                              static_cast<std::uint8_t>(i % 16),
                              static_cast<std::uint8_t>(i % 7 == 0 ? kVerticalTextFlag : 0)});
        }
        for (int i = 0; i < 10000; ++i)
            b.Point(DrawingPoint{static_cast<float>(i % 100) * 3.8f + 1, static_cast<float>(i / 100) * 1.8f + 1,
                                 static_cast<std::uint8_t>(i % 16), static_cast<std::uint8_t>(1 + i % 6)});
        const std::string path = "/tmp/orvik-bench-repaint.jwc";
        b.WriteTo(path);
        JwcFile d;
        LoadJwcFile(path, d);
        std::remove(path.c_str());
        return d;
    }();
    return drawing;
}

const DisplayList& Picture() {
    static const DisplayList list = PictureOf(Conversion(BenchDrawing(), {}, ConversionRequest{"", "100"}));
    return list;
}

void Repaint(benchmark::State& state, double zoom) {
    const DisplayList& list = Picture();
    QImage image(1000, 700, QImage::Format_RGB32);
    const PictureFrame frame = FrameFor(list.Bounds(), 1000);
    const PictureView view = FrameView(frame).ZoomedAt({500, 350}, zoom);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        PaintDisplayList(painter, list, view, false);
    }
    state.counters["shapes"] = static_cast<double>(list.shapes.size());
}

void BM_RepaintWholeDrawing(benchmark::State& state) { Repaint(state, 1); }
BENCHMARK(BM_RepaintWholeDrawing)->Unit(benchmark::kMillisecond);

void BM_RepaintZoomedTenfold(benchmark::State& state) { Repaint(state, 10); }
BENCHMARK(BM_RepaintZoomedTenfold)->Unit(benchmark::kMillisecond);

void BM_BuildDisplayList(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(PictureOf(Conversion(BenchDrawing(), {}, ConversionRequest{"", "100"})));
}
BENCHMARK(BM_BuildDisplayList)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
