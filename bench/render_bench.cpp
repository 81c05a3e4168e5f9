// Drawing speed: ns per short line, small circle and text on an 800 x 600 canvas; the whole
// preview of a generated 50 MB drawing (read, reduce, draw) and its redraws, or of the drawing
// given with --file PATH.
#include "dxf_generator.h"
#include "render/entity_drawing.h"
#include "render/pens.h"
#include "render/pipeline.h"
#include "render/text_drawing.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>

using namespace quillon;

namespace {

constexpr int kW = 800, kH = 600;

void ShortLines(benchmark::State& state) {
    Canvas canvas(kW, kH);
    bench::Lcg rng(1);
    std::vector<std::pair<TAcadPoint, TAcadPoint>> lines(1000000);
    for (auto& [a, b] : lines) {
        a = {rng.next() * kW - kW / 2, rng.next() * kH - kH / 2, 0};
        b = {a.x + rng.next() * 20 - 10, a.y + rng.next() * 20 - 10, 0};
    }
    for (auto _ : state)
        for (const auto& [a, b] : lines)
            DrawLine(canvas, {kW / 2, kH / 2}, a, b, 1.0, 0xFFFFFF, 1, TPenStyle::psSolid);
    state.counters["ns/line"] =
        benchmark::Counter(double(lines.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}

void SmallCircles(benchmark::State& state) {
    Canvas canvas(kW, kH);
    bench::Lcg rng(2);
    std::vector<std::pair<TAcadPoint, double>> circles(100000);
    for (auto& [c, r] : circles) {
        c = {rng.next() * kW - kW / 2, rng.next() * kH - kH / 2, 0};
        r = 2 + rng.next() * 18;
    }
    for (auto _ : state)
        for (const auto& [c, r] : circles)
            DrawArc(canvas, {kW / 2, kH / 2}, c, r, 0, 0, 1.0, 0x00FF00, 1, TPenStyle::psSolid);
    state.counters["ns/circle"] =
        benchmark::Counter(double(circles.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

void Texts(benchmark::State& state) {
    Canvas canvas(kW, kH);
    bench::Lcg rng(3);
    std::vector<std::pair<TAcadPoint, QString>> texts(20000);
    for (auto& [p, s] : texts) {
        p = {rng.next() * kW - kW / 2, rng.next() * kH - kH / 2, 0};
        s = QStringLiteral("PART-%1").arg(rng.below(9999));
    }
    TextFonts fonts;
    TTextBlk t;
    t.code40 = 8;
    t.code41 = t.code44 = 1;
    for (auto _ : state)
        for (const auto& [p, s] : texts) {
            t.pt10 = t.pt11 = p;
            DrawDxfText(canvas, fonts, {kW / 2, kH / 2}, t, s, 0xFFFF00, {0, 0, 0}, 1.0);
        }
    state.counters["ns/text"] =
        benchmark::Counter(double(texts.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}

QString gLarge; // the generated 50 MB drawing, or the one given

void WholePreview(benchmark::State& state) {
    const bool again = state.range(0) == 1; // into the model of the last, as the window does
    DxfDrawing kept;
    for (auto _ : state) {
        DxfDrawing fresh;
        DxfDrawing& d = again ? kept : fresh;
        ViewState view;
        PreviewFacts facts;
        const QImage img = DrawDxfImage(d, view, gLarge, {kW, kH}, {}, &facts);
        state.counters["read_ms"] = facts.readMs;
        state.counters["reduce_ms"] = facts.reduceMs;
        state.counters["draw_ms"] = facts.drawMs;
        state.counters["lines"] = double(d.LineAry.size());
        benchmark::DoNotOptimize(img.constBits());
    }
}

void Redraw(benchmark::State& state) {
    DxfDrawing d;
    ViewState view;
    DrawDxfImage(d, view, gLarge, {kW, kH}, {});
    const bool zoomed = state.range(0) == 1, thin = state.range(1) == 1;
    if (zoomed) view.ViewWidth /= 8, view.ViewHeight /= 8;
    for (auto _ : state) {
        Canvas canvas(kW, kH);
        ClearCanvas(canvas, kW, kH, 0);
        DrawDxf(canvas, d, view, {.thin = thin});
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--file") == 0) gLarge = QString::fromLocal8Bit(argv[i + 1]);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    if (gLarge.isEmpty()) {
        gLarge = dir.filePath("sample_50mb.dxf");
        bench::WriteSampleDxf(gLarge, 50LL * 1000 * 1000);
    }
    benchmark::RegisterBenchmark("DrawLine/1M short lines", ShortLines)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DrawArc/100k small circles", SmallCircles)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DrawDxfText/20k texts", Texts)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Preview/whole", WholePreview)
        ->ArgName("again")
        ->Arg(0)
        ->Arg(1)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2);
    benchmark::RegisterBenchmark("Redraw", Redraw)
        ->ArgNames({"zoomed", "thin"})
        ->Args({0, 0})
        ->Args({1, 0})
        ->Args({0, 1})
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
